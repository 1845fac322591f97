// The start screen's window.
#pragma once

#include "app/screen_window.h"
#include "shell/start_form.h"

namespace morvath {

class StartFormWindow : public ScreenWindow {
  Q_OBJECT
 public:
  StartFormWindow(Frontend& frontend, StartForm& form);
};

}  // namespace morvath
