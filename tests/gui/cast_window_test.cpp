// The spell window on screen: rows that fit, unknown spells greyed, a cast through its button.
// Set MORVATH_SHOTS to a folder to keep a picture of the window.
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

TEST(CastWindow, RowsFitUnknownSpellsAreGreyedAndACastGoesBack) {
  ApplyTheme(*qApp);
  Harness h;
  Frontend frontend(h.g());
  h.newGame();
  Battle& b = h.g().battle();
  b.YSP.caption = "30";
  b.MHP.caption = b.MMaxHP.caption = "40";
  for (const char* known : {"SL1", "SL2", "S3", "S4"}) h.g().cast().button(known).enabled = true;
  frontend.run([&] {
    h.g().show(ScreenId::Battle);
    h.g().hide(ScreenId::Caves);
    b.click("Spell");
  });
  ScreenWindow& w = frontend.window(ScreenId::Cast);
  ASSERT_TRUE(w.isVisible());
  EXPECT_EQ(w.windowTitle(), "Spell Cast");
  const QImage shot = w.grab().toImage();
  if (const QByteArray dir = qgetenv("MORVATH_SHOTS"); !dir.isEmpty())
    shot.save(QDir(QString::fromLocal8Bit(dir)).filePath("cast_window.png"));

  std::vector<QRect> taken;
  auto place = [&](const std::string& name, bool greyed) {
    auto* widget = w.findChild<QWidget*>(QString::fromStdString(name));
    ASSERT_NE(widget, nullptr) << name;
    for (const QRect& other : taken) EXPECT_FALSE(widget->geometry().intersects(other)) << name;
    taken.push_back(widget->geometry());
    const QString text = widget->property("text").toString();
    EXPECT_LE(QFontMetrics(widget->font()).horizontalAdvance(text), widget->width() - 4) << name;
    if (auto* label = qobject_cast<QLabel*>(widget))  // greyed text is faded into the stone
      EXPECT_EQ(label->palette().color(QPalette::WindowText).lightness() < 120, greyed) << name;
    else
      EXPECT_EQ(widget->isEnabled(), !greyed) << name;
  };
  place("SPELLPOINTSlbl", false);
  place("DAMAGElbl", false);
  for (int row = 0; row < 10; ++row) {
    const bool greyed = !h.g().cast().button(Cast::kSpellButtons[row]).enabled;
    place("SP" + std::to_string(row), greyed);
    place(Cast::kSpellButtons[row], greyed);
    place("Damage" + std::to_string(row), greyed);
  }
  place("Command1", false);

  h.random.push({0.0});
  w.findChild<QPushButton*>("SL1")->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(frontend.window(ScreenId::Battle).isEnabled());
  EXPECT_EQ(b.MHP.caption, "35");
}

}  // namespace
}  // namespace morvath::test
