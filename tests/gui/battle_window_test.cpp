// The combat screen's window: it shows the fight the core runs and sends the commands back.
#include "combat/battle_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/frontend.h"
#include "app/theme.h"
#include "app/widgets.h"
#include "combat/battle.h"
#include "combat/catalogue.h"
#include "support/fakes.h"

namespace morvath::test {
namespace {

struct Shown {
  Harness h;
  Frontend frontend;
  BattleWindow* window = nullptr;
  Shown() : frontend(h.g()) {
    h.newGame("Arden");
    Encounter(h.g(), ScreenId::Caves, "Crazy Orc");
    frontend.refresh();
    window = dynamic_cast<BattleWindow*>(&frontend.window(ScreenId::Battle));
  }
  template <typename T>
  T* find(const char* name) {
    return window->findChild<T*>(name);
  }
};

TEST(BattleWindow, ShowsTheFightThatTheEncounterSetUp) {
  Shown s;
  ASSERT_NE(s.window, nullptr);
  EXPECT_TRUE(s.window->isVisible());
  EXPECT_EQ(s.window->windowTitle(), "Combat Screen");
  EXPECT_EQ(s.find<QLabel>("MName")->text(), "Crazy Orc");
  EXPECT_EQ(s.find<QLabel>("YName")->text(), "Arden");
  EXPECT_EQ(s.find<QLabel>("MMaxHP")->text(), "70");
  // One monster picture at a time, drawn twice its size.
  int shown = 0;
  for (const std::string& name : Battle::MonsterPictures()) {
    auto* view = s.find<PixelView>(name.c_str());
    ASSERT_NE(view, nullptr) << name;
    EXPECT_EQ(view->size(), QSize(160, 160)) << name;
    shown += view->isVisible() ? 1 : 0;
  }
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(s.find<PixelView>("Orc")->isVisible());
  // The captions that explain themselves are there under their own names.
  for (const char* caption : {"HEALTHlbl", "Yourhealthlbl", "Slash3", "TOTALDEFENCElbl"})
    EXPECT_NE(s.find<QLabel>(caption), nullptr) << caption;
  EXPECT_EQ(s.find<QLabel>("TOTALDEFENCElbl")->text(), "Total Defense");
}

TEST(BattleWindow, TheCoverHidesThePotionPanelUntilItIsLifted) {
  Shown s;
  EXPECT_TRUE(s.window->potionCover()->isVisible());
  for (const char* name : {"P1", "P5", "Command1"})
    EXPECT_FALSE(s.find<QPushButton>(name)->isVisible()) << name;
  EXPECT_FALSE(s.find<QLabel>("N3")->isVisible());

  Battle& b = s.h.g().battle();
  b.HidePotions.visible = false;
  b.N3.caption = "2";
  for (int kind = 1; kind <= 5; ++kind) {
    b.potionButton(kind).visible = kind == 3;
    b.potionCount(kind).visible = kind == 3;
  }
  s.frontend.refresh();
  EXPECT_FALSE(s.window->potionCover()->isVisible());
  EXPECT_TRUE(s.find<QPushButton>("P3")->isVisible());
  EXPECT_EQ(s.find<QLabel>("N3")->text(), "2");
  EXPECT_FALSE(s.find<QPushButton>("P1")->isVisible());
  EXPECT_TRUE(s.find<QPushButton>("Command1")->isVisible());
  if (const QByteArray dir = qgetenv("MORVATH_SCREENSHOTS"); !dir.isEmpty()) {
    ApplyTheme(*qApp);
    for (int kind = 1; kind <= 5; ++kind) {
      b.potionButton(kind).visible = true;
      b.potionCount(kind).visible = true;
    }
    b.Level.caption = "BOSS";
    b.MName.caption = "Keeper of the Dead";
    b.MHP.caption = "-5";
    b.MGold.caption = "100000000";
    b.MEXP.caption = "200000000";
    b.MMaxHP.caption = "200000000";
    s.frontend.refresh();
    s.window->grab().save(QString::fromUtf8(dir) + "/battle_potions.png");
  }

  s.find<QPushButton>("Command1")->click();  // covers the panel again
  EXPECT_TRUE(s.window->potionCover()->isVisible());
  EXPECT_FALSE(s.find<QPushButton>("P3")->isVisible());
}

TEST(BattleWindow, AttackPlaysARoundAndTheWindowFollows) {
  Shown s;
  // The orc first (2 of 2), hits (2 of 4) for 5 - 2 = 3; the hero misses (1 of 2).
  s.h.random.roll(2, 2);
  s.h.random.roll(2, 4);
  s.h.random.push({0.06});
  s.h.random.roll(1, 2);
  s.find<QPushButton>("Attack")->click();
  EXPECT_EQ(s.find<QLabel>("Attackmsg")->text(), "The Crazy Orc attacked first");
  EXPECT_EQ(s.find<QLabel>("Ymessage")->text(), "The Crazy Orc dealt 3 damage to you");
  EXPECT_EQ(s.find<QLabel>("MMessage")->text(), "You missed the Crazy Orc");
  EXPECT_EQ(s.find<QLabel>("YHP")->text(), "7");
  EXPECT_TRUE(s.h.random.numbers.empty());

  // Saves a picture of the screen when asked to (for looking at the layout).
  if (const QByteArray dir = qgetenv("MORVATH_SCREENSHOTS"); !dir.isEmpty()) {
    ApplyTheme(*qApp);
    s.window->grab().save(QString::fromUtf8(dir) + "/battle.png");
  }
}

TEST(BattleWindow, TabReachesTheCommandsThenTheCaptionsThatReturnExplains) {
  Shown s;
  s.window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(s.window));
  // The widget that has the focus after a Tab pressed on the given one.
  auto tab = [](QWidget* from) {
    from->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(from, Qt::Key_Tab);
    QWidget* focused = QApplication::focusWidget();
    return focused != nullptr ? focused->objectName().toStdString() : "(nothing)";
  };
  EXPECT_EQ(tab(s.window->centralWidget()), "Attack");
  EXPECT_EQ(tab(s.find<QPushButton>("RestoreSP")), "Yourhealthlbl");  // after the last command
  QTest::keyClick(s.find<QLabel>("DEXTERITYlbl"), Qt::Key_Return);
  ASSERT_FALSE(s.h.dialogs.boxes.empty());
  EXPECT_EQ(s.h.dialogs.last().title, "Dexterity Help");
}

}  // namespace
}  // namespace morvath::test
