// Small widgets the screens are built from: labels that can be clicked, crisp pixel-art
// pictures, and the health gauges.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>

namespace morvath {

// A label that reports clicks and double-clicks.
class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ClickLabel(QWidget* parent = nullptr);
  // Whether the game listens to this label's clicks. Such a label keeps the presses it reports:
  // a click on it is its own click and not also one on the window behind it.
  void setClickable(bool clickable) { clickable_ = clickable; }
  bool clickable() const { return clickable_; }
 signals:
  void clicked();
  void doubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  bool clickable_ = false;
};

// A pixel-art picture drawn at a whole-number scale without smoothing.
class PixelView : public QWidget {
  Q_OBJECT
 public:
  PixelView(const QImage& image, int scale, QWidget* parent = nullptr);
  void setImage(const QImage& image);
  const QImage& image() const { return image_; }
  int scale() const { return scale_; }
  QSize sizeHint() const override;
 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QImage image_;
  int scale_;
};

// A health gauge: a sunken frame with a bar of the given width and colour.
class GaugeView : public QWidget {
  Q_OBJECT
 public:
  explicit GaugeView(QWidget* parent = nullptr);
  // Sets the bar; drawn false clears the gauge.
  void setBar(bool drawn, int width, unsigned rgb);
 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool drawn_ = false;
  int width_ = 0;
  unsigned rgb_ = 0;
};

// A picture from the game's resources (":/..."); an empty image when it is missing.
QImage LoadArt(const QString& path);

}  // namespace morvath
