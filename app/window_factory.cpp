#include "app/window_factory.h"

#include "app/screen_window.h"
#include "bar/black.h"
#include "bar/black_window.h"
#include "combat/battle_window.h"
#include "combat/cast.h"
#include "combat/cast_window.h"
#include "combat/dead.h"
#include "combat/dead_window.h"
#include "core/game.h"
#include "core/inventory.h"
#include "core/inventory_window.h"
#include "shell/start_form.h"
#include "shell/start_form_window.h"
#include "town/armor_shop.h"
#include "town/armor_shop_window.h"
#include "town/inn.h"
#include "town/inn_window.h"
#include "town/magic_shop.h"
#include "town/magic_shop_window.h"
#include "town/weapon_shop.h"
#include "town/weapon_shop_window.h"
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
    case ScreenId::Battle:
      return std::make_unique<BattleWindow>(frontend, static_cast<Battle&>(screen));
    case ScreenId::Caves:
      return std::make_unique<CavesWindow>(frontend, static_cast<Caves&>(screen));
    case ScreenId::Black:
      return std::make_unique<BlackWindow>(frontend, static_cast<Black&>(screen));
    case ScreenId::Cast:
      return std::make_unique<CastWindow>(frontend, static_cast<Cast&>(screen));
    case ScreenId::Dead:
      return std::make_unique<DeadWindow>(frontend, static_cast<Dead&>(screen));
    case ScreenId::WeaponShop:
      return std::make_unique<WeaponShopWindow>(frontend, static_cast<WeaponShop&>(screen));
    case ScreenId::ArmorShop:
      return std::make_unique<ArmorShopWindow>(frontend, static_cast<ArmorShop&>(screen));
    case ScreenId::MagicShop:
      return std::make_unique<MagicShopWindow>(frontend, static_cast<MagicShop&>(screen));
    case ScreenId::Inn:
      return std::make_unique<InnWindow>(frontend, static_cast<Inn&>(screen));
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
  }
  return nullptr;  // every screen has its window above; the compiler checks that none is missed
}

}  // namespace morvath
