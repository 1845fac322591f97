// The spell screen "Spell Cast": the ten spells, each known exactly when its button is enabled.
// It stands in front of the disabled combat screen and works on the combat screen's fields.
#pragma once

#include "core/screen.h"

namespace morvath {

class Cast : public Screen {
 public:
  explicit Cast(Game& game);

  // Disables all ten spell buttons.
  void forgetAllSpells();

  // Spell buttons: S1..S5 are bought in the magic shop, SL1..SL5 learned from bosses. The order
  // is the screen's row order, top to bottom.
  static constexpr const char* kSpellButtons[10] = {"SL1", "S1",  "SL2", "S2",  "SL3",
                                                    "S3",  "SL4", "S4",  "SL5", "S5"};

  // Casts the spell of row 0..9 (a click on its button).
  void Spell_Click(int row);
  // "&Cancel Spell": back to the fight, nothing spent.
  void Command1_Click();

  // Row labels: the cost (SP0..SP9) and the effect (Damage0..Damage9) of each spell.
  Label& cost(int row);
  Label& effect(int row);
  // Whether the effect of row 0..9 is the damage the spell deals (its text a range of damage),
  // rather than what the spell does told in words.
  static bool effectIsDamage(int row);

  Label& SPELLPOINTSlbl;  // the header "Spell Points" above the costs
  Label& DAMAGElbl;       // the header "Damage" above the effects
  Button& Command1;       // "&Cancel Spell"

 private:
  // Leaves the spell window and gives the combat screen its input back.
  void backToBattle();
};

}  // namespace morvath
