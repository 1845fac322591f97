#include "app/widgets.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "app/layout_scale.h"

namespace morvath {

namespace {

// A gradient given from 0 to 1 spans the inside of the border, as a shading of the face.
QBrush FitToFace(const QBrush& brush, const QRectF& face) {
  const auto* gradient = static_cast<const QLinearGradient*>(brush.gradient());
  if (brush.style() != Qt::LinearGradientPattern ||
      gradient->coordinateMode() != QGradient::ObjectBoundingMode)
    return brush;
  auto at = [&](QPointF p) {
    return QPointF(face.left() + p.x() * face.width(), face.top() + p.y() * face.height());
  };
  QLinearGradient fitted(at(gradient->start()), at(gradient->finalStop()));
  fitted.setStops(gradient->stops());
  fitted.setSpread(gradient->spread());
  return fitted;
}

}  // namespace

void PaintBox(QPainter& painter, const QRect& rect, const BoxLook& look) {
  const bool bordered = look.border.isValid() && look.borderWidth > 0 && look.borderEdges;
  const int w = bordered ? look.borderWidth : 0;
  auto side = [&](Qt::Edge edge) { return bordered && (look.borderEdges & edge) ? w : 0; };
  const QRect inner = rect.adjusted(side(Qt::LeftEdge), side(Qt::TopEdge), -side(Qt::RightEdge),
                                    -side(Qt::BottomEdge));
  const QBrush fill = FitToFace(look.fill, inner);
  painter.save();
  if (look.radius <= 0 || look.borderEdges != BoxLook().borderEdges) {
    // Square boxes: whole pixels, no smoothing.
    if (fill.style() != Qt::NoBrush) painter.fillRect(rect, fill);
    if (!look.texture.isNull()) {
      painter.setBrushOrigin(inner.topLeft());
      painter.fillRect(inner, QBrush(look.texture));
    }
    if (bordered) {
      if (look.borderEdges & Qt::TopEdge)
        painter.fillRect(rect.x(), rect.y(), rect.width(), w, look.border);
      if (look.borderEdges & Qt::BottomEdge)
        painter.fillRect(rect.x(), rect.bottom() - w + 1, rect.width(), w, look.border);
      if (look.borderEdges & Qt::LeftEdge)
        painter.fillRect(rect.x(), rect.y(), w, rect.height(), look.border);
      if (look.borderEdges & Qt::RightEdge)
        painter.fillRect(rect.right() - w + 1, rect.y(), w, rect.height(), look.border);
    }
    painter.restore();
    return;
  }
  // Rounded boxes: the fill covers the whole shape and the border is the ring between the outer
  // and the inner outline, so the corners stay as thick as the sides.
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  QPainterPath outer;
  outer.addRoundedRect(QRectF(rect), look.radius, look.radius);
  if (fill.style() != Qt::NoBrush) painter.fillPath(outer, fill);
  if (!look.texture.isNull()) {
    painter.setBrushOrigin(inner.topLeft());
    painter.fillPath(outer, QBrush(look.texture));
  }
  if (bordered) {
    const qreal innerRadius = std::max<qreal>(0, look.radius - w);
    QPainterPath ring = outer;
    QPainterPath hole;
    hole.addRoundedRect(QRectF(inner), innerRadius, innerRadius);
    ring.addPath(hole);  // odd-even fill: the ring alone
    painter.fillPath(ring, look.border);
  }
  painter.restore();
}

BoxLook ScaledLook(const BoxLook& look) {
  BoxLook scaled = look;
  scaled.borderWidth = ScaledLine(look.borderWidth);
  scaled.radius = look.radius * LayoutScale();
  if (!look.texture.isNull() && LayoutScale() != 1)
    scaled.texture = look.texture.scaled(Scaled(look.texture.size()), Qt::IgnoreAspectRatio,
                                         Qt::FastTransformation);
  return scaled;
}

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
}

void ClickLabel::setBox(const BoxLook& designLook) {
  const BoxLook look = ScaledLook(designLook);
  box_ = look;
  const bool bordered = look.border.isValid() && look.borderWidth > 0;
  auto side = [&](Qt::Edge edge) {
    return bordered && (look.borderEdges & edge) ? look.borderWidth : 0;
  };
  setContentsMargins(side(Qt::LeftEdge), side(Qt::TopEdge), side(Qt::RightEdge),
                     side(Qt::BottomEdge));
  update();
}

