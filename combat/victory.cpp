// A won fight: the payout, levels, the way back and the bosses' last words.
#include "combat/battle.h"
#include "core/game.h"

namespace morvath {

void Battle::Victory() {}
void Battle::LevelUp() {}
void Battle::GoBack() {}
void Battle::SpecialMonster() {}

}  // namespace morvath
