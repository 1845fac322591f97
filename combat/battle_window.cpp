#include "combat/battle_window.h"

#include <QPushButton>
#include <utility>

#include "app/layout_scale.h"
#include "app/theme.h"
#include "core/text.h"

namespace morvath {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 588;

// The words a double-click explains are drawn in their own colour, as the hint line promises;
// the slashes and dashes between figures explain them too, coloured but not underlined.
void MarkExplained(QLabel* label, bool underline) {
  SetTextColor(label, QColor(0x7fc4e8));
  QFont font = label->font();
  font.setBold(true);
  font.setUnderline(underline);
  label->setFont(font);
}

BoxLook Box(QBrush fill, QRgb border, int borderWidth, qreal radius) {
  BoxLook look;
  look.fill = std::move(fill);
  look.border = QColor(border);
  look.borderWidth = borderWidth;
  look.radius = radius;
  return look;
}

Panel* AddPanel(QWidget* parent, QRect geometry, const BoxLook& look) {
  auto* panel = new Panel(look, parent);
  panel->setGeometry(Scaled(geometry));
  return panel;
}

// The two sides of the fight stand on dark boards that fade towards the bottom.
BoxLook SideLook() {
  QLinearGradient fade(0, 0, 0, 1);
  fade.setCoordinateMode(QGradient::ObjectBoundingMode);
  fade.setColorAt(0, QColor(0x2d251c));
  fade.setColorAt(1, QColor(0x231c15));
  return Box(fade, 0x6b5430, 1, 6);
}

// A thin rule between groups of figures.
BoxLook RuleLook() {
  BoxLook look;
  look.fill = QColor(0x6b5430);
  return look;
}

// The opponent's level; a boss stands out in red.
BoxLook LevelLook(bool boss) {
  return boss ? Box(QColor(0x7a1e14), 0xc0503a, 1, 4) : Box(QColor(0x3a2c1e), 0x9a7a3a, 1, 4);
}

}  // namespace

