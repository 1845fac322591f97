#include "app/window_factory.h"

#include "app/screen_window.h"
#include "core/game.h"
#include "core/inventory.h"
#include "core/inventory_window.h"
#include "shell/start_form.h"
#include "shell/start_form_window.h"
#include "world/caves.h"
#include "world/caves_window.h"

namespace morvath {

std::unique_ptr<ScreenWindow> MakeWindow(Frontend& frontend, Screen& screen) {
  switch (screen.id()) {
    case ScreenId::aaStartForm:
      return std::make_unique<StartFormWindow>(frontend, static_cast<StartForm&>(screen));
    case ScreenId::Inventory:
      return std::make_unique<InventoryWindow>(frontend, static_cast<Inventory&>(screen));
    case ScreenId::Caves:
      return std::make_unique<CavesWindow>(frontend, static_cast<Caves&>(screen));
    default:
      return std::make_unique<GenericWindow>(frontend, screen);
  }
}

}  // namespace morvath
