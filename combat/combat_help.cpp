// The combat screen explains its own figures: double-click a caption or value, click a gauge.
// Every dialog is one row of the table below; the dialogs only read the screen.
#include <initializer_list>
#include <string>
#include <vector>

#include "combat/battle.h"
#include "core/game.h"

namespace morvath {
namespace {

constexpr const char* kDexterityTitle = "Dexterity Help";

// The dexterity of the opponent as the player sees it: the three chances out of four.
std::string DexterityText(const Battle& b) {
  const std::string& a = b.MdexA.caption;
  const std::string& m = b.MdexB.caption;
  const std::string& c = b.MdexC.caption;
  const std::string first = a + "-" + m + "-" + c;
  const std::string second = a + "/4-" + m + "/4-" + c + "/4";
  return "The " + b.MName.caption + "'s dexterity is " + first + " (think of it as " + second +
         ") so you have " + a + "/4 chance of attacking first, " + m +
         "/4 chance of missing it (you can't miss with spells) and it has " + c +
         "/4 chance of missing you.";
}

enum class Event { DoubleClick, Click };

// One help dialog: the controls that open it, its title, and the texts of its boxes (shown one
// after the other).
struct HelpDialog {
  std::vector<const char*> controls;
  Event event;
  const char* title;
  std::vector<std::string> (*texts)(const Battle&);
};

const std::vector<HelpDialog>& HelpDialogs() {
  using Texts = std::vector<std::string>;
  static const std::vector<HelpDialog> dialogs = {
      {{"HEALTHlbl", "MHP", "Slash1", "MMaxHP"},
       Event::DoubleClick,
       "Health Help",
       [](const Battle& b) {
         const std::string& hp = b.MHP.caption;
         const std::string& max = b.MMaxHP.caption;
         return Texts{"The " + b.MName.caption + "'s health is " + hp + "/" + max +
                      ". That means that it's current health is " + hp +
                      " and the max number it's health can be is " + max + "."};
       }},
      {{"Yourhealthlbl", "YHP", "Slash4", "YMaxHP"},
       Event::DoubleClick,
       "Health Help",
       [](const Battle& b) {
         const std::string& hp = b.YHP.caption;
         const std::string& max = b.YMaxHP.caption;
         return Texts{"You health is " + hp + "/" + max +
                      ". That means that your current health is " + hp +
                      " and the max number your health can be is " + max + "."};
       }},
      {{"SPELLPOINTSlbl", "YSP", "Slash5", "YMaxSP"},
       Event::DoubleClick,
       "Spell Points Help",
       [](const Battle& b) {
         const std::string& sp = b.YSP.caption;
         const std::string& max = b.YMaxSP.caption;
         return Texts{"Your spell points are " + sp + "/" + max +
                          ". That means that your current spell points are " + sp +
                          " and the max number your spell points can be is " + max + ".",
                      "You can get more spell points by clicking the button 'Restore 1 Spell "
                      "Point' on the Combat Screen or by reviving them at the inn."};
       }},
      {{"DAMAGElbl", "MDamage"},
       Event::DoubleClick,
       kGameTitle,
       [](const Battle& b) {
         return Texts{"The " + b.MName.caption + " can deal a max damage of " + b.MDamage.caption +
                      " to you if you have no defence."};
       }},
      {{"DEXTERITYlbl", "MdexA", "Slash2", "MdexB", "Slash3", "MdexC"},
       Event::DoubleClick,
       kDexterityTitle,
       [](const Battle& b) { return Texts{DexterityText(b)}; }},
      {{"GOLDlbl", "MGold"},
       Event::DoubleClick,
       "Gold Winnings",
       [](const Battle& b) {
         return Texts{"If you kill the " + b.MName.caption + " you will get " + b.MGold.caption +
                      " gold."};
       }},
      {{"EXPERIENCElbl", "MEXP"},
       Event::DoubleClick,
       "Experience Winnings",
       [](const Battle& b) {
         return Texts{"If you kill the " + b.MName.caption + " you will get " + b.MEXP.caption +
                      " experience points."};
       }},
      {{"WINNINGSlbl"},
       Event::DoubleClick,
       "Winnings Help",
       [](const Battle& b) {
         return Texts{"If you kill the " + b.MName.caption + " you will get " + b.MGold.caption +
                      " gold and " + b.MEXP.caption + " experience points."};
       }},
      {{"STRENGTHlbl", "Strength", "WEAPONlbl", "Weapon", "TOTALDAMAGElbl", "MaxDamage"},
       Event::DoubleClick,
       kGameTitle,
       [](const Battle&) {
         return Texts{
             "Strength + Weapon = Total Damage. Total Damage is the max amout of damage "
             "you can deal to an opponent (see menu HELP|Attack for more information)."};
       }},
      {{"ARMORlbl", "Armor", "SHIELDlbl", "Shield", "TOTALDEFENCElbl", "MaxDefence"},
       Event::DoubleClick,
       kGameTitle,
       [](const Battle&) {
         return Texts{
             "Armor + Shield = Total Defense. Your Total Defense will be subtracted "
             "from the amount of damage you opponent deals."};
       }},
      {{"MHPGauge"},
       Event::Click,
       kGameTitle,
       [](const Battle&) { return Texts{"This tells you how much health your opponent has."}; }},
      {{"YHPGauge"},
       Event::Click,
       kGameTitle,
       [](const Battle&) { return Texts{"This tells you how much health you have."}; }},
  };
  return dialogs;
}

}  // namespace

void Battle::registerHelp() {
  for (const HelpDialog& dialog : HelpDialogs()) {
    auto show = [this, &dialog] {
      for (const std::string& text : dialog.texts(*this)) game_.msg(text, dialog.title);
    };
    for (const char* control : dialog.controls) {
      if (dialog.event == Event::Click)
        onClick(control, show);
      else
        onDoubleClick(control, show);
    }
  }
}

void Battle::DexDialog() {
  game_.msg(DexterityText(*this), kDexterityTitle);
}

}  // namespace morvath
