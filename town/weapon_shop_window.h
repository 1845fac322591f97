// The weapon shop's window.
#pragma once

#include "town/equipment_window.h"
#include "town/weapon_shop.h"

namespace morvath {

class WeaponShopWindow : public EquipmentShopWindow {
  Q_OBJECT
 public:
  WeaponShopWindow(Frontend& frontend, WeaponShop& shop);
};

}  // namespace morvath
