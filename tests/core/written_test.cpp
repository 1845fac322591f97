// What the game reports as written by each command of a fight and of a blackjack game, checked
// against what the screen shows afterwards: a field reported is one the command changed (every
// draw below makes a real change), a field not reported still shows what it showed before.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "bar/black.h"
#include "combat/cast.h"
#include "core/fight_setup.h"

namespace morvath::test {
namespace {

using Fields = std::set<std::string>;

// R such that Int(R * faces) + 1 is the value.
constexpr double Roll(int value, int faces) {
  return (value - 0.5) / faces;
}

struct Command {
  const char* name;
  ScreenId screen;  // where the button is clicked
  const char* button;
  bool panelOpen;  // the potion panel uncovered first
  std::vector<double> draws;
  Fields written;
};

// The fight of fight_setup.h, with the opponent at 1000 of 1000 so that no command ends it:
// hero 50 of 100, damage 7, defence 3; the opponent's damage 12, dexterity 2-1-1 on dice of 4.
const Command kCommands[] = {
    {"Attack, the hero first, both blows land",
     ScreenId::Battle,
     "Attack",
     false,
     {Roll(1, 4), Roll(2, 4), Roll(5, 7), Roll(2, 4), Roll(9, 12)},
     {"Attackmsg", "MMessage", "MHP", "Ymessage", "YHP"}},
    {"Attack, the opponent first, both blows miss",
     ScreenId::Battle,
     "Attack",
     false,
     {Roll(2, 4), Roll(1, 4), Roll(1, 4)},
     {"Attackmsg", "Ymessage", "MMessage"}},
    {"Flee, blocked and struck",
     ScreenId::Battle,
     "Flee",
     false,
     {Roll(2, 6), Roll(2, 4), Roll(9, 12)},
     {"Attackmsg", "Ymessage", "YHP", "MMessage"}},
    {"Restore Spell Point, struck",
     ScreenId::Battle,
     "RestoreSP",
     false,
     {Roll(2, 4), Roll(9, 12), 0.0},
     {"Ymessage", "YHP", "Attackmsg"}},
    {"Restore Spell Point, missed",
     ScreenId::Battle,
     "RestoreSP",
     false,
     {Roll(1, 4)},
     {"Ymessage"}},
    {"Potion of Heal (8-15)", ScreenId::Battle, "P1", true, {0.0}, {"YHP", "Attackmsg"}},
    {"Potion of Heal (15-30)", ScreenId::Battle, "P2", true, {0.0}, {"YHP", "Attackmsg"}},
    {"Potion of Heal (30-60)", ScreenId::Battle, "P3", true, {0.0}, {"YHP", "Attackmsg"}},
    {"Potion of Heal (60-120)", ScreenId::Battle, "P4", true, {0.0}, {"YHP", "Attackmsg"}},
    {"Potion of Heal All", ScreenId::Battle, "P5", true, {}, {"YHP", "Attackmsg"}},
    {"Wound", ScreenId::Cast, "SL1", false, {0.0}, {"Attackmsg", "MHP"}},
    {"Knives of Death", ScreenId::Cast, "S1", false, {0.0}, {"Attackmsg", "MHP"}},
    {"Storm of Chaos", ScreenId::Cast, "SL2", false, {0.0}, {"Attackmsg", "MHP"}},
    {"Earth Slide", ScreenId::Cast, "S2", false, {0.0}, {"Attackmsg", "MHP"}},
    {"Fire Bolt", ScreenId::Cast, "SL3", false, {0.0}, {"Attackmsg", "MHP"}},
    {"Enchant Armor", ScreenId::Cast, "S3", false, {}, {"Attackmsg", "MaxDefence"}},
    {"Terror", ScreenId::Cast, "SL4", false, {0.0}, {"Attackmsg", "MDamage"}},
    {"Drain Health", ScreenId::Cast, "S4", false, {0.0}, {"Attackmsg", "MHP", "YHP"}},
    {"Elemental Blast", ScreenId::Cast, "SL5", false, {0.0}, {"Attackmsg", "MHP"}},
    {"Demonic Fireball", ScreenId::Cast, "S5", false, {0.0}, {"Attackmsg", "MHP"}},
};

// The fields of the combat screen a command may write.
const char* const kWatched[] = {"Attackmsg", "MMessage",   "Ymessage", "YHP",
                                "MHP",       "MaxDefence", "MDamage"};

TEST(Written, EachFightCommandReportsTheFieldsItChanged) {
  for (const Command& command : kCommands) {
    SCOPED_TRACE(command.name);
    Fight f;
    Battle& b = f.b;
    b.MHP.caption = b.MMaxHP.caption = "1000";
    b.YSP.caption = "100";
    for (const char* line : {"Attackmsg", "MMessage", "Ymessage"}) b.label(line).caption = "-";
    if (command.panelOpen) {
      b.setPotionCounts("1");
      b.click("Potion");
    }
    std::vector<std::string> before;
    for (const char* field : kWatched) before.push_back(b.label(field).caption);
    b.takeWritten();
    f.h.random.numbers.insert(f.h.random.numbers.end(), command.draws.begin(), command.draws.end());
    if (command.screen == ScreenId::Cast) f.h.g().show(ScreenId::Cast);
    f.h.g().screen(command.screen).click(command.button);

    EXPECT_TRUE(f.h.random.numbers.empty()) << "draws left: the command did not run as scripted";
    EXPECT_EQ(f.boxes(), std::vector<std::string>{});
    const Fields written = b.takeWritten();
    EXPECT_EQ(written, command.written);
    for (size_t i = 0; i < std::size(kWatched); ++i)
      EXPECT_EQ(written.count(kWatched[i]) > 0, b.label(kWatched[i]).caption != before[i])
          << kWatched[i] << " shows \"" << b.label(kWatched[i]).caption << "\"";
  }
}

// The places whose cards are face up, each with its card.
std::set<std::string> FaceUp(const Black& black) {
  std::set<std::string> cards;
  for (Black::Side side : {Black::Side::Player, Black::Side::House})
    for (const Label* card : black.hand(side)) cards.insert(card->name + "=" + card->caption);
  return cards;
}

TEST(Written, EachBlackjackCommandReportsTheCardsItShowedAndTheTotalsFollow) {
  struct Step {
    const char* button;
    std::vector<int> cards;
    Fields written;
    double yours;
    double theirs;
  };
  // Dealt 10 and 7; the house 9 and 6, drawing a 2 below 16; a 3 drawn; staying shows the house.
  const Step kSteps[] = {
      {"Play", {10, 7, 9, 6, 2}, {"Y1", "Y2"}, 17, 0},
      {"Hit", {3}, {"Y3"}, 20, 0},
      {"Stay", {}, {"O1", "O2", "O3"}, 20, 17},
  };
  Harness h;
  h.newGame();
  Black& black = h.g().black();
  h.g().ch().Gold = black.Cash.caption = "100";
  h.dialogs.inputs.push_back("20");
  for (const Step& step : kSteps) {
    SCOPED_TRACE(step.button);
    const std::set<std::string> before = FaceUp(black);
    for (int card : step.cards) h.random.roll(card, 10);
    black.takeWritten();
    black.click(step.button);
    const Fields written = black.takeWritten();
    EXPECT_EQ(written, step.written);
    // What was reported is what turned up on the table.
    std::set<std::string> turnedUp;
    for (const std::string& card : FaceUp(black))
      if (!before.count(card)) turnedUp.insert(card.substr(0, card.find('=')));
    EXPECT_EQ(written, turnedUp);
    EXPECT_EQ(black.total(Black::Side::Player), step.yours);
    EXPECT_EQ(black.total(Black::Side::House), step.theirs);
  }
}

}  // namespace
}  // namespace morvath::test
