// Pixel art on screen: every pixel of a picture is a block of one colour with hard edges, at the
// device pixel ratio the test runs at (CTest runs it again with QT_SCALE_FACTOR 1.25, 1.5 and 2).
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <cmath>

#include "app/widgets.h"

namespace morvath::test {
namespace {

// A checkerboard of black and white pixels.
QImage Checkers(int width, int height) {
  QImage art(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) art.setPixel(x, y, (x + y) % 2 ? 0xffffffu : 0xff000000u);
  return art;
}

TEST(PixelArt, EveryPixelStaysABlockWithHardEdges) {
  const QImage art = Checkers(7, 5);
  for (double scale : {1.0, 1.5, 2.0, 2.5, 5.0}) {
    SCOPED_TRACE(scale);
    PixelView view(art, scale);
    const QImage shot = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal dpr = view.devicePixelRatioF();
    EXPECT_EQ(shot.width(), std::lround(std::lround(7 * scale) * dpr));
    // Only the picture's own two colours: nothing smoothed between them.
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) {
        const QRgb c = shot.pixel(x, y) & 0xffffff;
        ASSERT_TRUE(c == 0 || c == 0xffffff) << x << "," << y << " is " << std::hex << c;
      }
    // Across any row of device pixels, one run of a colour per pixel of the picture, each as
    // wide as the scale allows (the runs differ by one device pixel at most).
    for (int y = 0; y < shot.height(); ++y) {
      std::vector<int> runs{1};
      for (int x = 1; x < shot.width(); ++x) {
        if (shot.pixel(x, y) == shot.pixel(x - 1, y))
          ++runs.back();
        else
          runs.push_back(1);
      }
      ASSERT_EQ(runs.size(), 7u) << "row " << y;
      const auto [narrow, wide] = std::minmax_element(runs.begin(), runs.end());
      EXPECT_LE(*wide - *narrow, 1) << "row " << y;
    }
  }
}

}  // namespace
}  // namespace morvath::test
