// The Elkwood Inn of Makar: rest, spell points, saving the game, and the way to the bar.
#pragma once

#include "core/screen.h"

namespace morvath {

class Inn : public Screen {
 public:
  explicit Inn(Game& game);

  Label& Label1;   // "Elkwood Inn"
  Label& Message;  // the save prompt, over the "&Save Game" row while shown
  Button& Rest;
  Button& Meditate;
  Button& Command1;  // "&Save Game"
  Button& DeleteSaves;
  Button& ToBar;
  Button& Exit;

  // A night's rest: full health for 25 gold, if at least 26 are in hand.
  void Rest_Click();
  // Buys spell points back at 50 gold each.
  void Meditate_Click();
  // Shows the save prompt; the next key chooses the slot.
  void Command1_Click();
  // Empties all nine save slots.
  void DeleteSaves_Click();
  // To the bar, with the character's gold as the table's cash.
  void ToBar_Click();
  // Back to the map.
  void Exit_Click();
  // "&File", "E&xit": closes the save prompt, then asks the exit question.
  void MMExit_Click();

  // While the save prompt is shown, a digit key saves into its slot and says whether the save
  // reached the disk.
  void keyDown(int keyCode, int shift) override;
  bool readsKeys() const override { return true; }

  static constexpr int kRestPrice = 25;
  // The innkeeper wants a gold piece more in hand than the rest costs.
  static constexpr int kRestNeeds = 26;
  static constexpr int kSpellPointPrice = 50;
  static constexpr const char* kSavePrompt =
      "                   Save in which slot? (Type a number between 1 & 9)";
};

}  // namespace morvath
