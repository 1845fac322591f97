// The combat screen's help dialogs: every caption, value and gauge that explains itself.
#include <gtest/gtest.h>

#include "core/game.h"
#include "fight_setup.h"

namespace morvath::test {
namespace {

using Strings = std::vector<std::string>;

const std::string kUntitled = kGameTitle;

// What the dialogs show for the fight of fight_setup.h (Giant Snake at 40 of 80, damage 12,
// dexterity 2-1-1, 30 gold and 25 experience; the character at 50 of 100 and 10 of 20 points).
struct Expected {
  std::vector<const char*> controls;
  bool click;  // a single click (the gauges) rather than a double-click
  Strings boxes;
};

const std::vector<Expected>& Dialogs() {
  static const std::vector<Expected> all = {
      {{"HEALTHlbl", "MHP", "Slash1", "MMaxHP"},
       false,
       {"Health Help|The Giant Snake's health is 40/80. That means that it's current health is 40 "
        "and the max number it's health can be is 80."}},
      {{"Yourhealthlbl", "YHP", "Slash4", "YMaxHP"},
       false,
       {"Health Help|You health is 50/100. That means that your current health is 50 and the max "
        "number your health can be is 100."}},
      {{"SPELLPOINTSlbl", "YSP", "Slash5", "YMaxSP"},
       false,
       {"Spell Points Help|Your spell points are 10/20. That means that your current spell points "
        "are 10 and the max number your spell points can be is 20.",
        "Spell Points Help|You can get more spell points by clicking the button 'Restore 1 Spell "
        "Point' on the Combat Screen or by reviving them at the inn."}},
      {{"DAMAGElbl", "MDamage"},
       false,
       {kUntitled + "|The Giant Snake can deal a max damage of 12 to you if you have no defence."}},
      {{"DEXTERITYlbl", "MdexA", "Slash2", "MdexB", "Slash3", "MdexC"},
       false,
       {"Dexterity Help|The Giant Snake's dexterity is 2-1-1 (think of it as 2/4-1/4-1/4) so you "
        "have 2/4 chance of attacking first, 1/4 chance of missing it (you can't miss with "
        "spells) and it has 1/4 chance of missing you."}},
      {{"GOLDlbl", "MGold"},
       false,
       {"Gold Winnings|If you kill the Giant Snake you will get 30 gold."}},
      {{"EXPERIENCElbl", "MEXP"},
       false,
       {"Experience Winnings|If you kill the Giant Snake you will get 25 experience points."}},
      {{"WINNINGSlbl"},
       false,
       {"Winnings Help|If you kill the Giant Snake you will get 30 gold and 25 experience "
        "points."}},
      {{"STRENGTHlbl", "Strength", "WEAPONlbl", "Weapon", "TOTALDAMAGElbl", "MaxDamage"},
       false,
       {kUntitled +
        "|Strength + Weapon = Total Damage. Total Damage is the max amout of damage you can deal "
        "to an opponent (see menu HELP|Attack for more information)."}},
      {{"ARMORlbl", "Armor", "SHIELDlbl", "Shield", "TOTALDEFENCElbl", "MaxDefence"},
       false,
       {kUntitled +
        "|Armor + Shield = Total Defense. Your Total Defense will be subtracted from the amount "
        "of damage you opponent deals."}},
      {{"MHPGauge"}, true, {kUntitled + "|This tells you how much health your opponent has."}},
      {{"YHPGauge"}, true, {kUntitled + "|This tells you how much health you have."}},
  };
  return all;
}

TEST(CombatHelp, EveryControlOpensItsDialogAndChangesNothing) {
  Fight f;
  std::vector<Label> before(f.b.labels().begin(), f.b.labels().end());
  for (const Expected& dialog : Dialogs()) {
    for (const char* control : dialog.controls) {
      SCOPED_TRACE(control);
      f.h.dialogs.boxes.clear();
      if (dialog.click)
        f.b.click(control);
      else
        f.b.doubleClick(control);
      EXPECT_EQ(f.boxes(), dialog.boxes);
      for (const Box& box : f.h.dialogs.boxes) EXPECT_EQ(box.buttons, Buttons::Ok);
    }
  }
  EXPECT_EQ(f.h.random.draws, 0);
  ASSERT_EQ(f.b.labels().size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(f.b.labels()[i].caption, before[i].caption);
  EXPECT_TRUE(f.b.visible);
}

TEST(CombatHelp, ClickAndDoubleClickAreNotInterchangeable) {
  Fight f;
  f.b.doubleClick("MHPGauge");
  f.b.click("MHP");  // a value opens its dialog on a double-click only
  f.b.click("DEXTERITYlbl");
  EXPECT_TRUE(f.h.dialogs.boxes.empty());
}

TEST(CombatHelp, NamesMessagesAndCountsHaveNoDialog) {
  Fight f;
  for (const char* control :
       {"YName", "MName", "Level", "Attackmsg", "MMessage", "Ymessage", "N1", "N5", "Label1"}) {
    f.b.doubleClick(control);
    f.b.click(control);
  }
  EXPECT_TRUE(f.h.dialogs.boxes.empty());
}

TEST(CombatHelp, TheDialogsReadTheCurrentFigures) {
  Fight f;
  f.b.MHP.caption = "-5";
  f.b.MName.caption = "Chaos Creature";
  f.b.doubleClick("MHP");
  EXPECT_EQ(f.boxes(), Strings{"Health Help|The Chaos Creature's health is -5/80. That means that "
                               "it's current health is -5 and the max number it's health can be "
                               "is 80."});
}

TEST(CombatHelp, DexDialogShowsTheCaptionsNotTheDice) {
  Fight f;
  Fight::Dex(f.b.MdexA, "3", "3");
  Fight::Dex(f.b.MdexB, "0", "5");
  Fight::Dex(f.b.MdexC, "4", "1");
  f.b.DexDialog();
  f.b.doubleClick("Slash3");
  const std::string text =
      "Dexterity Help|The Giant Snake's dexterity is 3-0-4 (think of it as 3/4-0/4-4/4) so you "
      "have 3/4 chance of attacking first, 0/4 chance of missing it (you can't miss with spells) "
      "and it has 4/4 chance of missing you.";
  EXPECT_EQ(f.boxes(), (Strings{text, text}));
}

}  // namespace
}  // namespace morvath::test
