// The map, the maze and the cave windows: arrow keys reach the screen whatever widget has the
// focus, the pictures follow the hero, the cave buttons stand in their screen's order.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <algorithm>

#include "app/screen_window.h"
#include "gui/new_game_on_screen.h"
#include "support/qt_wait.h"
#include "world/cave_screen.h"
#include "world/caves.h"
#include "world/upper_keep.h"
#include "world/upper_keep_window.h"

namespace morvath::test {
namespace {

// Presses a key where the keyboard focus is, the way a player's key press arrives.
void Press(QWidget* target, int qtKey) {
  QWidget* focus = QApplication::focusWidget();
  QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
  QApplication::sendEvent(focus ? focus : target, &press);
  QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
  QApplication::sendEvent(focus ? focus : target, &release);
}

struct WindowTest : NewGameOnScreen {
  WindowTest() { frontend.refresh(); }
  // The window of a screen, shown in front with the named button holding the focus.
  ScreenWindow& Front(ScreenId id, const char* focusButton) {
    for (ScreenId s : kAllScreens) h.g().hide(s);
    h.g().show(id);
    frontend.refresh();
    ScreenWindow& w = frontend.window(id);
    w.activateWindow();
    auto* button = w.findChild<QPushButton*>(focusButton);
    EXPECT_NE(button, nullptr);
    button->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), button);
    return w;
  }
};

TEST_F(WindowTest, ArrowKeysWalkTheMapEvenWhenEndGameHasTheFocus) {
  ScreenWindow& w = Front(ScreenId::Caves, "Command1");
  Caves& map = h.g().caves();
  auto* hero = w.findChild<QWidget*>("Char");
  ASSERT_NE(hero, nullptr);
  const QPoint before = hero->pos();
  Press(w.findChild<QPushButton*>("Command1"), Qt::Key_Left);
  EXPECT_EQ(map.LeftX.caption, "4");
  EXPECT_EQ(hero->pos(), before - QPoint(70, 0));  // one cell, 35 pixels at scale 2
  Press(w.findChild<QPushButton*>("Command1"), Qt::Key_Up);
  EXPECT_EQ(map.TopY.caption, "3");
  EXPECT_EQ(hero->pos(), before - QPoint(70, 70));
  // The focused button was not pressed by either key: still on the map, the record intact.
  EXPECT_TRUE(map.visible);
  EXPECT_FALSE(h.g().startForm().visible);
  EXPECT_EQ(h.g().ch().HP, "10");
  // A letter key reaches the screen as well: the shop under the hero opens.
  map.LeftX.caption = "7";
  map.TopY.caption = "2";
  Press(w.findChild<QPushButton*>("Command1"), Qt::Key_W);
  EXPECT_TRUE(h.g().screen(ScreenId::WeaponShop).visible);
  EXPECT_FALSE(map.visible);
}

TEST_F(WindowTest, ArrowKeysWalkTheMazeEvenWhenItsButtonHasTheFocus) {
  ScreenWindow& w = Front(ScreenId::UpperKeep, "Command11");
  UpperKeep& maze = h.g().upperKeep();
  auto* hero = w.findChild<QWidget*>("Char");
  ASSERT_NE(hero, nullptr);
  EXPECT_EQ(hero->pos(), QPoint(UpperKeepWindow::kMazeLeft + 480 * 2 / 15,
                                UpperKeepWindow::kMazeTop + 120 * 2 / 15));
  Press(w.findChild<QPushButton*>("Command11"), Qt::Key_Down);
  EXPECT_EQ(maze.Y.caption, "3");
  EXPECT_EQ(hero->pos().y(), UpperKeepWindow::kMazeTop + (120 + 535) * 2 / 15);
  EXPECT_TRUE(maze.visible);  // the button did not take the key
  Press(w.findChild<QPushButton*>("Command11"), Qt::Key_Left);
  EXPECT_EQ(w.findChild<QLabel*>("Message")->text(), "There is a wall blocking your way");
  // A beaten guard's picture disappears from the drawing.
  maze.Demon[2]->visible = false;
  frontend.refresh();
  EXPECT_FALSE(w.findChild<QWidget*>("Demon2")->isVisible());
  EXPECT_TRUE(w.findChild<QWidget*>("Demon3")->isVisible());
}

