#include "combat/catalogue.h"

#include "core/game.h"

namespace morvath {

bool GateOpen(Game&, ScreenId, const std::string&) { return true; }
void Encounter(Game&, ScreenId, const std::string&) {}

}  // namespace morvath
