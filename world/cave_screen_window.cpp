#include "world/cave_screen_window.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QPushButton>
#include <algorithm>
#include <cstdint>

#include "app/layout_scale.h"

namespace morvath {
namespace {

constexpr int kCanvasWidth = 620;
constexpr int kMargin = 20;
constexpr int kViewWidth = 260;  // the painted view, on screen
constexpr int kButtonLeft = kMargin + kViewWidth + 20;
constexpr int kButtonWidth = kCanvasWidth - kButtonLeft - kMargin;
constexpr int kButtonHeight = 32;
constexpr int kButtonStep = 40;
constexpr int kNavigationGap = 14;  // between the opponents and the ways out
constexpr int kScale = 2;
constexpr int kMinViewHeight = 260;

// A small fixed generator for the texture of the pictures, so that a place always looks alike.
class Speckle {
 public:
  explicit Speckle(std::uint32_t seed) : state_(seed) {}
  int below(int n) {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<int>((state_ >> 8) % static_cast<std::uint32_t>(n));
  }

 private:
  std::uint32_t state_;
};

struct CaveLook {
  QColor rock, rockDark, glow;
};

struct TowerLook {
  QColor skyTop, skyBottom, stone, window, moon;
};

void PaintCave(QPainter& p, QSize size, const CaveLook& look, std::uint32_t seed) {
  const int w = size.width();
  const int h = size.height();
  p.fillRect(0, 0, w, h, look.rockDark);
  Speckle rnd(seed);
  // Boulders of the cave wall.
  for (int i = 0; i < w * h / 40; ++i) {
    const int x = rnd.below(w), y = rnd.below(h), r = 2 + rnd.below(5);
    p.setPen(Qt::NoPen);
    p.setBrush(rnd.below(3) == 0 ? look.rock.lighter(115) : look.rock);
    p.drawEllipse(QPoint(x, y), r, r - 1);
  }
  // The mouth of the cave, with the dark of the tunnel and a glow deep inside.
  const QRectF mouth(w * 0.18, h * 0.30, w * 0.64, h * 0.62);
  QPainterPath arch;
  arch.moveTo(mouth.left(), mouth.bottom());
  arch.lineTo(mouth.left(), mouth.top() + mouth.width() / 2);
  arch.arcTo(QRectF(mouth.left(), mouth.top(), mouth.width(), mouth.width()), 180, -180);
  arch.lineTo(mouth.right(), mouth.bottom());
  arch.closeSubpath();
  p.setBrush(look.rock.darker(140));
  p.drawPath(arch.translated(-2, -2));
  QRadialGradient glow(mouth.center().x(), mouth.bottom() - mouth.height() * 0.25,
                       mouth.width() * 0.6);
  glow.setColorAt(0, look.glow);
  glow.setColorAt(0.5, look.glow.darker(400));
  glow.setColorAt(1, QColor(6, 5, 5));
  p.setBrush(glow);
  p.drawPath(arch);
  // Stalactites over the mouth and stones on the floor.
  p.setBrush(look.rock.darker(110));
  for (int x = 2; x < w; x += 5 + rnd.below(6)) {
    const int len = 4 + rnd.below(static_cast<int>(h * 0.18));
    p.drawPolygon(QPolygonF({QPointF(x - 2, 0), QPointF(x + 3, 0), QPointF(x + 0.5, len)}));
  }
  p.setBrush(look.rock.lighter(105));
  for (int x = 0; x < w; x += 4 + rnd.below(8))
    p.drawEllipse(QPoint(x, h - 1), 3 + rnd.below(4), 2 + rnd.below(3));
}

void PaintMountains(QPainter& p, QSize size) {
  const int w = size.width();
  const int h = size.height();
  QLinearGradient sky(0, 0, 0, h);
  sky.setColorAt(0, QColor(48, 24, 58));
  sky.setColorAt(0.55, QColor(196, 86, 48));
  sky.setColorAt(1, QColor(250, 180, 90));
  p.fillRect(0, 0, w, h, sky);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 222, 140));
  p.drawEllipse(QPointF(w * 0.68, h * 0.32), w * 0.10, w * 0.10);
  Speckle rnd(77);
  // Three ranges, the nearest darkest.
  const QColor ranges[3] = {QColor(120, 60, 70), QColor(74, 36, 50), QColor(34, 18, 28)};
  for (int layer = 0; layer < 3; ++layer) {
    QPolygonF ridge;
    ridge << QPointF(0, h);
    const double base = h * (0.52 + 0.14 * layer);
    for (double x = 0; x <= w + 10; x += 8 + rnd.below(10)) {
      const double peak = base - rnd.below(static_cast<int>(h * (0.22 - 0.05 * layer)));
      ridge << QPointF(x, peak);
    }
    ridge << QPointF(w, h);
    p.setBrush(ranges[layer]);
    p.drawPolygon(ridge);
  }
  // Snow on the far peaks is left to the imagination; a dragon crosses the sky.
  p.setBrush(QColor(26, 12, 20));
  const QPointF d(w * 0.30, h * 0.20);
  p.drawEllipse(d, 7, 2.5);
  p.drawPolygon(QPolygonF({d + QPointF(-2, 0), d + QPointF(-9, -10), d + QPointF(3, -1)}));
  p.drawPolygon(QPolygonF({d + QPointF(1, 0), d + QPointF(10, -9), d + QPointF(4, 1)}));
  p.drawPolygon(QPolygonF({d + QPointF(6, -1), d + QPointF(11, -3), d + QPointF(7, 1)}));
  p.drawPolygon(QPolygonF({d + QPointF(-6, 0), d + QPointF(-14, 3), d + QPointF(-6, 2)}));
}

