// The layout scale: which step a screen gets, how design rectangles grow, where a window is kept
// on its screen, and every window built at the chosen steps: it fits the screen with a frame,
// its pictures keep whole or half pixels, and its texts still fit their places.
#include "app/layout_scale.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>

#include "app/frontend.h"
#include "app/screen_window.h"
#include "app/theme.h"
#include "combat/catalogue.h"
#include "support/fakes.h"
#include "town/inn.h"

namespace morvath::test {
namespace {

double Choose(int width, int height) {
  const QSize windows[] = {kLargestWindow};
  return ChooseLayoutScale(QSize(width, height), windows);
}

TEST(LayoutScale, EachScreenGetsTheLargestStepThatFitsTheMap) {
  EXPECT_EQ(Choose(1280, 720), 0.75);  // 1920x1080 at 150 %
  EXPECT_EQ(Choose(1366, 741), 0.75);  // a laptop with a panel
  EXPECT_EQ(Choose(1536, 864), 0.75);  // 1920x1080 at 125 %
  EXPECT_EQ(Choose(1920, 1080), 1);    // the design size
  EXPECT_EQ(Choose(1920, 1200), 1.25);
  EXPECT_EQ(Choose(2560, 1440), 1.5);
  EXPECT_EQ(Choose(3840, 2160), 2.5);  // 4K
  EXPECT_EQ(Choose(3840, 2120), 2);    // 4K with a panel
  EXPECT_EQ(Choose(5120, 2880), 3);    // 5K
  EXPECT_EQ(Choose(800, 600), 0.75);   // nothing fits: the smallest step
  // Every window counts, also one that is only wide.
  const QSize wide[] = {kLargestWindow, QSize(1500, 100)};
  EXPECT_EQ(ChooseLayoutScale(QSize(1920, 1080), wide), 1);
  EXPECT_EQ(ChooseLayoutScale(QSize(1510, 1080), wide), 0.75);
}

TEST(LayoutScale, RectanglesThatTouchStillTouchAndThinRulesStay) {
  for (double step : kLayoutSteps) {
    SetLayoutScale(step);
    SCOPED_TRACE(step);
    for (int x = 0; x < 40; ++x) {
      const QRect left = Scaled(QRect(x, 3, 7, 9));
      const QRect right = Scaled(QRect(x + 7, 3, 5, 9));
      EXPECT_EQ(left.right() + 1, right.left()) << x;
      EXPECT_GE(Scaled(QRect(0, x, 100, 1)).height(), 1) << x;
    }
    EXPECT_EQ(Scaled(QRect(10, 20, 100, 40)).width(), qRound(110 * step) - qRound(10 * step));
  }
  SetLayoutScale(1);
}

TEST(LayoutScale, AWindowIsKeptInsideTheArea) {
  const QRect area(0, 30, 1280, 690);  // a panel along the top
  EXPECT_EQ(KeepInside(QRect(100, 100, 400, 300), area), QPoint(100, 100));   // already inside
  EXPECT_EQ(KeepInside(QRect(1100, 600, 400, 300), area), QPoint(880, 420));  // off right, bottom
  EXPECT_EQ(KeepInside(QRect(-50, -40, 400, 300), area), QPoint(0, 30));      // off left, top
  // Taller than the area: the top, and the title bar with it, stays on the screen.
  EXPECT_EQ(KeepInside(QRect(10, 0, 400, 900), area), QPoint(10, 30));
}

// Builds every window of the game at one step, with a fight under way so that its texts show.
class EveryWindowAt : public ::testing::TestWithParam<double> {
 protected:
  void SetUp() override {
    SetLayoutScale(GetParam());
    ApplyTheme(*qApp);
    h.newGame();
    frontend = std::make_unique<Frontend>(h.g());
    frontend->run([&] { Encounter(h.g(), ScreenId::Caves, "Polar Bear"); });
    h.g().inn().click("Command1");  // the save prompt, shown
    for (ScreenId id : kAllScreens) {
      ScreenWindow& w = frontend->window(id);
      w.sync();
      w.adjustSize();
    }
  }
  void TearDown() override {
    frontend.reset();
    SetLayoutScale(1);
    ApplyTheme(*qApp);
  }
  Harness h;
  std::unique_ptr<Frontend> frontend;
};

TEST_P(EveryWindowAt, FitsEveryScreenThatGetsThisStepWithItsFrame) {
  const QSize screens[] = {{1280, 720},  {1366, 741},  {1536, 864},  {1920, 1080}, {1920, 1200},
                           {2560, 1440}, {3840, 2160}, {3840, 2120}, {5120, 2880}};
  int checked = 0;
  for (QSize screen : screens) {
    if (Choose(screen.width(), screen.height()) != GetParam()) continue;
    ++checked;
    for (ScreenId id : kAllScreens) {
      const QSize framed = frontend->window(id).size() + kFrameAllowance;
      EXPECT_LE(framed.width(), screen.width()) << ScreenName(id) << " on " << screen.width();
      EXPECT_LE(framed.height(), screen.height()) << ScreenName(id) << " on " << screen.height();
    }
  }
  if (checked == 0) GTEST_SKIP() << "no sample screen gets this step";
}

TEST_P(EveryWindowAt, PicturesKeepWholeOrHalfPixelsAndEveryTextFits) {
  for (ScreenId id : kAllScreens) {
    ScreenWindow& w = frontend->window(id);
    SCOPED_TRACE(std::string(ScreenName(id)));
    const QRect canvas = w.centralWidget()->rect();
    for (QWidget* widget : w.centralWidget()->findChildren<QWidget*>()) {
      const std::string name = widget->objectName().toStdString();
      if (widget->parentWidget() == w.centralWidget()) {
        EXPECT_TRUE(canvas.contains(widget->geometry())) << name;
      }
      if (auto* picture = qobject_cast<PixelView*>(widget)) {
        const double twice = picture->scale() * 2;
        EXPECT_EQ(twice, std::floor(twice)) << name;
        EXPECT_EQ(picture->size(), picture->sizeHint()) << name;
      } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text().isEmpty() || label->text() == " ") continue;
        const QRect room = label->contentsRect();
        if (label->wordWrap()) {
          EXPECT_LE(label->heightForWidth(room.width()), room.height())
              << label->text().toStdString();
        } else {
          EXPECT_LE(label->sizeHint().width(), label->width()) << label->text().toStdString();
          EXPECT_LE(label->sizeHint().height(), label->height()) << label->text().toStdString();
        }
      } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        EXPECT_LE(button->sizeHint().width(), button->width()) << button->text().toStdString();
        EXPECT_LE(button->fontMetrics().height(), button->height()) << name;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Steps, EveryWindowAt, ::testing::ValuesIn(kLayoutSteps),
                         [](const auto& info) {
                           return "x" + std::to_string(static_cast<int>(info.param * 100));
                         });

}  // namespace
}  // namespace morvath::test
