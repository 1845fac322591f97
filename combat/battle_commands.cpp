// The combat commands besides Attack: fleeing, the potion panel, restoring a spell point and
// opening the spell window.
#include "combat/battle.h"
#include "core/game.h"

namespace morvath {

void Battle::Flee_Click() {}
void Battle::Potion_Click() {}
void Battle::P_Click(int) {}
void Battle::Command1_Click() { HidePotions.visible = true; }
void Battle::RestoreSP_Click() {}
void Battle::Spell_Click() {}
void Battle::DeathWithoutMusic() {}

}  // namespace morvath
