// The magic shop's window: a box of potions with the note on them, a box of spells with their
// effects, and one column of prices to the right of both.
#pragma once

#include "app/screen_window.h"
#include "town/magic_shop.h"

namespace morvath {

class MagicShopWindow : public ScreenWindow {
  Q_OBJECT
 public:
  MagicShopWindow(Frontend& frontend, MagicShop& shop);
};

}  // namespace morvath
