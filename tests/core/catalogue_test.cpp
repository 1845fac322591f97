// The bestiary, the progress gates of the boss buttons, and the encounter setup that puts an
// opponent on the combat screen.
#include "combat/catalogue.h"

#include <gtest/gtest.h>

#include "combat/battle.h"
#include "combat/dead.h"
#include "core/inventory.h"
#include "core/text.h"
#include "support/fakes.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

// A wounded veteran: the tower opponents are computed from these figures.
void MakeVeteran(Character& c) {
  c.HP = "30";
  c.MaxHP = "50";
  c.SP = "3";
  c.MaxSP = "7";
  c.Strength = "12";
  c.Weapon = "9";
  c.Armor = "6";
  c.Shield = "4";
  c.Level = "5";
  c.Kills = "11";
}

// One opponent as the game's bestiary lists it, with the tower figures worked out by hand for
// the veteran above.
struct Expected {
  ScreenId origin;
  const char* start;
  const char* name;
  const char* level;
  const char* hp;
  const char* maxHp;
  const char* damage;
  const char* gold;
  const char* exp;
  const char* dex;    // captions A-B-C
  const char* faces;  // tags A-B-C
  const char* picture;
  const char* prevForm;
  bool fromTowers;
};

constexpr ScreenId C1 = ScreenId::Cave1, C2 = ScreenId::Cave2, C3 = ScreenId::Cave3,
                   C4 = ScreenId::Cave4, T1 = ScreenId::Tower1, T2 = ScreenId::Tower2,
                   T3 = ScreenId::Tower3, Map = ScreenId::Caves, Keep = ScreenId::UpperKeep;

