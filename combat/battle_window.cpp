#include "combat/battle_window.h"

#include <QFrame>
#include <QPushButton>

#include "core/text.h"

namespace morvath {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 588;

// The words a double-click explains are drawn in their own colour, as the hint line promises.
constexpr const char* kHelpWord =
    "QLabel { color: #7fc4e8; font-weight: bold; text-decoration: underline; }";

// The slashes and dashes between figures explain them too; they are coloured, not underlined.
constexpr const char* kHelpMark = "QLabel { color: #7fc4e8; font-weight: bold; }";

QFrame* Panel(QWidget* parent, QRect geometry, const char* style) {
  auto* frame = new QFrame(parent);
  frame->setGeometry(geometry);
  frame->setStyleSheet(style);
  return frame;
}

constexpr const char* kSideStyle =
    "QFrame { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #2d251c, stop:1 "
    "#231c15); border: 1px solid #6b5430; border-radius: 6px; }";

}  // namespace

BattleWindow::BattleWindow(Frontend& frontend, Battle& battle)
    : ScreenWindow(frontend, battle, QSize(kWidth, kHeight)), battle_(battle) {
  QWidget* c = canvas();
  // Frames first, so that everything placed afterwards stands on them.
  Panel(c, QRect(12, 10, 380, 278), kSideStyle);
  Panel(c, QRect(404, 10, 384, 278), kSideStyle);
  Panel(c, QRect(414, 50, 164, 164),
        "QFrame { background: #15110d; border: 2px solid #9a7a3a; border-radius: 3px; }");
  Panel(c, QRect(12, 298, 776, 86),
        "QFrame { background: #2a2118; border: 1px solid #9a7a3a; border-radius: 4px; }");

  auto help = [this](const std::string& name, QRect r, Qt::Alignment align = Qt::AlignLeft) {
    ClickLabel* label = bindLabel(name, r, "caption");
    label->setStyleSheet(kHelpWord);
    label->setCursor(Qt::WhatsThisCursor);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
  };
  auto value = [this](const std::string& name, QRect r, Qt::Alignment align = Qt::AlignLeft) {
    ClickLabel* label = bindLabel(name, r, "value");
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
  };
  auto slash = [this](const std::string& name, QRect r) {
    ClickLabel* label = bindLabel(name, r, "caption");
    label->setStyleSheet(kHelpMark);
    label->setAlignment(Qt::AlignCenter);
    return label;
  };

  // --- The hero. ---
  bindLabel("YName", QRect(26, 16, 352, 32), "heading");
  help("Yourhealthlbl", QRect(26, 58, 108, 22));
  value("YHP", QRect(134, 58, 60, 22), Qt::AlignRight);
  slash("Slash4", QRect(196, 58, 12, 22));
  value("YMaxHP", QRect(210, 58, 80, 22));
  bindGauge("YHPGauge", QRect(26, 86, 200, 16));
  help("SPELLPOINTSlbl", QRect(26, 110, 108, 22));
  value("YSP", QRect(134, 110, 60, 22), Qt::AlignRight);
  slash("Slash5", QRect(196, 110, 12, 22));
  value("YMaxSP", QRect(210, 110, 80, 22));
  Panel(c, QRect(26, 144, 352, 1), "QFrame { background: #6b5430; border: none; }");
  help("STRENGTHlbl", QRect(26, 156, 110, 22));
  value("Strength", QRect(136, 156, 56, 22), Qt::AlignRight);
  help("WEAPONlbl", QRect(26, 182, 110, 22));
  value("Weapon", QRect(136, 182, 56, 22), Qt::AlignRight);
  help("TOTALDAMAGElbl", QRect(26, 214, 110, 22));
  value("MaxDamage", QRect(136, 214, 56, 22), Qt::AlignRight);
  help("ARMORlbl", QRect(212, 156, 110, 22));
  value("Armor", QRect(316, 156, 56, 22), Qt::AlignRight);
  help("SHIELDlbl", QRect(212, 182, 110, 22));
  value("Shield", QRect(316, 182, 56, 22), Qt::AlignRight);
  help("TOTALDEFENCElbl", QRect(212, 214, 110, 22));
  value("MaxDefence", QRect(316, 214, 56, 22), Qt::AlignRight);
  Panel(c, QRect(26, 208, 166, 1), "QFrame { background: #6b5430; border: none; }");
  Panel(c, QRect(212, 208, 160, 1), "QFrame { background: #6b5430; border: none; }");

  // --- The opponent. ---
  bindLabel("MName", QRect(418, 16, 260, 32), "heading");
  level_ = bindLabel("Level", QRect(684, 20, 92, 24), "value");
  level_->setAlignment(Qt::AlignCenter);
  // Every monster picture has its own view at the same place; the fight shows one.
  for (const std::string& name : Battle::MonsterPictures()) {
    QImage art = LoadArt(QString(":/monsters/%1.png").arg(QString::fromStdString(name)));
    if (art.size() != QSize(80, 80)) art = art.scaled(80, 80);  // a stand-in keeps the frame
    bindPicture(name, art, 2, QPoint(416, 52));
  }
  help("DAMAGElbl", QRect(592, 58, 96, 22));
  value("MDamage", QRect(688, 58, 88, 22), Qt::AlignRight);
  help("DEXTERITYlbl", QRect(592, 86, 96, 22));
  value("MdexA", QRect(696, 86, 18, 22), Qt::AlignCenter);
  slash("Slash2", QRect(714, 86, 12, 22));
  value("MdexB", QRect(726, 86, 18, 22), Qt::AlignCenter);
  slash("Slash3", QRect(744, 86, 12, 22));
  value("MdexC", QRect(756, 86, 18, 22), Qt::AlignCenter);
  Panel(c, QRect(592, 120, 184, 1), "QFrame { background: #6b5430; border: none; }");
  help("WINNINGSlbl", QRect(592, 128, 184, 22));
  help("GOLDlbl", QRect(604, 154, 86, 22));
  value("MGold", QRect(688, 154, 88, 22), Qt::AlignRight);
  help("EXPERIENCElbl", QRect(604, 180, 86, 22));
  value("MEXP", QRect(688, 180, 88, 22), Qt::AlignRight);
  help("HEALTHlbl", QRect(418, 224, 70, 22));
  value("MHP", QRect(486, 224, 80, 22), Qt::AlignRight);
  slash("Slash1", QRect(568, 224, 12, 22));
  value("MMaxHP", QRect(582, 224, 90, 22));
  bindGauge("MHPGauge", QRect(418, 254, 200, 16));

  // --- The message lines and the hint. ---
  const char* lineStyles[3] = {"QLabel { color: #f0d890; }", "QLabel { color: #c8ecb0; }",
                               "QLabel { color: #f4b4a0; }"};
  const char* lines[3] = {"Attackmsg", "MMessage", "Ymessage"};
  for (int i = 0; i < 3; ++i) {
    ClickLabel* line = bindLabel(lines[i], QRect(26, 304 + 26 * i, 748, 24), "message");
    line->setStyleSheet(lineStyles[i]);
  }
  auto* hint = bindLabel("Label1", QRect(12, 390, 776, 22), "note");
  hint->setAlignment(Qt::AlignCenter);

  // --- The commands. ---
  const char* commands[5] = {"Attack", "Flee", "Spell", "Potion", "RestoreSP"};
  for (int i = 0; i < 5; ++i) bindButton(commands[i], QRect(12 + 156 * i, 420, 152, 36));

  // --- The potion panel and its cover. ---
  Panel(c, QRect(12, 466, 776, 112),
        "QFrame { background: #2a2118; border: 1px solid #6b5430; border-radius: 4px; }");
  // Three potions on the first row, two and the cancel button on the second; each count stands
  // beside its potion.
  for (int kind = 1; kind <= 5; ++kind) {
    const int x = 24 + 256 * ((kind - 1) % 3);
    const int y = 480 + 46 * ((kind - 1) / 3);
    const std::string n = Str(kind);
    panel_.push_back(bindButton("P" + n, QRect(x, y, 192, 34)));
    QLabel* count = bindLabel("N" + n, QRect(x + 198, y + 5, 40, 24), "value");
    count->setAlignment(Qt::AlignCenter);
    count->setStyleSheet(
        "QLabel { background: #15110d; border: 1px solid #6b5430; border-radius: 4px; }");
    panel_.push_back(count);
  }
  panel_.push_back(bindButton("Command1", QRect(24 + 256 * 2, 526, 238, 34)));
  cover_ = new QFrame(c);
  cover_->setObjectName("HidePotions");
  cover_->setGeometry(12, 466, 776, 112);
  // The cover is a slab of the keep's stone laid over the potions.
  cover_->setStyleSheet(
      "QFrame#HidePotions { background-color: #2e2318; background-image: url(:/stone.png); "
      "border: 1px solid #6b5430; border-radius: 4px; }");
  cover_->raise();
}

void BattleWindow::sync() {
  ScreenWindow::sync();
  // The cover hides the whole panel: nothing of it can be seen or used while it lies there.
  const bool covered = battle_.HidePotions.visible;
  cover_->setVisible(covered);
  if (covered)
    for (QWidget* w : panel_) w->setVisible(false);
  // A boss stands out in red.
  const bool boss = battle_.Level.caption == "BOSS";
  const QString style = boss ? "QLabel { color: #ffd0c0; background: #7a1e14; border: 1px solid "
                               "#c0503a; border-radius: 4px; font-weight: bold; }"
                             : "QLabel { color: #e0c98f; background: #3a2c1e; border: 1px solid "
                               "#9a7a3a; border-radius: 4px; font-weight: bold; }";
  if (level_->styleSheet() != style) level_->setStyleSheet(style);
}

}  // namespace morvath
