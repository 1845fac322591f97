// The Armor Shop of Makar: armor and shields.
#pragma once

#include "town/equipment.h"

namespace morvath {

class ArmorShop : public EquipmentShop {
 public:
  explicit ArmorShop(Game& game);

  Button& Exit;  // "&Exit Armor Shop"

  // Back to the map.
  void Exit_Click();
};

}  // namespace morvath
