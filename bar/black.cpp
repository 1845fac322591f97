#include "bar/black.h"

#include <cmath>

#include "core/game.h"
#include "core/text.h"

namespace morvath {
namespace {

constexpr const char* kFree = "0";  // a place without a card

double Sum(const auto& row) {
  double total = 0;
  for (const Label* card : row) total += Val(card->caption);
  return total;
}

}  // namespace

Black::Black(Game& game)
    : Screen(game, ScreenId::Black, "BlackJack"),
      Label1(addLabel("Label1", "Black Jack")),
      Label2(addLabel("Label2", "You have $")),
      Cash(addLabel("Cash", "100")),
      Label7(addLabel("Label7", "Bet is $")),
      Bet(addLabel("Bet", "")),
      Y{&addLabel("Y1", "", false),    &addLabel("Y2", "", false),    &addLabel("Y3", kFree, false),
        &addLabel("Y4", kFree, false), &addLabel("Y5", kFree, false), &addLabel("Y6", kFree, false),
        &addLabel("Y7", kFree, false), &addLabel("Y8", kFree, false)},
      O{&addLabel("O1", "", false), &addLabel("O2", "", false), &addLabel("O3", kFree, false),
        &addLabel("O4", kFree, false), &addLabel("O5", kFree, false)},
      Last(addLabel("Last", "Last Game", false)),
      Hiden(addLabel("Hiden", "", true)),
      Play(addButton("Play", "&Play BlackJack", [this] { Play_Click(); })),
      Hit(addButton("Hit", "&Hit", [this] { Hit_Click(); })),
      Stay(addButton("Stay", "&Stay", [this] { Stay_Click(); })),
      Command1(addButton("Command1", "&Back", [this] { Command1_Click(); })) {
  Hit.visible = false;
  Stay.visible = false;
  addMenu("MenuFile", "&File", "");
  addMenu("MenuMainScreen", "Go to &Main Screen", "MenuFile", [this] { MenuMainScreen_Click(); });
  addMenu("Exit", "E&xit", "MenuFile", [this] { game_.exitQuestion(); });
}

double Black::DrawCard() {
  return std::floor(game_.R() * 10 + 1);
}

void Black::ClearHands() {
  Last.visible = false;
  for (Label* card : O) {
    card->caption = kFree;
    card->visible = false;
  }
  for (Label* card : Y) {
    card->caption = kFree;
    card->visible = false;
  }
  Y[0]->caption.clear();
  Y[1]->caption.clear();
}

void Black::Play_Click() {
  // The last game's hands are put away before the wager is asked; a refused wager leaves the
  // table cleared with no game open.
  ClearHands();
  Character& c = game_.ch();
  // Empty text (a cancelled box) and text without a leading number read as 0, and so do
  // "NaN" and "-0": all of them start no game, just like a wager of 0.
  const double b =
      Val(game_.input("How much money do you wish to bet? You have " + c.Gold + " gold."));
  if (b == 0) return;
  // The table's cash is tested first, so a wager above both the cash and a quarter of the gold
  // hears about the cash. A negative wager always passes this test.
  if (Val(Cash.caption) - b < 0) {
    game_.msg("You don't have enough gold.", "Error");
    return;
  }
  if (b < 0) {
    game_.msg("You can't bet a negitive number.", "Error");
    return;
  }
  // The house takes no wager above a quarter of the character's gold; the quarter itself is
  // fine and is not rounded (101 gold allows 25.25).
  const double quarter = Val(c.Gold) / 4;
  if (b > quarter) {
    game_.msg("I dont agree with that bet! Bet under " + Str(quarter) + " coins!", "Too high!");
    return;
  }
  // From here b is positive, at most the cash and at most a quarter of the gold, so the pot and
  // the cash left on the table stay finite.
  Hiden.visible = false;
  Play.visible = false;
  Y[0]->visible = true;
  Y[1]->visible = true;
  Bet.caption = Str(2 * b);
  Cash.caption = Str(Val(Cash.caption) - b);
  // The player's two cards are drawn before the opponent's two.
  write(*Y[0], Str(DrawCard()));
  write(*Y[1], Str(DrawCard()));
  // The house's cards are dealt face down: not written for the player until they are shown.
  O[0]->caption = Str(DrawCard());
  O[1]->caption = Str(DrawCard());
  Hit.visible = true;
  Stay.visible = true;
  DrawOpponent();
}

void Black::DrawOpponent() {
  // The house draws a third card below 16, then a fourth and a fifth below 15.
  double t = Val(O[0]->caption) + Val(O[1]->caption);
  if (t >= 16) return;
  O[2]->caption = Str(DrawCard());
  t += Val(O[2]->caption);
  for (size_t i = 3; i < O.size() && t < 15; ++i) {
    O[i]->caption = Str(DrawCard());
    t += Val(O[i]->caption);
  }
}

void Black::Hit_Click() {
  // No bust test here: the player may draw on past 21, until all six places are used.
  for (size_t i = 2; i < Y.size(); ++i) {
    if (Y[i]->caption != kFree) continue;
    write(*Y[i], Str(DrawCard()));
    Y[i]->visible = true;
    return;
  }
}

void Black::Stay_Click() {
  Play.visible = true;
  Hit.visible = false;
  Stay.visible = false;
  Last.visible = true;
  for (Label* card : Y) card->visible = true;
  for (Label* card : O) card->visible = true;
  // The house's hand is turned face up: its cards are news, even the same as last game's.
  for (const Label* card : hand(Side::House)) wrote(card->name);

  const double you = Sum(Y);
  const double opp = Sum(O);
  const double pot = Val(Bet.caption);
  Character& c = game_.ch();
  // The pot is twice the wager. The character's gold was never charged at the deal, so a win
  // books the whole pot and a loss books the wager; the table's cash was charged the wager.
  auto book = [&](double cash, double gold) {
    Cash.caption = Str(Val(Cash.caption) + cash);
    c.Gold = Str(Val(c.Gold) + gold);
  };
  if (you > 21 && opp > 21) {
    book(pot / 2, pot / 2);
    game_.msg("Tie game. You both went over 21.", "Tie game");
  } else if (opp > 21) {
    book(pot, pot);
    game_.msg("You win!!! Your opponent whent over 21!!!", "You win!!!");
  } else if (you < 22 && opp == you) {
    c.Gold = Str(Val(c.Gold) + pot / 2);
    game_.msg("Tie game. You both had the same score.", "Tie game.");
  } else if (you < 22 && you > opp) {
    book(pot, pot);
    game_.msg("You win!!! You're closer to 21 than your opponent!!!", "You Win!!!");
  } else if (you < 22 && opp > you) {
    c.Gold = Str(Val(c.Gold) - pot / 2);
    Bet.caption.clear();
    game_.msg("You lose. You opponent was closer to 21 than you.", "You lose");
  } else {
    c.Gold = Str(Val(c.Gold) - pot / 2);
    Bet.caption.clear();
    game_.msg("You lose. You went over 21", "You lose");
  }
}

std::vector<const Label*> Black::hand(Side side) const {
  std::vector<const Label*> cards;
  auto take = [&cards](const auto& row) {
    for (const Label* place : row)
      if (place->visible && !place->caption.empty() && !isFree(*place)) cards.push_back(place);
  };
  if (side == Side::Player)
    take(Y);
  else
    take(O);
  return cards;
}

double Black::total(Side side) const {
  return Sum(hand(side));
}

bool Black::isFree(const Label& place) {
  return place.caption == kFree;
}

void Black::GoBack() {
  // Nothing is booked on the way out: the gold was booked game by game, and the inn copies it
  // back into the cash display on the next visit.
  game_.show(ScreenId::Inn);
  game_.hide(ScreenId::Black);
}

void Black::Command1_Click() {
  GoBack();
}
void Black::MenuMainScreen_Click() {
  GoBack();
}

}  // namespace morvath
