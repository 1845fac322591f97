#include "bar/black_window.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>

#include "app/layout_scale.h"
#include "app/theme.h"
#include "core/text.h"

namespace morvath {
namespace {

// Canvas layout, in pixels.
constexpr int kCanvasWidth = 800;
constexpr int kCanvasHeight = 506;
constexpr QRect kTable(12, 58, 776, 390);
constexpr int kHouseRowY = 105;
constexpr int kPlayerRowY = 289;
constexpr int kHouseGap = 14;
constexpr int kPlayerGap = 7;
constexpr int kButtonY = 460;

const QColor kRed(178, 28, 40);
const QColor kInk(24, 24, 30);

// A painter that draws in design pixels on a widget built at the given scale, and the widget's
// rectangle in design pixels.
QRectF DesignRect(QPainter& p, const QWidget& widget, double scale) {
  p.scale(scale, scale);
  return {0, 0, widget.width() / scale, widget.height() / scale};
}

QRect Inner(const QRect& table) {
  return table.adjusted(FeltTable::kRail, FeltTable::kRail, -FeltTable::kRail, -FeltTable::kRail);
}

// The felt inside the rail; the cover paints the same felt so that it blends in.
void PaintFelt(QPainter& p, const QRectF& felt) {
  QRadialGradient light(felt.center(), felt.width() * 0.62);
  light.setColorAt(0, QColor(46, 138, 74));
  light.setColorAt(0.7, QColor(30, 108, 56));
  light.setColorAt(1, QColor(18, 76, 38));
  p.setPen(Qt::NoPen);
  p.setBrush(light);
  p.drawRoundedRect(felt, 26, 26);
  // A printed gold line around the playing area, as on a casino table.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(232, 200, 120, 90), 1.5));
  p.drawRoundedRect(felt.adjusted(9, 9, -9, -9), 20, 20);
}

// A suit sign in a box of the given size centred on the origin, for the pips.
QPainterPath SuitPath(int suit, qreal size) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  auto heart = [](QPainterPath& h, qreal flip, qreal shift) {
    auto pt = [&](qreal x, qreal y) { return QPointF(x, flip * y + shift); };
    h.moveTo(pt(0, 0.45));
    h.cubicTo(pt(-0.1, 0.3), pt(-0.5, 0.05), pt(-0.5, -0.18));
    h.cubicTo(pt(-0.5, -0.44), pt(-0.18, -0.52), pt(0, -0.27));
    h.cubicTo(pt(0.18, -0.52), pt(0.5, -0.44), pt(0.5, -0.18));
    h.cubicTo(pt(0.5, 0.05), pt(0.1, 0.3), pt(0, 0.45));
    h.closeSubpath();
  };
  auto stem = [](QPainterPath& s) {
    s.moveTo(0, 0.05);
    s.lineTo(0.17, 0.5);
    s.lineTo(-0.17, 0.5);
    s.closeSubpath();
  };
  switch (suit % 4) {
    case 0:  // heart
      heart(path, 1, 0);
      break;
    case 1:  // spade: a heart upside down on a stem
      heart(path, -0.85, -0.1);
      stem(path);
      break;
    case 2:  // diamond
      path.moveTo(0, -0.5);
      path.lineTo(0.38, 0);
      path.lineTo(0, 0.5);
      path.lineTo(-0.38, 0);
      path.closeSubpath();
      break;
    default:  // club
      path.addEllipse(QPointF(0, -0.24), 0.21, 0.21);
      path.addEllipse(QPointF(-0.24, 0.06), 0.21, 0.21);
      path.addEllipse(QPointF(0.24, 0.06), 0.21, 0.21);
      stem(path);
      break;
  }
  QTransform scale;
  scale.scale(size, size);
  return scale.map(path);
}

bool IsRedSuit(int suit) {
  return suit % 4 == 0 || suit % 4 == 2;
}

// Where the pips of a card lie, as fractions of the pip area; pips below the middle are drawn
// upside down, as on a real card.
std::vector<QPointF> PipLayout(int value) {
  const qreal l = 0.22, c = 0.5, r = 0.78;
  switch (value) {
    case 1:
      return {{c, 0.5}};
    case 2:
      return {{c, 0}, {c, 1}};
    case 3:
      return {{c, 0}, {c, 0.5}, {c, 1}};
    case 4:
      return {{l, 0}, {r, 0}, {l, 1}, {r, 1}};
    case 5:
      return {{l, 0}, {r, 0}, {c, 0.5}, {l, 1}, {r, 1}};
    case 6:
      return {{l, 0}, {r, 0}, {l, 0.5}, {r, 0.5}, {l, 1}, {r, 1}};
    case 7:
      return {{l, 0}, {r, 0}, {c, 0.25}, {l, 0.5}, {r, 0.5}, {l, 1}, {r, 1}};
    case 8:
      return {{l, 0}, {r, 0}, {c, 0.25}, {l, 0.5}, {r, 0.5}, {c, 0.75}, {l, 1}, {r, 1}};
    case 9:
      return {{l, 0},       {r, 0},       {l, 1 / 3.0}, {r, 1 / 3.0}, {c, 0.5},
              {l, 2 / 3.0}, {r, 2 / 3.0}, {l, 1},       {r, 1}};
    default:
      return {{l, 0},       {r, 0},       {c, 1 / 6.0}, {l, 1 / 3.0}, {r, 1 / 3.0},
              {l, 2 / 3.0}, {r, 2 / 3.0}, {c, 5 / 6.0}, {l, 1},       {r, 1}};
  }
}

void PaintCardBack(QPainter& p, const QRectF& card) {
  p.setPen(QPen(QColor(120, 110, 95), 1));
  p.setBrush(QColor(250, 247, 240));
  p.drawRoundedRect(card, 7, 7);
  const QRectF field = card.adjusted(5, 5, -5, -5);
  QPainterPath clip;
  clip.addRoundedRect(field, 4, 4);
  p.save();
  p.setClipPath(clip);
  p.fillRect(field, QColor(122, 20, 32));
  // A lattice of fine diagonal lines.
  p.setPen(QPen(QColor(176, 58, 70), 1));
  for (qreal d = -field.height(); d < field.width(); d += 7) {
    p.drawLine(QPointF(field.left() + d, field.top()),
               QPointF(field.left() + d + field.height(), field.bottom()));
    p.drawLine(QPointF(field.left() + d, field.bottom()),
               QPointF(field.left() + d + field.height(), field.top()));
  }
  p.restore();
  // A gold lozenge in the middle.
  const QPointF m = field.center();
  QPolygonF lozenge(
      {m + QPointF(0, -16), m + QPointF(11, 0), m + QPointF(0, 16), m + QPointF(-11, 0)});
  p.setPen(QPen(QColor(120, 84, 20), 1));
  p.setBrush(QColor(224, 182, 84));
  p.drawPolygon(lozenge);
}

}  // namespace

