// The layout scale: the step each screen gets, design rectangles grown by edges, windows kept
// inside the screen, and every window built at each step: it fits the screens that get the
// step, with a frame, its pictures keep whole or half pixels, and its texts fit their places.
#include "app/layout_scale.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <cmath>
#include <utility>

#include "app/frontend.h"
#include "app/screen_window.h"
#include "app/theme.h"
#include "combat/catalogue.h"
#include "support/fakes.h"
#include "town/inn.h"

namespace morvath::test {
namespace {

// Screens, logical pixels free for windows, and the step each gets.
const std::pair<QSize, double> kScreens[] = {
    {{1280, 720}, 0.75},  {{1366, 741}, 0.75}, {{1536, 864}, 0.75}, {{1920, 1080}, 1},
    {{1920, 1200}, 1.25}, {{2560, 1440}, 1.5}, {{3840, 2120}, 2},   {{3840, 2160}, 2.5},
    {{5120, 2880}, 3},    {{800, 600}, 0.75}};  // the last: nothing fits, the smallest step

TEST(LayoutScale, EachScreenGetsTheLargestStepThatFitsEveryWindow) {
  for (const auto& [screen, step] : kScreens)
    EXPECT_EQ(ChooseLayoutScale(screen), step) << screen.width();
  const QSize wide[] = {kLargestWindow, QSize(1500, 100)};
  EXPECT_EQ(ChooseLayoutScale(QSize(1510, 1080), wide), 0.75);
}

TEST(LayoutScale, RectanglesThatTouchStillTouchAndWindowsStayInside) {
  for (double step : kLayoutSteps) {
    SetLayoutScale(step);
    for (int x = 0; x < 40; ++x) {
      EXPECT_EQ(Scaled(QRect(x, 3, 7, 9)).right() + 1, Scaled(QRect(x + 7, 3, 5, 9)).left());
      EXPECT_GE(Scaled(QRect(0, x, 100, 1)).height(), 1) << step;  // a thin rule stays
    }
  }
  SetLayoutScale(1);
  const QRect area(0, 30, 1280, 690);  // a panel along the top
  EXPECT_EQ(KeepInside(QRect(100, 100, 400, 300), area), QPoint(100, 100));
  EXPECT_EQ(KeepInside(QRect(1100, 600, 400, 300), area), QPoint(880, 420));
  EXPECT_EQ(KeepInside(QRect(-50, -40, 400, 300), area), QPoint(0, 30));
  EXPECT_EQ(KeepInside(QRect(10, 0, 400, 900), area), QPoint(10, 30));  // the title bar stays
}

class EveryWindowAt : public ::testing::TestWithParam<double> {
 protected:
  void TearDown() override {
    SetLayoutScale(1);
    ApplyTheme(*qApp);
  }
};

TEST_P(EveryWindowAt, FitsWithItsFrameAndKeepsCrispPicturesAndWholeTexts) {
  SetLayoutScale(GetParam());
  ApplyTheme(*qApp);
  Harness h;
  h.newGame();
  Frontend frontend(h.g());
  frontend.run([&] { Encounter(h.g(), ScreenId::Caves, "Polar Bear"); });  // texts to show
  h.g().inn().click("Command1");                                           // the save prompt
  for (ScreenId id : kAllScreens) {
    ScreenWindow& w = frontend.window(id);
    w.sync();
    w.adjustSize();
    SCOPED_TRACE(std::string(ScreenName(id)));
    for (const auto& [screen, step] : kScreens) {
      if (step != GetParam() || screen.height() <= 600) continue;  // 800x600 fits nothing
      EXPECT_TRUE(
          QRect(QPoint(), screen).contains(QRect(QPoint(), w.size().grownBy(kFrameAllowance))));
    }
    for (QWidget* widget : w.centralWidget()->findChildren<QWidget*>()) {
      const std::string name = widget->objectName().toStdString();
      if (widget->parentWidget() == w.centralWidget()) {
        EXPECT_TRUE(w.centralWidget()->rect().contains(widget->geometry())) << name;
      }
      if (auto* picture = qobject_cast<PixelView*>(widget)) {
        EXPECT_EQ(picture->scale() * 2, std::floor(picture->scale() * 2)) << name;
      } else if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
        if (label->wordWrap())
          EXPECT_LE(label->heightForWidth(label->contentsRect().width()), label->height()) << name;
        else
          EXPECT_LE(label->sizeHint().width(), label->width()) << name;
        EXPECT_LE(label->fontMetrics().height(), label->contentsRect().height()) << name;
      } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        EXPECT_LE(button->sizeHint().width(), button->width()) << name;
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
