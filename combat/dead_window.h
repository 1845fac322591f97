// The death screen's window: "You Died!!!" large, the hint below, and a click anywhere.
#pragma once

#include "app/screen_window.h"
#include "combat/dead.h"

namespace morvath {

class DeadWindow : public ScreenWindow {
  Q_OBJECT
 public:
  DeadWindow(Frontend& frontend, Dead& dead);
};

}  // namespace morvath
