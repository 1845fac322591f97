// Blackjack at the inn's bar: the wager and its refusals, the deal and the house's hidden hand,
// drawing cards, settling, and the gold booked on the way.
#include "bar/black.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/text.h"
#include "support/fakes.h"
#include "town/inn.h"

namespace morvath::test {
namespace {

const char* const kBetPrompt = "How much money do you wish to bet? You have ";

class BlackTest : public ::testing::Test {
 protected:
  BlackTest() {
    h.newGame();
    h.dialogs.boxes.clear();  // the name box of the new game
    EnterBar("100");
  }
  Black& b() { return h.g().black(); }
  std::string& gold() { return h.g().ch().Gold; }

  // What the inn's "Go to the &Bar" does: the gold is copied into the table's cash display.
  void EnterBar(const std::string& goldText) {
    gold() = goldText;
    b().Cash.caption = gold();
    h.g().show(ScreenId::Black);
    h.g().hide(ScreenId::Caves);
    h.g().hide(ScreenId::Inn);
  }
  // Queues cards in the order they will be drawn.
  void Cards(const std::vector<int>& values) {
    for (int v : values) h.random.roll(v, 10);
  }
  // Answers the wager box with the text and presses "&Play BlackJack".
  void Wager(const std::string& answer, const std::vector<int>& cards = {}) {
    Cards(cards);
    h.dialogs.inputs.push_back(answer);
    b().click("Play");
  }
  std::vector<std::string> Row(const auto& row) const {
    std::vector<std::string> captions;
    for (const Label* l : row) captions.push_back(l->caption);
    return captions;
  }
  std::vector<bool> Shown(const auto& row) const {
    std::vector<bool> shown;
    for (const Label* l : row) shown.push_back(l->visible);
    return shown;
  }
  void ExpectAllDrawsUsed() {
    EXPECT_TRUE(h.random.numbers.empty()) << h.random.numbers.size() << " scripted draws unused";
  }

