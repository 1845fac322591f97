#include "app/layout_scale.h"

#include <algorithm>
#include <cmath>

namespace morvath {
namespace {

double gScale = 1;

int Round(double v) {
  return static_cast<int>(std::lround(v));
}

}  // namespace

double ChooseLayoutScale(QSize available, std::span<const QSize> windows, QMargins frameAllowance) {
  const QSize frame(frameAllowance.left() + frameAllowance.right(),
                    frameAllowance.top() + frameAllowance.bottom());
  double chosen = kLayoutSteps[0];
  for (double step : kLayoutSteps) {
    const bool fits = std::all_of(windows.begin(), windows.end(), [&](QSize w) {
      return w.width() * step + frame.width() <= available.width() &&
             w.height() * step + frame.height() <= available.height();
    });
    if (fits) chosen = step;
  }
  return chosen;
}

double LayoutScale() {
  return gScale;
}

void SetLayoutScale(double scale) {
  gScale = scale;
}

int Scaled(int designPixels) {
  return Round(designPixels * gScale);
}

int ScaledLine(int designPixels) {
  return designPixels <= 0 ? 0 : std::max(1, Round(designPixels * gScale));
}

QPoint Scaled(QPoint p) {
  return {Scaled(p.x()), Scaled(p.y())};
}

QSize Scaled(QSize s) {
  return {Scaled(s.width()), Scaled(s.height())};
}

QRect Scaled(const QRect& r) {
  const int left = Scaled(r.x());
  const int top = Scaled(r.y());
  // A rule one design pixel thin stays visible.
  const int width = Scaled(r.x() + r.width()) - left;
  const int height = Scaled(r.y() + r.height()) - top;
  return {left, top, r.width() > 0 ? std::max(1, width) : width,
          r.height() > 0 ? std::max(1, height) : height};
}

double ScaledPoints(double points) {
  return points * gScale;
}

QPoint KeepInside(QRect frame, const QRect& area) {
  int x = std::min(frame.x(), area.right() + 1 - frame.width());
  int y = std::min(frame.y(), area.bottom() + 1 - frame.height());
  return {std::max(x, area.x()), std::max(y, area.y())};
}

}  // namespace morvath
