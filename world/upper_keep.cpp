#include "world/upper_keep.h"

#include "core/game.h"

namespace morvath {

UpperKeep::UpperKeep(Game& game) : Screen(game, ScreenId::UpperKeep, " Keep of the Morvath") {
  addFileExitMenu("MFile", "MMExit");
  addInventoryMenu("MInventory");
}

}  // namespace morvath
