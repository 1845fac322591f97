// The inventory window: the character's name, then every value with its caption.
#pragma once

#include <QLabel>
#include <vector>

#include "app/screen_window.h"
#include "core/inventory.h"

namespace morvath {

class InventoryWindow : public ScreenWindow {
  Q_OBJECT
 public:
  InventoryWindow(Frontend& frontend, Inventory& inventory);
  void sync() override;

 private:
  Inventory& inventory_;
  QLabel* name_;
  std::vector<QLabel*> values_;
};

}  // namespace morvath
