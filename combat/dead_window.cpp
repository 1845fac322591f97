#include "combat/dead_window.h"

#include "app/layout_scale.h"
#include "app/theme.h"

namespace morvath {

DeadWindow::DeadWindow(Frontend& frontend, Dead& dead)
    : ScreenWindow(frontend, dead, QSize(440, 220)) {
  auto* heading = bindLabel("Label1", QRect(0, 40, 440, 90));
  heading->setAlignment(Qt::AlignCenter);
  // Blood red, and large.
  SetTextColor(heading, QColor(0xb3261e));
  QFont font = heading->font();
  font.setFamily("DejaVu Serif");
  font.setPointSizeF(ScaledPoints(40));
  font.setBold(true);
  heading->setFont(font);
  auto* hint = bindLabel("Label2", QRect(0, 150, 440, 30), "note");
  hint->setAlignment(Qt::AlignCenter);
}

}  // namespace morvath
