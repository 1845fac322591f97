// A screen shown, or shown again, holds no button in the keyboard focus: a plain Space presses
// nothing until the player moves the focus, and Tab still reaches the buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "app/screen_window.h"
#include "combat/battle.h"
#include "gui/new_game_on_screen.h"
#include "support/qt_wait.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

using ScreenFocus = NewGameOnScreen;

QPushButton* FocusedButton() {
  return qobject_cast<QPushButton*>(QApplication::focusWidget());
}

// A plain Space to whatever has the keyboard focus.
void Space() {
  QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Space);
}

TEST_F(ScreenFocus, AfterAFightTheCaveHoldsNoButtonAndSpaceStartsNoFightAgain) {
  h.g().caves().visible = false;
  h.g().screen(ScreenId::Cave1).visible = true;
  frontend.refresh();
  ScreenWindow& cave = frontend.window(ScreenId::Cave1);
  ASSERT_TRUE(WaitFor([&] { return cave.isActiveWindow(); })) << "cave never got the keyboard";

  // The player clicks "Level 1-Giant Snake": the button takes the focus, the fight begins.
  QTest::mouseClick(cave.findChild<QPushButton*>("Command1"), Qt::LeftButton);
  ASSERT_TRUE(h.g().battle().visible);
  ScreenWindow& battle = frontend.window(ScreenId::Battle);
  ASSERT_TRUE(WaitFor([&] { return battle.isActiveWindow(); })) << "battle never got the keyboard";
  EXPECT_EQ(FocusedButton(), nullptr) << "the combat screen opens with a button in focus";
  const int draws = h.random.draws;
  Space();  // the key that answered the box before
  EXPECT_EQ(h.random.draws, draws) << "a Space on the opening combat screen attacked";

  h.random.push({0.0});  // the escape succeeds: back to the cave
  QTest::mouseClick(battle.findChild<QPushButton*>("Flee"), Qt::LeftButton);
  ASSERT_TRUE(cave.isVisible());
  ASSERT_TRUE(WaitFor([&] { return cave.isActiveWindow(); })) << "cave never got the keyboard";
  EXPECT_EQ(FocusedButton(), nullptr) << "the monster button kept the focus through the fight";
  Space();
  EXPECT_FALSE(h.g().battle().visible) << "a Space after the fight started it again";

  // Tab still reaches the buttons.
  QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Tab);
  ASSERT_NE(FocusedButton(), nullptr);
  EXPECT_EQ(FocusedButton()->window(), &cave);
}

TEST_F(ScreenFocus, AScreenTheGameHasLeftTakesNoClickOrKeyWhileItsWindowStillStands) {
  ScreenWindow& map = frontend.window(ScreenId::Caves);
  frontend.refresh();
  ASSERT_TRUE(WaitFor([&] { return map.isActiveWindow(); })) << "map never got the keyboard";
  auto* endGame = map.findChild<QPushButton*>("Command1");
  ASSERT_TRUE(endGame != nullptr && endGame->isVisible() && endGame->isEnabled());
  // The game moves on (as a guard's attack does in the maze) before the window has gone.
  h.g().caves().visible = false;
  h.g().screen(ScreenId::Cave1).visible = true;
  // Up from the fountain, where a new hero stands, would walk into the Magic Shop.
  QTest::keyClick(&map, Qt::Key_Up);
  const Caves& caves = h.g().caves();
  EXPECT_EQ(caves.LeftX.caption + "," + caves.TopY.caption, "5,2")
      << "a key moved the hero on the map the game had left";
  EXPECT_FALSE(h.g().screen(ScreenId::MagicShop).visible)
      << "a key on the map the game had left opened the Magic Shop";
  QTest::mouseClick(endGame, Qt::LeftButton);  // would show the start screen
  EXPECT_FALSE(h.g().startForm().visible) << "a click reached the map the game had left";
  EXPECT_TRUE(h.g().screen(ScreenId::Cave1).visible);
}

}  // namespace
}  // namespace morvath::test
