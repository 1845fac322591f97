// The Weapon Shop of Makar.
#pragma once

#include "town/equipment.h"

namespace morvath {

class WeaponShop : public EquipmentShop {
 public:
  explicit WeaponShop(Game& game);

  Button& Exit;  // "&Exit Weapon Shop"

  // Back to the map.
  void Exit_Click();
  // "&Inventory": works out the character's totals afresh, then shows the inventory.
  void MenuInven_Click();
};

}  // namespace morvath
