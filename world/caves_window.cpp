#include "world/caves_window.h"

namespace morvath {

CavesWindow::CavesWindow(Frontend& frontend, Caves& caves)
    : ScreenWindow(frontend, caves, QSize(393 * 2 + 24, 357 * 2 + 110)), caves_(caves) {
  const QPoint origin(12, 12);
  bindPicture("Picture1", LoadArt(":/map.png"), 2, origin);
  hero_ = bindPicture("Char", LoadArt(":/hero.png"), 2, origin);
  auto* message = bindLabel("Message", QRect(12, 357 * 2 + 20, 393 * 2 - 150, 80), "message");
  message->setWordWrap(true);
  message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  bindLabel("LeftX", QRect(393 * 2 - 120, 357 * 2 + 22, 30, 22), "value")
      ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  bindLabel("Comma1", QRect(393 * 2 - 88, 357 * 2 + 22, 10, 22), "value");
  bindLabel("TopY", QRect(393 * 2 - 76, 357 * 2 + 22, 30, 22), "value");
  bindButton("Command1", QRect(393 * 2 - 120, 357 * 2 + 56, 130, 32));
}

void CavesWindow::sync() {
  ScreenWindow::sync();
  SetSpokenName(hero_, QString("the hero at %1, %2")
                           .arg(QString::fromStdString(caves_.LeftX.caption),
                                QString::fromStdString(caves_.TopY.caption)));
}

std::vector<SpokenLine> CavesWindow::spokenLines() const {
  const QString cell = QString::fromStdString(caves_.LeftX.caption + caves_.Comma1.caption + " " +
                                              caves_.TopY.caption);
  return {{"cell", cell, SpokenLine::Kind::Status},
          {"Message", QString::fromStdString(caves_.Message.caption), SpokenLine::Kind::News}};
}

}  // namespace morvath