FeltTable::FeltTable(QWidget* parent) : QWidget(parent), scale_(LayoutScale()) {}

void FeltTable::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF area = DesignRect(p, *this, scale_);
  const QRectF outer = area.adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient wood(outer.topLeft(), outer.bottomLeft());
  wood.setColorAt(0, QColor(122, 74, 38));
  wood.setColorAt(0.5, QColor(92, 52, 24));
  wood.setColorAt(1, QColor(62, 34, 16));
  p.setPen(QPen(QColor(36, 20, 10), 1));
  p.setBrush(wood);
  p.drawRoundedRect(outer, 38, 38);
  PaintFelt(p, area.adjusted(kRail, kRail, -kRail, -kRail));
}

CardView::CardView(int suit, QWidget* parent)
    : QWidget(parent), suit_(suit), scale_(LayoutScale()) {
  resize(Scaled(QSize(kWidth, kHeight)));
}

void CardView::setCard(const QString& caption, bool free) {
  if (caption == caption_ && free == free_) return;
  caption_ = caption;
  free_ = free;
  update();
}

QString CardView::SpokenName(const QString& caption, bool free, int suit) {
  static const char* const kSuits[4] = {"hearts", "spades", "diamonds", "clubs"};
  bool isNumber = false;
  const int value = caption.toInt(&isNumber);
  if (free) return "a free place";
  if (isNumber && value >= 1 && value <= 10)
    return QString("%1 of %2").arg(caption, kSuits[suit % 4]);
  return caption;
}

