// The combat commands besides Attack: fleeing, the potion panel and restoring a spell point.
// The opponent's die is scripted so that the cases hold whether or not it takes a draw.
#include <gtest/gtest.h>

#include "combat/dead.h"
#include "core/text.h"
#include "fight_setup.h"

namespace morvath::test {
namespace {

using Strings = std::vector<std::string>;

TEST(Flee, ADrawOfOnePaysTheFightQuietlyWithoutALevel) {
  Fight f;
  Character& c = f.h.g().ch();
  c.NextLevel = "10";
  f.b.YSP.caption = "0";
  f.b.Spell.enabled = false;
  f.b.HidePotions.visible = false;
  f.h.random.push({0.16});
  f.b.click("Flee");
  EXPECT_EQ((Strings{c.Kills, c.Gold, c.Exp, c.NextLevel, c.Level, c.HP, c.SP}),
            (Strings{"1", "130", "25", "-15", "1", "50", "2"}));
  EXPECT_TRUE(f.h.dialogs.boxes.empty());
  EXPECT_EQ(f.h.random.draws, 1);
  EXPECT_TRUE(f.b.Spell.enabled);
  EXPECT_TRUE(f.b.HidePotions.visible);
}

TEST(Flee, DrawsOfTwoToSixAreBlocked) {
  for (int e = 2; e <= 6; ++e) {
    Fight f;
    f.alwaysMisses();
    f.b.Attackmsg.caption = "You attacked first";
    f.h.random.roll(e, 6);
    f.h.random.push({0.5});
    f.b.click("Flee");
    EXPECT_EQ(f.b.MMessage.caption, "The monster blocked you so you couldn't escape") << e;
    EXPECT_EQ(f.b.Attackmsg.caption, "");
    EXPECT_EQ(f.h.g().ch().Gold, "100");
    EXPECT_TRUE(f.b.visible && f.h.dialogs.boxes.empty());
  }
}

TEST(Flee, GuardsTheMorvathAndBossesBlockAtNoCost) {
  const char* cases[][3] = {
      {"Demon Guard 2", "Guard", "The Demon Guard easily blocks your escape."},
      {"Morvath", "BOSS", "The Morvath creates a wall of fire to block your escape."},
      {"Lord of Chaos", "BOSS", "The Lord of Chaos easily blocks your escape."}};
  for (auto& [name, level, text] : cases) {
    Fight f;
    f.b.MName.caption = name;
    f.b.Level.caption = level;
    f.b.Spell.enabled = false;
    f.b.HidePotions.visible = false;
    f.b.click("Flee");
    EXPECT_EQ(f.boxes(), Strings{std::string("You can't escape|") + text});
    EXPECT_EQ(f.h.random.draws, 0);
    EXPECT_FALSE(f.b.Spell.enabled);
    EXPECT_TRUE(f.b.HidePotions.visible);
  }
}

TEST(Flee, BlockedAtOneHealthLivesAtZeroDiesWithoutDeathMusic) {
  for (const char* hp : {"1", "0"}) {
    Fight f;
    f.alwaysMisses();
    f.b.YHP.caption = hp;
    f.h.random.push({0.5, 0.5});
    f.b.click("Flee");
    const bool dies = hp == std::string("0");
    EXPECT_EQ(f.boxes(), dies ? Strings{kDied} : Strings{});
    EXPECT_EQ(f.h.g().dead().visible, dies);
    EXPECT_EQ(f.b.visible, !dies);
    EXPECT_TRUE(f.h.music.log.empty());
  }
}

TEST(Potions, NoneOwnedOrOnlySomeKinds) {
  Fight f;
  f.b.click("Potion");
  EXPECT_EQ(f.boxes(), Strings{std::string(kGameTitle) + "|You don't own any potions."});
  EXPECT_TRUE(f.b.HidePotions.visible);
  f.b.N3.caption = "2";
  f.b.click("Potion");
  EXPECT_FALSE(f.b.HidePotions.visible);
  for (int kind = 1; kind <= 5; ++kind) {
    EXPECT_EQ(f.b.potionButton(kind).visible, kind == 3) << kind;
    EXPECT_EQ(f.b.potionCount(kind).visible, kind == 3) << kind;
  }
  f.b.click("Command1");
  EXPECT_TRUE(f.b.HidePotions.visible);
  EXPECT_EQ(f.b.N3.caption, "2");
}

TEST(Potions, EachKindHealsItsRangeUpToTheMaximum) {
  // kind, draw, health before, health after, heal reported
  const struct {
    int kind;
    double r;
    const char *hp, *after, *heal;
  } cases[] = {
      {1, 0.0, "1", "9", "8"},    {1, 0.999, "1", "15", "14"},   {2, 0.999, "1", "30", "29"},
      {3, 0.0, "1", "31", "30"},  {4, 0.999, "1", "120", "119"}, {1, 0.999, "95", "100", "5"},
      {4, 0.0, "95", "100", "5"}, {1, 0.0, "100", "100", "0"},   {3, 0.0, "100", "100", "0"}};
  for (const auto& c : cases) {
    Fight f;
    f.b.YMaxHP.caption = Val(c.hp) == 1 ? "500" : "100";
    f.b.YHP.caption = c.hp;
    f.b.potionCount(c.kind).caption = "3";
    f.b.click("Potion");
    f.h.random.push({c.r});
    f.b.click("Potion");
    f.b.click("P" + std::to_string(c.kind));
    EXPECT_EQ(f.b.YHP.caption, c.after) << c.kind << " " << c.r << " " << c.hp;
    EXPECT_EQ(f.b.Attackmsg.caption, std::string("You heal yourself for ") + c.heal);
    EXPECT_EQ(f.b.potionCount(c.kind).caption, "2");
    EXPECT_TRUE(f.b.HidePotions.visible);
  }
}

TEST(Potions, HealAllTakesNoDraw) {
  Fight f;
  f.b.N5.caption = "4";
  f.b.YHP.caption = "3";
  f.b.click("Potion");
  f.b.click("P5");
  EXPECT_EQ(f.b.YHP.caption, "100");
  EXPECT_EQ(f.b.Attackmsg.caption, "You were healed totaly");
  EXPECT_EQ(f.b.N5.caption, "3");
  EXPECT_EQ(f.h.random.draws, 0);
}

TEST(Potions, ACoveredPanelOrAnEmptyKindDrinksNothing) {
  Fight f;
  f.b.N2.caption = "1";
  f.b.YHP.caption = "3";
  f.b.click("P2");  // the panel is still covered
  EXPECT_EQ(f.b.N2.caption, "1");
  f.b.click("Potion");
  f.b.click("P1");  // none of that kind
  EXPECT_EQ(f.b.N1.caption, "0");
  EXPECT_EQ(f.b.YHP.caption, "3");
  EXPECT_EQ(f.h.random.draws, 0);
}

TEST(Potions, TheLastPotionIsHiddenAtOnceAndNotOfferedAgain) {
  Fight f;
  f.b.N4.caption = "1";
  f.b.N1.caption = "1";
  f.b.click("Potion");
  f.h.random.push({0.0});
  f.b.click("P4");
  EXPECT_EQ(f.b.N4.caption, "0");
  EXPECT_FALSE(f.b.P4.visible);
  f.b.click("Potion");
  EXPECT_FALSE(f.b.P4.visible || f.b.N4.visible);
  EXPECT_TRUE(f.b.P1.visible && f.b.N1.visible);
}

TEST(RestoreSpellPoint, AMissRestoresNothingAndUsesTheCommand) {
  Fight f;
  Fight::Dex(f.b.MdexC, "3", "4");
  f.b.Spell.enabled = false;
  f.h.random.push({0.9});  // rolls 4
  f.b.click("RestoreSP");
  EXPECT_EQ(f.b.Ymessage.caption, "The Giant Snake missed you");
  EXPECT_EQ((Strings{f.b.YSP.caption, f.h.g().ch().SP, f.b.YHP.caption}),
            (Strings{"10", "2", "50"}));
  EXPECT_FALSE(f.b.RestoreSP.enabled);
  EXPECT_TRUE(f.b.Spell.enabled);
}

TEST(RestoreSpellPoint, TheBlowMeetsARolledDefence) {
  // MDamage, MaxDefence, YSP; then YHP, damage reported, YSP and the record's SP after.
  const char* cases[][7] = {
      {"20", "10", "10", "44", "6", "11", "3"},  // Int(20 * .5 + 1) - Int(10 * .5)
      {"2", "30", "10", "50", "0", "11", "3"},   // never below 0
      {"20", "0", "20", "39", "11", "20", "2"},  // already at the max
  };
  for (auto& [damage, defence, sp, hp, dealt, spAfter, record] : cases) {
    Fight f;
    f.neverMisses();
    f.b.MDamage.caption = damage;
    f.b.MaxDefence.caption = defence;
    f.b.YSP.caption = sp;
    f.h.random.push({0.5, 0.5, 0.5});
    f.b.click("RestoreSP");
    EXPECT_EQ(f.b.YHP.caption, hp);
    EXPECT_EQ(f.b.Ymessage.caption,
              std::string("The Giant Snake dealt ") + dealt + " damage to you");
    EXPECT_EQ(f.b.YSP.caption, spAfter);
    EXPECT_EQ(f.h.g().ch().SP, record);
    EXPECT_EQ(f.b.Attackmsg.caption,
              std::string(sp) == "20"
                  ? "You restore 0 spell points because you are already at the max"
                  : "You restore 1 spell point");
  }
}

TEST(RestoreSpellPoint, AKillingBlowGoesToTheDeathScreenWithoutMusic) {
  Fight f;
  f.neverMisses();
  f.b.YHP.caption = "3";
  f.b.MDamage.caption = "100";
  f.h.random.push({0.5, 0.5, 0.5});
  f.b.click("RestoreSP");
  EXPECT_EQ(f.b.YHP.caption, "-47");
  EXPECT_EQ(f.boxes(), Strings{kDied});
  EXPECT_TRUE(f.h.g().dead().visible && !f.b.visible);
  EXPECT_EQ(f.b.YSP.caption, "10");
  EXPECT_EQ(f.b.Attackmsg.caption, "");
  EXPECT_TRUE(f.h.music.log.empty());
}

}  // namespace
}  // namespace morvath::test
