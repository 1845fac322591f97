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
  Label& LeftX;       // the hero's cell, X
  Label& TopY;        // the hero's cell, Y
  Label& Comma1;
  Label& X;           // the sprite's left edge after every key
  Label& Y;           // the sprite's top edge after every key
  Label& Message;     // the place description
  Button& Command1;   // "&End Game"

  // "&End Game": back to the start screen with an empty record.
  void Command1_Click();
};

}  // namespace morvath
