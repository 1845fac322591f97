// The combat commands besides Attack: fleeing, the potion panel and restoring a spell point.
#include <gtest/gtest.h>

#include "combat/cast.h"
#include "combat/dead.h"
#include "core/game.h"
#include "core/text.h"
#include "fight_setup.h"

namespace morvath::test {
namespace {

using Strings = std::vector<std::string>;

bool HeardDeathMusic(const RecordingMusic& music, const std::string& deathTune) {
  for (const std::string& entry : music.log)
    if (entry == "file=" + deathTune || entry == "play") return true;
  return false;
}

// --- Flee ---------------------------------------------------------------------------------------

TEST(Flee, ADrawOfOnePaysTheFightQuietlyWithoutALevel) {
  Fight f;
  Character& c = f.h.g().ch();
  c.NextLevel = "10";  // this escape makes a level due, but only the next win raises it
  f.b.YHP.caption = "7";
  f.b.YSP.caption = "0";  // spent in this fight; the record keeps its own
  f.b.Spell.enabled = false;
  f.b.HidePotions.visible = false;
  f.h.random.push({0.16});  // Int(0.16 * 6) + 1 = 1
  f.b.click("Flee");
  EXPECT_EQ(c.Kills, "1");
  EXPECT_EQ(c.Gold, "130");
  EXPECT_EQ(c.Exp, "25");
  EXPECT_EQ(c.NextLevel, "-15");
  EXPECT_EQ(c.Level, "1");
  EXPECT_EQ(c.HP, "7");
  EXPECT_EQ(c.SP, "2");
  EXPECT_TRUE(f.h.dialogs.boxes.empty());
  EXPECT_EQ(f.h.random.draws, 1);
  EXPECT_TRUE(f.b.Spell.enabled);
  EXPECT_TRUE(f.b.HidePotions.visible);
}

TEST(Flee, DrawsOfTwoToSixAreBlockedAndCostTheOpponentsBlow) {
  for (int e = 2; e <= 6; ++e) {
    SCOPED_TRACE(e);
    Fight f;
    f.alwaysMisses();
    f.b.Attackmsg.caption = "You attacked first";
    f.b.Spell.enabled = false;
    f.h.random.roll(e, 6);
    f.h.random.push({0.5});  // the opponent's die
    f.b.click("Flee");
    EXPECT_EQ(f.b.MMessage.caption, "The monster blocked you so you couldn't escape");
    EXPECT_EQ(f.b.Attackmsg.caption, "");
    EXPECT_EQ(f.b.YHP.caption, "50");
    EXPECT_EQ(f.h.g().ch().Gold, "100");
    EXPECT_EQ(f.h.g().ch().Kills, "0");
    EXPECT_TRUE(f.b.Spell.enabled);
    EXPECT_TRUE(f.b.visible);
    EXPECT_TRUE(f.h.dialogs.boxes.empty());
  }
}

TEST(Flee, GuardsTheMorvathAndBossesBlockTheWayAtNoCost) {
  struct Case {
    const char* name;
    const char* level;
    const char* text;
  };
  const Case cases[] = {
      {"Demon Guard 2", "Guard", "The Demon Guard easily blocks your escape."},
      {"Demon Guard 4", "Guard", "The Demon Guard easily blocks your escape."},
      {"Morvath", "BOSS", "The Morvath creates a wall of fire to block your escape."},
      {"Lord of Chaos", "BOSS", "The Lord of Chaos easily blocks your escape."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fight f;
    f.b.MName.caption = c.name;
    f.b.Level.caption = c.level;
    f.b.Spell.enabled = false;
    f.b.HidePotions.visible = false;
    f.b.click("Flee");
    EXPECT_EQ(f.boxes(), Strings{std::string("You can't escape|") + c.text});
    EXPECT_EQ(f.h.random.draws, 0);
    EXPECT_FALSE(f.b.Spell.enabled);
    EXPECT_TRUE(f.b.HidePotions.visible);
    EXPECT_EQ(f.b.YHP.caption, "50");
    EXPECT_EQ(f.b.MMessage.caption, "");
    EXPECT_TRUE(f.b.visible);
  }
}

TEST(Flee, TheLevelTextMustBeExactlyBOSS) {
  Fight f;
  f.alwaysMisses();
  f.b.MName.caption = "Boss of Nothing";
  f.b.Level.caption = "Boss";
  f.h.random.push({0.5, 0.5});
  f.b.click("Flee");
  EXPECT_TRUE(f.h.dialogs.boxes.empty());
  EXPECT_EQ(f.b.MMessage.caption, "The monster blocked you so you couldn't escape");
}

TEST(Flee, ABlockedEscapeAtOneHealthLivesAtZeroDiesWithoutDeathMusic) {
  {
    Fight f;
    f.alwaysMisses();
    f.b.YHP.caption = "1";
    f.h.random.push({0.5, 0.5});
    f.b.click("Flee");
    EXPECT_TRUE(f.b.visible);
    EXPECT_FALSE(f.h.g().dead().visible);
  }
  Fight f;
  f.alwaysMisses();
  f.b.YHP.caption = "0";
  f.b.picture("Snake").visible = true;
  f.h.random.push({0.5, 0.5});
  f.b.click("Flee");
  EXPECT_EQ(
      f.boxes(),
      Strings{"You Died|The Giant Snake killed you and stripped you of all your possesions."});
  EXPECT_TRUE(f.h.g().dead().visible);
  EXPECT_FALSE(f.b.visible);
  EXPECT_EQ(f.h.g().front(), &f.h.g().dead());
  EXPECT_EQ(f.b.MMessage.caption, "");
  EXPECT_FALSE(HeardDeathMusic(f.h.music, f.h.tune("Death.MID")));
}

// --- Potions ------------------------------------------------------------------------------------

TEST(Potions, NoneOwnedSaysSoAndKeepsThePanelCovered) {
  Fight f;
  f.b.click("Potion");
  EXPECT_EQ(f.boxes(), Strings{std::string(kGameTitle) + "|You don't own any potions."});
  EXPECT_TRUE(f.b.HidePotions.visible);
}

TEST(Potions, OnlyTheKindsOwnedAreOffered) {
  Fight f;
  f.b.N3.caption = "2";
  f.b.click("Potion");
  EXPECT_TRUE(f.h.dialogs.boxes.empty());
  EXPECT_FALSE(f.b.HidePotions.visible);
  for (int kind = 1; kind <= 5; ++kind) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(f.b.potionButton(kind).visible, kind == 3);
    EXPECT_EQ(f.b.potionCount(kind).visible, kind == 3);
  }
  f.b.click("Command1");
  EXPECT_TRUE(f.b.HidePotions.visible);
  EXPECT_EQ(f.b.N3.caption, "2");
  EXPECT_EQ(f.h.random.draws, 0);
}

TEST(Potions, EachKindHealsItsRangeBelowTheTopOfTheLabel) {
  struct Case {
    int kind;
    double r;
    const char* heal;
  };
  const Case cases[] = {{1, 0.0, "8"},    {1, 0.999, "14"},  {2, 0.0, "15"},
                        {2, 0.999, "29"}, {3, 0.0, "30"},    {3, 0.999, "59"},
                        {4, 0.0, "60"},   {4, 0.999, "119"}, {4, 0.5, "90"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "P" << c.kind << " R=" << c.r);
    Fight f;
    f.b.YHP.caption = "1";
    f.b.YMaxHP.caption = "500";
    f.b.potionCount(c.kind).caption = "3";
    f.b.click("Potion");
    f.h.random.push({c.r});
    f.b.click("P" + std::to_string(c.kind));
    EXPECT_EQ(f.b.Attackmsg.caption, std::string("You heal yourself for ") + c.heal);
    EXPECT_EQ(f.b.YHP.caption, Str(1 + Val(c.heal)));
    EXPECT_EQ(f.b.potionCount(c.kind).caption, "2");
    EXPECT_TRUE(f.b.potionButton(c.kind).visible);
    EXPECT_TRUE(f.b.HidePotions.visible);
    EXPECT_EQ(f.h.random.draws, 1);
    EXPECT_TRUE(f.h.dialogs.boxes.empty());
  }
}

TEST(Potions, HealingStopsAtTheMaximum) {
  for (int kind = 1; kind <= 4; ++kind) {
    SCOPED_TRACE(kind);
    Fight f;
    f.b.potionCount(kind).caption = "2";
    f.b.YHP.caption = "95";
    f.h.random.push({0.999});
    f.b.P_Click(kind);
    EXPECT_EQ(f.b.YHP.caption, "100");
    EXPECT_EQ(f.b.Attackmsg.caption, "You heal yourself for 5");

    f.h.random.push({0.0});  // at full health the bottle is wasted
    f.b.P_Click(kind);
    EXPECT_EQ(f.b.YHP.caption, "100");
    EXPECT_EQ(f.b.Attackmsg.caption, "You heal yourself for 0");
    EXPECT_EQ(f.b.potionCount(kind).caption, "0");
  }
}

TEST(Potions, HealAllFillsUpWithoutADraw) {
  for (const char* hp : {"1", "95", "100"}) {
    SCOPED_TRACE(hp);
    Fight f;
    f.b.N5.caption = "4";
    f.b.YHP.caption = hp;
    f.b.click("Potion");
    f.b.click("P5");
    EXPECT_EQ(f.b.YHP.caption, "100");
    EXPECT_EQ(f.b.Attackmsg.caption, "You were healed totaly");
    EXPECT_EQ(f.b.N5.caption, "3");
    EXPECT_TRUE(f.b.HidePotions.visible);
    EXPECT_EQ(f.h.random.draws, 0);
  }
}

TEST(Potions, TheLastPotionHidesItsButtonAndIsNotOfferedAgain) {
  Fight f;
  f.b.N4.caption = "1";
  f.b.N1.caption = "1";
  f.b.click("Potion");
  f.h.random.push({0.0});
  f.b.click("P4");
  EXPECT_EQ(f.b.N4.caption, "0");
  EXPECT_FALSE(f.b.P4.visible);
  EXPECT_TRUE(f.b.P1.visible);
  f.b.click("Potion");
  EXPECT_FALSE(f.b.P4.visible);
  EXPECT_FALSE(f.b.N4.visible);
  EXPECT_TRUE(f.b.P1.visible);
  EXPECT_TRUE(f.b.N1.visible);
  // A kind bought again (the magic shop adds to the count) is offered again.
  f.b.N4.caption = "2";
  f.b.click("Potion");
  EXPECT_TRUE(f.b.P4.visible);
  EXPECT_TRUE(f.b.N4.visible);
}

// --- Restore Spell Point -------------------------------------------------------------------------

// The opponent's die in these tests: chance 3 with a four-faced die misses on 2, 3 and 4; a
// chance of 0 never misses. Scripting the same number for every draw keeps the tests about the
// restore command's own arithmetic.

TEST(RestoreSpellPoint, AMissRestoresNothingAndTheCommandIsSpent) {
  Fight f;
  Fight::Dex(f.b.MdexC, "3", "4");
  f.b.Spell.enabled = false;
  f.b.HidePotions.visible = false;
  f.h.random.push({0.9});  // rolls 4: missed
  f.b.click("RestoreSP");
  EXPECT_EQ(f.b.Ymessage.caption, "The Giant Snake missed you");
  EXPECT_EQ(f.b.YSP.caption, "10");
  EXPECT_EQ(f.h.g().ch().SP, "2");
  EXPECT_EQ(f.b.YHP.caption, "50");
  EXPECT_EQ(f.b.Attackmsg.caption, "");
  EXPECT_FALSE(f.b.RestoreSP.enabled);
  EXPECT_TRUE(f.b.Spell.enabled);
  EXPECT_TRUE(f.b.HidePotions.visible);
  EXPECT_LE(f.h.random.draws, 1);
}

TEST(RestoreSpellPoint, AHitRollsTheDefenceAndRestoresOnePoint) {
  Fight f;
  Fight::Dex(f.b.MdexC, "0", "2");
  f.b.MDamage.caption = "20";
  f.b.MaxDefence.caption = "10";
  f.h.random.push({0.5, 0.5, 0.5});
  f.b.click("RestoreSP");
  // Int(20 * 0.5 + 1) - Int(10 * 0.5) = 11 - 5: the defence is rolled, not taken whole.
  EXPECT_EQ(f.b.Ymessage.caption, "The Giant Snake dealt 6 damage to you");
  EXPECT_EQ(f.b.YHP.caption, "44");
  EXPECT_EQ(f.b.YSP.caption, "11");
  EXPECT_EQ(f.h.g().ch().SP, "3");
  EXPECT_EQ(f.b.Attackmsg.caption, "You restore 1 spell point");
  EXPECT_FALSE(f.b.RestoreSP.enabled);
  EXPECT_TRUE(f.h.dialogs.boxes.empty());
}

TEST(RestoreSpellPoint, ADefenceAboveTheBlowDealsZero) {
  Fight f;
  Fight::Dex(f.b.MdexC, "0", "2");
  f.b.MDamage.caption = "2";
  f.b.MaxDefence.caption = "30";
  f.h.random.push({0.5, 0.5, 0.5});
  f.b.click("RestoreSP");
  EXPECT_EQ(f.b.Ymessage.caption, "The Giant Snake dealt 0 damage to you");
  EXPECT_EQ(f.b.YHP.caption, "50");
  EXPECT_EQ(f.b.YSP.caption, "11");
}

TEST(RestoreSpellPoint, AtTheMaximumTheBlowStillLands) {
  Fight f;
  Fight::Dex(f.b.MdexC, "0", "2");
  f.b.YSP.caption = "20";
  f.b.MDamage.caption = "20";
  f.b.MaxDefence.caption = "0";
  f.h.random.push({0.5, 0.5, 0.5});
  f.b.click("RestoreSP");
  EXPECT_EQ(f.b.YHP.caption, "39");
  EXPECT_EQ(f.b.YSP.caption, "20");
  EXPECT_EQ(f.h.g().ch().SP, "2");
  EXPECT_EQ(f.b.Attackmsg.caption, "You restore 0 spell points because you are already at the max");
}

TEST(RestoreSpellPoint, AKillingBlowGoesToTheDeathScreenWithoutMusic) {
  Fight f;
  Fight::Dex(f.b.MdexC, "0", "2");
  f.b.YHP.caption = "3";
  f.b.MDamage.caption = "100";
  f.b.MaxDefence.caption = "0";
  f.b.Attackmsg.caption = "";
  f.h.random.push({0.5, 0.5, 0.5});
  f.b.click("RestoreSP");
  EXPECT_EQ(f.b.YHP.caption, "-48");
  EXPECT_EQ(
      f.boxes(),
      Strings{"You Died|The Giant Snake killed you and stripped you of all your possesions."});
  EXPECT_TRUE(f.h.g().dead().visible);
  EXPECT_FALSE(f.b.visible);
  EXPECT_EQ(f.b.YSP.caption, "10");
  EXPECT_EQ(f.h.g().ch().SP, "2");
  EXPECT_EQ(f.b.Attackmsg.caption, "");
  EXPECT_FALSE(HeardDeathMusic(f.h.music, f.h.tune("Death.MID")));
}

// --- Cast a Spell -------------------------------------------------------------------------------

TEST(CastASpell, DisablesTheCombatScreenUnderTheSpellWindow) {
  Fight f;
  f.b.click("Spell");
  EXPECT_FALSE(f.b.enabled);
  EXPECT_TRUE(f.b.visible);
  EXPECT_TRUE(f.h.g().cast().visible);
  EXPECT_EQ(f.h.g().front(), &f.b);
  EXPECT_TRUE(f.h.dialogs.boxes.empty());
}

}  // namespace
}  // namespace morvath::test
