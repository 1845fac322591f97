#include "combat/cast_window.h"

#include <QPushButton>

#include "app/theme.h"

namespace morvath {
namespace {

// Columns, left to right: cost, spell button, effect.
constexpr int kMargin = 16;
constexpr int kCostWidth = 160;
constexpr int kButtonLeft = kMargin + kCostWidth + 12;
constexpr int kButtonWidth = 200;
constexpr int kEffectLeft = kButtonLeft + kButtonWidth + 16;
constexpr int kEffectWidth = 300;
constexpr int kWidth = kEffectLeft + kEffectWidth + kMargin;
constexpr int kFirstRow = 52;
constexpr int kRowHeight = 36;
constexpr int kCancelTop = kFirstRow + 10 * kRowHeight + 12;
constexpr int kHeight = kCancelTop + 34 + kMargin;

// The cost and effect of a spell not yet learnt are faded into the stone.
const QColor kUnknown(0x6b, 0x5f, 0x50);

}  // namespace

CastWindow::CastWindow(Frontend& frontend, Cast& cast)
    : ScreenWindow(frontend, cast, QSize(kWidth, kHeight)), cast_(cast) {
  bindLabel("SPELLPOINTSlbl", QRect(kMargin, 12, kCostWidth, 30), "heading")
      ->setAlignment(Qt::AlignCenter);
  bindLabel("DAMAGElbl", QRect(kEffectLeft, 12, kEffectWidth, 30), "heading")
      ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (int row = 0; row < 10; ++row) {
    const int top = kFirstRow + row * kRowHeight;
    rows_[row].cost = bindLabel(cast.cost(row).name, QRect(kMargin, top, kCostWidth, 30), "value");
    rows_[row].cost->setAlignment(Qt::AlignCenter);
    bindButton(Cast::kSpellButtons[row], QRect(kButtonLeft, top, kButtonWidth, 30));
    rows_[row].effect =
        bindLabel(cast.effect(row).name, QRect(kEffectLeft, top, kEffectWidth, 30), "caption");
    rows_[row].effect->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  bindButton("Command1", QRect((kWidth - 180) / 2, kCancelTop, 180, 34));

  // Nothing is announced but the buttons: each says its cost and its effect with its name, the
  // damage of a damaging spell under the column's "Damage", any other effect in its own words.
  std::vector<SpokenRow> spoken;
  for (int row = 0; row < 10; ++row) {
    const std::string effect = cast.effect(row).name;
    std::vector<SpokenRow::Part> parts = {Field(cast.cost(row).name), Words(" "),
                                          Field(cast.SPELLPOINTSlbl.name), Words(", ")};
    if (Cast::effectIsDamage(row))
      parts.insert(parts.end(), {Field(cast.DAMAGElbl.name), Words(" ")});
    parts.push_back(Field(effect));
    spoken.push_back(Row(effect, SpokenRow::Kind::Silent, std::move(parts))
                         .naming(Cast::kSpellButtons[row], SpokenRow::Names::Description));
  }
  speakOnly(std::move(spoken));
}

void CastWindow::sync() {
  ScreenWindow::sync();
  for (int row = 0; row < 10; ++row) {
    const bool known = cast_.button(Cast::kSpellButtons[row]).enabled;
    for (ClickLabel* label : {rows_[row].cost, rows_[row].effect}) {
      const QColor colour =
          known ? RoleColor(label->property("role").toByteArray().constData()) : kUnknown;
      if (label->palette().color(QPalette::WindowText) != colour) SetTextColor(label, colour);
    }
  }
}

}  // namespace morvath
