// The keyboard handed from a window that goes to the one that comes: a box is gone the moment it
// is answered, however it is answered, and keys typed straight after reach the window that comes
// next; a key that lands on the wrong window of the game is handed on, not lost.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cctype>
#include <functional>
#include <memory>
#include <vector>

#include "app/frontend.h"
#include "app/qt_dialogs.h"
#include "app/screen_window.h"
#include "core/game.h"
#include "support/fakes.h"
#include "support/qt_wait.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

// Keys typed at whatever window has the keyboard when they arrive, as a player's keys are: after
// the event that answered a box has run to its end, not when the game is ready for them. (Under
// the offscreen platform the keyboard is nowhere for a moment after a window goes, as under X11
// without a window manager: the keys come once a window has it.)
void TypeAhead(std::vector<Qt::Key> keys) {
  QTimer::singleShot(0, [keys] {
    ASSERT_TRUE(WaitFor([] { return QGuiApplication::focusWindow() != nullptr; }))
        << "no window ever had the keyboard: the keys typed ahead are lost";
    for (const Qt::Key key : keys) QTest::keyClick(QGuiApplication::focusWindow(), key);
  });
}

// The keys that type a word's letters.
std::vector<Qt::Key> Letters(const char* word) {
  std::vector<Qt::Key> keys;
  for (; *word; ++word) keys.push_back(Qt::Key(std::toupper(static_cast<unsigned char>(*word))));
  return keys;
}

QAbstractButton* OkButton(QWidget& box) {
  for (auto* b : box.findChildren<QAbstractButton*>())
    if (b->text().remove('&') == "OK") return b;
  ADD_FAILURE() << "no OK button in the box";
  return nullptr;
}

void PressByAccessibility(QAbstractButton* button) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(button);
  ASSERT_TRUE(a && a->actionInterface());
  a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

// The game with the real boxes over its windows, past its first start.
struct RealBoxes {
  RecordingMusic music;
  MemoryStore store;
  ListRandom random;
  QtDialogs dialogs;
  std::unique_ptr<Game> game;
  std::unique_ptr<Frontend> frontend;
  RealBoxes() {
    store.values[{"ZARQSTART", "Start", "Start"}] = "2";
    game = std::make_unique<Game>(dialogs, music, store, random, kTuneFolder);
    frontend = std::make_unique<Frontend>(*game);
    dialogs.setHooks([this] { frontend->refreshBeforeBox(); },
                     [this] { return frontend->modalParent(); }, &frontend->handover());
    frontend->run([this] { game->start(); });
  }
  // "&New Game" pressed on the start screen.
  void newGame() {
    frontend->run([this] { game->screen(ScreenId::aaStartForm).click("New"); });
  }
};

// The ways a player answers a box with an OK button.
struct Answer {
  const char* how;
  std::function<void(QMessageBox&)> answer;
};
const Answer kAnswers[] = {
    {"Return", [](QMessageBox& b) { QTest::keyClick(b.windowHandle(), Qt::Key_Return); }},
    {"a click",
     [](QMessageBox& b) { QTest::mouseClick(b.button(QMessageBox::Ok), Qt::LeftButton); }},
    {"Escape", [](QMessageBox& b) { QTest::keyClick(b.windowHandle(), Qt::Key_Escape); }},
    {"its close box", [](QMessageBox& b) { b.windowHandle()->close(); }},
    {"a screen reader", [](QMessageBox& b) { PressByAccessibility(b.button(QMessageBox::Ok)); }},
};

class AnsweredBox : public ::testing::TestWithParam<Answer> {};

TEST_P(AnsweredBox, IsGoneAtOnceAndTheKeysTypedAfterReachTheNextWindow) {
  RealBoxes game;
  Frontend& frontend = *game.frontend;
  // The name box answered by a click, the cheat code typed at once on the map; the Cheater box
  // answered as this case says, a step north typed at once into the Magic Shop.
  QStringList titles;
  QTimer answerer;
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || titles.contains(modal->windowTitle())) return;
    titles << modal->windowTitle();
    std::vector<Qt::Key> typed = {Qt::Key_Up};
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
      input->setTextValue("Arden");
      QTest::mouseClick(OkButton(*input), Qt::LeftButton);
      typed = Letters("moreloott");
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      GetParam().answer(*box);
    }
    // (A screen reader's press comes as a click a moment later.)
    WaitFor([modal] { return !modal->isVisible(); }, 2000);
    EXPECT_FALSE(modal->isVisible()) << "the answered box still stands";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the answered box still blocks";
    TypeAhead(typed);
  });
  answerer.start(10);

  game.newGame();
  WaitFor([&] { return titles.size() >= 2; });
  EXPECT_EQ(titles, QStringList({"Enter Name", "Cheater"}))
      << "the cheat code typed after the name box was lost";
  EXPECT_TRUE(WaitFor([&] { return frontend.window(ScreenId::MagicShop).isVisible(); }))
      << "the step typed after the Cheater box was lost";
  EXPECT_FALSE(frontend.window(ScreenId::Caves).isVisible()) << "two screens at once";
  // Once the keyboard is where it belongs, nothing of the hand-over is left running.
  EXPECT_TRUE(WaitFor([&] { return !frontend.handover().busy(); }));
}

INSTANTIATE_TEST_SUITE_P(EveryWay, AnsweredBox, ::testing::ValuesIn(kAnswers),
                         [](const auto& info) {
                           std::string name;
                           for (const char* c = info.param.how; *c; ++c)
                             if (std::isalpha(static_cast<unsigned char>(*c))) name += *c;
                           return name;
                         });

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
  // The map stays until the shop has the keyboard; a key that reaches it on its way out goes to
  // the shop, and the hero does not walk.
  EXPECT_TRUE(map.isVisible());
  QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QApplication::sendEvent(&map, &left);
  EXPECT_EQ(h.g().caves().LeftX.caption, x);
  EXPECT_TRUE(WaitFor([&] { return !map.isVisible(); })) << "the map never went";
  EXPECT_TRUE(shop.isVisible());
  EXPECT_TRUE(inventory.isVisible());
  EXPECT_FALSE(frontend.handover().busy());
}

TEST(KeyboardHandover, ABoxIsWideEnoughForItsTitle) {
  QWidget screen;
  QtDialogs dialogs;
  dialogs.setHooks({}, [&screen] { return &screen; });
  int width = 0;
  QTimer::singleShot(50, [&] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    width = box->width();
    box->close();
  });
  dialogs.message("You were ambushed!", "Ambushed!!!", Buttons::Ok, Icon::None);
  QFont bold = QApplication::font();
  bold.setBold(true);
  // The title, and room for a title bar's icon and buttons.
  EXPECT_GE(width, QFontMetrics(bold).horizontalAdvance("Ambushed!!!") + 120);
}

}  // namespace
}  // namespace morvath::test