void PaintTower(QPainter& p, QSize size, const TowerLook& look, std::uint32_t seed) {
  const int w = size.width();
  const int h = size.height();
  QLinearGradient sky(0, 0, 0, h);
  sky.setColorAt(0, look.skyTop);
  sky.setColorAt(1, look.skyBottom);
  p.fillRect(0, 0, w, h, sky);
  Speckle rnd(seed);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(240, 236, 220));
  for (int i = 0; i < w * h / 300; ++i) p.drawRect(rnd.below(w), rnd.below(h / 2), 1, 1);
  p.setBrush(look.moon);
  p.drawEllipse(QPointF(w * 0.78, h * 0.14), w * 0.08, w * 0.08);
  // The ground, the tower's body with its battlements, and the pointed roof.
  p.setBrush(look.stone.darker(260));
  p.drawRect(0, static_cast<int>(h * 0.88), w, h);
  const int tw = static_cast<int>(w * 0.36);
  const int tx = (w - tw) / 2;
  const int top = static_cast<int>(h * 0.32);
  p.setBrush(look.stone);
  p.drawRect(tx, top, tw, static_cast<int>(h * 0.88) - top);
  p.setBrush(look.stone.darker(130));
  for (int y = top + 4; y < h * 0.88; y += 6)
    for (int x = tx + ((y / 6) % 2) * 3; x < tx + tw - 1; x += 7) p.drawRect(x, y, 5, 1);
  p.setBrush(look.stone.lighter(110));
  for (int x = tx - 3; x < tx + tw + 3; x += 6) p.drawRect(x, top - 5, 4, 5);
  p.drawRect(tx - 3, top - 1, tw + 6, 3);
  p.setBrush(look.stone.darker(170));
  p.drawPolygon(QPolygonF(
      {QPointF(tx - 1, top - 5), QPointF(w / 2.0, h * 0.10), QPointF(tx + tw + 1, top - 5)}));
  // Lit windows and the door.
  p.setBrush(look.window);
  for (int row = 0; row < 3; ++row) {
    const int y = top + 10 + row * static_cast<int>(h * 0.13);
    p.drawRect(w / 2 - 2, y, 4, 7);
  }
  p.setBrush(QColor(14, 10, 8));
  p.drawRect(w / 2 - 5, static_cast<int>(h * 0.88) - 12, 10, 12);
}

}  // namespace

