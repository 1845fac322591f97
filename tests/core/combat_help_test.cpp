// The combat screen's help dialogs: every caption, value and gauge that explains itself.
#include <gtest/gtest.h>

#include <deque>
#include <utility>

#include "fight_setup.h"

namespace morvath::test {
namespace {

using Strings = std::vector<std::string>;

const std::string kUntitled = std::string(kGameTitle) + "|";

TEST(CombatHelp, EveryControlOpensItsDialogAndChangesNothing) {
  // Controls ("!" first: a single click) and the boxes they show for the fight of fight_setup.h.
  const std::vector<std::pair<Strings, Strings>> dialogs = {
      {{"HEALTHlbl", "MHP", "Slash1", "MMaxHP"},
       {"Health Help|The Giant Snake's health is 40/80. That means that it's current health is 40 "
        "and the max number it's health can be is 80."}},
      {{"Yourhealthlbl", "YHP", "Slash4", "YMaxHP"},
       {"Health Help|You health is 50/100. That means that your current health is 50 and the max "
        "number your health can be is 100."}},
      {{"SPELLPOINTSlbl", "YSP", "Slash5", "YMaxSP"},
       {"Spell Points Help|Your spell points are 10/20. That means that your current spell points "
        "are 10 and the max number your spell points can be is 20.",
        "Spell Points Help|You can get more spell points by clicking the button 'Restore 1 Spell "
        "Point' on the Combat Screen or by reviving them at the inn."}},
      {{"DAMAGElbl", "MDamage"},
       {kUntitled + "The Giant Snake can deal a max damage of 12 to you if you have no defence."}},
      {{"DEXTERITYlbl", "MdexA", "Slash2", "MdexB", "Slash3", "MdexC"},
       {"Dexterity Help|The Giant Snake's dexterity is 2-1-1 (think of it as 2/4-1/4-1/4) so you "
        "have 2/4 chance of attacking first, 1/4 chance of missing it (you can't miss with "
        "spells) and it has 1/4 chance of missing you."}},
      {{"GOLDlbl", "MGold"}, {"Gold Winnings|If you kill the Giant Snake you will get 30 gold."}},
      {{"EXPERIENCElbl", "MEXP"},
       {"Experience Winnings|If you kill the Giant Snake you will get 25 experience points."}},
      {{"WINNINGSlbl"},
       {"Winnings Help|If you kill the Giant Snake you will get 30 gold and 25 experience "
        "points."}},
      {{"STRENGTHlbl", "Strength", "WEAPONlbl", "Weapon", "TOTALDAMAGElbl", "MaxDamage"},
       {kUntitled +
        "Strength + Weapon = Total Damage. Total Damage is the max amout of damage you can deal "
        "to an opponent (see menu HELP|Attack for more information)."}},
      {{"ARMORlbl", "Armor", "SHIELDlbl", "Shield", "TOTALDEFENCElbl", "MaxDefence"},
       {kUntitled +
        "Armor + Shield = Total Defense. Your Total Defense will be subtracted from the amount "
        "of damage you opponent deals."}},
      {{"!MHPGauge"}, {kUntitled + "This tells you how much health your opponent has."}},
      {{"!YHPGauge"}, {kUntitled + "This tells you how much health you have."}},
      // Names, messages, counts and the hint have none; nor do the values on a single click.
      {{"YName", "MName", "Level", "Attackmsg", "N1", "Label1", "!MHP", "!DEXTERITYlbl"}, {}},
  };
  Fight f;
  f.b.Attackmsg.caption = "You attacked first";
  const std::deque<Label> before = f.b.labels();
  for (const auto& [controls, boxes] : dialogs) {
    for (const std::string& control : controls) {
      f.h.dialogs.boxes.clear();
      if (control[0] == '!')
        f.b.click(control.substr(1));
      else
        f.b.doubleClick(control);
      EXPECT_EQ(f.boxes(), boxes) << control;
    }
  }
  for (size_t i = 0; i < before.size(); ++i)
    EXPECT_EQ(f.b.labels()[i].caption, before[i].caption) << before[i].name;
  EXPECT_EQ(f.h.random.draws, 0);
}

TEST(CombatHelp, NegativeHealthAndOtherDexterityAsShown) {
  Fight f;
  f.b.MHP.caption = "-5";
  f.b.doubleClick("MHP");
  Fight::Dex(f.b.MdexA, "3", "3");
  Fight::Dex(f.b.MdexB, "0", "5");
  f.b.DexDialog();
  EXPECT_EQ(f.boxes(),
            (Strings{"Health Help|The Giant Snake's health is -5/80. That means that it's current "
                     "health is -5 and the max number it's health can be is 80.",
                     "Dexterity Help|The Giant Snake's dexterity is 3-0-1 (think of it as "
                     "3/4-0/4-1/4) so you have 3/4 chance of attacking first, 0/4 chance of "
                     "missing it (you can't miss with spells) and it has 1/4 chance of missing "
                     "you."}));
}

}  // namespace
}  // namespace morvath::test
