// The inventory screen "Character & Inventory": it holds the character record and shows it
// live, on top of whatever screen is in front.
#pragma once

#include <string>

#include "core/character.h"
#include "core/screen.h"

namespace morvath {

class Inventory : public Screen {
 public:
  explicit Inventory(Game& game);

  // The character record; every screen reads and writes it here.
  Character ch;

  // Captions of the value column, top to bottom, with the field each one shows. The name stands
  // alone on the first line.
  struct Row {
    const char* caption;
    std::string Character::*field;
  };
  static const Row kRows[18];

  // The close box hides the window instead of closing it.
  void closeBox() override;
};

}  // namespace morvath