// clang-format off
const Expected kBestiary[] = {
  {C1, "Level 1-Giant Snake", "Giant Snake", "Level 1", "5", "5", "8", "25", "25", "2-1-1", "2-4-4", "Snake", "1", false},
  {C1, "Level 2-Giant Snake", "Giant Snake", "Level 2", "10", "10", "14", "50", "50", "2-1-1", "2-4-4", "Snake", "1", false},
  {C1, "Level 3-Giant Snake", "Giant Snake", "Level 3", "15", "15", "20", "75", "75", "2-1-1", "2-4-4", "Snake", "1", false},
  {C1, "Level 1-Brown Bear", "Brown Bear", "Level 1", "20", "20", "24", "100", "100", "2-2-2", "2-2-2", "BearBrown", "1", false},
  {C1, "Level 2-Brown Bear", "Brown Bear", "Level 2", "30", "30", "30", "150", "150", "2-1-1", "2-4-4", "BearBrown", "1", false},
  {C1, "Level 1-Polar Bear", "Polar Bear", "Level 1", "40", "40", "40", "200", "200", "2-1-1", "2-4-4", "BearPolar", "1", false},
  {C1, "Level 2-Polar Bear", "Polar Bear", "Level 2", "45", "45", "45", "225", "225", "2-1-1", "2-4-4", "BearPolar", "1", false},
  {C1, "Level 1-Baby Dragon", "Baby Dragon", "Level 1", "50", "50", "50", "250", "250", "1-1-1", "4-4-4", "BabyDragon", "1", false},
  {C1, "Boss-Orc", "Orc", "BOSS", "70", "70", "70", "325", "325", "2-1-1", "2-4-4", "Orc", "1", false},
  {C2, "Level 1-Zombie", "Zombie", "Level 1", "75", "75", "55", "350", "350", "2-2-2", "2-2-2", "Zombie", "2", false},
  {C2, "Level 2-Zombie", "Zombie", "Level 2", "80", "80", "60", "375", "375", "1-2-2", "4-2-2", "Zombie", "2", false},
  {C2, "Level 3-Zombie", "Zombie", "Level 3", "85", "85", "65", "400", "400", "0-2-2", "0-2-2", "Zombie", "2", false},
  {C2, "Level 1-Pit Monster", "Pit Monster", "Level 1", "90", "90", "70", "425", "425", "2-1-1", "2-4-4", "PitMonster", "2", false},
  {C2, "Level 2-Pit Monster", "Pit Monster", "Level 2", "100", "100", "80", "500", "550", "2-1-3", "2-4-4", "PitMonster", "2", false},
  {C2, "Level 1-Slicer", "Slicer", "Level 1", "105", "105", "85", "525", "525", "2-1-0", "2-4-0", "Slicer", "2", false},
  {C2, "Level 2-Slicer", "Slicer", "Level 2", "110", "110", "90", "550", "550", "1-1-0", "4-4-0", "Slicer", "2", false},
  {C2, "Guard-Chaos Creature", "Chaos Creature", "Guard", "120", "120", "100", "625", "625", "1-3-2", "4-4-2", "ChaosCreature", "2", false},
  {C2, "Boss-Lord of Chaos", "Lord of Chaos", "BOSS", "135", "135", "100", "750", "750", "0-2-0", "0-2-0", "Boss2", "2", false},
  {C4, "Red Dragon", "Red Dragon", "Dragon", "450", "450", "425", "1125", "1125", "1-2-1", "4-2-4", "RedDrag", "5", false},
  {C4, "Forest Dragon", "Forest Dragon", "Dragon", "500", "500", "450", "1200", "1200", "2-1-1", "2-4-4", "ForestDrag", "5", false},
  {C4, "Fire Dragon", "Fire Dragon", "Dragon", "550", "550", "500", "1225", "1225", "2-1-1", "2-4-4", "FireDrag", "5", false},
  {C4, "Master Fire Dragon", "Master Fire Dragon", "Dragon", "550", "550", "550", "1300", "1300", "0-3-0", "0-3-0", "MasterFireDrag", "5", false},
  {C4, "Master Water Dragon", "Master Water Dragon", "Dragon", "550", "550", "550", "1250", "1250", "0-1-1", "0-4-4", "MasterWaterDrag", "5", false},
  {C4, "Master Forest Dragon", "Master Forest Dragon", "Dragon", "550", "550", "550", "1275", "1275", "0-2-1", "2-2-4", "MasterForestDrag", "5", false},
  {C4, "Dragon Lord", "Dragon Lord", "BOSS", "750", "750", "800", "2000", "2000", "0-1-1", "0-4-4", "DragonLord", "5", false},
  {C3, "Small Swift Demon", "Small Swift Demon", "Swift", "750", "750", "750", "1300", "1300", "0-3-0", "0-3-0", "SmallSwift", "3", false},
  {C3, "Large Swift Demon", "Large Swift Demon", "Swift", "850", "850", "850", "1350", "1350", "0-3-0", "0-3-0", "BigSwift", "3", false},
  {C3, "Level 1-Small Demon", "Small Demon", "Level 1", "1000", "1000", "1000", "1425", "1425", "2-2-2", "2-2-2", "Demon2", "3", false},
  {C3, "Level 2-Small Demon", "Small Demon", "Level 2", "1100", "1100", "1100", "1450", "1450", "1-3-1", "4-3-4", "Demon2", "3", false},
  {C3, "Level 1-Large Demon", "Large Demon", "Level 1", "1400", "1400", "1400", "1500", "1500", "2-1-1", "2-4-4", "Demon1", "3", false},
  {C3, "Level 2-Large Demon", "Large Demon", "Level 2", "1600", "1600", "1600", "1550", "1550", "0-2-1", "0-2-4", "Demon1", "3", false},
  {C3, "Guard-Demon Guard", "Demon Guard", "Guard", "1500", "1500", "1500", "17500", "1750", "2-2-2", "2-2-2", "Demon1", "3", false},
  {Keep, "Demon Guard 1", "Demon Guard 1", "Guard", "1750", "1750", "1750", "0", "0", "2-1-1", "2-4-4", "Snake", "4", true},
  {Keep, "Demon Guard 2", "Demon Guard 2", "Guard", "1750", "1750", "1750", "0", "0", "2-1-1", "2-4-4", "Snake", "4", true},
  {Keep, "Demon Guard 3", "Demon Guard 3", "Guard", "1750", "1750", "1750", "0", "0", "2-1-1", "2-4-4", "Snake", "4", true},
  {Keep, "Demon Guard 4", "Demon Guard 4", "Guard", "1750", "1750", "1750", "0", "0", "2-1-1", "2-4-4", "Snake", "4", true},
  {Keep, "Morvath", "Morvath", "BOSS", "2000", "2000", "2000", "20000", "20000", "2-2-2", "2-4-4", "Snake", "3", false},
  // Mirrors: HP 30 of 50, kit 12 + 9 + 6 + 4 = 31, level 5.
  {T1, "Level 1-Mirror Monster", "Mirror Monster", "Level 1", "100", "60", "31", "5000", "10", "2-2-4", "2-2-1", nullptr, "6", true},
  {T1, "Level 2-Mirror Monster", "Mirror Monster", "Level 2", "150", "90", "31", "5000", "15", "2-2-2", "2-2-2", nullptr, "6", true},
  {T1, "Boss-Mirror Master", "Mirror Master", "BOSS", "150", "250", "31", "5000", "25", "2-2-3", "2-3-2", nullptr, "6", true},
  // Elements: 5 * 9 + 12 = 57, 9 + 12 = 21; 50 * 7 = 350; water (50 - 30) + 12 + k * 6.
  {T2, "Element-Fire", "Fire", "Element", "57", "57", "57", "57", "21", "2-1-1", "2-4-4", nullptr, "7", true},
  {T2, "Element-Earth", "Earth", "Element", "350", "350", "30", "30", "30", "1-1-1", "4-4-4", nullptr, "7", true},
  {T2, "Element-Air", "Air", "Element", "2000", "2000", "2000", "2000", "2000", "0-2-3", "0-2-3", nullptr, "7", true},
  {T2, "Element-Water", "Water", "Element", "56", "56", "56", "44", "38", "0-2-3", "0-2-3", nullptr, "7", true},
  {T2, "Boss-Lord of the Elements", "Lord of the Elements", "BOSS", "500", "500", "500", "500", "250", "2-2-2", "2-2-2", nullptr, "7", true},
  // Death: 11 kills.
  {T3, "Guard-Beast of Bogardon", "Beast of Bogardon", "Guard", "176", "176", "176", "50000", "50000", "2-2-2", "2-4-4", nullptr, "8", true},
  {T3, "Final Boss-Keeper of the Dead", "Keeper of the Dead", "BOSS", "220", "220", "220", "100000000", "200000000", "0-2-1", "0-2-4", "KeepDead", "8", true},
  {Map, "Giant Snake", "Giant Snake", "Level 1", "5", "5", "8", "25", "25", "2-1-1", "2-4-4", "Snake", "0", false},
  {Map, "Polar Bear", "Polar Bear", "Level 1", "40", "40", "40", "200", "200", "2-1-1", "2-4-4", "BearPolar", "0", false},
  {Map, "Crazy Orc", "Crazy Orc", "Level 1", "70", "70", "70", "325", "325", "2-2-1", "2-2-4", "Orc", "0", false},
  {Map, "Chaos Creature", "Chaos Creature", "Guard", "120", "120", "120", "625", "625", "1-3-2", "4-4-2", "ChaosCreature", "0", false},
  {Map, "Zombie", "Zombie", "Level 2", "80", "80", "80", "375", "375", "1-2-2", "4-2-2", "Zombie", "0", false},
};
// clang-format on

