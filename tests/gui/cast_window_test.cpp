// The spell window on screen: rows that fit, unknown spells greyed, and a cast through the
// window's own button. Set MORVATH_SHOTS to a folder to keep a picture of the window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QPushButton>

#include "app/frontend.h"
#include "app/screen_window.h"
#include "app/theme.h"
#include "combat/battle.h"
#include "combat/cast.h"
#include "support/fakes.h"

namespace morvath::test {
namespace {

struct CastOnScreen {
  Harness h;
  Frontend frontend{h.g()};
  Battle& b = h.g().battle();
  Cast& cast = h.g().cast();

  CastOnScreen() {
    ApplyTheme(*qApp);
    h.newGame();
    b.YSP.caption = "30";
    b.YMaxSP.caption = "30";
    b.MName.caption = "Giant Snake";
    b.MHP.caption = "40";
    b.MMaxHP.caption = "80";
    b.YHP.caption = "10";
    b.YMaxHP.caption = "10";
    for (const char* known : {"SL1", "S1", "SL2", "S3", "S4"}) cast.button(known).enabled = true;
    frontend.run([this] {
      h.g().show(ScreenId::Battle);
      h.g().hide(ScreenId::Caves);
      b.click("Spell");
    });
  }
  ScreenWindow& window() { return frontend.window(ScreenId::Cast); }
  template <typename W>
  W* child(const std::string& name) {
    W* w = window().findChild<W*>(QString::fromStdString(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
};

TEST(CastWindow, RowsFitAndDoNotOverlap) {
  CastOnScreen s;
  ScreenWindow& w = s.window();
  ASSERT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowTitle(), "Spell Cast");
  const QImage shot = w.grab().toImage();
  if (const QByteArray dir = qgetenv("MORVATH_SHOTS"); !dir.isEmpty())
    shot.save(QDir(QString::fromLocal8Bit(dir)).filePath("cast_window.png"));

  std::vector<QRect> taken;
  auto place = [&taken](QWidget* widget) {
    for (const QRect& other : taken)
      EXPECT_FALSE(widget->geometry().intersects(other)) << widget->objectName().toStdString();
    taken.push_back(widget->geometry());
  };
  auto fits = [](QLabel* label) {
    const QFontMetrics metrics(label->font());
    EXPECT_LE(metrics.horizontalAdvance(label->text()), label->width())
        << label->objectName().toStdString();
    EXPECT_LE(metrics.height(), label->height());
  };
  for (const char* header : {"SPELLPOINTSlbl", "DAMAGElbl"}) {
    QLabel* label = s.child<QLabel>(header);
    place(label);
    fits(label);
  }
  for (int row = 0; row < 10; ++row) {
    QLabel* cost = s.child<QLabel>("SP" + std::to_string(row));
    auto* button = s.child<QPushButton>(Cast::kSpellButtons[row]);
    QLabel* effect = s.child<QLabel>("Damage" + std::to_string(row));
    place(cost);
    place(button);
    place(effect);
    fits(cost);
    fits(effect);
    EXPECT_EQ(cost->y(), button->y());
    EXPECT_LT(cost->x(), button->x());
    EXPECT_LT(button->x(), effect->x());
    EXPECT_LE(QFontMetrics(button->font()).horizontalAdvance(button->text()) + 16, button->width());
  }
  place(s.child<QPushButton>("Command1"));
}

TEST(CastWindow, UnknownSpellsAreGreyed) {
  CastOnScreen s;
  for (int row = 0; row < 10; ++row) {
    const std::string name = Cast::kSpellButtons[row];
    SCOPED_TRACE(name);
    const bool known = s.cast.button(name).enabled;
    EXPECT_EQ(s.child<QPushButton>(name)->isEnabled(), known);
    EXPECT_EQ(s.child<QLabel>("SP" + std::to_string(row))->styleSheet().isEmpty(), known);
    EXPECT_EQ(s.child<QLabel>("Damage" + std::to_string(row))->styleSheet().isEmpty(), known);
  }
}

TEST(CastWindow, ASpellCastFromTheWindowGoesBackToTheFight) {
  CastOnScreen s;
  EXPECT_FALSE(s.frontend.window(ScreenId::Battle).isEnabled());
  s.h.random.push({0.0});
  s.child<QPushButton>("SL1")->click();
  EXPECT_FALSE(s.window().isVisible());
  EXPECT_TRUE(s.frontend.window(ScreenId::Battle).isEnabled());
  EXPECT_EQ(s.b.MHP.caption, "35");
  EXPECT_EQ(s.b.YSP.caption, "28");
}

}  // namespace
}  // namespace morvath::test
