// The spell window "Spell Cast": one row per spell with its cost, its button and its effect,
// unknown spells greyed, and "&Cancel Spell" below.
#pragma once

#include <array>

#include "app/screen_window.h"
#include "combat/cast.h"

namespace morvath {

class CastWindow : public ScreenWindow {
  Q_OBJECT
 public:
  CastWindow(Frontend& frontend, Cast& cast);
  // Greys the cost and effect of the spells not yet known, as their buttons are.
  void sync() override;

 private:
  struct Line {
    ClickLabel* cost;
    ClickLabel* effect;
  };
  Cast& cast_;
  std::array<Line, 10> rows_{};
};

}  // namespace morvath