std::string Dex(Label& a, Label& b, Label& c, std::string Label::*part) {
  return a.*part + "-" + b.*part + "-" + c.*part;
}

TEST(Bestiary, EveryOpponentIsWrittenAsTheBestiaryListsIt) {
  for (const Expected& e : kBestiary) {
    SCOPED_TRACE(e.start);
    Harness h;
    h.newGame("Arden");
    h.dialogs.boxes.clear();  // the name box
    Game& g = h.g();
    MakeVeteran(g.ch());
    Battle& b = g.battle();
    b.FromTowers.caption = "kept";  // the other setups leave it alone
    g.hide(ScreenId::Caves);
    g.show(e.origin);
    g.show(ScreenId::Inventory);

    Encounter(g, e.origin, e.start);

    EXPECT_EQ(b.MName.caption, e.name);
    EXPECT_EQ(b.Level.caption, e.level);
    EXPECT_EQ(b.MHP.caption, e.hp);
    EXPECT_EQ(b.MMaxHP.caption, e.maxHp);
    EXPECT_EQ(b.MDamage.caption, e.damage);
    EXPECT_EQ(b.MGold.caption, e.gold);
    EXPECT_EQ(b.MEXP.caption, e.exp);
    EXPECT_EQ(Dex(b.MdexA, b.MdexB, b.MdexC, &Label::caption), e.dex);
    EXPECT_EQ(Dex(b.MdexA, b.MdexB, b.MdexC, &Label::tag), e.faces);
    EXPECT_EQ(b.PrevForm.caption, e.prevForm);
    EXPECT_EQ(b.FromTowers.caption, e.fromTowers ? "True" : "kept");
    for (const std::string& pic : Battle::MonsterPictures())
      EXPECT_EQ(b.picture(pic).visible, e.picture && pic == e.picture) << pic;

    // The character is loaded, the combat screen replaces the place, the gauges are drawn.
    EXPECT_EQ(b.YHP.caption, "30");
    EXPECT_EQ(b.MaxDamage.caption, "21");
    EXPECT_EQ(b.MaxDefence.caption, "10");
    EXPECT_FALSE(g.inventory().visible);
    EXPECT_TRUE(b.visible);
    EXPECT_FALSE(g.screen(e.origin).visible);
    EXPECT_FALSE(g.caves().visible);
    EXPECT_TRUE(b.YHPGauge.drawn);
    EXPECT_EQ(b.YHPGauge.boxWidth, 120);
    EXPECT_TRUE(b.MHPGauge.drawn);
    EXPECT_TRUE(h.dialogs.boxes.empty());
    EXPECT_EQ(h.random.draws, 0);
  }
}

