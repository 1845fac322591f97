// The Armor Shop of Makar.
#pragma once

#include "core/screen.h"

namespace morvath {

class ArmorShop : public Screen {
 public:
  explicit ArmorShop(Game& game);
};

}  // namespace morvath
