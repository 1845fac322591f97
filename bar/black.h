// The bar of the Elkwood Inn, where blackjack is played for the character's gold.
#pragma once

#include "core/screen.h"

namespace morvath {

class Black : public Screen {
 public:
  explicit Black(Game& game);

  Label& Cash;  // the table's money display
};

}  // namespace morvath
