// The windows of the shops, the inn and the death screen: every text fits its place, nothing
// stands on anything else, and a click on the death screen's labels counts once.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include "app/frontend.h"
#include "app/screen_window.h"
#include "app/theme.h"
#include "combat/dead.h"
#include "support/fakes.h"
#include "town/inn.h"

namespace morvath::test {
namespace {

constexpr ScreenId kTownWindows[] = {ScreenId::WeaponShop, ScreenId::ArmorShop, ScreenId::MagicShop,
                                     ScreenId::Inn, ScreenId::Dead};

class TownWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplyTheme(*qApp);
    h.newGame();
  }
  ScreenWindow& windowOf(ScreenId id) {
    ScreenWindow& w = frontend.window(id);
    w.sync();
    w.adjustSize();
    return w;
  }
  Harness h;
  Frontend frontend{h.g()};
};

// The widgets placed on a window's canvas, without the boxes that frame groups of them.
std::vector<QWidget*> Placed(ScreenWindow& w) {
  std::vector<QWidget*> placed;
  for (QWidget* child : w.centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!qobject_cast<QGroupBox*>(child)) placed.push_back(child);
  return placed;
}

TEST_F(TownWindows, EveryTextFitsItsPlace) {
  h.g().inn().click("Command1");  // the save prompt, shown
  for (ScreenId id : kTownWindows) {
    ScreenWindow& w = windowOf(id);
    SCOPED_TRACE(w.windowTitle().toStdString());
    EXPECT_EQ(w.windowTitle().toStdString(), h.g().screen(id).title());
    for (QWidget* widget : Placed(w)) {
      if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text().isEmpty()) continue;
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
      }
    }
    for (QGroupBox* box : w.centralWidget()->findChildren<QGroupBox*>())
      EXPECT_LE(box->sizeHint().width(), box->width());
  }
}

TEST_F(TownWindows, NothingStandsOnAnythingElseButTheSavePrompt) {
  for (ScreenId id : kTownWindows) {
    ScreenWindow& w = windowOf(id);
    SCOPED_TRACE(w.windowTitle().toStdString());
    const std::vector<QWidget*> placed = Placed(w);
    for (size_t i = 0; i < placed.size(); ++i) {
      EXPECT_TRUE(w.centralWidget()->rect().contains(placed[i]->geometry()))
          << placed[i]->objectName().toStdString();
      for (size_t j = i + 1; j < placed.size(); ++j) {
        if (placed[i]->objectName() == "Message" || placed[j]->objectName() == "Message") continue;
        EXPECT_FALSE(placed[i]->geometry().intersects(placed[j]->geometry()))
            << placed[i]->objectName().toStdString() << " and "
            << placed[j]->objectName().toStdString();
      }
    }
  }
}

TEST_F(TownWindows, TheSavePromptCoversTheSaveGameRow) {
  h.g().inn().click("Command1");
  ScreenWindow& w = windowOf(ScreenId::Inn);
  auto* prompt = w.findChild<QLabel*>("Message");
  auto* save = w.findChild<QAbstractButton*>("Command1");
  ASSERT_TRUE(prompt && save);
  EXPECT_TRUE(prompt->geometry().contains(save->geometry()));
  EXPECT_FALSE(prompt->isHidden());
  h.g().inn().click("Exit");
  w.sync();
  EXPECT_TRUE(prompt->isHidden());
}

TEST_F(TownWindows, AClickOnALabelOfTheDeathScreenIsOneClick) {
  for (const char* name : {"Label1", "Label2"}) {
    SCOPED_TRACE(name);
    h.g().show(ScreenId::Dead);
    h.g().hide(ScreenId::Caves);
    frontend.refresh();
    ScreenWindow& w = windowOf(ScreenId::Dead);
    auto* label = w.findChild<QLabel*>(name);
    ASSERT_TRUE(label);
    h.dialogs.boxes.clear();
    h.dialogs.answers = {Answer::No};
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(h.dialogs.boxes.size(), 1u);  // one question, not two
    EXPECT_TRUE(h.g().startForm().visible);
    EXPECT_FALSE(h.g().dead().visible);
  }
  // A click on the window away from the labels asks too.
  h.g().show(ScreenId::Dead);
  frontend.refresh();
  ScreenWindow& w = windowOf(ScreenId::Dead);
  h.dialogs.boxes.clear();
  QTest::mouseClick(w.centralWidget(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(h.dialogs.boxes.size(), 1u);
}

}  // namespace
}  // namespace morvath::test
