// The window of a weapon or armor shop: the heading, the column headings, one row per item
// (button, value, cost) and the way out.
#pragma once

#include <initializer_list>

#include "app/screen_window.h"
#include "town/equipment.h"

namespace morvath {

class EquipmentShopWindow : public ScreenWindow {
  Q_OBJECT
 public:
  // The lists of the shop, top to bottom; a small gap separates one list from the next.
  EquipmentShopWindow(Frontend& frontend, EquipmentShop& shop,
                      std::initializer_list<EquipmentSlot> lists);

  // The canvas height that the shop's rows need.
  static int CanvasHeight(std::initializer_list<EquipmentSlot> lists);
};

}  // namespace morvath
