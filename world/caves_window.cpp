#include "world/caves_window.h"

namespace morvath {

CavesWindow::CavesWindow(Frontend& frontend, Caves& caves)
    : ScreenWindow(frontend, caves, QSize(393 * 2 + 24, 357 * 2 + 110)) {
  const QPoint origin(12, 12);
  bindPicture("Picture1", LoadArt(":/map.png"), 2, origin);
  bindPicture("Char", LoadArt(":/hero.png"), 2, origin);
  auto* message = bindLabel("Message", QRect(12, 357 * 2 + 20, 393 * 2 - 150, 80), "message");
  message->setWordWrap(true);
  message->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  bindLabel("LeftX", QRect(393 * 2 - 120, 357 * 2 + 22, 30, 22), "value")
      ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  bindLabel("Comma1", QRect(393 * 2 - 88, 357 * 2 + 22, 10, 22), "value");
  bindLabel("TopY", QRect(393 * 2 - 76, 357 * 2 + 22, 30, 22), "value");
  bindButton("Command1", QRect(393 * 2 - 120, 357 * 2 + 56, 130, 32));

  // The hero's cell, then the place message; the hero's picture says where he stands.
  using Kind = SpokenRow::Kind;
  speakOnly({
      Row("cell", Kind::Status, {Field("LeftX"), Field("Comma1"), Words(" "), Field("TopY")}),
      Row("Message", Kind::News, {Field("Message")}),
      Row("hero", Kind::Silent, {Words("the hero at "), Field("LeftX"), Words(", "), Field("TopY")})
          .naming("Char"),
  });
}

}  // namespace morvath