  Harness h;
};

TEST_F(BlackTest, DealDrawsThePlayersCardsFirstAndHidesTheHouseHand) {
  EXPECT_TRUE(b().Hiden.visible);
  Wager("25", {3, 7, 10, 6});  // the house stands on 16
  ASSERT_EQ(h.dialogs.boxes.size(), 1u);
  EXPECT_EQ(h.dialogs.last().text, std::string(kBetPrompt) + "100 gold.");
  EXPECT_EQ(h.dialogs.last().title, kGameTitle);  // no title of its own

  EXPECT_EQ(Row(b().Y), (std::vector<std::string>{"3", "7", "0", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(Row(b().O), (std::vector<std::string>{"10", "6", "0", "0", "0"}));
  EXPECT_EQ(Shown(b().Y),
            (std::vector<bool>{true, true, false, false, false, false, false, false}));
  EXPECT_EQ(Shown(b().O), std::vector<bool>(5, false));
  EXPECT_EQ(b().Bet.caption, "50");
  EXPECT_EQ(b().Cash.caption, "75");
  EXPECT_EQ(gold(), "100");  // the gold is booked only when the game is settled
  EXPECT_FALSE(b().Play.visible || b().Hiden.visible || b().Last.visible);
  EXPECT_TRUE(b().Hit.visible && b().Stay.visible);
}

// The house draws a third card below 16 and a fourth and fifth below 15, never a sixth.
// The parameter is every card the house should draw, in order.
class HouseHand : public BlackTest, public ::testing::WithParamInterface<std::vector<int>> {};

TEST_P(HouseHand, StopsAtItsThresholds) {
  const std::vector<int>& house = GetParam();
  std::vector<int> cards = {10, 10};
  cards.insert(cards.end(), house.begin(), house.end());
  Wager("10", cards);
  ExpectAllDrawsUsed();
  std::vector<std::string> expected(5, "0");
  for (size_t i = 0; i < house.size(); ++i) expected[i] = std::to_string(house[i]);
  EXPECT_EQ(Row(b().O), expected);
  b().click("Stay");
  EXPECT_EQ(Shown(b().O), std::vector<bool>(5, true));
  EXPECT_EQ(Row(b().O), expected);  // the places it never used show "0"
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Thresholds, HouseHand, ::testing::Values(
    std::vector<int>{9, 6, 10},       // 15 draws a third card
    std::vector<int>{10, 6},          // 16 stands on two
    std::vector<int>{9, 4, 1, 9},     // three cards, 14: a fourth
    std::vector<int>{10, 4, 1},       // three cards, 15: stands
    std::vector<int>{2, 3, 4, 5, 1},  // four cards, 14: a fifth
    std::vector<int>{2, 3, 4, 6},     // four cards, 15: stands
    std::vector<int>{1, 1, 1, 1, 1}));  // five cards at most, even at 5
// clang-format on

struct Refusal {
  std::string gold;
  std::string cash;
  std::string answer;
  std::string text;  // empty: no message at all
  std::string title;
};
void PrintTo(const Refusal& r, std::ostream* os) {
  *os << "gold " << r.gold << ", cash " << r.cash << ", answer \"" << r.answer << '"';
}
class WagerRefused : public BlackTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(WagerRefused, StartsNoGameAndChangesNothing) {
  const Refusal& r = GetParam();
  EnterBar(r.gold);
  b().Cash.caption = r.cash;
  Wager(r.answer);
  ASSERT_EQ(h.dialogs.boxes.size(), r.text.empty() ? 1u : 2u) << h.dialogs.last().text;
  if (!r.text.empty()) {
    EXPECT_EQ(h.dialogs.last().text, r.text);
    EXPECT_EQ(h.dialogs.last().title, r.title);
  }
  EXPECT_EQ(h.random.draws, 0);
  EXPECT_EQ(gold(), r.gold);
  EXPECT_EQ(b().Cash.caption, r.cash);
  EXPECT_EQ(b().Bet.caption, "");
  EXPECT_TRUE(b().Play.visible && b().Hiden.visible && !b().gameOpen());
}

const char* const kNoCash = "You don't have enough gold.";
const char* const kNegative = "You can't bet a negitive number.";

INSTANTIATE_TEST_SUITE_P(
    Answers, WagerRefused,
    ::testing::Values(
        // Nothing that reads as 0 starts a game, and none of it says a word.
        Refusal{"100", "100", "", "", ""}, Refusal{"100", "100", "0", "", ""},
        Refusal{"100", "100", "lots", "", ""}, Refusal{"100", "100", "NaN", "", ""},
        Refusal{"100", "100", "-0", "", ""}, Refusal{"100", "100", " .e5", "", ""},
        // The quarter of the gold: 26 of 100 is too much, and 101 gold allows 25.25.
        Refusal{"100", "100", "26", "I dont agree with that bet! Bet under 25 coins!", "Too high!"},
        Refusal{"101", "101", "25.26", "I dont agree with that bet! Bet under 25.25 coins!",
                "Too high!"},
        // Above both the cash and the quarter: the cash is tested first.
        Refusal{"100", "20", "30", kNoCash, "Error"},
        Refusal{"100", "100", "1e308", kNoCash, "Error"},
        Refusal{"100", "100", "1e999", kNoCash, "Error"},
        // A negative wager passes the cash test and is refused next, however large.
        Refusal{"100", "0", "-5", kNegative, "Error"},
        Refusal{"100", "100", "-1e308", kNegative, "Error"},
        // The table's own cash counts, not the gold: 30 of 120 is fine, but only 20 lie here.
        Refusal{"120", "20", "30", kNoCash, "Error"}));

TEST_F(BlackTest, TheQuarterOfTheGoldItselfIsAcceptedUnrounded) {
  EnterBar("101");
  Wager("25.25", {10, 10, 10, 10});
  EXPECT_TRUE(b().gameOpen());
  EXPECT_EQ(b().Bet.caption, "50.5");
  EXPECT_EQ(b().Cash.caption, "75.75");
}

TEST_F(BlackTest, ARefusedWagerStillPutsTheLastGameAway) {
  Wager("10", {10, 9, 10, 8});
  h.random.roll(1, 10);
  b().click("Hit");
  b().click("Stay");
  ASSERT_TRUE(b().Last.visible);
  Wager("");
  EXPECT_EQ(Row(b().Y), (std::vector<std::string>{"", "", "0", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(Row(b().O), std::vector<std::string>(5, "0"));
  EXPECT_EQ(Shown(b().Y), std::vector<bool>(8, false));
  EXPECT_EQ(Shown(b().O), std::vector<bool>(5, false));
  EXPECT_TRUE(b().Play.visible && !b().Last.visible);
  EXPECT_FALSE(b().Hiden.visible);  // the cover is gone for good after the first game
}

// One row of the settlement table. The player holds 100 gold, bets 20 (pot 40, cash 80).
struct Settlement {
  std::vector<int> you;  // first two cards, then one per "&Hit"
  std::vector<int> house;
  std::string text;
  std::string title;
  std::string cash;
  std::string gold;
  std::string bet;
};
void PrintTo(const Settlement& s, std::ostream* os) {
  *os << ::testing::PrintToString(s.you) << " against " << ::testing::PrintToString(s.house);
}
class Settle : public BlackTest, public ::testing::WithParamInterface<Settlement> {};

TEST_P(Settle, BooksTheGameAndRevealsBothHands) {
  const Settlement& s = GetParam();
  std::vector<int> deal = {s.you[0], s.you[1]};
  deal.insert(deal.end(), s.house.begin(), s.house.end());
  Wager("20", deal);
  ASSERT_EQ(b().Cash.caption, "80");
  for (size_t i = 2; i < s.you.size(); ++i) {
    h.random.roll(s.you[i], 10);
    b().click("Hit");
  }
  ExpectAllDrawsUsed();
  b().click("Stay");

  ASSERT_EQ(h.dialogs.boxes.size(), 2u);
  EXPECT_EQ(h.dialogs.last().text, s.text);
  EXPECT_EQ(h.dialogs.last().title, s.title);
  EXPECT_EQ(h.dialogs.last().buttons, Buttons::Ok);
  EXPECT_EQ(b().Cash.caption, s.cash);
  EXPECT_EQ(gold(), s.gold);
  EXPECT_EQ(b().Bet.caption, s.bet);

  EXPECT_EQ(Shown(b().Y), std::vector<bool>(8, true));
  EXPECT_EQ(Shown(b().O), std::vector<bool>(5, true));
  EXPECT_TRUE(b().Last.visible && b().Play.visible);
  EXPECT_FALSE(b().Hit.visible || b().Stay.visible);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, Settle, ::testing::Values(
    // 25 against 25: both over, a tie that hands the wager back.
    Settlement{{10, 10, 5}, {10, 5, 10}, "Tie game. You both went over 21.", "Tie game", "100", "120", "40"},
    // The house's 24 loses to anything, even a hand of 2.
    Settlement{{1, 1}, {10, 4, 10}, "You win!!! Your opponent whent over 21!!!", "You win!!!", "120", "140", "40"},
    Settlement{{10, 10, 1}, {10, 5, 6}, "Tie game. You both had the same score.", "Tie game.", "80", "120", "40"},
    Settlement{{10, 9}, {10, 7}, "You win!!! You're closer to 21 than your opponent!!!", "You Win!!!", "120", "140", "40"},
    Settlement{{10, 7}, {10, 9}, "You lose. You opponent was closer to 21 than you.", "You lose", "80", "80", ""},
    // 22 against 20: over by one.
    Settlement{{10, 9, 3}, {10, 10}, "You lose. You went over 21", "You lose", "80", "80", ""}));
// clang-format on

TEST_F(BlackTest, HitFillsTheFirstFreePlaceUntilAllSixAreUsed) {
  Wager("10", {10, 10, 10, 10});
  const std::vector<int> hits = {4, 9, 1, 10, 2, 7};  // no bust test: 20 goes on to 53
  for (size_t i = 0; i < hits.size(); ++i) {
    h.random.roll(hits[i], 10);
    b().click("Hit");
    EXPECT_EQ(b().Y[2 + i]->caption, std::to_string(hits[i]));
    EXPECT_TRUE(b().Y[2 + i]->visible);
    if (i + 3 < b().Y.size()) {
      EXPECT_FALSE(b().Y[3 + i]->visible);
    }
  }
  const auto before = Row(b().Y);
  const int draws = h.random.draws;
  b().click("Hit");  // a seventh: nothing left to fill, nothing drawn
  EXPECT_EQ(Row(b().Y), before);
  EXPECT_EQ(h.random.draws, draws);
  EXPECT_TRUE(b().gameOpen());
  b().click("Stay");
  EXPECT_EQ(h.dialogs.last().text, "You lose. You went over 21");
}

TEST_F(BlackTest, LeavingMidGameKeepsTheGameOpenForTheNextVisit) {
  Wager("20", {10, 8, 10, 10});
  ASSERT_EQ(b().Cash.caption, "80");
  b().click("Command1");
  EXPECT_TRUE(h.g().inn().visible);
  EXPECT_FALSE(b().visible);
  EXPECT_EQ(gold(), "100");  // nothing booked on the way out

  EnterBar(gold());  // the inn copies the gold in again
  EXPECT_EQ(b().Cash.caption, "100");
  EXPECT_TRUE(b().gameOpen());
  EXPECT_EQ(b().Bet.caption, "40");
  h.random.roll(3, 10);
  b().click("Hit");
  EXPECT_EQ(b().Y[2]->caption, "3");
  b().click("Stay");  // 21 against 20
  EXPECT_EQ(h.dialogs.last().title, "You Win!!!");
  EXPECT_EQ(b().Cash.caption, "140");
  EXPECT_EQ(gold(), "140");

  b().click("MenuMainScreen");
  EXPECT_TRUE(h.g().inn().visible);
  EXPECT_FALSE(b().visible);
  EXPECT_EQ(h.g().front(), static_cast<Screen*>(&h.g().inn()));
}

TEST_F(BlackTest, GoldIsBookedGameByGame) {
  Wager("25", {10, 9, 10, 10});  // 19 against 20: 100 -> 75
  b().click("Stay");
  EXPECT_EQ(gold(), "75");
  EXPECT_EQ(b().Cash.caption, "75");
  // The next wager box shows the booked gold, and the quarter follows it.
  Wager("19");
  EXPECT_EQ(h.dialogs.boxes.at(2).text, std::string(kBetPrompt) + "75 gold.");
  EXPECT_EQ(h.dialogs.last().text, "I dont agree with that bet! Bet under 18.75 coins!");
  Wager("18.75", {10, 10, 10, 10});
  b().click("Stay");  // 20 and 20: the tie books the wager into the gold, not the cash
  EXPECT_EQ(gold(), "93.75");
  EXPECT_EQ(b().Cash.caption, "56.25");
}

TEST_F(BlackTest, HugeFortunesStayFiniteNumbers) {
  EnterBar("1.7E+308");
  Wager("4.25E+307", {10, 10, 10, 4, 10});  // the house goes over: the pot overflows a double
  b().click("Stay");
  EXPECT_EQ(h.dialogs.last().title, "You win!!!");
  for (const std::string& text : {gold(), b().Cash.caption, b().Bet.caption}) {
    EXPECT_TRUE(std::isfinite(Val(text))) << text;
    EXPECT_GT(Val(text), 1e307) << text;
    EXPECT_EQ(text.find_first_of("nN"), std::string::npos) << text;  // no "inf", no "nan"
  }
}

}  // namespace
}  // namespace morvath::test
