#include "town/inn.h"

#include "core/game.h"

namespace morvath {

Inn::Inn(Game& game) : Screen(game, ScreenId::Inn, "Elkwood Inn") {
  addFileExitMenu("MFile", "MMExit");
  addMusicMenu("Options", "muscion");
  addInventoryMenu("MInventory");
}

}  // namespace morvath