TEST_F(WindowTest, CaveButtonsStandTopToBottomInTheirScreensOrder) {
  for (ScreenId id : {ScreenId::Cave1, ScreenId::Cave2, ScreenId::Cave3, ScreenId::Cave4,
                      ScreenId::Tower1, ScreenId::Tower2, ScreenId::Tower3}) {
    ScreenWindow& w = frontend.window(id);
    QList<QPushButton*> buttons = w.findChildren<QPushButton*>();
    std::sort(buttons.begin(), buttons.end(),
              [](QPushButton* a, QPushButton* b) { return a->y() < b->y(); });
    const auto& rows = CaveScreen::Rows(id);
    ASSERT_EQ(static_cast<std::size_t>(buttons.size()), rows.size());
    QWidget* backdrop = w.findChild<QWidget*>("Backdrop");
    ASSERT_NE(backdrop, nullptr);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const auto at = static_cast<qsizetype>(i);
      EXPECT_EQ(buttons[at]->objectName().toStdString(), rows[i].name);
      w.sync();
      EXPECT_EQ(buttons[at]->text().toStdString(), rows[i].caption);
      // Nothing overlaps: the buttons stand right of the painted view and below each other.
      EXPECT_FALSE(buttons[at]->geometry().intersects(backdrop->geometry()));
      if (i > 0) {
        EXPECT_GT(buttons[at]->y(), buttons[at - 1]->geometry().bottom());
      }
    }
  }
}

TEST_F(WindowTest, TheSecondTowerShowsItsLineOfText) {
  ScreenWindow& w = frontend.window(ScreenId::Tower2);
  w.sync();
  auto* heading = w.findChild<QLabel*>("gjfgj");
  auto* line = w.findChild<QLabel*>("Label1");
  ASSERT_NE(heading, nullptr);
  ASSERT_NE(line, nullptr);
  EXPECT_EQ(heading->text(), "Tower of Elements");
  EXPECT_TRUE(line->text().startsWith("You journey to the second tower."));
  EXPECT_GE(line->y(), heading->geometry().bottom());
  EXPECT_EQ(w.windowTitle(), "Tower of Elements (Tower 2 of the Under World)");
  // The caves show their heading in the heading's place.
  ScreenWindow& evil = frontend.window(ScreenId::Cave3);
  evil.sync();
  EXPECT_EQ(evil.findChild<QLabel*>("Label1")->text(), "Cave of Evil");
  EXPECT_EQ(evil.findChild<QLabel*>("Label1")->property("role").toString(), "heading");
}

TEST_F(WindowTest, TheMazeClockRunsOnlyWhileTheMazeIsInFront) {
  // Directions in turn, so every guard finds an open side within four draws.
  for (int i = 0; i < 400; ++i) h.random.numbers.push_back((i % 4 + 0.5) / 4);
  ScreenWindow& w = Front(ScreenId::UpperKeep, "Command11");
  ASSERT_TRUE(WaitFor([&] { return h.random.draws >= 4; }, 60000)) << "the guards never stepped";
  w.findChild<QPushButton*>("Command11")->click();
  EXPECT_TRUE(h.g().cave(ScreenId::Cave3).visible);
  EXPECT_FALSE(w.isVisible());
  // Let a few periods pass: with the cave in front, no guard may draw a step.
  const int drawsBefore = h.random.draws;
  QTest::qWait(600);
  EXPECT_EQ(h.random.draws, drawsBefore);
  h.random.numbers.clear();
}

}  // namespace
}  // namespace morvath::test
