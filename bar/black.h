// The bar of the Elkwood Inn, where blackjack is played for the character's gold.
//
// Cards are plain numbers from 1 to 10. The player bets, gets two cards and may draw up to six
// more; the house opponent draws its whole hand at the deal and keeps it hidden until the player
// stays. The table's cash display and the hands live in the labels of this screen; winnings and
// losses are booked straight into the character's gold, game by game.
#pragma once

#include <array>
#include <vector>

#include "core/screen.h"

namespace morvath {

class Black : public Screen {
 public:
  explicit Black(Game& game);

  Label& Label1;  // heading "Black Jack"
  Label& Label2;  // "You have $"
  Label& Cash;    // the table's money display, copied from the gold by the inn
  Label& Label7;  // "Bet is $"
  Label& Bet;     // the pot of the open game: twice the wager
  // The player's eight places Y1..Y8 and the opponent's five O1..O5; "0" marks a free place.
  std::array<Label*, 8> Y;
  std::array<Label*, 5> O;
  Label& Last;   // "Last Game", shown across the table once a game is settled
  Label& Hiden;  // the cover over the card area until the first game starts
  Button& Play;
  Button& Hit;
  Button& Stay;
  Button& Command1;  // "&Back"

  // "&Play BlackJack": asks for the wager and deals.
  void Play_Click();
  // "&Hit": the player draws into the first free place.
  void Hit_Click();
  // "&Stay": reveals both hands and settles the game.
  void Stay_Click();
  // "&Back" and "Go to &Main Screen": back to the inn.
  void Command1_Click();
  void MenuMainScreen_Click();

  // Whether a game has been dealt and not yet settled.
  bool gameOpen() const { return Stay.visible; }

  // The two hands at the table.
  enum class Side { Player, House };
  // The cards of a hand that lie face up on the table, in their places' order (free places and
  // places cleared for the next game left out).
  std::vector<const Label*> hand(Side side) const;
  // What the cards of a hand face up on the table add up to, as the game settles it.
  double total(Side side) const;
  // Whether a card place holds no card (its caption marks a free place).
  static bool isFree(const Label& place);

 private:
  // One card: Int(R * 10 + 1), a whole number from 1 to 10.
  double DrawCard();
  // The opponent's hidden hand after its first two cards.
  void DrawOpponent();
  // Clears the table for a new game.
  void ClearHands();
  void GoBack();
};

}  // namespace morvath