void ClickLabel::paintEvent(QPaintEvent* event) {
  if (box_) {
    QPainter painter(this);
    PaintBox(painter, rect(), *box_);
  }
  QLabel::paintEvent(event);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QLabel::mousePressEvent(event);
  emit clicked();
  // QLabel ignores a press, and an ignored press travels on to the window behind, which would
  // count the same click a second time (the death screen listens to both).
  if (clickable_)
    event->accept();
  else
    QLabel::mousePressEvent(event);
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QLabel::mouseDoubleClickEvent(event);
  emit doubleClicked();
  // The default handling would take the double-click for one more press, that is one more
  // click; the first press of a double-click was reported as the click already.
  if (clickable_)
    event->accept();
  else
    QLabel::mouseDoubleClickEvent(event);
}

PixelView::PixelView(const QImage& image, double scale, QWidget* parent)
    : QWidget(parent), scale_(scale) {
  setAttribute(Qt::WA_TranslucentBackground);
  setImage(image);
}

void PixelView::setImage(const QImage& image) {
  // Kept at its own small size, in the format the paint engine draws from without converting.
  image_ = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                         : QImage::Format_RGB32);
  resize(sizeHint());
  update();
}

QSize PixelView::sizeHint() const {
  return {static_cast<int>(std::lround(image_.width() * scale_)),
          static_cast<int>(std::lround(image_.height() * scale_))};
}

void PixelView::paintEvent(QPaintEvent*) {
  // Enlarged as it is drawn, nearest neighbour, straight to the device pixels of the part being
  // painted: whatever the layout scale and the device pixel ratio, every pixel of the picture is
  // a block with hard edges, and no enlarged copy is kept (a picture enlarged for a 4K screen
  // takes as much memory as the screen; the combat screen alone holds 23).
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(QRectF(rect()), image_);
}

void PixelView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QWidget::mousePressEvent(event);
}

Panel::Panel(const BoxLook& look, QWidget* parent) : QFrame(parent), look_(ScaledLook(look)) {}

void Panel::setLook(const BoxLook& look) {
  look_ = ScaledLook(look);
  update();
}

void Panel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintBox(painter, rect(), look_);
}

GaugeView::GaugeView(QWidget* parent) : QWidget(parent), scale_(LayoutScale()) {}

void GaugeView::setBar(bool drawn, int width, unsigned rgb) {
  if (drawn == drawn_ && width == width_ && rgb == rgb_) return;
  drawn_ = drawn;
  width_ = width;
  rgb_ = rgb;
  update();
}

void GaugeView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(20, 16, 14));
  if (drawn_ && width_ > 0) {
    const int w = std::min(static_cast<int>(std::lround(width_ * scale_)), width());
    const QColor colour((rgb_ >> 16) & 0xFF, (rgb_ >> 8) & 0xFF, rgb_ & 0xFF);
    painter.fillRect(QRect(0, 0, w, height()), colour);
    const int shine = std::max(1, static_cast<int>(std::lround(2 * scale_)));
    painter.fillRect(QRect(0, 0, w, shine), colour.lighter(150));
  }
  BoxLook frame;
  frame.border = QColor(110, 95, 70);
  frame.borderWidth = std::max(1, static_cast<int>(std::lround(scale_)));
  PaintBox(painter, rect(), frame);
}

void GaugeView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QWidget::mousePressEvent(event);
}

QImage LoadArt(const QString& path) {
  // The art is all PNG. Naming the format, and not letting the reader guess it, keeps the reader
  // from loading every image plugin of the system to ask each whether it reads PNG first; on
  // the start screen that costs more than decoding the logo.
  QImageReader reader(path, "png");
  reader.setAutoDetectImageFormat(false);
  QImage image = reader.read();
  if (image.isNull()) {
    // A missing picture shows as a small grey square rather than nothing at all.
    image = QImage(8, 8, QImage::Format_ARGB32);
    image.fill(QColor(90, 90, 90));
  }
  return image;
}

void SetSpokenName(QWidget* widget, const QString& name) {
  if (widget->accessibleName() != name) widget->setAccessibleName(name);
}

}  // namespace morvath
