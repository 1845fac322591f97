#include "town/armor_shop.h"

#include "core/game.h"

namespace morvath {

ArmorShop::ArmorShop(Game& game) : Screen(game, ScreenId::ArmorShop, "Armor Shop") {
  addFileExitMenu("MenuFile", "ExitMenu");
  addMusicMenu("Options", "musicon");
  addInventoryMenu("MenuInventory");
}

}  // namespace morvath
