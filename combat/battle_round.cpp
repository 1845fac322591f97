// The fight itself: loading the character, the attack round, the gauges and the death sequence.
#include "combat/battle.h"
#include "core/game.h"

namespace morvath {

void Battle::CharLoad() {}
void Battle::HPGaugeChange() {}
int Battle::roll(Label&) { return 0; }
void Battle::Attack_Click() {}
void Battle::YAttack() {}
void Battle::Miss() {}
void Battle::MAttack() {}
void Battle::HidePicts() {}
void Battle::DeathSequence() {}

}  // namespace morvath
