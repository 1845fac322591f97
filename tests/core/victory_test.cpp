// A won fight: the payout, level ups, the way back to the place of the fight and what the bosses
// leave behind.
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "combat/battle.h"
#include "combat/cast.h"
#include "combat/catalogue.h"
#include "core/inventory.h"
#include "core/text.h"
#include "support/fakes.h"
#include "world/caves.h"
#include "world/upper_keep.h"

namespace morvath::test {
namespace {

struct Won {
  Harness h;
  Game& g;
  Battle& b;
  Character& c;
  Won() : g(h.g()), b(h.g().battle()), c(h.g().ch()) {
    h.newGame("Arden");
    h.dialogs.boxes.clear();  // the name box
  }
};

TEST(LevelUp, OneLevelCarriesTheSurplusIntoALargerSpan) {
  Won w;
  w.c.Level = "3";
  w.c.MaxSP = "10";
  w.c.MaxHP = "40";
  w.c.Strength = "12";
  w.c.HP = "2";
  w.c.SP = "0";
  w.c.NL = "100";
  w.c.NextLevel = "-5";
  w.h.random.push({0.99, 0.0, 0.5});  // spell points 8, health 10, strength 3
  w.b.LevelUp();
  ASSERT_EQ(w.h.dialogs.boxes.size(), 1u);
  EXPECT_EQ(w.h.dialogs.last().text, "You gained a level! You are now at level 4!!");
  EXPECT_EQ(w.h.dialogs.last().title, "Level Up");
  EXPECT_EQ(w.c.Level, "4");
  EXPECT_EQ(w.c.MaxSP, "18");
  EXPECT_EQ(w.c.MaxHP, "50");
  EXPECT_EQ(w.c.Strength, "15");
  EXPECT_EQ(w.c.HP, "50");  // a new level heals the nearly dead completely
  EXPECT_EQ(w.c.SP, "18");
  EXPECT_EQ(w.c.NL, "112");
  EXPECT_EQ(w.c.NextLevel, "107");
}

TEST(LevelUp, ABigPayoutRaisesSeveralLevelsOneBoxEach) {
  Won w;
  w.c.NL = "10";
  w.c.NextLevel = "-30";
  // Gains per level: (1, 10, 1), (8, 18, 5), (4, 14, 3).
  w.h.random.push({0.0, 0.0, 0.0, 0.99, 0.99, 0.99, 0.4, 0.5, 0.5});
  w.b.LevelUp();
  EXPECT_EQ(w.h.dialogs.texts(),
            (std::vector<std::string>{"You gained a level! You are now at level 2!!",
                                      "You gained a level! You are now at level 3!!",
                                      "You gained a level! You are now at level 4!!"}));
  EXPECT_EQ(w.c.Level, "4");
  EXPECT_EQ(w.c.NL, "13");        // 11, 12, 13
  EXPECT_EQ(w.c.NextLevel, "6");  // -19, -7, 6
  EXPECT_EQ(w.c.MaxSP, "15");     // 2 + 1 + 8 + 4
  EXPECT_EQ(w.c.MaxHP, "52");     // 10 + 10 + 18 + 14
  EXPECT_EQ(w.c.Strength, "15");  // 6 + 1 + 5 + 3
  EXPECT_EQ(w.c.HP, "52");
  EXPECT_EQ(w.c.SP, "15");
}

TEST(LevelUp, IsDueBelowOneOnly) {
  Won w;
  w.c.NextLevel = "1";
  w.b.LevelUp();
  EXPECT_TRUE(w.h.dialogs.boxes.empty());
  EXPECT_EQ(w.c.Level, "1");
  EXPECT_EQ(w.h.random.draws, 0);

  w.c.NextLevel = "0";
  w.h.random.push({0.0, 0.0, 0.0});
  w.b.LevelUp();
  EXPECT_EQ(w.c.Level, "2");
  EXPECT_EQ(w.c.NL, "560");
  EXPECT_EQ(w.c.NextLevel, "560");
}

// A random source that gives up after a number of draws, so a level-up that never ends fails
// the test instead of hanging it.
class BoundedRandom : public Random {
 public:
  explicit BoundedRandom(int limit) : left_(limit) {}
  double next() override {
    if (left_-- <= 0) throw std::runtime_error("more level ups than expected");
    return 0.0;
  }

