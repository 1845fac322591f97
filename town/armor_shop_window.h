// The armor shop's window: the armor, then the shields.
#pragma once

#include "town/armor_shop.h"
#include "town/equipment_window.h"

namespace morvath {

class ArmorShopWindow : public EquipmentShopWindow {
  Q_OBJECT
 public:
  ArmorShopWindow(Frontend& frontend, ArmorShop& shop);
};

}  // namespace morvath
