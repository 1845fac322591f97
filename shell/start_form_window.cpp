#include "shell/start_form_window.h"

#include <QPushButton>

namespace morvath {

StartFormWindow::StartFormWindow(Frontend& frontend, StartForm& form)
    : ScreenWindow(frontend, form, QSize(540, 400)) {
  bindPicture("Logo", LoadArt(":/icon/morvath-48.png"), 2, QPoint(222, 14));
  bindLabel("Label2", QRect(0, 116, 540, 48), "title")->setAlignment(Qt::AlignCenter);
  bindLabel("Label3", QRect(0, 162, 540, 22), "subtitle")->setAlignment(Qt::AlignCenter);
  bindButton("New", QRect(180, 204, 180, 34));
  bindButton("Load", QRect(180, 246, 180, 34));
  bindButton("Command1", QRect(180, 288, 180, 34));
  auto* prompt = bindLabel("Message", QRect(10, 346, 520, 30), "prompt");
  prompt->setAlignment(Qt::AlignCenter);
}

}  // namespace morvath
