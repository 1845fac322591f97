// The keep's look without style sheets: every window stays on the game's own style, labels take
// the look of their part, and buttons, boxes, menus and message boxes are painted in the keep's
// colours.
#include "app/theme.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <algorithm>
#include <cstdlib>

#include "app/frontend.h"
#include "app/screen_window.h"
#include "app/widgets.h"
#include "combat/battle.h"
#include "combat/battle_window.h"
#include "combat/catalogue.h"
#include "support/fakes.h"

namespace morvath::test {
namespace {

QImage Shot(QWidget& widget) {
  return widget.grab().toImage();
}

// Colours compared loosely: smoothing and gradients may move a channel by a step or two.
::testing::AssertionResult Near(const QColor& actual, QRgb expected, int tolerance = 3) {
  const QColor want(expected);
  const int off =
      std::max({std::abs(actual.red() - want.red()), std::abs(actual.green() - want.green()),
                std::abs(actual.blue() - want.blue())});
  if (off <= tolerance) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << actual.name().toStdString() << " is not near " << want.name().toStdString();
}

class Theme : public ::testing::Test {
 protected:
  void SetUp() override { ApplyTheme(*qApp); }
};

TEST_F(Theme, NoWindowOfTheGameCarriesAStyleSheet) {
  Harness h;
  h.newGame("Arden");
  Frontend frontend(h.g());
  EXPECT_TRUE(qApp->styleSheet().isEmpty());
  for (ScreenId id : kAllScreens) {
    ScreenWindow& w = frontend.window(id);
    w.sync();
    SCOPED_TRACE(w.windowTitle().toStdString());
    // A widget with a sheet of its own is handed a style-sheet style of its own.
    for (QWidget* widget : w.findChildren<QWidget*>()) {
      EXPECT_TRUE(widget->styleSheet().isEmpty()) << widget->objectName().toStdString();
      EXPECT_EQ(widget->style(), qApp->style()) << widget->objectName().toStdString();
    }
  }
}

TEST_F(Theme, LabelsTakeTheFontAndColourOfTheirPart) {
  QLabel title, subtitle, value, plain, odd;
  ApplyRole(&title, "title");
  ApplyRole(&subtitle, "subtitle");
  ApplyRole(&value, "value");
  ApplyRole(&plain, nullptr);
  ApplyRole(&odd, "no such part");

  EXPECT_EQ(title.property("role").toString(), "title");
  EXPECT_EQ(title.font().family(), "DejaVu Serif");
  EXPECT_EQ(title.font().pointSize(), 26);
  EXPECT_TRUE(title.font().bold());
  EXPECT_EQ(title.palette().color(QPalette::WindowText), QColor(0xe0b54a));
  EXPECT_TRUE(subtitle.font().italic());
  EXPECT_FALSE(subtitle.font().bold());
  EXPECT_EQ(subtitle.font().pointSize(), 10);  // the window's own size
  EXPECT_TRUE(value.font().bold());
  EXPECT_EQ(value.palette().color(QPalette::WindowText), RoleColor("value"));
  // No part, or one the look does not know: the plain text of the keep, still tagged.
  EXPECT_FALSE(plain.property("role").isValid());
  EXPECT_EQ(odd.property("role").toString(), "no such part");
  for (QLabel* label : {&plain, &odd}) {
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0xeadcc0));
    EXPECT_EQ(label->font(), QApplication::font());
  }
}

TEST_F(Theme, APromptIsDarkInkOnAParchmentStripWithABrassRule) {
  QLabel prompt("Save in which slot?");
  prompt.resize(240, 30);
  ApplyRole(&prompt, "prompt");
  const QImage shot = Shot(prompt);
  EXPECT_TRUE(Near(shot.pixelColor(0, 15), 0x8a6b2e, 0));  // the rule
  EXPECT_TRUE(Near(shot.pixelColor(120, 0), 0x8a6b2e, 0));
  EXPECT_TRUE(Near(shot.pixelColor(2, 2), 0xe0c98f, 0));   // the strip
  EXPECT_EQ(prompt.contentsRect(), QRect(1, 1, 238, 28));  // the text keeps off the rule
  EXPECT_EQ(prompt.palette().color(QPalette::WindowText), QColor(0x1f1a15));
}

