// The windows of the shops, the inn and the death screen: every text fits its place, nothing
// stands on anything else, and a click on the death screen counts once.
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
#include "core/save_slots.h"
#include "support/fakes.h"
#include "town/inn.h"
#include "world/caves.h"

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

// The death screen up, with no save to reload: every continue asks its question, fails to load
// and leaves the screen standing, so the questions count the continues.
struct DeathScreen {
  Harness& h;
  Frontend& frontend;
  ScreenWindow& w;
  DeathScreen(Harness& harness, Frontend& f)
      : h(harness), frontend(f), w((h.g().show(ScreenId::Dead), f.window(ScreenId::Dead))) {
    h.g().hide(ScreenId::Caves);
    frontend.refresh();
    h.dialogs.boxes.clear();
  }
  int continues() const {
    int n = 0;
    for (const Box& b : h.dialogs.boxes) n += b.title == "Regeneration";
    return n;
  }
  // Where a click on the named label, or on the window away from the labels, lands.
  QPoint spot(const char* label) {
    if (!label) return QPoint(5, 5);
    auto* l = w.findChild<QLabel*>(label);
    EXPECT_TRUE(l);
    return l ? l->mapTo(&w, l->rect().center()) : QPoint();
  }
};

TEST_F(TownWindows, OnTheDeathScreenOneClickIsOneContinue) {
  for (const char* target : {"Label1", "Label2", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(target ? target : "the window");
    DeathScreen dead(h, frontend);
    h.dialogs.answers = {Answer::Yes, Answer::Ok, Answer::Yes, Answer::Ok};
    // Through the windowing system, as the player's mouse does it.
    ASSERT_TRUE(dead.w.windowHandle());
    QTest::mouseClick(dead.w.windowHandle(), Qt::LeftButton, {}, dead.spot(target));
    EXPECT_EQ(dead.continues(), 1);
    EXPECT_EQ(h.dialogs.last().text, kNoSave);
    EXPECT_TRUE(h.g().dead().visible);
    // A double-click is a click and a double-click, and nobody listens to the double-click.
    h.dialogs.boxes.clear();
    QTest::mouseDClick(dead.w.windowHandle(), Qt::LeftButton, {}, dead.spot(target));
    EXPECT_EQ(dead.continues(), 1);
    h.dialogs.answers.clear();
  }
}

TEST_F(TownWindows, OnTheDeathScreenReturnOrSpaceIsOneContinue) {
  DeathScreen dead(h, frontend);
  h.dialogs.answers = {Answer::Yes, Answer::Ok, Answer::Yes, Answer::Ok};
  // From the label that holds the keyboard focus after the screen has spoken.
  QWidget* focus = dead.w.focusWidget() ? dead.w.focusWidget() : &dead.w;
  QTest::keyClick(focus, Qt::Key_Return);
  EXPECT_EQ(dead.continues(), 1);
  QTest::keyClick(focus, Qt::Key_Space);
  EXPECT_EQ(dead.continues(), 2);
  QTest::keyClick(focus, Qt::Key_A);  // other keys do nothing
  EXPECT_EQ(dead.continues(), 2);
  h.dialogs.answers.clear();
}

TEST_F(TownWindows, ALabelClickReloadsOnceAndTheHeroStaysLoaded) {
  // The first continue reloads the hero; a second one, from the same click reaching the window,
  // would wipe him again and ask once more.
  h.g().ch().Gold = "321";
  SaveSlot(h.g(), "Save4");
  h.store.values[{"ZARQ", "LastSave", "LastSave"}] = "Save4";
  for (const char* label : {"Label1", "Label2"}) {
    SCOPED_TRACE(label);
    DeathScreen dead(h, frontend);
    h.g().EndGame();
    h.dialogs.answers = {Answer::Yes};  // a second question would be answered No
    QTest::mouseClick(dead.w.findChild<QLabel*>(label), Qt::LeftButton);
    EXPECT_EQ(dead.continues(), 1);
    EXPECT_EQ(h.g().ch().Gold, "321");
    EXPECT_TRUE(h.g().caves().visible);
    EXPECT_FALSE(h.g().dead().visible);
    h.dialogs.answers.clear();
  }
}

}  // namespace
}  // namespace morvath::test
