// The Upper Keep: the final maze with its four wandering guards and the Morvath at its centre.
#pragma once

#include "core/screen.h"

namespace morvath {

class UpperKeep : public Screen {
 public:
  explicit UpperKeep(Game& game);
};

}  // namespace morvath