TEST_F(Theme, ButtonsAreLeatherPlatesWithABrassRim) {
  QWidget window;
  window.resize(200, 200);
  QPushButton normal("Normal", &window), pressed("Pressed", &window), disabled("Disabled", &window),
      hover("Hover", &window);
  normal.setGeometry(10, 10, 120, 30);
  pressed.setGeometry(10, 50, 120, 30);
  disabled.setGeometry(10, 90, 120, 30);
  hover.setGeometry(10, 130, 120, 30);
  pressed.setDown(true);
  disabled.setEnabled(false);
  hover.setAttribute(Qt::WA_UnderMouse);
  const QImage n = Shot(normal), p = Shot(pressed), d = Shot(disabled), o = Shot(hover);

  // The rim, and the face shading from light at the top to dark at the bottom.
  EXPECT_TRUE(Near(n.pixelColor(60, 0), 0x9a7a3a, 0));
  EXPECT_TRUE(Near(n.pixelColor(10, 1), 0x5a4630));
  EXPECT_TRUE(Near(n.pixelColor(10, 28), 0x3b2d1f));
  // Rounded corners: the corner pixel is left to what lies behind.
  EXPECT_FALSE(Near(n.pixelColor(0, 0), 0x9a7a3a, 20));
  EXPECT_TRUE(Near(p.pixelColor(10, 1), 0x2c2218, 0));
  EXPECT_TRUE(Near(p.pixelColor(10, 28), 0x2c2218, 0));
  EXPECT_TRUE(Near(o.pixelColor(10, 1), 0x6e5638));
  EXPECT_TRUE(Near(o.pixelColor(10, 28), 0x4a3826));
  EXPECT_TRUE(Near(d.pixelColor(60, 0), 0x4a3f30, 0));
  EXPECT_TRUE(Near(d.pixelColor(2, 15), 0x2c251e, 0));
  EXPECT_EQ(disabled.palette().color(QPalette::Disabled, QPalette::ButtonText), QColor(0x7d7060));
  // Room for the caption: ten pixels either side and three above and below, inside the rim.
  const QSize text = normal.fontMetrics().size(Qt::TextShowMnemonic, normal.text());
  EXPECT_EQ(normal.sizeHint().width(), text.width() + 22);
}

TEST_F(Theme, TheButtonWithTheKeyboardIsRimmedInGold) {
  QWidget window;
  auto* first = new QPushButton("First", &window);
  auto* second = new QPushButton("Second", &window);
  first->setGeometry(10, 10, 120, 30);
  second->setGeometry(10, 50, 120, 30);
  window.show();
  window.activateWindow();
  QApplication::processEvents();
  second->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(second->hasFocus());
  EXPECT_TRUE(Near(Shot(*second).pixelColor(60, 0), 0xe0b54a, 0));
  EXPECT_TRUE(Near(Shot(*first).pixelColor(60, 0), 0x9a7a3a, 0));
}

TEST_F(Theme, AGroupBoxHasAGoldTitleOnARoundedTrimFrame) {
  QGroupBox box("Potions");
  box.resize(200, 100);
  const QImage shot = Shot(box);
  // The frame starts twelve pixels down; the title breaks it from eight pixels in.
  EXPECT_TRUE(Near(shot.pixelColor(4, 12), 0x6b5430, 0));
  EXPECT_TRUE(Near(shot.pixelColor(0, 50), 0x6b5430, 0));
  EXPECT_FALSE(Near(shot.pixelColor(20, 12), 0x6b5430, 20));
  EXPECT_TRUE(Near(shot.pixelColor(190, 12), 0x6b5430, 0));
  bool gold = false;
  for (int x = 8; x < 70 && !gold; ++x)
    for (int y = 0; y < 16 && !gold; ++y) gold = Near(shot.pixelColor(x, y), 0xe0b54a, 8);
  EXPECT_TRUE(gold) << "no gold in the title";
  EXPECT_EQ(box.contentsRect(), QRect(1, 13, 198, 86));
}

TEST_F(Theme, MenusAreDarkWithTheChosenEntryInLeather) {
  QMenu menu;
  QAction* first = menu.addAction("&Music");
  menu.addAction("E&xit");
  menu.popup(QPoint(0, 0));
  menu.setActiveAction(first);
  QApplication::processEvents();
  const QImage shot = Shot(menu);
  const QRect chosen = menu.actionGeometry(first);
  EXPECT_TRUE(Near(shot.pixelColor(0, shot.height() / 2), 0x9a7a3a, 0));  // the rim
  EXPECT_TRUE(Near(shot.pixelColor(chosen.left() + 2, chosen.top() + 2), 0x5a4630, 0));
  EXPECT_TRUE(Near(shot.pixelColor(chosen.left() + 2, shot.height() - 3), 0x2b231b, 0));
  menu.hide();
}

