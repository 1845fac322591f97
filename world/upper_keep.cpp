#include "world/upper_keep.h"

#include "core/game.h"

namespace morvath {

UpperKeep::UpperKeep(Game& game) : Screen(game, ScreenId::UpperKeep, " Keep of the Morvath") {
  // The four guards' pictures; a hidden one is a guard that has been beaten.
  addPicture("Demon0", true, 2520, 1200);
  addPicture("Demon1", true, 480, 1200);
  addPicture("Demon2", true, 1440, 720);
  addPicture("Demon3", true, 1440, 1680);
  addFileExitMenu("MFile", "MMExit");
  addInventoryMenu("MInventory");
}

}  // namespace morvath