 private:
  int left_;
};

TEST(LevelUp, ADamagedSaveWithoutASpanStillComesToAnEnd) {
  for (const char* span : {"0", "", "-40", "0.5"}) {
    SCOPED_TRACE(std::string("NL ") + span);
    FakeDialogs dialogs;
    RecordingMusic music;
    MemoryStore store;
    BoundedRandom random(100);
    Game g(dialogs, music, store, random, kTuneFolder);
    Character& c = g.ch();
    c.Level = "1";
    c.NL = span;
    c.NextLevel = "-3";
    EXPECT_NO_THROW(g.battle().LevelUp());
    // A span of at least 1 pays the debt off one point a level: -2, -1, 0, 1.
    EXPECT_EQ(dialogs.boxes.size(), 4u);
    EXPECT_EQ(c.Level, "5");
    EXPECT_EQ(c.NL, "1");
    EXPECT_EQ(c.NextLevel, "1");
  }
}

TEST(LevelUp, TheBiggestPayoutOfTheGameRaisesAllItsLevelsAtOnce) {
  // The Keeper of the Dead's 200,000,000 experience points, won at level 1.
  FakeDialogs dialogs;
  RecordingMusic music;
  MemoryStore store;
  BoundedRandom random(3 * 95);
  Game g(dialogs, music, store, random, kTuneFolder);
  Character& c = g.ch();
  c.Level = "1";
  c.NL = "500";
  c.NextLevel = Str(500 - 200000000);
  g.battle().LevelUp();
  EXPECT_EQ(dialogs.boxes.size(), 95u);
  EXPECT_EQ(c.Level, "96");
  EXPECT_EQ(c.NL, "23536444");
  EXPECT_EQ(c.NextLevel, "19669708");
}

TEST(LevelUp, ADamagedSaveOwingBeyondAnyPayoutRaisesAThousandLevelsAWin) {
  // A span stuck at 1 and a debt of 1e300 points would take practically for ever.
  FakeDialogs dialogs;
  RecordingMusic music;
  MemoryStore store;
  BoundedRandom random(2 * 3 * 1000);
  Game g(dialogs, music, store, random, kTuneFolder);
  Character& c = g.ch();
  c.Level = "1";
  c.NL = "1";
  c.NextLevel = "-1e300";
  g.battle().LevelUp();
  EXPECT_EQ(dialogs.boxes.size(), 1000u);
  EXPECT_EQ(dialogs.last().text, "You gained a level! You are now at level 1001!!");
  EXPECT_EQ(c.Level, "1001");
  EXPECT_LT(Val(c.NextLevel), -1e299);  // still owed, for the next win
  EXPECT_EQ(c.HP, c.MaxHP);
  // The next win goes on from there.
  EXPECT_NO_THROW(g.battle().LevelUp());
  EXPECT_EQ(dialogs.boxes.size(), 2000u);
  EXPECT_EQ(c.Level, "2001");
}

TEST(Victory, PaysTheHeroAndKeepsTheFightsWounds) {
  Won w;
  Encounter(w.g, ScreenId::Caves, "Zombie");
  w.b.YHP.caption = "3";
  w.b.YSP.caption = "1";
  w.b.MHP.caption = "-2";
  w.b.Attackmsg.caption = "You attacked first";
  w.h.music.log.clear();
  w.b.Victory();
  ASSERT_EQ(w.h.dialogs.boxes.size(), 1u);
  EXPECT_EQ(w.h.dialogs.last().title, "You killed the Zombie!!!");
  EXPECT_EQ(w.h.dialogs.last().text,
            "You killed the Zombie!!! You got 375 gold and 375 experience points.");
  EXPECT_EQ(w.c.Kills, "1");
  EXPECT_EQ(w.c.Gold, "475");
  EXPECT_EQ(w.c.Exp, "375");
  EXPECT_EQ(w.c.NextLevel, "125");
  EXPECT_EQ(w.c.HP, "3");
  EXPECT_EQ(w.c.SP, "1");
  EXPECT_EQ(w.c.Beat, "0");
  EXPECT_FALSE(w.b.picture("Zombie").visible);
  EXPECT_FALSE(w.b.MHPGauge.drawn);
  EXPECT_EQ(w.b.MHP.caption, "-2");
  // An ambush returns to the map with the overworld tune.
  EXPECT_TRUE(w.g.caves().visible);
  EXPECT_FALSE(w.b.visible);
  EXPECT_EQ(w.b.Attackmsg.caption, "");
  EXPECT_EQ(w.h.music.log,
            (std::vector<std::string>{"close", "file=" + w.h.tune("Outside.rmi"), "open", "play"}));
  EXPECT_EQ(w.h.random.draws, 0);
}

// A fallen opponent, the progress before, and what its fall shows and changes.
struct Fall {
  const char* name;
  const char* beatBefore;
  std::vector<std::pair<std::string, std::string>> boxes;  // text, title
  const char* beatAfter;
  const char* spell;  // enabled afterwards, or none
};

TEST(SpecialMonster, EachBossMarksProgressSpeaksAndTeaches) {
  const std::string game = kGameTitle;
  const std::vector<Fall> falls = {
      {"Orc",
       "0",
       {{"A scroll drops from the orcs hand as he lives his final moments. You pick up the "
         "scroll, and you suddently learn the spell Wound!",
         "Spell Learned"}},
       "1",
       "SL1"},
      {"Lord of Chaos",
       "1",
       {{"\rYou fool! You can never beat us. You will fail!,\r screached the Chaos Lord.", game},
        {"From your amazing experience, you learn the spell Storm of Chaos!", "Spell Learned"}},
       "2",
       "SL2"},
      {"Dragon Lord",
       "2",
       {{"'Y__ wi__ no_ b_at the M_rv_th o_ __s c___t_r,' the dying Dragon Lord croaks.", game},
        {"From learning of the heat of the dark dragons, you learn the spell of Fire Bolt!",
         "Spell Learned"}},
       "3",
       "SL3"},
      {"Demon Guard", "5", {}, "4", nullptr},  // beaten again after the Morvath
      {"Morvath",
       "4",
       {{"The Morvath screams, 'Noooooooooooo!!! My job of guarding the fountains secret has "
         "failed! The fountain portal will re-open upon my death. You won't beat my friends "
         "beond the fountain! They are the Three Lords of Death!!!",
         game},
        {"You learn the spell of Terror!", "Spell Learned"}},
       "5",
       "SL4"},
      {"Mirror Master",
       "5",
       {{"'You may have beaten me, but you haven't seen what comes next...' the Mirror Master "
         "says.",
         game}},
       "6",
       nullptr},
      {"Lord of the Elements",
       "6",
       {{"'You won't beat the final boss! You can't!' the Element Lord says.", game},
        {"You learn the spell of Elemental Blast!", "Spell Learned"}},
       "7",
       "SL5"},
      {"Beast of Bogardon",
       "3",  // set whatever it was before
       {{"As the Beast of Bogardon falls, defeated, it releases it's last howl.", game}},
       "8",
       nullptr},
      // Names that only look like bosses change nothing.
      {"Crazy Orc", "0", {}, "0", nullptr},
      {"orc", "0", {}, "0", nullptr},
      {"Demon Guard 1", "4", {}, "4", nullptr},
      {"Chaos Creature", "1", {}, "1", nullptr},
  };
  for (const Fall& f : falls) {
    SCOPED_TRACE(f.name);
    Won w;
    w.c.Beat = f.beatBefore;
    w.b.MName.caption = f.name;
    w.b.SpecialMonster();
    std::vector<std::pair<std::string, std::string>> shown;
    for (const Box& box : w.h.dialogs.boxes) shown.emplace_back(box.text, box.title);
    EXPECT_EQ(shown, f.boxes);
    EXPECT_EQ(w.c.Beat, f.beatAfter);
    for (const char* spell : Cast::kSpellButtons)
      EXPECT_EQ(w.g.cast().button(spell).enabled, f.spell && std::string(spell) == f.spell)
          << spell;
  }
}

TEST(SpecialMonster, TheKeepersFallWinsTheGameAndTheGameGoesOn) {
  Won w;
  w.c.Beat = "8";
  w.c.Kills = "41";
  w.c.Gold = "1000";
  w.c.Exp = "5000";
  w.c.NextLevel = "1000000000";  // no level this time
  ASSERT_TRUE(GateOpen(w.g, ScreenId::Tower3, "Final Boss-Keeper of the Dead"));
  Encounter(w.g, ScreenId::Tower3, "Final Boss-Keeper of the Dead");
  EXPECT_TRUE(w.b.picture("KeepDead").visible);
  w.h.dialogs.boxes.clear();
  w.b.MHP.caption = "0";
  w.b.Victory();
  ASSERT_EQ(w.h.dialogs.boxes.size(), 2u);
  EXPECT_EQ(w.h.dialogs.boxes[0].title, "You killed the Keeper of the Dead!!!");
  EXPECT_EQ(w.h.dialogs.boxes[0].text,
            "You killed the Keeper of the Dead!!! You got 100000000 gold and 200000000 "
            "experience points.");
  EXPECT_EQ(w.h.dialogs.boxes[1].title, "You Win");
  EXPECT_EQ(w.h.dialogs.boxes[1].text,
            "You win!!! You have 100001000 gold and 200005000 experience points!!!. You have "
            "killed a total of 42!!!!!");
  EXPECT_EQ(w.c.Beat, "9");
  EXPECT_FALSE(w.b.picture("KeepDead").visible);
  EXPECT_TRUE(w.g.screen(ScreenId::Tower3).visible);
  EXPECT_FALSE(w.b.visible);
  EXPECT_EQ(w.b.FromTowers.caption, "");
}

TEST(SpecialMonster, ABeatenMazeGuardDisappearsFromTheMaze) {
  Won w;
  UpperKeep& keep = w.g.upperKeep();
  w.g.show(ScreenId::UpperKeep);
  Encounter(w.g, ScreenId::UpperKeep, "Demon Guard 3");
  EXPECT_FALSE(keep.visible);
  w.b.MHP.caption = "-100";
  w.b.Victory();
  EXPECT_TRUE(keep.picture("Demon0").visible);
  EXPECT_TRUE(keep.picture("Demon1").visible);
  EXPECT_FALSE(keep.picture("Demon2").visible);
  EXPECT_TRUE(keep.picture("Demon3").visible);
  EXPECT_TRUE(keep.visible);
  EXPECT_EQ(w.c.Beat, "0");
  EXPECT_EQ(w.c.Gold, "100");
  EXPECT_EQ(w.b.FromTowers.caption, "");
}

// --- The way back. ---

TEST(GoBack, EachReturnCodeShowsItsScreen) {
  const std::pair<const char*, ScreenId> returns[] = {
      {"0", ScreenId::Caves},  {"1", ScreenId::Cave1},     {"2", ScreenId::Cave2},
      {"3", ScreenId::Cave3},  {"4", ScreenId::UpperKeep}, {"5", ScreenId::Cave4},
      {"6", ScreenId::Tower1}, {"7", ScreenId::Tower2},    {"8", ScreenId::Tower3},
  };
  for (const auto& [code, screen] : returns) {
    SCOPED_TRACE(code);
    Won w;
    w.g.hide(ScreenId::Caves);
    w.g.show(ScreenId::Battle);
    w.b.PrevForm.caption = code;
    w.b.Ymessage.caption = "The Orc missed you";
    w.b.MMessage.caption = "You missed the Orc";
    w.b.Attackmsg.caption = "You attacked first";
    w.b.GoBack();
    EXPECT_EQ(w.g.front(), &w.g.screen(screen));
    EXPECT_FALSE(w.b.visible);
    EXPECT_EQ(w.b.Ymessage.caption, "");
    EXPECT_EQ(w.b.MMessage.caption, "");
    EXPECT_EQ(w.b.Attackmsg.caption, "");
  }
  // A code the setup never writes leaves no screen in front.
  for (const char* code : {"9", "", "01", " 1"}) {
    Won w;
    w.g.hide(ScreenId::Caves);
    w.g.show(ScreenId::Battle);
    w.b.PrevForm.caption = code;
    w.b.GoBack();
    EXPECT_EQ(w.g.front(), nullptr) << "'" << code << "'";
  }
}

// The music on the way back: switch, the tower mark, the end-of-tune flag, the return code,
// and the device's commands expected ("rmi" stands for the overworld return tune).
struct BackMusic {
  bool musicOn;
  const char* fromTowers;
  const char* musicFinish;
  const char* code;
  std::vector<std::string> expected;
};

TEST(GoBack, MusicRestartsAnEndedTowerTuneAndGreetsTheMap) {
  const std::vector<BackMusic> cases = {
      {true, "", "", "0", {"close", "rmi", "open", "play"}},
      {false, "", "", "0", {}},
      {true, "", "", "3", {}},
      {true, "", "True", "1", {}},
      {true, "True", "", "6", {}},
      {true, "True", "True", "6", {"close", "open", "play"}},
      {true, "True", "True", "4", {"close", "open", "play"}},
      {false, "True", "True", "6", {}},
      {true, "True", "True", "0", {"close", "open", "play", "close", "rmi", "open", "play"}},
  };
  for (const BackMusic& c : cases) {
    SCOPED_TRACE(std::string(c.fromTowers) + "/" + c.musicFinish + " code " + c.code);
    Won w;
    w.g.startForm().Music.caption = c.musicOn ? "on" : "off";
    w.b.FromTowers.caption = c.fromTowers;
    w.g.musicFinish() = c.musicFinish;
    w.b.PrevForm.caption = c.code;
    w.h.music.log.clear();
    w.b.GoBack();
    std::vector<std::string> expected;
    for (const std::string& e : c.expected)
      expected.push_back(e == "rmi" ? "file=" + w.h.tune("Outside.rmi") : e);
    EXPECT_EQ(w.h.music.log, expected);
    EXPECT_EQ(w.b.FromTowers.caption, "");
    EXPECT_EQ(w.g.musicFinish(), c.musicFinish);  // the flag is left for the next fight
  }
}

}  // namespace
}  // namespace morvath::test
