#include "world/cave_screen.h"

#include "core/game.h"

namespace morvath {
namespace {

const char* TitleOf(ScreenId id) {
  switch (id) {
    case ScreenId::Cave1: return "Cave of Minors";
    case ScreenId::Cave2: return "Cave of Chaos";
    case ScreenId::Cave3: return "Cave of Evil";
    case ScreenId::Cave4: return "Dragon Mountains";
    case ScreenId::Tower1: return "Tower of Reflections (Tower 1 of the Under World)";
    case ScreenId::Tower2: return "Tower of Elements (Tower 2 of the Under World)";
    default: return "Tower of Death (Tower 3 of the Under World)";
  }
}

}  // namespace

CaveScreen::CaveScreen(Game& game, ScreenId id) : Screen(game, id, TitleOf(id)) {
  addFileExitMenu("MenuFile", "MenuitemExit");
  addMusicMenu("Options", "musicon", "Option&s",
               id == ScreenId::Cave1 ? "Music &on" : "Music o&n");
  addInventoryMenu("MenuInventory");
}

}  // namespace morvath
