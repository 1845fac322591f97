#include "town/magic_shop_window.h"

#include <QGroupBox>
#include <QPushButton>

namespace morvath {
namespace {

constexpr int kWidth = 620;
constexpr int kRowHeight = 30;
constexpr int kBoxLeft = 14;
constexpr int kBoxWidth = 500;
constexpr int kButtonLeft = 30;
constexpr int kButtonWidth = 220;
constexpr int kEffectLeft = 266;
constexpr int kEffectWidth = 240;
constexpr int kCostLeft = 520;
constexpr int kCostWidth = 84;

constexpr int kPotionBoxTop = 84;
constexpr int kPotionTop = kPotionBoxTop + 26;
constexpr int kNoteTop = kPotionTop + 5 * kRowHeight + 4;
constexpr int kPotionBoxHeight = kNoteTop + 44 - kPotionBoxTop;
constexpr int kSpellBoxTop = kPotionBoxTop + kPotionBoxHeight + 14;
constexpr int kSpellHeadingTop = kSpellBoxTop + 22;
constexpr int kSpellTop = kSpellHeadingTop + 26;
constexpr int kSpellBoxHeight = kSpellTop + 5 * kRowHeight + 8 - kSpellBoxTop;
constexpr int kExitTop = kSpellBoxTop + kSpellBoxHeight + 16;
constexpr int kHeight = kExitTop + 32 + 16;

}  // namespace

MagicShopWindow::MagicShopWindow(Frontend& frontend, MagicShop& shop)
    : ScreenWindow(frontend, shop, QSize(kWidth, kHeight)) {
  // The boxes stand behind the buttons and labels placed over them.
  auto* potions = new QGroupBox(QString::fromStdString(shop.lblPotions.caption), canvas());
  place(potions, QRect(kBoxLeft, kPotionBoxTop, kBoxWidth, kPotionBoxHeight));
  auto* spells = new QGroupBox(QString::fromStdString(shop.lblSpells.caption), canvas());
  place(spells, QRect(kBoxLeft, kSpellBoxTop, kBoxWidth, kSpellBoxHeight));

  bindLabel("Label1", QRect(0, 12, kWidth, 44), "title")->setAlignment(Qt::AlignCenter);
  bindLabel("lblCost", QRect(kCostLeft, kPotionBoxTop - 4, kCostWidth, 24), "caption")
      ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  int y = kPotionTop;
  for (const PotionForSale& potion : MagicShop::Potions()) {
    const std::string button = potion.button;
    bindButton(button, QRect(kButtonLeft, y, kButtonWidth, 26));
    // A screen reader says the potion's cost with its name.
    alsoSpeak(
        Row(button, SpokenRow::Kind::Silent, {Field("lblCost"), Words(" "), Field(button + "Cost")})
            .naming(button, SpokenRow::Names::Description));
    bindLabel(button + "Cost", QRect(kCostLeft, y, kCostWidth, 26), "value")
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    y += kRowHeight;
  }
  auto* note = bindLabel("lblNote", QRect(kButtonLeft, kNoteTop, kBoxWidth - 32, 40), "note");
  note->setWordWrap(true);

  bindLabel("lblEffect", QRect(kEffectLeft, kSpellHeadingTop, kEffectWidth, 24), "caption");
  y = kSpellTop;
  for (const SpellForSale& spell : MagicShop::Spells()) {
    const std::string button = spell.button;
    bindButton(button, QRect(kButtonLeft, y, kButtonWidth, 26));
    // A screen reader says the spell's effect and cost with its name.
    alsoSpeak(Row(button, SpokenRow::Kind::Silent,
                  {Field(button + "Effect"), Words(", "), Field("lblCost"), Words(" "),
                   Field(button + "Cost")})
                  .naming(button, SpokenRow::Names::Description));
    bindLabel(button + "Effect", QRect(kEffectLeft, y, kEffectWidth, 26), "value");
    bindLabel(button + "Cost", QRect(kCostLeft, y, kCostWidth, 26), "value")
        ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    y += kRowHeight;
  }
  bindButton("Exit", QRect((kWidth - 200) / 2, kExitTop, 200, 32));
}

}  // namespace morvath
