// The Weapon Shop of Makar.
#pragma once

#include "core/screen.h"

namespace morvath {

class WeaponShop : public Screen {
 public:
  explicit WeaponShop(Game& game);
};

}  // namespace morvath
