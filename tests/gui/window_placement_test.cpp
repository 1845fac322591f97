// Where a screen opens: over the window the player saw last, where that window stands now.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "app/layout_scale.h"
#include "app/screen_window.h"
#include "gui/new_game_on_screen.h"

namespace morvath::test {
namespace {

using WindowPlacement = NewGameOnScreen;

TEST_F(WindowPlacement, AScreenOpensOverTheWindowThePlayerMoved) {
  const auto go = [this](ScreenId from, ScreenId to) {
    frontend.run([this, from, to] {
      h.g().show(to);
      h.g().hide(from);
    });
    return &frontend.window(to);
  };
  // The first tower and the next one ("Next Tower"), back and forth.
  ScreenWindow* here = go(ScreenId::Caves, ScreenId::Tower1);
  ScreenWindow* there = &frontend.window(ScreenId::Tower2);
  there->sync();
  there->adjustSize();
  const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
  // The player moves the tower towards one corner, then the other, as far as the next tower
  // still fits around its middle; the game hears nothing of it until the next screen opens.
  const QSize half = here->size().expandedTo(there->size()).grownBy(kFrameAllowance) / 2;
  const QPoint corners[] = {available.topLeft() + QPoint(half.width(), half.height()),
                            available.bottomRight() - QPoint(half.width(), half.height())};
  for (const QPoint& corner : corners) {
    SCOPED_TRACE(corner.x());
    ASSERT_GT((corner - here->geometry().center()).manhattanLength(), 50)
        << "the screen is too small to move the window on";
    here->move(corner - QPoint(here->width() / 2, here->height() / 2));
    const QPoint middle = here->geometry().center();
    const ScreenId from = here->screen().id();
    const ScreenId to = from == ScreenId::Tower1 ? ScreenId::Tower2 : ScreenId::Tower1;
    ScreenWindow* next = go(from, to);
    ASSERT_TRUE(next->isVisible());
    const QPoint off = next->geometry().center() - middle;
    EXPECT_LE(off.manhattanLength(), 2) << "the next screen opened " << off.x() << "," << off.y()
                                        << " away from the middle of the window the player moved";
    here = next;
  }
}

}  // namespace
}  // namespace morvath::test
