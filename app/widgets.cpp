#include "app/widgets.h"

#include <QMouseEvent>
#include <QPainter>

namespace morvath {

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
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

PixelView::PixelView(const QImage& image, int scale, QWidget* parent)
    : QWidget(parent), image_(image), scale_(scale) {
  setAttribute(Qt::WA_TranslucentBackground);
  resize(sizeHint());
}

void PixelView::setImage(const QImage& image) {
  image_ = image;
  resize(sizeHint());
  update();
}

QSize PixelView::sizeHint() const {
  return image_.size() * scale_;
}

void PixelView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // Nearest-neighbour scaling keeps the pixels square at any device scale.
  painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter.drawImage(rect(), image_);
}

void PixelView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QWidget::mousePressEvent(event);
}

GaugeView::GaugeView(QWidget* parent) : QWidget(parent) {}

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
    const int w = std::min(width_, width());
    const QColor colour((rgb_ >> 16) & 0xFF, (rgb_ >> 8) & 0xFF, rgb_ & 0xFF);
    painter.fillRect(QRect(0, 0, w, height()), colour);
    painter.fillRect(QRect(0, 0, w, 2), colour.lighter(150));
  }
  painter.setPen(QColor(110, 95, 70));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void GaugeView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QWidget::mousePressEvent(event);
}

QImage LoadArt(const QString& path) {
  QImage image(path);
  if (image.isNull()) {
    // A missing picture shows as a small grey square rather than nothing at all.
    image = QImage(8, 8, QImage::Format_ARGB32);
    image.fill(QColor(90, 90, 90));
  }
  return image;
}

}  // namespace morvath