QImage CaveScreenWindow::PaintPlace(ScreenId place, QSize size) {
  QImage image(size, QImage::Format_ARGB32);
  QPainter p(&image);
  switch (place) {
    case ScreenId::Cave1:
      PaintCave(p, size, {QColor(96, 84, 66), QColor(48, 42, 34), QColor(130, 170, 90)}, 11);
      break;
    case ScreenId::Cave2:
      PaintCave(p, size, {QColor(84, 70, 98), QColor(40, 32, 50), QColor(170, 80, 200)}, 22);
      break;
    case ScreenId::Cave3:
      PaintCave(p, size, {QColor(92, 60, 56), QColor(44, 26, 24), QColor(230, 70, 30)}, 33);
      break;
    case ScreenId::Cave4:
      PaintMountains(p, size);
      break;
    case ScreenId::Tower1:
      PaintTower(p, size,
                 {QColor(14, 22, 48), QColor(90, 120, 160), QColor(170, 176, 190),
                  QColor(150, 230, 255), QColor(220, 230, 245)},
                 44);
      break;
    case ScreenId::Tower2:
      PaintTower(p, size,
                 {QColor(20, 34, 30), QColor(150, 110, 60), QColor(128, 118, 96),
                  QColor(255, 170, 60), QColor(250, 210, 120)},
                 55);
      break;
    default:
      PaintTower(p, size,
                 {QColor(10, 4, 6), QColor(110, 20, 22), QColor(70, 62, 66), QColor(220, 40, 30),
                  QColor(200, 60, 50)},
                 66);
      break;
  }
  p.end();
  return image;
}

CaveScreenWindow::CaveScreenWindow(Frontend& frontend, CaveScreen& screen)
    : ScreenWindow(frontend, screen, QSize(kCanvasWidth, 100)) {
  const std::vector<CaveScreen::ButtonRow>& rows = CaveScreen::Rows(screen.id());
  // The heading is "jh" or "gjfgj" where the screen has one, else "Label1"; a tower's "Label1"
  // is its line of text.
  const std::string heading = screen.hasLabel("jh")      ? "jh"
                              : screen.hasLabel("gjfgj") ? "gjfgj"
                                                         : "Label1";
  bindLabel(heading, QRect(kMargin, 12, kCanvasWidth - 2 * kMargin, 40), "heading")
      ->setAlignment(Qt::AlignCenter);
  int top = 62;
  if (heading != "Label1" && screen.hasLabel("Label1") && !screen.label("Label1").caption.empty()) {
    auto* line =
        bindLabel("Label1", QRect(kMargin, top - 4, kCanvasWidth - 2 * kMargin, 44), "message");
    line->setWordWrap(true);
    line->setAlignment(Qt::AlignCenter);
    top += 50;
  }

  int y = top;
  bool fights = true;
  for (const CaveScreen::ButtonRow& row : rows) {
    if (fights && row.action != CaveScreen::Action::Fight) {
      y += kNavigationGap;
      fights = false;
    }
    bindButton(row.name, QRect(kButtonLeft, y, kButtonWidth, kButtonHeight));
    y += kButtonStep;
  }
  // The view is as tall as the column of buttons, but never too low to show its place.
  const int viewHeight = std::max(kMinViewHeight, y - top - (kButtonStep - kButtonHeight));
  auto* view =
      new PixelView(PaintPlace(screen.id(), QSize(kViewWidth / kScale, viewHeight / kScale)),
                    kScale * LayoutScale(), canvas());
  view->setObjectName("Backdrop");
  view->move(Scaled(QPoint(kMargin, top)));
  view->lower();
  setCanvasSize(QSize(kCanvasWidth, top + viewHeight + kMargin));
}

}  // namespace morvath