TEST(Bestiary, AWoundedHeroMeetsAMirrorHealthierThanItsMaximum) {
  Harness h;
  h.newGame();
  h.dialogs.boxes.clear();  // the name box
  MakeVeteran(h.g().ch());
  Encounter(h.g(), ScreenId::Tower1, "Level 1-Mirror Monster");
  Battle& b = h.g().battle();
  EXPECT_EQ(b.MHP.caption, "100");
  EXPECT_EQ(b.MMaxHP.caption, "60");
  // Over its maximum the bar is longer than the gauge, and blue.
  EXPECT_EQ(b.MHPGauge.boxWidth, 333);
  EXPECT_EQ(b.MHPGauge.colour, 0x000080u);
}

TEST(Bestiary, EarthCopiesTheHealthTextAsItStands) {
  Harness h;
  h.newGame();
  h.dialogs.boxes.clear();  // the name box
  MakeVeteran(h.g().ch());
  h.g().ch().HP = "030";
  Encounter(h.g(), ScreenId::Tower2, "Element-Earth");
  Battle& b = h.g().battle();
  EXPECT_EQ(b.MDamage.caption, "030");
  EXPECT_EQ(b.MGold.caption, "030");
  EXPECT_EQ(b.MEXP.caption, "030");
  EXPECT_EQ(b.MHP.caption, "350");
}

TEST(Bestiary, WaterAgainstAHeroAtFullHealth) {
  Harness h;
  h.newGame();
  h.dialogs.boxes.clear();  // the name box
  MakeVeteran(h.g().ch());
  h.g().ch().HP = "50";
  Encounter(h.g(), ScreenId::Tower2, "Element-Water");
  Battle& b = h.g().battle();
  EXPECT_EQ(b.MHP.caption, "36");  // 12 + 4 * 6
  EXPECT_EQ(b.MMaxHP.caption, "36");
  EXPECT_EQ(b.MDamage.caption, "36");
  EXPECT_EQ(b.MGold.caption, "24");  // 12 + 2 * 6
  EXPECT_EQ(b.MEXP.caption, "18");   // 12 + 6
}

TEST(Bestiary, TheTowerOfDeathIsEmptyForAHeroWhoNeverKilled) {
  Harness h;
  h.newGame();
  h.dialogs.boxes.clear();  // the name box
  Battle& b = h.g().battle();
  for (const char* button : {"Guard-Beast of Bogardon", "Final Boss-Keeper of the Dead"}) {
    Encounter(h.g(), ScreenId::Tower3, button);
    EXPECT_EQ(b.MHP.caption, "0") << button;
    EXPECT_EQ(b.MDamage.caption, "0") << button;
    EXPECT_FALSE(b.MHPGauge.drawn) << button;  // a health of 0 leaves the gauge empty
  }
}

TEST(Bestiary, UnknownNamesStartNothing) {
  Harness h;
  h.newGame();
  h.dialogs.boxes.clear();  // the name box
  Game& g = h.g();
  g.show(ScreenId::Cave1);
  const std::vector<std::string> log = h.music.log;
  Encounter(g, ScreenId::Cave1, "Level 4-Giant Snake");
  Encounter(g, ScreenId::Cave1, "Boss-Lord of Chaos");  // a Cave of Chaos button
  Encounter(g, ScreenId::Caves, "Orc");
  EXPECT_FALSE(g.battle().visible);
  EXPECT_TRUE(g.screen(ScreenId::Cave1).visible);
  EXPECT_EQ(g.battle().MName.caption, "");
  EXPECT_EQ(h.music.log, log);
  EXPECT_FALSE(GateOpen(g, ScreenId::Cave1, "&Exit Cave"));
  EXPECT_TRUE(h.dialogs.boxes.empty());
}

