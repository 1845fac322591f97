// The combat screen "Combat Screen", where every fight of the game is fought.
#pragma once

#include <string>

#include "core/screen.h"

namespace morvath {

class Battle : public Screen {
 public:
  explicit Battle(Game& game);

  // Potion counts N1..N5 (decimal text, "0" when none) and their buttons P1..P5.
  Label& N1;
  Label& N2;
  Label& N3;
  Label& N4;
  Label& N5;
  Button& P1;
  Button& P2;
  Button& P3;
  Button& P4;
  Button& P5;
  Button& Command1;       // "&Cancel Operation"
  Picture& HidePotions;   // covers the potion panel while shown

  // Potion count label of kind 1..5.
  Label& potionCount(int kind);
  // Sets all five potion counts to the same text.
  void setPotionCounts(const std::string& count);
};

}  // namespace morvath
