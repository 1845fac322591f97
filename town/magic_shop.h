// The Magic Shop of Makar.
#pragma once

#include "core/screen.h"

namespace morvath {

class MagicShop : public Screen {
 public:
  explicit MagicShop(Game& game);
};

}  // namespace morvath
