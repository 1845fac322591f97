// The spell screen "Spell Cast": the ten spells, each known exactly when its button is enabled.
#pragma once

#include "core/screen.h"

namespace morvath {

class Cast : public Screen {
 public:
  explicit Cast(Game& game);

  // Disables all ten spell buttons.
  void forgetAllSpells();

  // Spell buttons: S1..S5 are bought in the magic shop, SL1..SL5 learned from bosses.
  static constexpr const char* kSpellButtons[10] = {"SL1", "S1", "SL2", "S2",  "SL3",
                                                    "S3",  "SL4", "S4", "SL5", "S5"};
};

}  // namespace morvath
