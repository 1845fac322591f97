// The window of the seven cave and tower screens: the place's heading, a painted view of the
// place beside a column of buttons in the screen's own order, and the second tower's line of
// text.
#pragma once

#include "app/screen_window.h"
#include "world/cave_screen.h"

namespace morvath {

class CaveScreenWindow : public ScreenWindow {
  Q_OBJECT
 public:
  CaveScreenWindow(Frontend& frontend, CaveScreen& screen);

  // The painted view of a place (Cave1..Tower3) at its drawn size; shown at twice that size.
  static QImage PaintPlace(ScreenId place, QSize size);
};

}  // namespace morvath
