// The attack round on the combat screen, replayed draw by draw: who strikes first, hits and
// misses, damage, the health gauges, and the hero's death.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>

#include "combat/battle.h"
#include "combat/catalogue.h"
#include "combat/dead.h"
#include "core/inventory.h"
#include "support/fakes.h"
#include "world/caves.h"
#include "world/upper_keep.h"

namespace morvath::test {
namespace {

void SetDex(Label& dex, const char* caption, const char* faces) {
  dex.caption = caption;
  dex.tag = faces;
}

// A new hero (health 10, damage 6 + 1 = 7, defence 2 + 0 = 2) against the first snake of the
// Cave of Minors, with the music already switched to the fight tune.
struct Fight {
  Harness h;
  Battle& b;
  Fight() : b(h.g().battle()) {
    h.newGame("Arden");
    h.dialogs.boxes.clear();  // the name box
    h.g().show(ScreenId::Cave1);
    Encounter(h.g(), ScreenId::Cave1, "Level 1-Giant Snake");
    h.music.log.clear();
  }
  // Both sides always miss, one draw each: the character's die has one face showing 1 on a
  // caption of 1, the opponent's is the Level 1 Mirror Monster's die.
  void bothMiss() {
    SetDex(b.MdexB, "1", "1");
    SetDex(b.MdexC, "4", "1");
  }
};

TEST(Dice, TheCaptionOverrulesTheDieButTheDieIsStillThrown) {
  Fight f;
  Label dex;
  SetDex(dex, "0", "2");
  f.h.random.push({0.99});
  EXPECT_EQ(f.b.roll(dex), 0);
  EXPECT_EQ(f.h.random.draws, 1);

  SetDex(dex, "2", "0");  // a die without faces still shows 1
  f.h.random.push({0.99});
  EXPECT_EQ(f.b.roll(dex), 1);

  SetDex(dex, "1", "4");
  f.h.random.push({0.0, 0.249, 0.25, 0.999});
  EXPECT_EQ(f.b.roll(dex), 1);
  EXPECT_EQ(f.b.roll(dex), 1);
  EXPECT_EQ(f.b.roll(dex), 2);
  EXPECT_EQ(f.b.roll(dex), 4);
}

// The first-strike die: a caption, a tag, the roll scripted and whether the hero strikes first.
struct FirstCase {
  const char* caption;
  const char* faces;
  int roll;
  bool heroFirst;
};

TEST(FirstStrike, CaptionThreeWinsOnOneToThreeOthersOnlyOnOne) {
  const FirstCase cases[] = {
      {"3", "4", 1, true},  {"3", "4", 2, true},  {"3", "4", 3, true}, {"3", "4", 4, false},
      {"2", "2", 1, true},  {"2", "2", 2, false}, {"1", "4", 1, true}, {"1", "4", 3, false},
      {"0", "0", 1, false},  // the opponent always strikes first
      {"0", "2", 1, false},
  };
  for (const FirstCase& c : cases) {
    SCOPED_TRACE(std::string(c.caption) + "/" + c.faces + " roll " + std::to_string(c.roll));
    Fight f;
    f.bothMiss();
    SetDex(f.b.MdexA, c.caption, c.faces);
    f.h.random.roll(c.roll, std::max(1, std::stoi(c.faces)));
    f.h.random.push({0.0, 0.0});
    f.b.Attack_Click();
    EXPECT_EQ(f.b.Attackmsg.caption,
              c.heroFirst ? "You attacked first" : "The Giant Snake attacked first");
    EXPECT_EQ(f.b.MMessage.caption, "You missed the Giant Snake");
    EXPECT_EQ(f.b.Ymessage.caption, "The Giant Snake missed you");
    EXPECT_EQ(f.h.random.draws, 3);
  }
}

// A blow's die: caption, tag, roll, and whether the blow misses.
struct BlowCase {
  const char* caption;
  const char* faces;
  int roll;
  bool missed;
};

TEST(HeroBlow, MissesOnOneOrOnAFourForCaptionThree) {
  const BlowCase cases[] = {
      {"3", "4", 4, true},  {"3", "4", 1, false}, {"3", "4", 3, false},
      {"3", "3", 1, false}, {"3", "3", 3, false},  // never missed with three faces
      {"1", "4", 1, true},  {"1", "4", 2, false}, {"2", "2", 1, true},
      {"0", "2", 1, false},  // a caption of 0 is never missed
  };
  for (const BlowCase& c : cases) {
    SCOPED_TRACE(std::string(c.caption) + "/" + c.faces + " roll " + std::to_string(c.roll));
    Fight f;
    f.bothMiss();
    f.b.MHP.caption = "100";
    SetDex(f.b.MdexA, "1", "1");  // the hero strikes first
    SetDex(f.b.MdexB, c.caption, c.faces);
    f.h.random.push({0.0});
    f.h.random.roll(c.roll, std::stoi(c.faces));
    if (!c.missed) f.h.random.push({0.999});  // the full 7 points
    f.h.random.push({0.0});
    f.b.Attack_Click();
    EXPECT_EQ(f.b.MMessage.caption,
              c.missed ? "You missed the Giant Snake" : "You dealt 7 damage to the Giant Snake");
    EXPECT_EQ(f.b.MHP.caption, c.missed ? "100" : "93");
    EXPECT_TRUE(f.h.random.numbers.empty());
  }
}

TEST(OpponentBlow, CaptionThreeHitsOnlyOnOneOthersMissOnOne) {
  const BlowCase cases[] = {
      {"3", "3", 1, false}, {"3", "3", 2, true},  {"3", "3", 3, true},  {"3", "4", 1, false},
      {"3", "4", 4, true},  {"4", "1", 1, true},  // the Level 1 Mirror Monster never lands one
      {"2", "4", 1, true},  {"2", "4", 2, false}, {"0", "0", 1, false}, {"0", "4", 1, false},
  };
  for (const BlowCase& c : cases) {
    SCOPED_TRACE(std::string(c.caption) + "/" + c.faces + " roll " + std::to_string(c.roll));
    Fight f;
    f.bothMiss();
    f.b.MDamage.caption = "10";
    SetDex(f.b.MdexA, "0", "0");  // the snake strikes first
    SetDex(f.b.MdexC, c.caption, c.faces);
    f.h.random.push({0.5});
    f.h.random.roll(c.roll, std::max(1, std::stoi(c.faces)));
    if (!c.missed) f.h.random.push({0.5});  // 6 points, 4 after the defence of 2
    f.h.random.push({0.0});
    f.b.Attack_Click();
    EXPECT_EQ(f.b.Ymessage.caption,
              c.missed ? "The Giant Snake missed you" : "The Giant Snake dealt 4 damage to you");
    EXPECT_EQ(f.b.YHP.caption, c.missed ? "10" : "6");
    EXPECT_TRUE(f.h.random.numbers.empty());
  }
}

TEST(OpponentBlow, ABlowThatTheDefenceStopsDealsNothing) {
  Fight f;
  f.bothMiss();
  SetDex(f.b.MdexA, "0", "0");
  SetDex(f.b.MdexC, "0", "0");
  f.b.MDamage.caption = "5";
  for (double r : {0.0, 0.2, 0.39}) {  // 1 or 2 points against a defence of 2
    f.h.random.push({0.5, 0.5, r, 0.0});
    f.b.Attack_Click();
    EXPECT_EQ(f.b.Ymessage.caption, "The Giant Snake dealt 0 damage to you");
    EXPECT_EQ(f.b.YHP.caption, "10");
  }
  f.h.random.push({0.5, 0.5, 0.4, 0.0});  // 3 points: 1 gets through
  f.b.Attack_Click();
  EXPECT_EQ(f.b.YHP.caption, "9");
}

TEST(Round, OneHealthLeftIsAliveNoneIsDeath) {
  Fight f;
  SetDex(f.b.MdexA, "0", "0");
  SetDex(f.b.MdexB, "1", "1");
  SetDex(f.b.MdexC, "0", "0");
  f.b.YHP.caption = "3";
  // The snake hits for 3 - 2 = 1; the hero, alive at 1, swings and misses.
  f.h.random.push({0.5, 0.5, 0.25, 0.0});
  f.b.Attack_Click();
  EXPECT_EQ(f.b.YHP.caption, "2");
  f.h.random.push({0.5, 0.5, 0.25, 0.0});
  f.b.Attack_Click();
  EXPECT_EQ(f.b.YHP.caption, "1");
  EXPECT_TRUE(f.b.visible);
  EXPECT_EQ(f.b.MMessage.caption, "You missed the Giant Snake");
  // Now the same blow kills, and the hero does not swing back.
  f.b.MMessage.caption = "";
  f.h.random.push({0.5, 0.5, 0.25});
  f.b.Attack_Click();
  EXPECT_EQ(f.b.YHP.caption, "0");
  EXPECT_FALSE(f.b.visible);
  EXPECT_TRUE(f.h.g().dead().visible);
  EXPECT_EQ(f.b.MMessage.caption, "");
  EXPECT_TRUE(f.h.random.numbers.empty());
}

TEST(Round, AttackCoversThePotionPanelAndAllowsASpellAgain) {
  Fight f;
  f.bothMiss();
  f.b.HidePotions.visible = false;
  f.b.Spell.enabled = false;
  f.h.random.push({0.0, 0.0, 0.0});
  f.b.Attack_Click();
  EXPECT_TRUE(f.b.HidePotions.visible);
  EXPECT_TRUE(f.b.Spell.enabled);
}

TEST(WholeFight, TheHeroWinsAgainstTheSnakeInThreeRounds) {
  Fight f;
  Battle& b = f.b;
  Game& g = f.h.g();
  EXPECT_EQ(b.YHPGauge.colour, 0x000080u);  // full health: a blue bar across the gauge
  EXPECT_EQ(b.YHPGauge.boxWidth, 200);

  // Round 1: the snake first (roll 2 of 2), hits (3 of 4) for 6 - 2; the hero misses (1 of 4).
  f.h.random.roll(2, 2);
  f.h.random.roll(3, 4);
  f.h.random.push({0.66});
  f.h.random.roll(1, 4);
  b.Attack_Click();
  EXPECT_EQ(b.Attackmsg.caption, "The Giant Snake attacked first");
  EXPECT_EQ(b.Ymessage.caption, "The Giant Snake dealt 4 damage to you");
  EXPECT_EQ(b.MMessage.caption, "You missed the Giant Snake");
  EXPECT_EQ(b.YHP.caption, "6");
  EXPECT_EQ(b.YHPGauge.boxWidth, 120);
  EXPECT_EQ(b.YHPGauge.colour, 0x008000u);
  EXPECT_EQ(b.MHPGauge.boxWidth, 200);

  // Round 2: the hero first, hits (2 of 4) for 3; the snake misses (1 of 4).
  f.h.random.roll(1, 2);
  f.h.random.roll(2, 4);
  f.h.random.push({0.3});
  f.h.random.roll(1, 4);
  b.Attack_Click();
  EXPECT_EQ(b.Attackmsg.caption, "You attacked first");
  EXPECT_EQ(b.MMessage.caption, "You dealt 3 damage to the Giant Snake");
  EXPECT_EQ(b.Ymessage.caption, "The Giant Snake missed you");
  EXPECT_EQ(b.MHP.caption, "2");
  EXPECT_EQ(b.MHPGauge.boxWidth, 80);
  EXPECT_EQ(b.MHPGauge.colour, 0x008000u);
  EXPECT_TRUE(f.h.dialogs.boxes.empty());

  // Round 3: the hero first, hits (4 of 4) for 7: the snake dies at -5 without striking back.
  f.h.random.roll(1, 2);
  f.h.random.roll(4, 4);
  f.h.random.push({0.99});
  b.Attack_Click();
  EXPECT_EQ(b.MHP.caption, "-5");
  ASSERT_EQ(f.h.dialogs.boxes.size(), 1u);
  EXPECT_EQ(f.h.dialogs.last().title, "You killed the Giant Snake!!!");
  EXPECT_EQ(f.h.dialogs.last().text,
            "You killed the Giant Snake!!! You got 25 gold and 25 experience points.");
  const Character& c = g.ch();
  EXPECT_EQ(c.HP, "6");
  EXPECT_EQ(c.Kills, "1");
  EXPECT_EQ(c.Gold, "125");
  EXPECT_EQ(c.Exp, "25");
  EXPECT_EQ(c.NextLevel, "475");
  EXPECT_EQ(c.Level, "1");
  // Back in the Cave of Minors with the fight tune still playing and the lines cleared.
  EXPECT_TRUE(g.screen(ScreenId::Cave1).visible);
  EXPECT_FALSE(b.visible);
  EXPECT_FALSE(b.picture("Snake").visible);
  EXPECT_EQ(b.Attackmsg.caption, "");
  EXPECT_EQ(b.MMessage.caption, "");
  EXPECT_EQ(b.Ymessage.caption, "");
  EXPECT_TRUE(f.h.music.log.empty());
  EXPECT_TRUE(f.h.random.numbers.empty());
}

TEST(WholeFight, APolarBearAmbushKillsTheNewHeroAtOnce) {
  Harness h;
  h.newGame("Arden");
  h.dialogs.boxes.clear();  // the name box
  Game& g = h.g();
  Encounter(g, ScreenId::Caves, "Polar Bear");
  Battle& b = g.battle();
  h.music.log.clear();
  // The bear first, hits (2 of 4) for 21 - 2 = 19.
  h.random.roll(2, 2);
  h.random.roll(2, 4);
  h.random.push({0.5});
  b.Attack_Click();
  EXPECT_EQ(b.YHP.caption, "-9");
  EXPECT_EQ(b.Attackmsg.caption, "The Polar Bear attacked first");
  EXPECT_EQ(b.Ymessage.caption, "The Polar Bear dealt 19 damage to you");
  EXPECT_EQ(b.MHP.caption, "40");
  ASSERT_EQ(h.dialogs.boxes.size(), 1u);
  EXPECT_EQ(h.dialogs.last().title, "You Died");
  EXPECT_EQ(h.dialogs.last().text,
            "The Polar Bear killed you and stripped you of all your possesions.");
  EXPECT_EQ(h.music.log,
            (std::vector<std::string>{"close", "file=" + h.tune("Death.MID"), "open", "play"}));
  EXPECT_TRUE(g.dead().visible);
  EXPECT_FALSE(b.visible);
  EXPECT_FALSE(g.caves().visible);
  EXPECT_FALSE(b.picture("BearPolar").visible);
  // A death pays nothing and leaves the return code and the lines as they were.
  EXPECT_EQ(g.ch().Kills, "0");
  EXPECT_EQ(b.PrevForm.caption, "0");
  EXPECT_TRUE(h.random.numbers.empty());
}

TEST(WholeFight, ADeathWithTheMusicOffIsSilent) {
  Fight f;
  f.h.g().startForm().Music.caption = "off";
  SetDex(f.b.MdexA, "0", "0");
  SetDex(f.b.MdexC, "0", "0");
  f.b.MDamage.caption = "100";
  f.h.random.push({0.5, 0.5, 0.5});
  f.b.Attack_Click();
  EXPECT_TRUE(f.h.g().dead().visible);
  EXPECT_TRUE(f.h.music.log.empty());
}

// The health gauge: current, maximum, and the bar expected (width 0 and colour 0: empty).
struct GaugeCase {
  const char* hp;
  const char* maxHp;
  bool drawn;
  int width;
  unsigned colour;
};

TEST(Gauges, BarLengthAndColourFollowTheShareOfHealth) {
  const GaugeCase cases[] = {
      {"100", "100", true, 200, 0x000080},
      {"75", "100", true, 150, 0x000080},
      {"74", "100", true, 148, 0x008000},
      {"26", "100", true, 52, 0x008000},
      {"25", "100", true, 50, 0x800000},
      {"1", "3", true, 66, 0x008000},
      {"1", "5", true, 40, 0x800000},
      {"2", "3", true, 133, 0x008000},
      {"0", "100", false, 0, 0},
      {"-5", "5", true, -200, 0x800000},  // below zero: nothing of the box shows
      {"7", "0", false, 0, 0},            // a broken maximum leaves the gauge empty
      {"7", "-4", false, 0, 0},
      // Far beyond what a bar can be long: longer than the gauge, or nothing of it shows.
      {"1e300", "1", true, INT_MAX, 0x000080},
      {"1", "1e-300", true, INT_MAX, 0x000080},
      {"-1e300", "1", true, INT_MIN, 0x800000},
  };
  for (const GaugeCase& c : cases) {
    SCOPED_TRACE(std::string(c.hp) + " of " + c.maxHp);
    Fight f;
    f.b.MHP.caption = c.hp;
    f.b.MMaxHP.caption = c.maxHp;
    f.b.YHP.caption = c.hp;
    f.b.YMaxHP.caption = c.maxHp;
    f.b.HPGaugeChange();
    for (const Gauge* gauge : {&f.b.YHPGauge, &f.b.MHPGauge}) {
      EXPECT_EQ(gauge->drawn, c.drawn) << gauge->name;
      if (!c.drawn) continue;
      EXPECT_EQ(gauge->boxWidth, c.width) << gauge->name;
      EXPECT_EQ(gauge->colour, c.colour) << gauge->name;
    }
  }
}

TEST(CharLoad, CopiesTheHeroAndWorksOutTheTotals) {
  Harness h;
  h.newGame("Arden");
  h.dialogs.boxes.clear();  // the name box
  Game& g = h.g();
  Character& c = g.ch();
  c.HP = "17";
  c.MaxHP = "40";
  c.SP = "1";
  c.MaxSP = "9";
  c.Strength = "11";
  c.Weapon = "20";
  c.Armor = "8";
  c.Shield = "5";
  c.MaxDamage = "999";  // the record's own totals are not used
  c.MaxDefence = "999";
  g.showInventory();
  Battle& b = g.battle();
  b.RestoreSP.enabled = false;
  b.Spell.enabled = false;
  b.CharLoad();
  EXPECT_FALSE(g.inventory().visible);
  EXPECT_TRUE(b.RestoreSP.enabled);
  EXPECT_TRUE(b.Spell.enabled);
  EXPECT_EQ(b.YName.caption, "Arden");
  EXPECT_EQ(b.YHP.caption, "17");
  EXPECT_EQ(b.YMaxHP.caption, "40");
  EXPECT_EQ(b.YSP.caption, "1");
  EXPECT_EQ(b.YMaxSP.caption, "9");
  EXPECT_EQ(b.Strength.caption, "11");
  EXPECT_EQ(b.Weapon.caption, "20");
  EXPECT_EQ(b.Armor.caption, "8");
  EXPECT_EQ(b.Shield.caption, "5");
  EXPECT_EQ(b.MaxDamage.caption, "31");
  EXPECT_EQ(b.MaxDefence.caption, "13");
}

TEST(HidePicts, HidesEveryMonsterPictureTheUnusedMorvathToo) {
  Fight f;
  for (const std::string& name : Battle::MonsterPictures()) f.b.picture(name).visible = true;
  f.b.HidePicts();
  for (const char* name : {"Snake", "KeepDead", "Morvath", "DragonLord", "Demon2"})
    EXPECT_FALSE(f.b.picture(name).visible) << name;
  for (const std::string& name : Battle::MonsterPictures())
    EXPECT_FALSE(f.b.picture(name).visible) << name;
  EXPECT_TRUE(f.b.HidePotions.visible);  // the potion cover is no monster
}

}  // namespace
}  // namespace morvath::test
