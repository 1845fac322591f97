// The bar's card table: what the player sees of the hands before, during and after a game.
#include "bar/black_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPushButton>

#include "app/frontend.h"
#include "app/theme.h"
#include "app/window_factory.h"
#include "bar/black.h"
#include "support/fakes.h"

namespace morvath::test {
namespace {

class BlackWindowTest : public ::testing::Test {
 protected:
  BlackWindowTest() {
    h.newGame();
    h.g().ch().Gold = "100";
    b().Cash.caption = "100";
    h.g().show(ScreenId::Black);
    h.g().hide(ScreenId::Caves);
    window.sync();
  }
  Black& b() { return h.g().black(); }
  CardView* card(const char* name) { return window.findChild<CardView*>(name); }
  bool shown(const char* name) {
    QWidget* w = window.findChild<QWidget*>(name);
    return w && !w->isHidden();
  }
  // The colour at a point of a card place, in the window's own pixels.
  QColor at(const char* name, QPoint offset) {
    const QImage image = window.grab().toImage();
    const QPoint p = card(name)->mapTo(&window, offset);
    return image.pixelColor(p * image.devicePixelRatio());
  }
  void deal(const std::vector<int>& cards) {
    for (int v : cards) h.random.roll(v, 10);
    h.dialogs.inputs.push_back("20");
    b().click("Play");
    window.sync();
  }
  // Saves the window to $MORVATH_SHOTS/name.png when that folder is given.
  void shot(const char* name) {
    const QString dir = qEnvironmentVariable("MORVATH_SHOTS");
    if (dir.isEmpty()) return;
    ApplyTheme(*qApp);  // the game's own look; only for pictures, it restyles every window
    window.grab().save(QDir(dir).filePath(QString(name) + ".png"));
  }

  Harness h;
  Frontend frontend{h.g()};
  BlackWindow window{frontend, h.g().black()};
};

bool IsFelt(const QColor& c) {
  return c.green() > c.red() + 30 && c.green() > c.blue() + 30;
}
bool IsWhite(const QColor& c) {
  return c.red() > 220 && c.green() > 220 && c.blue() > 200;
}

TEST_F(BlackWindowTest, TheFactoryBuildsTheCardTable) {
  auto built = MakeWindow(frontend, b());
  EXPECT_NE(dynamic_cast<BlackWindow*>(built.get()), nullptr);
  EXPECT_EQ(window.windowTitle(), "BlackJack");
}

TEST_F(BlackWindowTest, CoverFirstThenThePlayersCardsThenBothHands) {
  shot("bar-before");
  EXPECT_TRUE(shown("Hiden"));
  for (const char* name : {"Y1", "Y3", "O1", "O5", "Last", "Hit", "Stay"})
    EXPECT_FALSE(shown(name)) << name;
  EXPECT_TRUE(shown("Play"));

  deal({10, 7, 9, 6, 2});  // the house holds 9, 6 and 2, face down
  shot("bar-dealt");
  EXPECT_FALSE(shown("Hiden"));
  EXPECT_TRUE(shown("Y1"));
  EXPECT_EQ(card("Y2")->caption(), "7");
  EXPECT_FALSE(shown("Y3"));
  EXPECT_FALSE(shown("O1"));
  EXPECT_FALSE(shown("Play"));
  EXPECT_TRUE(shown("Hit"));
  // A face-up card is white; the hidden house hand leaves the felt bare.
  EXPECT_TRUE(IsWhite(at("Y1", {8, CardView::kHeight / 2})));
  EXPECT_TRUE(IsFelt(at("O1", {CardView::kWidth / 2, CardView::kHeight / 2})));
  const QColor bare = at("O4", {8, CardView::kHeight / 2});
  EXPECT_TRUE(IsFelt(bare));

  h.random.roll(3, 10);
  b().click("Hit");
  b().click("Stay");
  window.sync();
  shot("bar-settled");
  EXPECT_TRUE(shown("Last"));
  EXPECT_TRUE(shown("Play"));
  EXPECT_TRUE(shown("O3"));
  EXPECT_EQ(card("O3")->caption(), "2");
  // A free place is shown, faint: neither a white card nor bare felt.
  ASSERT_TRUE(shown("O4"));
  EXPECT_EQ(card("O4")->caption(), "0");
  const QColor free = at("O4", {8, CardView::kHeight / 2});
  EXPECT_FALSE(IsWhite(free)) << free.name().toStdString();
  EXPECT_GT(free.lightness(), bare.lightness() + 10) << "the free place looks like bare felt";
  EXPECT_EQ(h.dialogs.last().title, "You Win!!!");  // 20 against 17
}

}  // namespace
}  // namespace morvath::test