TEST_F(Theme, TheMenuBarChevronIsDrawnOnAClearGround) {
  for (auto which :
       {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
    const QImage chevron = qApp->style()->standardIcon(which).pixmap(16, 16).toImage();
    ASSERT_EQ(chevron.size(), QSize(16, 16));
    int inked = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const QColor c = chevron.pixelColor(x, y);
        const bool edge = x < 2 || y < 2 || x > 13 || y > 13;
        if (edge) {
          EXPECT_EQ(c.alpha(), 0) << x << "," << y;
        }
        if (c.alpha() > 200) {
          ++inked;
          EXPECT_TRUE(Near(c, 0xeadcc0, 30)) << x << "," << y;
        }
      }
    EXPECT_GT(inked, 6);
  }
}

TEST_F(Theme, AMessageBoxKeepsTheLook) {
  QMessageBox box;
  box.setText("The inn is closed.");
  box.setStandardButtons(QMessageBox::Ok);
  box.show();
  QApplication::processEvents();
  const QImage shot = Shot(box);
  EXPECT_TRUE(Near(shot.pixelColor(2, 2), 0x1f1a15, 0));
  QAbstractButton* ok = box.button(QMessageBox::Ok);
  const QImage button = Shot(*ok);
  EXPECT_TRUE(Near(button.pixelColor(2, button.height() / 2), 0x4a3826, 20));
  box.hide();
}

TEST_F(Theme, BoxesPaintTheirFaceRimAndSides) {
  QImage image(40, 20, QImage::Format_ARGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  BoxLook band;  // "Last Game" across the felt: ruled above and below only
  band.fill = QColor(0x204020);
  band.border = QColor(0xf4d27a);
  band.borderEdges = Qt::TopEdge | Qt::BottomEdge;
  PaintBox(painter, QRect(0, 0, 40, 10), band);
  QLinearGradient fade(0, 0, 0, 1);
  fade.setCoordinateMode(QGradient::ObjectBoundingMode);
  fade.setColorAt(0, QColor(Qt::black));
  fade.setColorAt(1, QColor(Qt::white));
  BoxLook plate;
  plate.fill = fade;
  plate.border = QColor(0xff0000);
  plate.borderWidth = 2;
  PaintBox(painter, QRect(0, 10, 40, 10), plate);
  painter.end();

  EXPECT_EQ(image.pixelColor(20, 0), QColor(0xf4d27a));
  EXPECT_EQ(image.pixelColor(20, 9), QColor(0xf4d27a));
  EXPECT_EQ(image.pixelColor(0, 5), QColor(0x204020));  // no side rules
  EXPECT_EQ(image.pixelColor(39, 5), QColor(0x204020));
  EXPECT_EQ(image.pixelColor(20, 11), QColor(0xff0000));  // a two-pixel rim
  EXPECT_EQ(image.pixelColor(1, 15), QColor(0xff0000));
  // The shading runs over the face inside the rim, not under it.
  EXPECT_TRUE(Near(image.pixelColor(20, 12), 0x000000, 40));
  EXPECT_TRUE(Near(image.pixelColor(20, 17), 0xffffff, 40));
}

TEST_F(Theme, ABossLevelTurnsRed) {
  Harness h;
  h.newGame("Arden");
  Frontend frontend(h.g());
  Encounter(h.g(), ScreenId::Caves, "Crazy Orc");
  frontend.refresh();
  auto& w = dynamic_cast<BattleWindow&>(frontend.window(ScreenId::Battle));
  auto* level = w.findChild<ClickLabel*>("Level");
  ASSERT_NE(level, nullptr);
  const QColor plain = Shot(*level).pixelColor(4, level->height() / 2);
  EXPECT_TRUE(Near(plain, 0x3a2c1e, 0));

  h.g().battle().Level.caption = "BOSS";
  frontend.refresh();
  EXPECT_TRUE(Near(Shot(*level).pixelColor(4, level->height() / 2), 0x7a1e14, 0));
  EXPECT_EQ(level->palette().color(QPalette::WindowText), QColor(0xffd0c0));

  h.g().battle().Level.caption = "Level 2";
  frontend.refresh();
  EXPECT_EQ(Shot(*level).pixelColor(4, level->height() / 2), plain);
}

}  // namespace
}  // namespace morvath::test
