#include "combat/cast.h"

#include "core/game.h"

namespace morvath {
namespace {

constexpr const char* kSpellNames[10] = {
    "Wound",      "Knives of Death", "Storm of Chaos", "Earth Slide",     "Fire Bolt",
    "Enchant Armor", "Terror",       "Drain Health",   "Elemental Blast", "Demonic Fireball"};

}  // namespace

Cast::Cast(Game& game) : Screen(game, ScreenId::Cast, "Spell Cast") {
  for (int i = 0; i < 10; ++i) addButton(kSpellButtons[i], kSpellNames[i], {}).enabled = false;
}

void Cast::forgetAllSpells() {
  for (const char* name : kSpellButtons) button(name).enabled = false;
}

}  // namespace morvath