BattleWindow::BattleWindow(Frontend& frontend, Battle& battle)
    : ScreenWindow(frontend, battle, QSize(kWidth, kHeight)), battle_(battle) {
  QWidget* c = canvas();
  // Frames first, so that everything placed afterwards stands on them.
  AddPanel(c, QRect(12, 10, 380, 278), SideLook());
  AddPanel(c, QRect(404, 10, 384, 278), SideLook());
  AddPanel(c, QRect(414, 50, 164, 164), Box(QColor(0x15110d), 0x9a7a3a, 2, 3));
  AddPanel(c, QRect(12, 298, 776, 86), Box(QColor(0x2a2118), 0x9a7a3a, 1, 4));

  // --- The commands, and the potion panel under its cover. ---
  // Built before the figures, so that Tab meets the commands first, then the captions and
  // figures that explain themselves (Return or Space on one explains it, as a double-click does).
  const char* commands[5] = {"Attack", "Flee", "Spell", "Potion", "RestoreSP"};
  for (int i = 0; i < 5; ++i) bindButton(commands[i], QRect(12 + 156 * i, 420, 152, 36));

  AddPanel(c, QRect(12, 466, 776, 112), Box(QColor(0x2a2118), 0x6b5430, 1, 4));
  // Three potions on the first row, two and the cancel button on the second; each count stands
  // beside its potion.
  for (int kind = 1; kind <= 5; ++kind) {
    const int x = 24 + 256 * ((kind - 1) % 3);
    const int y = 480 + 46 * ((kind - 1) / 3);
    const std::string n = Str(kind);
    panel_.push_back(bindButton("P" + n, QRect(x, y, 192, 34)));
    ClickLabel* count = bindLabel("N" + n, QRect(x + 198, y + 5, 40, 24), "value");
    count->setAlignment(Qt::AlignCenter);
    count->setBox(Box(QColor(0x15110d), 0x6b5430, 1, 4));
    panel_.push_back(count);
  }
  panel_.push_back(bindButton("Command1", QRect(24 + 256 * 2, 526, 238, 34)));

  auto help = [this](const std::string& name, QRect r, Qt::Alignment align = Qt::AlignLeft) {
    ClickLabel* label = bindLabel(name, r, "caption");
    MarkExplained(label, true);
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
    MarkExplained(label, false);
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
  AddPanel(c, QRect(26, 144, 352, 1), RuleLook());
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
  AddPanel(c, QRect(26, 208, 166, 1), RuleLook());
  AddPanel(c, QRect(212, 208, 160, 1), RuleLook());

  // --- The opponent. ---
  bindLabel("MName", QRect(418, 16, 260, 32), "heading");
  level_ = bindLabel("Level", QRect(684, 20, 92, 24), "value");
  level_->setAlignment(Qt::AlignCenter);
  showLevel(false);
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
  AddPanel(c, QRect(592, 120, 184, 1), RuleLook());
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
  // Who struck first in straw, the hero's blow in green, the opponent's in red.
  const QRgb lineColours[3] = {0xf0d890, 0xc8ecb0, 0xf4b4a0};
  const char* lines[3] = {"Attackmsg", "MMessage", "Ymessage"};
  for (int i = 0; i < 3; ++i) {
    ClickLabel* line = bindLabel(lines[i], QRect(26, 304 + 26 * i, 748, 24), "message");
    SetTextColor(line, QColor(lineColours[i]));
  }
  auto* hint = bindLabel("Label1", QRect(12, 390, 776, 22), "note");
  hint->setAlignment(Qt::AlignCenter);

  // The cover is a slab of the keep's stone laid over the potions.
  BoxLook slab = Box(QColor(0x2e2318), 0x6b5430, 1, 4);
  slab.texture = QPixmap::fromImage(LoadArt(":/stone.png"));
  cover_ = AddPanel(c, QRect(12, 466, 776, 112), slab);
  cover_->setObjectName("HidePotions");
  cover_->raise();

  // What a screen reader hears: the opponent, the three message lines, then both sides' health
  // (which name the gauges), and the potions offered while the panel is uncovered, each with its
  // count (which its button says too).
  using Kind = SpokenRow::Kind;
  std::vector<SpokenRow> spoken = {
      Row("opponent", Kind::Heading, {Field("MName"), Words(", "), Field("Level")}),
      Row("Attackmsg", Kind::News, {Field("Attackmsg")}),
      Row("MMessage", Kind::News, {Field("MMessage")}),
      Row("Ymessage", Kind::News, {Field("Ymessage")}),
      Row("YHP", Kind::Status,
          {Words("Your health "), Field("YHP"), Words(" of "), Field("YMaxHP")})
          .naming("YHPGauge"),
      Row("MHP", Kind::Status,
          {Words("Health of the "), Field("MName"), Words(" "), Field("MHP"), Words(" of "),
           Field("MMaxHP")})
          .naming("MHPGauge"),
  };
  for (int kind = 1; kind <= 5; ++kind) {
    const std::string potion = "P" + Str(kind);
    const std::string count = "N" + Str(kind);
    spoken.push_back(
        Row(potion, Kind::Heading, {Field(potion), Words(", "), Field(count), Words(" left")})
            .shownWith({"!HidePotions", potion}));
    spoken.push_back(Row(count, Kind::Silent, {Field(count), Words(" left")})
                         .naming(potion, SpokenRow::Names::Description));
  }
  for (const std::string& name : Battle::MonsterPictures())
    spoken.push_back(Row(name, Kind::Silent, {Words("the "), Field("MName")}).naming(name));
  speakOnly(std::move(spoken));
}

void BattleWindow::sync() {
  ScreenWindow::sync();
  // The cover hides the whole panel: nothing of it can be seen or used while it lies there.
  const bool covered = battle_.HidePotions.visible;
  cover_->setVisible(covered);
  if (covered)
    for (QWidget* w : panel_) w->setVisible(false);
  const bool boss = battle_.opponentIsBoss();
  if (boss != levelIsBoss_) showLevel(boss);
}

void BattleWindow::showLevel(bool boss) {
  levelIsBoss_ = boss;
  level_->setBox(LevelLook(boss));
  SetTextColor(level_, QColor(boss ? 0xffd0c0 : 0xe0c98f));
}

}  // namespace morvath
