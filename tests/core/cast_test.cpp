// The spell window: the ten spells, their costs and effects, and the way back to the fight.
#include "combat/cast.h"

#include <gtest/gtest.h>

#include "core/game.h"
#include "core/text.h"
#include "fight_setup.h"

namespace morvath::test {
namespace {

using Strings = std::vector<std::string>;

// A fight with the spell window open, every spell known and points to spare.
struct SpellFight : Fight {
  Cast& cast;
  SpellFight() : cast(h.g().cast()) {
    for (const char* spell : Cast::kSpellButtons) cast.button(spell).enabled = true;
    b.YSP.caption = "100";
    b.MHP.caption = "1000";
    b.MMaxHP.caption = "1000";
    b.click("Spell");
  }
  // Back on an enabled, visible combat screen with the spell window gone and the command used.
  void expectBackInTheFightAfterACast() const {
    EXPECT_FALSE(cast.visible);
    EXPECT_TRUE(b.visible);
    EXPECT_TRUE(b.enabled);
    EXPECT_FALSE(b.Spell.enabled);
  }
};

TEST(Cast, DamageSpellsDrawTheirRangeAndReportIt) {
  struct Case {
    const char* button;
    double r;
    const char* damage;
    const char* text;
  };
  const Case cases[] = {
      {"SL1", 0.0, "5", "The spell of Wound dealt 5 damage to the Giant Snake"},
      {"SL1", 0.999, "10", "The spell of Wound dealt 10 damage to the Giant Snake"},
      {"S1", 0.999, "20", "The spell of Knives of Death dealt 20 damage to the Giant Snake"},
      {"SL2", 0.0, "15", "The spell Storm of Chaos dealt 15 damage to the Giant Snake"},
      {"SL2", 0.999, "30", "The spell Storm of Chaos dealt 30 damage to the Giant Snake"},
      {"S2", 0.999, "40", "The spell of Earth Slide dealt 40 damage to the Giant Snake"},
      {"SL3", 0.0, "40", "The spell of Fire Bolt dealt 40 damage to the Giant Snake"},
      {"SL3", 0.999, "80", "The spell of Fire Bolt dealt 80 damage to the Giant Snake"},
      {"SL5", 0.999, "150", "The spell of Elemental Blast dealt 150 damage to the Giant Snake"},
      {"S5", 0.0, "500", "The spell of Demonic Fireball dealt 500 damage to the Giant Snake"},
      {"S5", 0.999, "600", "The spell of Demonic Fireball dealt 600 damage to the Giant Snake"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.button << " R=" << c.r);
    SpellFight f;
    f.h.random.push({c.r});
    f.cast.click(c.button);
    EXPECT_EQ(f.b.Attackmsg.caption, c.text);
    EXPECT_EQ(f.b.MHP.caption, Str(1000 - Val(c.damage)));
    EXPECT_EQ(f.h.random.draws, 1);
    EXPECT_TRUE(f.h.dialogs.boxes.empty());  // the opponent does not answer a spell
    EXPECT_EQ(f.b.YHP.caption, "50");
    f.expectBackInTheFightAfterACast();
  }
}

TEST(Cast, EveryRowChargesTheCostItShows) {
  for (int row = 0; row < 10; ++row) {
    SCOPED_TRACE(Cast::kSpellButtons[row]);
    SpellFight f;
    f.h.random.push({0.5});
    f.cast.click(Cast::kSpellButtons[row]);
    EXPECT_EQ(f.b.YSP.caption, Str(100 - Val(f.cast.cost(row).caption)));
  }
}

TEST(Cast, ExactlyTheCostCastsDownToZero) {
  SpellFight f;
  f.b.YSP.caption = "60";
  f.h.random.push({0.0});
  f.cast.click("S5");
  EXPECT_EQ(f.b.YSP.caption, "0");
  EXPECT_EQ(f.b.MHP.caption, "500");
  f.expectBackInTheFightAfterACast();
}

TEST(Cast, TooFewPointsRefusesAndKeepsTheWindowOpen) {
  SpellFight f;
  f.b.YSP.caption = "24";
  f.cast.click("S3");
  EXPECT_EQ(f.boxes(), Strings{std::string(kGameTitle) +
                               "|You don't have enough spell points to cast Enchant Armor."});
  EXPECT_EQ(f.h.dialogs.last().buttons, Buttons::Ok);
  EXPECT_TRUE(f.cast.visible);
  EXPECT_FALSE(f.b.enabled);
  EXPECT_TRUE(f.b.Spell.enabled);
  EXPECT_EQ(f.b.YSP.caption, "24");
  EXPECT_EQ(f.b.MaxDefence.caption, "3");
  EXPECT_EQ(f.h.random.draws, 0);
}

TEST(Cast, DemonicFireballLeavesTheOpponentFarBelowZero) {
  SpellFight f;
  f.b.MHP.caption = "10";
  f.b.MMaxHP.caption = "10";
  f.h.random.push({0.0});
  f.cast.click("S5");
  EXPECT_EQ(f.b.MHP.caption, "-490");
  EXPECT_EQ(f.b.YSP.caption, "40");
}

TEST(Cast, DrainHealthHealsWhatRoomThereIsAndHurtsInFull) {
  struct Case {
    const char* hp;
    const char* maxHp;
    double r;
    const char* hpAfter;
    const char* text;
    const char* mhpAfter;
  };
  const Case cases[] = {
      {"100", "100", 0.0, "100",
       "The spell of Drain Health dealt 50 damage to the Giant Snake and healed you for 0", "950"},
      {"95", "100", 0.0, "100",
       "The spell of Drain Health dealt 50 damage to the Giant Snake and healed you for 5", "950"},
      {"10", "100", 0.999, "100",
       "The spell of Drain Health dealt 150 damage to the Giant Snake and healed you for 90",
       "850"},
      {"10", "500", 0.999, "160",
       "The spell of Drain Health dealt 150 damage to the Giant Snake and healed you for 150",
       "850"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    SpellFight f;
    f.b.YHP.caption = c.hp;
    f.b.YMaxHP.caption = c.maxHp;
    f.h.random.push({c.r});
    f.cast.click("S4");
    EXPECT_EQ(f.b.YHP.caption, c.hpAfter);
    EXPECT_EQ(f.b.Attackmsg.caption, c.text);
    EXPECT_EQ(f.b.MHP.caption, c.mhpAfter);
    EXPECT_EQ(f.b.YSP.caption, "70");
  }
}

TEST(Cast, TerrorLowersTheDamageButNeverBelowZero) {
  SpellFight f;
  f.b.MDamage.caption = "40";
  f.h.random.push({99.5 / 150});  // draws 100
  f.cast.click("SL4");
  EXPECT_EQ(f.b.MDamage.caption, "0");
  EXPECT_EQ(f.b.Attackmsg.caption, "The spell of Terror lowered the Giant Snake's damage by 40");
  EXPECT_EQ(f.b.MHP.caption, "1000");
  EXPECT_EQ(f.b.YSP.caption, "75");

  SpellFight g;
  g.b.MDamage.caption = "200";
  g.h.random.push({0.0});  // draws 1
  g.cast.click("SL4");
  EXPECT_EQ(g.b.MDamage.caption, "199");
  EXPECT_EQ(g.b.Attackmsg.caption, "The spell of Terror lowered the Giant Snake's damage by 1");
}

TEST(Cast, EnchantArmorAddsFiftyEachTimeWithoutADraw) {
  SpellFight f;
  f.cast.click("S3");
  EXPECT_EQ(f.b.MaxDefence.caption, "53");
  EXPECT_EQ(f.b.Attackmsg.caption, "Your defence was raised by 50");
  f.expectBackInTheFightAfterACast();
  f.b.Spell.enabled = true;  // as the next attack round does
  f.b.click("Spell");
  f.cast.click("S3");
  EXPECT_EQ(f.b.MaxDefence.caption, "103");
  EXPECT_EQ(f.b.YSP.caption, "50");
  EXPECT_EQ(f.b.Armor.caption, "2");
  EXPECT_EQ(f.b.Shield.caption, "1");
  EXPECT_EQ(f.h.random.draws, 0);
}

TEST(Cast, CancelSpendsNothingAndLeavesCastingOpen) {
  SpellFight f;
  f.cast.click("Command1");
  EXPECT_FALSE(f.cast.visible);
  EXPECT_TRUE(f.b.visible);
  EXPECT_TRUE(f.b.enabled);
  EXPECT_TRUE(f.b.Spell.enabled);
  EXPECT_EQ(f.b.YSP.caption, "100");
  EXPECT_EQ(f.b.Attackmsg.caption, "");
  EXPECT_EQ(f.h.random.draws, 0);
  EXPECT_TRUE(f.h.dialogs.boxes.empty());
}

TEST(Cast, TheCloseBoxAsksTheExitQuestion) {
  SpellFight f;
  f.h.dialogs.answers = {Answer::No};
  f.cast.closeBox();
  ASSERT_EQ(f.h.dialogs.boxes.size(), 1u);
  EXPECT_EQ(f.h.dialogs.last().title, "Exit?");
  EXPECT_TRUE(f.cast.visible);
  EXPECT_FALSE(f.h.g().ended());
}

TEST(Cast, SpellsStartUnknownAndTheWindowListsThemInRows) {
  Harness h;
  Cast& cast = h.g().cast();
  EXPECT_EQ(cast.title(), "Spell Cast");
  for (const char* spell : Cast::kSpellButtons) EXPECT_FALSE(cast.button(spell).enabled);
  EXPECT_EQ(cast.button("SL2").caption, "Storm of Chaos");
  EXPECT_EQ(cast.effect(2).caption, "15-30");
  EXPECT_EQ(cast.button("S4").caption, "Drain Health");
  EXPECT_EQ(cast.effect(7).caption, "Steals 50-150 of your opponents health");
  EXPECT_EQ(cast.Command1.caption, "&Cancel Spell");
}

}  // namespace
}  // namespace morvath::test
