// The combat commands with the attack round's dice and the victory sequence behind them.
// Switched off () until battle_round.cpp and victory.cpp are in this branch; to be
// switched on then.
#include <gtest/gtest.h>

#include "combat/cast.h"
#include "combat/dead.h"
#include "fight_setup.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

using Strings = std::vector<std::string>;

TEST(CombatTogether, AFailedEscapeTakesTheFullBlowAndCanKillInSilence) {
  for (const char* hp : {"50", "5"}) {
    Fight f;
    f.neverMisses();
    f.b.YHP.caption = hp;
    f.b.MDamage.caption = "20";
    f.b.picture("Snake").visible = true;
    f.h.random.push({0.5, 0.5, 0.5});  // escape 4, the die, the blow Int(20 * .5 + 1) - 3
    f.b.click("Flee");
    EXPECT_EQ(f.b.Ymessage.caption, "The Giant Snake dealt 8 damage to you");
    const bool dies = hp == std::string("5");
    EXPECT_EQ(f.b.MMessage.caption, dies ? "" : "The monster blocked you so you couldn't escape");
    EXPECT_EQ(f.boxes(), dies ? Strings{kDied} : Strings{});
    EXPECT_EQ(f.b.picture("Snake").visible, !dies);
    EXPECT_EQ(f.h.g().dead().visible, dies);
    EXPECT_TRUE(f.h.music.log.empty());
  }
}

TEST(CombatTogether, AnEscapeReturnsToTheMapWithTheOverworldTune) {
  Fight f;
  f.b.picture("Snake").visible = true;
  f.b.Ymessage.caption = "The Giant Snake missed you";
  f.h.random.push({0.0});
  f.b.click("Flee");
  EXPECT_TRUE(f.h.g().caves().visible && !f.b.visible && !f.b.picture("Snake").visible);
  EXPECT_EQ(f.b.Ymessage.caption, "");
  EXPECT_EQ(f.h.music.log, (Strings{"close", "file=" + f.h.tune("Outside.rmi"), "open", "play"}));
}

TEST(CombatTogether, RestoreDrawsTheBlowBeforeTheDefence) {
  Fight f;
  f.neverMisses();
  f.b.MDamage.caption = "20";
  f.b.MaxDefence.caption = "10";
  f.h.random.push({0.5, 0.9, 0.1});  // die, blow Int(18 + 1), defence Int(1)
  f.b.click("RestoreSP");
  EXPECT_EQ(f.b.Ymessage.caption, "The Giant Snake dealt 18 damage to you");
  EXPECT_EQ(f.h.random.draws, 3);
}

TEST(CombatTogether, AKillingSpellWinsTheFight) {
  Fight f;
  f.h.g().cast().button("S5").enabled = true;
  f.b.YSP.caption = "60";
  f.b.MHP.caption = "10";
  f.b.click("Spell");
  f.h.random.push({0.0});
  f.h.g().cast().click("S5");
  EXPECT_EQ(f.boxes(), Strings{"You killed the Giant Snake!!!|You killed the Giant Snake!!! You "
                               "got 30 gold and 25 experience points."});
  Character& c = f.h.g().ch();
  EXPECT_EQ((Strings{c.Gold, c.Kills, c.SP, c.HP}), (Strings{"130", "1", "0", "50"}));
  EXPECT_TRUE(f.h.g().caves().visible && !f.b.visible && !f.h.g().cast().visible);
}

TEST(CombatTogether, PotionsSpellsAndCancelRedrawTheGauges) {
  Fight f;
  f.b.N1.caption = "1";
  f.b.YHP.caption = "42";
  f.h.random.push({0.0, 0.0});
  f.b.click("Potion");
  f.b.click("P1");  // 50 of 100
  EXPECT_EQ(f.b.YHPGauge.boxWidth, f.b.YHPGauge.width / 2);
  f.h.g().cast().button("SL1").enabled = true;
  f.b.click("Spell");
  f.h.g().cast().click("SL1");  // 35 of 80
  EXPECT_EQ(f.b.MHPGauge.boxWidth, f.b.MHPGauge.width * 35 / 80);
  f.b.MHP.caption = "20";
  f.b.Spell.enabled = true;
  f.b.click("Spell");
  f.h.g().cast().click("Command1");
  EXPECT_EQ(f.b.MHPGauge.boxWidth, f.b.MHPGauge.width / 4);
}

}  // namespace
}  // namespace morvath::test
