// The Elkwood Inn's window: the heading, six buttons in a column, and the save prompt over the
// "&Save Game" row.
#pragma once

#include "app/screen_window.h"
#include "town/inn.h"

namespace morvath {

class InnWindow : public ScreenWindow {
  Q_OBJECT
 public:
  InnWindow(Frontend& frontend, Inn& inn);
};

}  // namespace morvath
