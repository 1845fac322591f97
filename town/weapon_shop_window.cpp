#include "town/weapon_shop_window.h"

namespace morvath {

WeaponShopWindow::WeaponShopWindow(Frontend& frontend, WeaponShop& shop)
    : EquipmentShopWindow(frontend, shop, {EquipmentSlot::Weapon}) {}

}  // namespace morvath
