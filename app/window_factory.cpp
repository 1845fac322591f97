#include "app/window_factory.h"

#include "app/screen_window.h"
#include "core/game.h"
#include "core/inventory.h"
#include "core/inventory_window.h"
#include "shell/start_form.h"
#include "shell/start_form_window.h"
#include "world/cave_screen.h"
#include "world/cave_screen_window.h"
#include "world/caves.h"
#include "world/caves_window.h"
#include "world/upper_keep.h"
#include "world/upper_keep_window.h"

namespace morvath {

std::unique_ptr<ScreenWindow> MakeWindow(Frontend& frontend, Screen& screen) {
  switch (screen.id()) {
    case ScreenId::aaStartForm:
      return std::make_unique<StartFormWindow>(frontend, static_cast<StartForm&>(screen));
    case ScreenId::Inventory:
      return std::make_unique<InventoryWindow>(frontend, static_cast<Inventory&>(screen));
    case ScreenId::Caves:
      return std::make_unique<CavesWindow>(frontend, static_cast<Caves&>(screen));
    case ScreenId::Cave1:
    case ScreenId::Cave2:
    case ScreenId::Cave3:
    case ScreenId::Cave4:
    case ScreenId::Tower1:
    case ScreenId::Tower2:
    case ScreenId::Tower3:
      return std::make_unique<CaveScreenWindow>(frontend, static_cast<CaveScreen&>(screen));
    case ScreenId::UpperKeep:
      return std::make_unique<UpperKeepWindow>(frontend, static_cast<UpperKeep&>(screen));
    default:
      return std::make_unique<GenericWindow>(frontend, screen);
  }
}

}  // namespace morvath
