#include "combat/dead_window.h"

namespace morvath {

DeadWindow::DeadWindow(Frontend& frontend, Dead& dead)
    : ScreenWindow(frontend, dead, QSize(440, 220)) {
  auto* heading = bindLabel("Label1", QRect(0, 40, 440, 90));
  heading->setAlignment(Qt::AlignCenter);
  heading->setStyleSheet(
      "color: #b3261e; font-family: 'DejaVu Serif'; font-size: 40pt; font-weight: bold;");
  auto* hint = bindLabel("Label2", QRect(0, 150, 440, 30), "note");
  hint->setAlignment(Qt::AlignCenter);
}

}  // namespace morvath
