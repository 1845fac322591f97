// Small widgets the screens are built from: labels that can be clicked, painted panels, crisp
// pixel-art pictures, and the health gauges.
#pragma once

#include <QBrush>
#include <QColor>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <optional>

class QPainter;

namespace morvath {

// How a box of the keep is painted: a fill (a colour or a gradient), a picture tiled over it, a
// border and rounded corners. Buttons, panels and framed labels are all drawn this way.
struct BoxLook {
  QBrush fill;      // Qt::NoBrush: the box is see-through
  QPixmap texture;  // tiled over the fill from the inner corner of the border
  QColor border;    // no border when invalid
  int borderWidth = 1;
  qreal radius = 0;
  // The sides that have a border; a box that leaves sides out has square corners.
  Qt::Edges borderEdges = Qt::TopEdge | Qt::LeftEdge | Qt::RightEdge | Qt::BottomEdge;
};

// Paints a box over the whole of rect.
void PaintBox(QPainter& painter, const QRect& rect, const BoxLook& look);
// A look given in design pixels, at the run's layout scale: borders stay whole pixels, and a
// picture tiled over the fill keeps its hard pixel edges.
BoxLook ScaledLook(const BoxLook& look);

// A label that reports clicks and double-clicks, and may stand on a box of its own.
class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ClickLabel(QWidget* parent = nullptr);
  // Whether the game listens to this label's clicks. Such a label keeps the presses it reports:
  // a click on it is its own click and not also one on the window behind it.
  void setClickable(bool clickable) { clickable_ = clickable; }
  bool clickable() const { return clickable_; }
  // Paints the label on a box (given in design pixels); the text keeps clear of the border.
  void setBox(const BoxLook& look);
  const std::optional<BoxLook>& box() const { return box_; }
 signals:
  void clicked();
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  bool clickable_ = false;
  std::optional<BoxLook> box_;
};

// A painted box that the widgets placed after it stand on; its look is given in design pixels.
class Panel : public QFrame {
  Q_OBJECT
 public:
  explicit Panel(const BoxLook& look, QWidget* parent = nullptr);
  void setLook(const BoxLook& look);
  const BoxLook& look() const { return look_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  BoxLook look_;
};

// A pixel-art picture, scale screen pixels to a pixel of the picture, drawn without smoothing:
// every pixel of the picture stays a block with hard edges at any device pixel ratio.
class PixelView : public QWidget {
  Q_OBJECT
 public:
  PixelView(const QImage& image, double scale, QWidget* parent = nullptr);
  void setImage(const QImage& image);
  const QImage& image() const { return image_; }
  double scale() const { return scale_; }
  QSize sizeHint() const override;
 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QImage image_;  // at its own size
  double scale_;
};

// A health gauge: a sunken frame with a bar of the given width and colour.
class GaugeView : public QWidget {
  Q_OBJECT
 public:
  explicit GaugeView(QWidget* parent = nullptr);
  // Sets the bar (its width in design pixels); drawn false clears the gauge.
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
  double scale_;
};

// Gives a picture the name a screen reader says for it (what a sighted player sees in it).
void SetSpokenName(QWidget* widget, const QString& name);

// A PNG picture from the game's resources (":/..."); a grey square when it is missing.
QImage LoadArt(const QString& path);

}  // namespace morvath
