#include "world/upper_keep_window.h"

#include <QFontMetrics>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "app/layout_scale.h"

namespace morvath {
namespace {

constexpr int kMazeWidth = 230 * UpperKeepWindow::kScale;
constexpr int kMazeHeight = 185 * UpperKeepWindow::kScale;
constexpr int kCanvasWidth = kMazeWidth + 2 * UpperKeepWindow::kMazeLeft;

}  // namespace

UpperKeepWindow::UpperKeepWindow(Frontend& frontend, UpperKeep& keep)
    : ScreenWindow(frontend, keep, QSize(kCanvasWidth, kMazeTop + kMazeHeight + 118)) {
  // The hero and the guards stand on the drawing by their twips, 15 to a pixel of the drawing.
  const QPoint origin(kMazeLeft, kMazeTop);
  bindPicture("Picture1", LoadArt(":/maze.png"), kScale, origin);
  const QImage guard = LoadArt(":/guard.png");
  for (int i = 0; i < 4; ++i) bindPicture("Demon" + std::to_string(i), guard, kScale, origin);
  bindPicture("Char", LoadArt(":/maze_hero.png"), kScale, origin);

  // The opening message spaces its two sentences apart so that a narrow line breaks between
  // them: the line is made just wide enough for the longer of the two, under the maze's middle.
  const int below = kMazeTop + kMazeHeight + 10;
  message_ = bindLabel("Message", QRect(kMazeLeft, below, kMazeWidth, 44), "message");
  message_->setWordWrap(true);
  message_->ensurePolished();
  const QString opening = QString::fromLatin1(UpperKeep::kStartMessage);
  const int gap = opening.indexOf("   ", opening.indexOf("!!!"));
  const QFontMetrics metrics(message_->font());
  const int longer = std::max(metrics.horizontalAdvance(opening.left(gap)),
                              metrics.horizontalAdvance(opening.mid(gap).trimmed()));
  // The font's width is in screen pixels; the line is placed in design pixels.
  const int width = std::min(kMazeWidth, 16 + static_cast<int>(std::ceil(longer / LayoutScale())));
  place(message_, QRect(kMazeLeft + (kMazeWidth - width) / 2, below, width, 44));
  const int row = below + 54;
  bindLabel("X", QRect(kMazeLeft, row + 5, 24, 22), "value")
      ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  bindLabel("Label1", QRect(kMazeLeft + 26, row + 5, 8, 22), "value");
  bindLabel("Y", QRect(kMazeLeft + 36, row + 5, 24, 22), "value");
  bindButton("Command11", QRect(kMazeLeft + kMazeWidth - 220, row, 220, 34));

  // The hero's cell, then the message line; the hero's picture says where he stands.
  using Kind = SpokenRow::Kind;
  speakOnly({
      Row("cell", Kind::Status, {Field("X"), Field("Label1"), Words(" "), Field("Y")}),
      Row("Message", Kind::News, {Field("Message")}),
      Row("hero", Kind::Silent, {Words("the hero at "), Field("X"), Words(", "), Field("Y")})
          .naming("Char"),
  });
}

void UpperKeepWindow::sync() {
  ScreenWindow::sync();
  // The opening message keeps its own spacing; the wall message stands in the middle.
  const bool spaced = message_->text().startsWith(QLatin1Char(' '));
  message_->setAlignment(spaced ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
}

}  // namespace morvath
