// The overworld map "Caves": the land around Makar, walked cell by cell with the arrow keys.
#pragma once

#include <string>

#include "core/screen.h"

namespace morvath {

class Caves : public Screen {
 public:
  explicit Caves(Game& game);

  Picture& Picture1;  // the map image
  Picture& Char;      // the hero's sprite (twips)
  Label& LeftX;       // the hero's cell, X (0 west .. 10 east)
  Label& TopY;        // the hero's cell, Y (1 south .. 9 north)
  Label& Comma1;
  Label& X;          // the sprite's left edge after every key (not shown to the player)
  Label& Y;          // the sprite's top edge after every key (not shown to the player)
  Label& Message;    // the place description
  Button& Command1;  // "&End Game"

  // The letters typed so far towards one of the two cheat codes; lives as long as the screen.
  std::string Letters;

  // The two cheat codes and their rewards.
  static constexpr const char* kLootCode = "MoreLooTT";
  static constexpr const char* kSpellCode = "SAGA";

  // "&End Game": back to the start screen with an empty record.
  void Command1_Click();

  // Every key: ambushes in the wild, the walk, the places, the cheat codes.
  void keyDown(int keyCode, int shift) override;
  bool readsKeys() const override { return true; }

 private:
  // An ambush on rows 5 to 9: true when a fight was started (the key press ends there).
  bool Ambush();
  // The arrow keys: true when the key may go on (moved, or not an arrow key).
  bool Walk(int keyCode);
  // Opens the place on the hero's cell, or describes it.
  void PlaceRules();
  // The cheat codes: the key's letter joins the buffer.
  void CheatKey(int keyCode);
};

}  // namespace morvath
