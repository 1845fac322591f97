// The overworld map's window: the map picture with the hero on it, the place message and
// "&End Game".
#pragma once

#include "app/screen_window.h"
#include "world/caves.h"

namespace morvath {

class CavesWindow : public ScreenWindow {
  Q_OBJECT
 public:
  CavesWindow(Frontend& frontend, Caves& caves);
};

}  // namespace morvath
