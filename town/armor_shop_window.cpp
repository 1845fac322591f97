#include "town/armor_shop_window.h"

namespace morvath {

ArmorShopWindow::ArmorShopWindow(Frontend& frontend, ArmorShop& shop)
    : EquipmentShopWindow(frontend, shop, {EquipmentSlot::Armor, EquipmentSlot::Shield}) {}

}  // namespace morvath
