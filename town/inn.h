// The Elkwood Inn of Makar.
#pragma once

#include "core/screen.h"

namespace morvath {

class Inn : public Screen {
 public:
  explicit Inn(Game& game);
};

}  // namespace morvath
