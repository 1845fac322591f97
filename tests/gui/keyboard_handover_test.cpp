// The keyboard handed from a window that goes to the one shown after it: an answered box stays up
// until the next box has the keyboard, a screen left with the inventory open stays up (taking no
// keys) until the next screen has it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "app/frontend.h"
#include "app/qt_dialogs.h"
#include "app/screen_window.h"
#include "support/fakes.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

TEST(KeyboardHandover, AnAnsweredBoxStaysUpUntilTheNextBoxHasTheKeyboard) {
  QWidget screen;
  screen.show();
  QtDialogs dialogs;
  dialogs.setHooks({}, [&screen] { return &screen; });
  // Answers each box once, as the player's Return would.
  QList<QPointer<QMessageBox>> boxes;
  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout, [&boxes] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || boxes.contains(box)) return;
    boxes << box;
    box->button(QMessageBox::Ok)->click();
  });
  answerer.start(10);

  EXPECT_EQ(dialogs.message("The story", "The Story", Buttons::Ok, Icon::None), Answer::Ok);
  ASSERT_EQ(boxes.size(), 1);
  ASSERT_FALSE(boxes[0].isNull()) << "the answered box went before anything followed it";
  EXPECT_TRUE(boxes[0]->isVisible()) << "the answered box went before anything followed it";

  EXPECT_EQ(dialogs.message("About", "Keep of the Morvath", Buttons::Ok, Icon::None), Answer::Ok);
  ASSERT_EQ(boxes.size(), 2) << "a box was answered twice, or not at all";
  EXPECT_TRUE(boxes[0].isNull()) << "the first box outlived the second";
  // Nothing follows the second box: it goes in the next turns of the event loop.
  QTRY_VERIFY_WITH_TIMEOUT(boxes[1].isNull(), 2000);
}

TEST(KeyboardHandover, AScreenLeftWithTheInventoryOpenStaysUntilTheNextHasTheKeyboard) {
  Harness h;
  Frontend frontend{h.g()};
  h.newGame("Arden");
  frontend.refresh();
  ScreenWindow& map = frontend.window(ScreenId::Caves);
  h.g().show(ScreenId::Inventory);
  frontend.refresh();
  ScreenWindow& inventory = frontend.window(ScreenId::Inventory);
  ASSERT_TRUE(inventory.isVisible());

  const std::string x = h.g().caves().LeftX.caption;
  frontend.run([&h] {
    h.g().hide(ScreenId::Caves);
    h.g().show(ScreenId::WeaponShop);
  });
  ScreenWindow& shop = frontend.window(ScreenId::WeaponShop);
  ASSERT_TRUE(shop.isVisible());
  // The map stays up until the shop has the keyboard; on its way out it takes no keys.
  EXPECT_TRUE(map.isVisible());
  QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QApplication::sendEvent(&map, &left);
  EXPECT_EQ(h.g().caves().LeftX.caption, x);
  QTRY_VERIFY_WITH_TIMEOUT(!map.isVisible(), 2000);
  EXPECT_TRUE(shop.isVisible());
  EXPECT_TRUE(inventory.isVisible());
}

}  // namespace
}  // namespace morvath::test
