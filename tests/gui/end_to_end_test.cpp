// The real front end, offscreen: first start, the story and about boxes, a new hero, the map.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <utility>

#include "app/clock_random.h"
#include "app/frontend.h"
#include "app/qt_dialogs.h"
#include "app/qt_settings_store.h"
#include "app/screen_window.h"
#include "app/silent_music_device.h"
#include "core/game.h"
#include "world/caves.h"

namespace morvath {
namespace {

// Answers every modal box as it appears: OK / Yes on message boxes, a name in input boxes.
class BoxAnswerer : public QObject {
 public:
  explicit BoxAnswerer(QString name) : name_(std::move(name)) {
    connect(&timer_, &QTimer::timeout, this, [this] { answer(); });
    timer_.start(10);
  }
  QStringList titles;
  QStringList texts;

 private:
  void answer() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      titles << box->windowTitle();
      texts << box->text();
      box->accept();
    } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
      titles << input->windowTitle();
      texts << input->labelText();
      input->setTextValue(name_);
      input->accept();
    }
  }
  QString name_;
  QTimer timer_;
};

TEST(EndToEnd, FirstStartThenANewHeroStandsOnTheMap) {
  QTemporaryDir config;
  ASSERT_TRUE(config.isValid());
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());

  QtDialogs dialogs;
  SilentMusicDevice music;
  QtSettingsStore store("KeepOfTheMorvathTest");
  ClockRandom random(7);
  Game game(dialogs, music, store, random, "/tmp");
  Frontend frontend(game);
  dialogs.setHooks([&] { frontend.refresh(); }, [&] { return frontend.modalParent(); });
  BoxAnswerer answerer("Arden");

  frontend.run([&] { game.start(); });
  ASSERT_EQ(answerer.titles.size(), 2);
  EXPECT_EQ(answerer.titles[0], "The Story");
  EXPECT_TRUE(answerer.texts[0].startsWith("It is a time when darkness rules."));
  EXPECT_EQ(answerer.titles[1], kGameTitle);
  EXPECT_EQ(store.read("ZARQSTART", "Start", "Start"), "2");

  ScreenWindow& start = frontend.window(ScreenId::aaStartForm);
  EXPECT_TRUE(start.isVisible());
  EXPECT_EQ(start.windowTitle(), "Keep of the Morvath");
  auto* newGame = start.findChild<QPushButton*>("New");
  ASSERT_NE(newGame, nullptr);
  EXPECT_EQ(newGame->text(), "&New Game");
  QTest::mouseClick(newGame, Qt::LeftButton);

  EXPECT_EQ(answerer.titles.last(), "Enter Name");
  EXPECT_EQ(answerer.texts.last(), "What is your name?");
  ScreenWindow& map = frontend.window(ScreenId::Caves);
  EXPECT_TRUE(map.isVisible());
  EXPECT_FALSE(start.isVisible());
  EXPECT_EQ(map.windowTitle(), "Caves");
  EXPECT_EQ(game.ch().CharName, "Arden");
  EXPECT_EQ(game.caves().Message.caption, kFountainText);
}

TEST(Dialogs, AnEmptyTitleShowsABlankTitleBarNotTheProgramName) {
  EXPECT_EQ(BoxTitle(""), " ");
  EXPECT_EQ(BoxTitle("Exit?"), "Exit?");
}

TEST(Keys, QtKeysBecomeTheGameKeyCodes) {
  EXPECT_EQ(GameKeyCode(Qt::Key_Left, false), 37);
  EXPECT_EQ(GameKeyCode(Qt::Key_Down, false), 40);
  EXPECT_EQ(GameKeyCode(Qt::Key_3, false), 51);
  EXPECT_EQ(GameKeyCode(Qt::Key_3, true), 99);
  EXPECT_EQ(GameKeyCode(Qt::Key_M, false), 77);
  // Shift+3 types "#" on many layouts; the game still sees the key 3 (X11 scan code 12).
  EXPECT_EQ(GameKeyCode(Qt::Key_NumberSign, false, 12), 51);
  EXPECT_EQ(GameKeyCode(Qt::Key_ParenRight, false, 19), 48);
  EXPECT_EQ(GameKeyCode(Qt::Key_NumberSign, false, 0), 0);
  // A virtual keyboard's own keymap (wtype's) may put letters and arrows on those scan codes.
  EXPECT_EQ(GameKeyCode(Qt::Key_O, false, 10), 79);
  EXPECT_EQ(GameKeyCode(Qt::Key_Up, false, 11), 38);
  EXPECT_EQ(GameShiftBits(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
}

}  // namespace
}  // namespace morvath