void CardView::paintEvent(QPaintEvent*) {
  if (caption_.isEmpty()) return;
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF card = DesignRect(p, *this, scale_).adjusted(1.5, 1.5, -3.5, -3.5);
  QFont font = p.font();

  if (free_) {
    // A free place: a faint outline with its caption.
    p.setPen(QPen(QColor(255, 255, 255, 120), 1.5, Qt::DashLine));
    p.setBrush(QColor(255, 255, 255, 26));
    p.drawRoundedRect(card, 7, 7);
    font.setPointSize(18);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255, 150));
    p.drawText(card, Qt::AlignCenter, caption_);
    return;
  }

  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 80));
  p.drawRoundedRect(card.translated(2, 2), 7, 7);
  QLinearGradient face(card.topLeft(), card.bottomRight());
  face.setColorAt(0, QColor(255, 255, 255));
  face.setColorAt(1, QColor(238, 233, 222));
  p.setPen(QPen(QColor(150, 142, 128), 1));
  p.setBrush(face);
  p.drawRoundedRect(card, 7, 7);

  bool isNumber = false;
  const int value = caption_.toInt(&isNumber);
  const QColor ink = IsRedSuit(suit_) ? kRed : kInk;
  if (!isNumber || value < 1 || value > 10) {
    font.setPointSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(ink);
    p.drawText(card, Qt::AlignCenter | Qt::TextWrapAnywhere, caption_);
    return;
  }

  // The value with a small suit sign in two corners, the second upside down.
  font.setPointSize(9);
  font.setBold(true);
  p.setFont(font);
  for (int corner = 0; corner < 2; ++corner) {
    p.save();
    if (corner == 1) {
      p.translate(card.center());
      p.rotate(180);
      p.translate(-card.center());
    }
    p.setPen(ink);
    p.drawText(QRectF(card.left() + 2, card.top() + 3, 16, 14), Qt::AlignCenter, caption_);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawPath(SuitPath(suit_, 8).translated(card.left() + 10, card.top() + 23));
    p.restore();
  }

  // The pips.
  const QRectF area = card.adjusted(21, 14, -21, -14);
  const qreal size = value == 1 ? 32 : value >= 9 ? 12 : 13;
  p.setPen(Qt::NoPen);
  p.setBrush(ink);
  for (const QPointF& at : PipLayout(value)) {
    const QPointF centre(area.left() + at.x() * area.width(), area.top() + at.y() * area.height());
    QPainterPath pip = SuitPath(suit_, size);
    if (at.y() > 0.5) {
      QTransform turn;
      turn.rotate(180);
      pip = turn.map(pip);
    }
    p.drawPath(pip.translated(centre));
  }
}

TableCover::TableCover(QWidget* parent) : QWidget(parent), scale_(LayoutScale()) {}

void TableCover::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF area = DesignRect(p, *this, scale_);
  PaintFelt(p, area);
  // The deck spread face down in a fan, waiting for the first wager.
  const QPointF pivot(area.width() / 2.0, area.height() / 2.0 + 150);
  const QRectF card(-CardView::kWidth / 2.0, -170 - CardView::kHeight / 2.0, CardView::kWidth,
                    CardView::kHeight);
  for (int i = -4; i <= 4; ++i) {
    p.save();
    p.translate(pivot);
    p.rotate(i * 8.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawRoundedRect(card.translated(2, 2), 7, 7);
    PaintCardBack(p, card);
    p.restore();
  }
}