// A button, a progress value, and the refusal it shows (empty: the fight goes ahead).
struct GateCase {
  ScreenId origin;
  const char* button;
  int beat;
  const char* refusal;
};

constexpr const char* kEvil = "You havn't beat the Dragon Lord (in the Dragon Mountains) yet!";
constexpr const char* kBeast = "You already beat the Beast of Bogardon!";

// clang-format off
const GateCase kGates[] = {
  {C1, "Level 1-Giant Snake", 9, ""},
  {C1, "Boss-Orc", 0, ""},
  {C1, "Boss-Orc", 1, "You already beat the Orc!"},
  {C2, "Guard-Chaos Creature", 0, ""},
  {C2, "Boss-Lord of Chaos", 0, "You havn't beat the Orc (boss 1) yet!"},
  {C2, "Boss-Lord of Chaos", 1, ""},
  {C2, "Boss-Lord of Chaos", 2, "You already beat the Lord of Chaos."},
  {C2, "Boss-Lord of Chaos", 9, "You already beat the Lord of Chaos."},
  {C4, "Master Fire Dragon", 0, ""},
  {C4, "Dragon Lord", 1, "You havn't beat the Lord of Chaos (Cave of Chaos) yet!"},
  {C4, "Dragon Lord", 2, ""},
  {C4, "Dragon Lord", 3, "You already beat the Dragon Lord."},
  {C3, "Small Swift Demon", 2, kEvil},
  {C3, "Large Swift Demon", 2, kEvil},
  {C3, "Level 1-Small Demon", 2, kEvil},
  {C3, "Level 2-Small Demon", 0, kEvil},
  {C3, "Level 1-Large Demon", 2, kEvil},
  {C3, "Level 2-Large Demon", 2, kEvil},
  {C3, "Guard-Demon Guard", 2, kEvil},
  {C3, "Small Swift Demon", 3, ""},
  {C3, "Guard-Demon Guard", 3, ""},
  {C3, "Guard-Demon Guard", 9, ""},
  {T1, "Level 2-Mirror Monster", 9, ""},
  {T1, "Boss-Mirror Master", 5, ""},
  {T1, "Boss-Mirror Master", 6, "You already beat the Mirror Master"},
  {T2, "Element-Air", 0, ""},
  {T2, "Boss-Lord of the Elements", 6, ""},
  {T2, "Boss-Lord of the Elements", 7, "You already beat the Lord of the Elements"},
  {T3, "Guard-Beast of Bogardon", 7, ""},
  {T3, "Guard-Beast of Bogardon", 8, kBeast},
  {T3, "Guard-Beast of Bogardon", 9, kBeast},
  {T3, "Guard-Beast of Bogardon", 10, ""},
  {T3, "Final Boss-Keeper of the Dead", 7, "You have not yet beaten my Beast of Bogardon!"},
  {T3, "Final Boss-Keeper of the Dead", 9, "You have not yet beaten my Beast of Bogardon!"},
  {Map, "Crazy Orc", 0, ""},
  {Keep, "Morvath", 4, ""},
};
// clang-format on

TEST(Gates, EachButtonRefusesOrFightsByProgress) {
  for (const GateCase& c : kGates) {
    SCOPED_TRACE(std::string(c.button) + " with Beat " + std::to_string(c.beat));
    Harness h;
    h.newGame();
    h.dialogs.boxes.clear();  // the name box
    h.g().ch().Beat = Str(c.beat);
    const bool open = GateOpen(h.g(), c.origin, c.button);
    EXPECT_EQ(open, std::string(c.refusal).empty());
    if (open) {
      EXPECT_TRUE(h.dialogs.boxes.empty());
    } else {
      ASSERT_EQ(h.dialogs.boxes.size(), 1u);
      EXPECT_EQ(h.dialogs.last().text, c.refusal);
      // A box without a title of its own: it carries the game's title.
      EXPECT_EQ(h.dialogs.last().title, kGameTitle);
      EXPECT_EQ(h.dialogs.last().buttons, Buttons::Ok);
    }
    EXPECT_EQ(h.g().ch().Beat, Str(c.beat));  // only the Keeper's gate writes progress
    EXPECT_FALSE(h.g().battle().visible);     // the gate alone starts no fight
  }
}

