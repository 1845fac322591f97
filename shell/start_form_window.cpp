#include "shell/start_form_window.h"

#include <QPushButton>

namespace morvath {

StartFormWindow::StartFormWindow(Frontend& frontend, StartForm& form)
    : ScreenWindow(frontend, form, QSize(520, 330)) {
  bindPicture("Logo", LoadArt(":/icon/morvath-64.png"), 1, QPoint(228, 14));
  bindLabel("Label2", QRect(0, 84, 520, 44), "title")->setAlignment(Qt::AlignCenter);
  bindLabel("Label3", QRect(0, 128, 520, 22), "subtitle")->setAlignment(Qt::AlignCenter);
  bindButton("New", QRect(170, 170, 180, 34));
  bindButton("Load", QRect(170, 212, 180, 34));
  bindButton("Command1", QRect(170, 254, 180, 34));
  auto* prompt = bindLabel("Message", QRect(10, 296, 500, 26), "prompt");
  prompt->setAlignment(Qt::AlignCenter);
}

}  // namespace morvath