BlackWindow::BlackWindow(Frontend& frontend, Black& black)
    : ScreenWindow(frontend, black, QSize(kCanvasWidth, kCanvasHeight)), black_(black) {
  bindLabel("Label1", QRect(16, 8, 220, 42), "heading");
  bindLabel("Label2", QRect(236, 16, 96, 26), "caption")
      ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  bindLabel("Cash", QRect(336, 16, 176, 26), "value");
  bindLabel("Label7", QRect(512, 16, 72, 26), "caption")
      ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  bindLabel("Bet", QRect(588, 16, 160, 26), "value");

  auto* table = new FeltTable(canvas());
  place(table, kTable);

  // The house's places above, the player's below; each row centred on the table.
  auto row = [this](const auto& labels, int y, int gap, int firstSuit) {
    const int count = static_cast<int>(labels.size());
    const int width = count * CardView::kWidth + (count - 1) * gap;
    int x = kTable.center().x() + 1 - width / 2;
    for (int i = 0; i < count; ++i) {
      auto* view = new CardView(firstSuit + i, canvas());
      view->setObjectName(QString::fromStdString(labels[i]->name));
      view->move(Scaled(QPoint(x, y)));
      view->hide();
      places_.push_back({view, labels[i]});
      x += CardView::kWidth + gap;
    }
  };
  row(black.O, kHouseRowY, kHouseGap, 1);
  row(black.Y, kPlayerRowY, kPlayerGap, 0);

  const QRect felt = Inner(kTable);
  const int lastY = kHouseRowY + CardView::kHeight + 8;
  auto* last = bindLabel("Last", QRect(felt.left(), lastY, felt.width(), kPlayerRowY - lastY - 8));
  last->setAlignment(Qt::AlignCenter);
  // A shaded band across the felt, ruled in faint gold above and below.
  SetTextColor(last, QColor(0xf4d27a));
  QFont font = last->font();
  font.setFamily("DejaVu Serif");
  font.setPointSizeF(ScaledPoints(28));
  font.setBold(true);
  last->setFont(font);
  BoxLook band;
  band.fill = QColor(0, 0, 0, 70);
  band.border = QColor(244, 210, 122, 110);
  band.borderEdges = Qt::TopEdge | Qt::BottomEdge;
  last->setBox(band);

  cover_ = new TableCover(canvas());
  cover_->setObjectName("Hiden");
  place(cover_, felt);

  bindButton("Play", QRect(16, kButtonY, 200, 34));
  bindButton("Hit", QRect(16, kButtonY, 120, 34));
  bindButton("Stay", QRect(146, kButtonY, 120, 34));
  bindButton("Command1", QRect(kCanvasWidth - 136, kButtonY, 120, 34));

  // What a screen reader hears: the cash and the pot, each of the player's cards as it is dealt
  // (so that a card drawn is said alone), the opponent's hand once it is turned face up, and the
  // totals of both hands the game counts; every place names its card.
  using Kind = SpokenRow::Kind;
  using Side = Black::Side;
  std::vector<std::string> yours, theirs;
  for (const Label* place : black.Y) yours.push_back(place->name);
  for (const Label* place : black.O) theirs.push_back(place->name);
  auto total = [this](Side side) {
    return black_.hand(side).empty() ? QString() : QString::fromStdString(Str(black_.total(side)));
  };
  std::vector<SpokenRow> spoken = {
      Row("Cash", Kind::Heading, {Field("Label2"), Field("Cash")}),
      Row("Bet", Kind::Heading, {Field("Label7"), Field("Bet")}),
  };
  for (const Place& place : places_) {
    const std::string name = place.label->name;
    spoken.push_back(
        Row(name + " card", Kind::Silent, {Value([this, &place] { return cardWords(place); })})
            .naming(name));
  }
  for (const Place& place : places_) {
    const Label* label = place.label;
    if (std::find(black.Y.begin(), black.Y.end(), label) == black.Y.end()) continue;
    auto inHand = [this, &place, label] {
      for (const Label* card : black_.hand(Side::Player))
        if (card == label) return cardWords(place);
      return QString();
    };
    spoken.push_back(Row(label->name, Kind::News, {Value(inHand, {label->name})}));
  }
  spoken.push_back(Row(
      "house", Kind::News,
      {Words("The opponent's cards: "), Value([this] { return handWords(Side::House); }, theirs)}));
  spoken.push_back(
      Row("total", Kind::Status,
          {Words("Your total "), Value([total] { return total(Side::Player); }, yours)}));
  spoken.push_back(
      Row("house total", Kind::Status,
          {Words("The opponent's total "), Value([total] { return total(Side::House); }, theirs)}));
  speakOnly(std::move(spoken));
}

void BlackWindow::sync() {
  ScreenWindow::sync();
  for (Place& place : places_) {
    place.view->setCard(QString::fromStdString(place.label->caption), Black::isFree(*place.label));
    place.view->setVisible(place.label->visible);
  }
  cover_->setVisible(black_.Hiden.visible);
}

QString BlackWindow::cardWords(const Place& place) const {
  return CardView::SpokenName(QString::fromStdString(place.label->caption),
                              Black::isFree(*place.label), place.view->suit());
}

QString BlackWindow::handWords(Black::Side side) const {
  QStringList words;
  for (const Label* card : black_.hand(side))
    for (const Place& place : places_)
      if (place.label == card) words << cardWords(place);
  return words.join(", ");
}

}  // namespace morvath
