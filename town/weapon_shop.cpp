#include "town/weapon_shop.h"

#include "core/game.h"

namespace morvath {

WeaponShop::WeaponShop(Game& game) : Screen(game, ScreenId::WeaponShop, "Weapon Shop") {
  addFileExitMenu("File", "MenuExit");
  addMusicMenu("Options", "musicon");
  addInventoryMenu("MenuInven");
}

}  // namespace morvath
