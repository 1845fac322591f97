#include "town/magic_shop.h"

#include "core/game.h"

namespace morvath {

MagicShop::MagicShop(Game& game) : Screen(game, ScreenId::MagicShop, "Magic Shop") {
  addFileExitMenu("MFile", "MMExit");
  addMusicMenu("MOp", "musicon", "&Options");
  addInventoryMenu("MInventory");
}

}  // namespace morvath