TEST(Gates, TheKeeperTauntsAndMarksHimselfMetBeforeTheFight) {
  Harness h;
  h.newGame();
  h.dialogs.boxes.clear();  // the name box
  h.g().ch().Beat = "8";
  EXPECT_TRUE(GateOpen(h.g(), ScreenId::Tower3, "Final Boss-Keeper of the Dead"));
  ASSERT_EQ(h.dialogs.boxes.size(), 1u);
  EXPECT_EQ(h.dialogs.last().text,
            "You fool! You can't beat me! Every time you killed a creature I captured it's soul "
            "to make myself stronger. You won't defeat me!!!!!");
  EXPECT_EQ(h.dialogs.last().title, kGameTitle);
  EXPECT_EQ(h.g().ch().Beat, "9");

  // Lost or not, the Keeper now refuses and the Beast counts as beaten.
  h.dialogs.boxes.clear();
  EXPECT_FALSE(GateOpen(h.g(), ScreenId::Tower3, "Final Boss-Keeper of the Dead"));
  EXPECT_FALSE(GateOpen(h.g(), ScreenId::Tower3, "Guard-Beast of Bogardon"));
  EXPECT_EQ(h.dialogs.texts(),
            (std::vector<std::string>{"You have not yet beaten my Beast of Bogardon!", kBeast}));
}

// --- The fight music chosen when the character is loaded. ---

struct MusicCase {
  const char* name;
  bool musicOn;
  const char* playing;  // the tune in the device
  const char* fromTowers;
  const char* musicFinish;
  std::vector<std::string> expected;  // "fight" stands for the fight tune's file entry
};

TEST(FightMusic, OnlyTheOverworldTuneGivesWayAndEndedTowerTunesRestart) {
  const std::vector<MusicCase> cases = {
      {"overworld", true, "Outside.mid", "", "", {"close", "fight", "open", "play"}},
      {"overworld, tune ended",
       true,
       "Outside.mid",
       "",
       "True",
       {"close", "fight", "open", "play"}},
      {"tower exit tune", true, "Outside.MID", "", "", {}},
      {"return tune", true, "Outside.rmi", "", "", {}},
      {"temple", true, "Temple.mid", "", "", {}},
      {"music off", false, "Outside.mid", "", "True", {}},
      {"tower", true, "Outside.mid", "True", "", {}},
      {"tower, tune ended", true, "Temple.mid", "True", "True", {"close", "open", "play"}},
      {"tower, tune ended, music off", false, "Temple.mid", "True", "True", {}},
      {"not quite true", true, "Outside.mid", "true", "", {"close", "fight", "open", "play"}},
  };
  for (const MusicCase& c : cases) {
    SCOPED_TRACE(c.name);
    Harness h;
    h.newGame();
    h.dialogs.boxes.clear();  // the name box
    Game& g = h.g();
    g.startForm().Music.caption = c.musicOn ? "on" : "off";
    h.music.file = h.tune(c.playing);
    g.battle().FromTowers.caption = c.fromTowers;
    g.musicFinish() = c.musicFinish;
    h.music.log.clear();
    g.battle().CharLoad();
    std::vector<std::string> expected;
    for (const std::string& e : c.expected)
      expected.push_back(e == "fight" ? "file=" + h.tune("FightMusic.rmi") : e);
    EXPECT_EQ(h.music.log, expected);
    EXPECT_EQ(g.musicFinish(), "");
  }
}

TEST(FightMusic, ATowerOrGuardFightLeavesItsMarkOnTheNextFightUntilAWin) {
  Harness h;
  h.newGame();
  h.dialogs.boxes.clear();  // the name box
  Game& g = h.g();
  // The overworld tune is playing, but a tower fight is marked before the character is loaded,
  // so the fight music stays out.
  h.music.log.clear();
  Encounter(g, ScreenId::Tower1, "Level 2-Mirror Monster");
  EXPECT_TRUE(h.music.log.empty());
  // The hero falls in the tower; the next fight is an ambush on the map with the overworld
  // tune playing, yet it keeps that tune.
  g.battle().DeathSequence();
  g.show(ScreenId::Caves);
  h.music.file = h.tune("Outside.mid");
  h.music.log.clear();
  Encounter(g, ScreenId::Caves, "Giant Snake");
  EXPECT_EQ(g.battle().FromTowers.caption, "True");
  EXPECT_TRUE(h.music.log.empty());
}

}  // namespace
}  // namespace morvath::test
