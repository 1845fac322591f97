// The whole road of the game, played as a player plays it: the start screen, the town of Makar,
// the cheat codes, the three caves and the Dragon Mountains, the maze of the Upper Keep, the
// three towers up to the Keeper of the Dead, and a death that regenerates the hero from the
// inn's save. Only clicks, keys, clock ticks and answers to boxes move the game; every random
// draw is scripted, and a draw too many or too few fails the test.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "combat/battle.h"
#include "combat/cast.h"
#include "core/game.h"
#include "core/text.h"
#include "shell/start_form.h"
#include "support/fakes.h"
#include "town/inn.h"
#include "world/caves.h"
#include "world/upper_keep.h"

namespace morvath::test {
namespace {

using Texts = std::vector<std::string>;

const std::string kTitle = kGameTitle;

// The "Level Up" boxes of the levels from..to, one box each.
Texts LevelUps(int from, int to) {
  Texts boxes;
  for (int level = from; level <= to; ++level)
    boxes.push_back("Level Up|You gained a level! You are now at level " + std::to_string(level) +
                    "!!");
  return boxes;
}

Texts operator+(Texts a, const Texts& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// How many levels a win pays for when `needed` experience is still wanted afterwards: while
// less than 1 is wanted, one more level, each level's span 12 % longer than the last (rounded
// down), the experience beyond the level carried over.
int LevelsPaid(double needed, double span) {
  int levels = 0;
  while (needed < 1) {
    span = std::floor(span * 1.12);
    needed += span;
    ++levels;
  }
  return levels;
}

class Playthrough : public ::testing::Test {
 protected:
  Harness h;  // the game's second start on this machine: the start counter reads "2"
  Game& g = h.g();
  Caves& map = g.caves();
  Battle& battle = g.battle();
  Character& hero = g.ch();

  // --- What the player sees ---

  // Exactly one game screen is shown, and it is this one.
  void expectAt(ScreenId id) {
    Texts shown;
    for (Screen* s : g.screens())
      if (s->visible && !IsOverlay(s->id())) shown.emplace_back(ScreenName(s->id()));
    EXPECT_EQ(shown, Texts{std::string(ScreenName(id))});
  }

  // The boxes shown since the last look, as "title|text".
  Texts newBoxes() {
    Texts shown;
    for (size_t i = boxesSeen_; i < h.dialogs.boxes.size(); ++i)
      shown.push_back(h.dialogs.boxes[i].title + "|" + h.dialogs.boxes[i].text);
    boxesSeen_ = h.dialogs.boxes.size();
    return shown;
  }

  // The music commands since the last look.
  Texts newMusic() {
    Texts sent(h.music.log.begin() + static_cast<long>(musicSeen_), h.music.log.end());
    musicSeen_ = h.music.log.size();
    return sent;
  }

  // The commands that start a tune: stop the one playing, name the file, open, play.
  Texts tune(const char* name) const { return {"close", "file=" + h.tune(name), "open", "play"}; }

  // Cells as "x,y": the hero's on the map and in the maze, and a maze guard's (index 0..3).
  std::string mapCell() const { return map.LeftX.caption + "," + map.TopY.caption; }
  std::string mazeCell() { return g.upperKeep().X.caption + "," + g.upperKeep().Y.caption; }
  std::string guardCell(int index) {
    return g.upperKeep().Xloc[index]->caption + "," + g.upperKeep().Yloc[index]->caption;
  }

  // --- What the player does ---

  // A key pressed on the screen in front.
  void press(int keyCode, int shift = 0) {
    Screen* s = g.front();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(s->readsKeys()) << ScreenName(s->id()) << " reads no keys";
    s->keyDown(keyCode, shift);
  }

  // Letters typed as written: Shift held for the capitals.
  void type(std::string_view letters) {
    for (char c : letters) {
      const unsigned char u = static_cast<unsigned char>(c);
      press(key::kA + (std::toupper(u) - 'A'), std::isupper(u) ? key::kShift : 0);
    }
  }

  // Arrow keys, "L", "R", "U", "D".
  void arrows(std::string_view path) {
    for (char c : path) {
      const int k = c == 'L'   ? key::kLeft
                    : c == 'R' ? key::kRight
                    : c == 'U' ? key::kUp
                               : key::kDown;
      press(k);
    }
  }

  // A button, menu item or label of the screen in front.
  void click(std::string_view control) {
    Screen* s = g.front();
    ASSERT_NE(s, nullptr);
    ASSERT_TRUE(s->enabled);
    s->click(control);
  }

  // The two draws of a step in the wild that bring no ambush: Int(0.5 * 175) = 87 and
  // Int(0.5 * 450) = 225.
  void noAmbush() { h.random.push({0.5, 0.5}); }

  // Walks the hero on the map in a straight line to (x, y) with the arrow keys. Every step from
  // row 5 up first draws for an ambush, scripted so that none comes.
  void walkTo(int x, int y) {
    int cx = static_cast<int>(Val(map.LeftX.caption));
    int cy = static_cast<int>(Val(map.TopY.caption));
    ASSERT_TRUE(cx == x || cy == y) << "walkTo goes in a straight line";
    while (cx != x || cy != y) {
      ASSERT_TRUE(map.visible) << "a place opened on the way, at " << cx << "," << cy;
      const int dx = (x > cx) - (x < cx);
      const int dy = (y > cy) - (y < cy);
      if (cy > 4) noAmbush();
      press(dx > 0 ? key::kRight : dx < 0 ? key::kLeft : dy > 0 ? key::kUp : key::kDown);
      cx += dx;
      cy += dy;
      ASSERT_EQ(mapCell(), Str(cx) + "," + Str(cy));
    }
    EXPECT_TRUE(h.random.numbers.empty());
  }

  // One tick of the maze's clock. Each guard's string is the directions it draws in turn ("L",
  // "R", "U", "D"); a refused direction is drawn again, so the last one is the step it takes.
  void tick(std::initializer_list<std::string_view> guards) {
    for (std::string_view steps : guards)
      for (char c : steps)
        h.random.push({(static_cast<double>(std::string_view("LRUD").find(c)) + 0.5) / 4});
    Screen* s = g.front();
    ASSERT_NE(s, nullptr);
    ASSERT_GT(s->timerInterval(), 0) << ScreenName(s->id()) << " has no clock";
    s->timerTick();
    EXPECT_TRUE(h.random.numbers.empty());
  }

  // Queues the draws of one attack round in which the hero strikes first wherever the opponent
  // lets him, never misses and deals the share `blow` of his total damage, while the opponent's
  // blows miss wherever they can and are otherwise as weak as they come (all taken by the
  // armour). Returns whether the hero's blow kills.
  bool queueRound(double blow) {
    const double chanceB = Val(battle.MdexB.caption);
    const double chanceC = Val(battle.MdexC.caption);
    // A chance of 3 misses only on a 4 (the hero) or hits only on a 1 (the opponent); any other
    // chance misses on a 1.
    EXPECT_TRUE(chanceB == 3 || chanceB == 0 || Val(battle.MdexB.tag) >= 2)
        << "no roll of this die hits";
    EXPECT_TRUE(chanceC != 3 || Val(battle.MdexC.tag) >= 2) << "no roll of this die misses";
    const double heroHits = chanceB == 3 ? 0.0 : 0.99;
    const double damage = std::floor(Val(battle.MaxDamage.caption) * blow + 1);
    const bool kills = Val(battle.MHP.caption) - damage < 1;
    auto heroBlow = [&] { h.random.push({heroHits, blow}); };
    auto theirBlow = [&] {
      if (chanceC == 0)
        h.random.push({0.0, 0.0});  // never misses: the weakest blow
      else
        h.random.push({chanceC == 3 ? 0.99 : 0.0});
    };
    h.random.push({0.0});  // the first-strike die rolls 1: the hero's, unless the chance is 0
    if (Val(battle.MdexA.caption) != 0) {
      heroBlow();
      if (!kills) theirBlow();
    } else {
      theirBlow();
      heroBlow();
    }
    return kills;
  }

  // Fights with "&Attack" until the opponent falls, each round scripted by queueRound; the
  // killing round also queues the smallest level-up gains (1 spell point, 10 health, 1 strength)
  // for every level the win pays for. Returns the levels gained.
  int winFight(double blow = 0.99) {
    expectAt(ScreenId::Battle);
    int levels = 0;
    for (int round = 0; round < 10 && battle.visible; ++round) {
      if (queueRound(blow)) {
        levels = LevelsPaid(Val(hero.NextLevel) - Val(battle.MEXP.caption), Val(hero.NL));
        for (int i = 0; i < 3 * levels; ++i) h.random.push({0.0});
      }
      click("Attack");
    }
    EXPECT_FALSE(battle.visible) << "the fight did not end";
    EXPECT_TRUE(h.random.numbers.empty()) << "the fight drew fewer numbers than scripted";
    return levels;
  }

  // --- The road ---

  void StartAndNewGame() {
    expectAt(ScreenId::aaStartForm);
    EXPECT_EQ(newBoxes(), Texts{}) << "the story is told at the first start only";
    EXPECT_EQ(h.store.read("ZARQSTART", "Start", "Start"), "3");
    EXPECT_EQ(newMusic(), tune(tune::kTemple));

    h.dialogs.inputs.push_back("Arden");
    click("New");
    EXPECT_EQ(newBoxes(), Texts{"Enter Name|What is your name?"});
    expectAt(ScreenId::Caves);
    EXPECT_EQ(mapCell(), "5,2");
    EXPECT_EQ(map.Message.caption, kFountainText);
    EXPECT_EQ(newMusic(),
              (Texts{"stop", "close", "file=" + h.tune(tune::kOutside), "open", "play"}));
  }

  void TownShopsAndTheInnSave() {
    walkTo(5, 3);
    expectAt(ScreenId::MagicShop);
    click("Exit");
    expectAt(ScreenId::Caves);

    walkTo(5, 2);
    EXPECT_EQ(map.Message.caption, kFountainText);
    walkTo(7, 2);
    expectAt(ScreenId::WeaponShop);
    click("Weapon1");
    EXPECT_EQ(newBoxes(), Texts{kTitle + "|You bought a Dagger for 75 gold."});
    EXPECT_EQ(hero.Gold, "25");
    EXPECT_EQ(hero.WeaponN, "Dagger");
    click("Exit");

    walkTo(5, 2);
    walkTo(5, 1);
    expectAt(ScreenId::Inn);
    click("Command1");
    EXPECT_TRUE(g.inn().Message.visible);
    press(key::k0 + 3);
    EXPECT_FALSE(g.inn().Message.visible);
    EXPECT_EQ(newBoxes(), Texts{"Keep of the Morvath|Your game was saved."});
    EXPECT_EQ(h.store.read("ZARQ", "LastSave", "LastSave"), "Save3");
    EXPECT_EQ(h.store.read("ZARQ", "Save3", "CharName"), "Arden");
    EXPECT_EQ(h.store.read("ZARQ", "Save3", "Gold"), "25");
    EXPECT_EQ(h.store.read("ZARQ", "Save3", "WeaponName"), "Dagger");
    click("Exit");
    expectAt(ScreenId::Caves);
    EXPECT_EQ(newMusic(), Texts{}) << "the town keeps the overworld tune";
  }

  void CheatCodes() {
    walkTo(5, 2);  // on the inn's cell every key would open the inn again
    type("MoreLooTT");
    EXPECT_EQ(newBoxes(),
              Texts{"Cheater|You used cheats. You gained 10,000 more of everything (health, "
                    "armor, strength, etc) exept gold. You gained 100,000,000 gold."});
    EXPECT_EQ(hero.HP, "10010");
    EXPECT_EQ(hero.MaxHP, "10010");
    EXPECT_EQ(hero.Strength, "10006");
    EXPECT_EQ(hero.Weapon, "10003");
    EXPECT_EQ(hero.Armor, "10002");
    EXPECT_EQ(hero.Shield, "10000");
    EXPECT_EQ(hero.Gold, "100000025");

    type("SAGA");
    EXPECT_EQ(newBoxes(), Texts{"Cheater|You got + 10,000 spell points!!!"});
    EXPECT_EQ(hero.SP, "10002");
    EXPECT_EQ(hero.MaxSP, "10002");
    expectAt(ScreenId::Caves);
  }

  void CaveOfMinors() {
    walkTo(4, 2);
    walkTo(4, 7);
    walkTo(0, 7);
    expectAt(ScreenId::Cave1);

    click("Command6");  // "Boss-Orc"
    EXPECT_EQ(battle.MName.caption, "Orc");
    EXPECT_EQ(battle.MaxDamage.caption, "20009");
    EXPECT_EQ(newMusic(), tune(tune::kFight));
    // The cheat's strength: the first blow, even at a share of one half, kills.
    h.random.push({0.0,    // the first-strike die rolls 1: the hero strikes first
                   0.99,   // the hit die rolls 4: only a 1 misses the Orc
                   0.5});  // Int(20009 * 0.5 + 1) = 10005 damage
    click("Attack");
    EXPECT_TRUE(h.random.numbers.empty());
    expectAt(ScreenId::Cave1);
    EXPECT_EQ(newBoxes(),
              (Texts{"You killed the Orc!!!|You killed the Orc!!! You got 325 gold and 325 "
                     "experience points.",
                     "Spell Learned|A scroll drops from the orcs hand as he lives his final "
                     "moments. You pick up the scroll, and you suddently learn the spell Wound!"}));
    EXPECT_EQ(hero.Beat, "1");
    EXPECT_TRUE(g.cast().button("SL1").enabled);
    EXPECT_EQ(hero.Gold, "100000350");
    EXPECT_EQ(hero.Exp, "325");
    EXPECT_EQ(hero.Kills, "1");
    EXPECT_EQ(hero.NextLevel, "175");
    EXPECT_EQ(hero.HP, "10010") << "a dead Orc strikes no blow";
    EXPECT_EQ(newMusic(), Texts{}) << "a cave keeps the fight tune until it is left";

    click("Command11");  // "&Exit Cave"
    expectAt(ScreenId::Caves);
    EXPECT_EQ(mapCell(), "0,7");
    EXPECT_EQ(newMusic(), tune(tune::kOutside));
  }

  void CaveOfChaos() {
    walkTo(10, 7);
    expectAt(ScreenId::Cave2);
    click("LordofChaos");
    EXPECT_EQ(newMusic(), tune(tune::kFight));

    // The Orc's spell, cast before the first round.
    click("Spell");
    EXPECT_TRUE(g.cast().visible);
    EXPECT_FALSE(battle.enabled);
    h.random.push({0.99});  // Wound: Int(0.99 * 6) + 5 = 10
    g.cast().click("SL1");
    EXPECT_FALSE(g.cast().visible);
    EXPECT_TRUE(battle.enabled);
    EXPECT_FALSE(battle.Spell.enabled) << "one spell between two rounds";
    EXPECT_EQ(battle.Attackmsg.caption, "The spell of Wound dealt 10 damage to the Lord of Chaos");
    EXPECT_EQ(battle.MHP.caption, "125");
    EXPECT_EQ(battle.YSP.caption, "10000");

    // He always strikes first and never misses; the armour takes it all.
    EXPECT_EQ(winFight(), 2);
    expectAt(ScreenId::Cave2);
    EXPECT_EQ(newBoxes(),
              (Texts{"You killed the Lord of Chaos!!!|You killed the Lord of Chaos!!! You got 750 "
                     "gold and 750 experience points."} +
               LevelUps(2, 3) +
               Texts{kTitle + "|\rYou fool! You can never beat us. You will fail!,\r screached the "
                              "Chaos Lord.",
                     "Spell Learned|From your amazing experience, you learn the spell Storm of "
                     "Chaos!"}));
    EXPECT_EQ(hero.Beat, "2");
    EXPECT_TRUE(g.cast().button("SL2").enabled);
    EXPECT_EQ(hero.Level, "3");
    EXPECT_EQ(hero.NL, "627");
    EXPECT_EQ(hero.NextLevel, "612");
    EXPECT_EQ(hero.MaxHP, "10030");
    EXPECT_EQ(hero.SP, hero.MaxSP) << "a new level refills the spell points spent";

    click("Command11");
    EXPECT_EQ(newMusic(), tune(tune::kOutside));
  }

  void DragonMountainsAndCaveOfEvil() {
    walkTo(5, 7);
    walkTo(5, 9);
    expectAt(ScreenId::Cave3);
    click("Command9");  // "Guard-Demon Guard", locked until the Dragon Lord falls
    EXPECT_EQ(newBoxes(),
              Texts{kTitle + "|You havn't beat the Dragon Lord (in the Dragon Mountains) yet!"});
    expectAt(ScreenId::Cave3);

    click("Command1");  // "Jorney to &Dragon Mountain"
    expectAt(ScreenId::Cave4);
    click("Command1");  // "Dragon Lord"
    EXPECT_EQ(newMusic(), tune(tune::kFight));
    EXPECT_EQ(winFight(), 2);
    expectAt(ScreenId::Cave4);
    EXPECT_EQ(
        newBoxes(),
        (Texts{"You killed the Dragon Lord!!!|You killed the Dragon Lord!!! You got 2000 gold "
               "and 2000 experience points."} +
         LevelUps(4, 5) +
         Texts{kTitle + "|'Y__ wi__ no_ b_at the M_rv_th o_ __s c___t_r,' the dying Dragon "
                        "Lord croaks.",
               "Spell Learned|From learning of the heat of the dark dragons, you learn "
               "the spell of Fire Bolt!"}));
    EXPECT_EQ(hero.Beat, "3");
    EXPECT_TRUE(g.cast().button("SL3").enabled);
    EXPECT_EQ(hero.Level, "5");

    click("Command11");  // "To the &Cave of Evil"
    expectAt(ScreenId::Cave3);
    click("Command9");
    EXPECT_EQ(newMusic(), Texts{}) << "the fight tune still plays: nothing to switch";
    EXPECT_EQ(winFight(), 2);
    expectAt(ScreenId::Cave3);
    EXPECT_EQ(newBoxes(),
              Texts{"You killed the Demon Guard!!!|You killed the Demon Guard!!! You got 17500 "
                    "gold and 1750 experience points."} +
                  LevelUps(6, 7));
    EXPECT_EQ(hero.Beat, "4");
    EXPECT_EQ(hero.Gold, "100020600");
  }

  void TheUpperKeep() {
    UpperKeep& maze = g.upperKeep();
    click("Command6");  // "&To the Keep of the Morvath"
    expectAt(ScreenId::UpperKeep);
    EXPECT_EQ(newMusic(), tune(tune::kTemple));
    EXPECT_EQ(mazeCell(), "0,4");

    // Guard 2 stands at (0,2), guard 3 at (2,3): both on the way down the west side and along
    // the row above the centre.
    arrows("D");
    EXPECT_EQ(mazeCell(), "0,3");
    // The clock: guard 1 goes up to (4,3), guard 2 up into the hero's cell, guard 3 right to
    // (3,3), guard 4 draws up (the centre's door is the hero's alone) and then right to (3,1).
    tick({"U", "U", "R", "UR"});
    expectAt(ScreenId::Battle);
    EXPECT_EQ(battle.MName.caption, "Demon Guard 2");
    EXPECT_EQ(newMusic(), Texts{}) << "the maze's guards keep the maze's tune";
    click("Flee");
    EXPECT_EQ(newBoxes(), Texts{"You can't escape|The Demon Guard easily blocks your escape."});
    EXPECT_EQ(winFight(), 0);
    expectAt(ScreenId::UpperKeep);
    EXPECT_EQ(newBoxes(), Texts{"You killed the Demon Guard 2!!!|You killed the Demon Guard 2!!! "
                                "You got 0 gold and 0 experience points."});
    EXPECT_EQ(hero.Beat, "4") << "a maze guard is no boss";
    // The maze is as it was, guard 2 beaten and hidden in the hero's cell.
    EXPECT_EQ(mazeCell(), "0,3");
    EXPECT_FALSE(maze.Demon[1]->visible);
    EXPECT_EQ(guardCell(1), "0,3");
    EXPECT_TRUE(maze.Demon[0]->visible && maze.Demon[2]->visible && maze.Demon[3]->visible);
    EXPECT_EQ(guardCell(0) + " " + guardCell(2) + " " + guardCell(3), "4,3 3,3 3,1");

    // The clock goes on. The beaten guard walks on too, down into the hero's next cell, where
    // it does nothing; guards 3 and 4 meet below the centre's right-hand wall.
    tick({"D", "D", "D", "RU"});
    expectAt(ScreenId::UpperKeep);
    EXPECT_EQ(guardCell(0) + " " + guardCell(1) + " " + guardCell(2) + " " + guardCell(3),
              "4,2 0,2 3,2 3,2");
    arrows("D");
    expectAt(ScreenId::UpperKeep);
    EXPECT_EQ(mazeCell(), "0,2");
    arrows("R");
    EXPECT_EQ(mazeCell(), "1,2");
    arrows("R");  // the centre's side wall
    EXPECT_EQ(maze.Message.caption, "There is a wall blocking your way");
    EXPECT_EQ(mazeCell(), "1,2");
    arrows("URD");  // round by (1,3) and (2,3), in through the door above the centre
    expectAt(ScreenId::Battle);
    EXPECT_EQ(battle.MName.caption, "Morvath");
    EXPECT_EQ(battle.PrevForm.caption, "3");
    // The keep is closed behind the hero: the next visit finds it as it first was.
    EXPECT_EQ(mazeCell(), "0,4");
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(maze.Demon[i]->visible) << "guard " << i + 1;
    EXPECT_EQ(guardCell(2), "2,3");

    click("Flee");
    EXPECT_EQ(newBoxes(),
              Texts{"You can't escape|The Morvath creates a wall of fire to block your escape."});
    EXPECT_EQ(winFight(), 11);
    expectAt(ScreenId::Cave3);
    EXPECT_EQ(
        newBoxes(),
        (Texts{"You killed the Morvath!!!|You killed the Morvath!!! You got 20000 gold and "
               "20000 experience points."} +
         LevelUps(8, 18) +
         Texts{kTitle + "|The Morvath screams, 'Noooooooooooo!!! My job of guarding the "
                        "fountains secret has failed! The fountain portal will re-open upon "
                        "my death. You won't beat my friends beond the fountain! They are the "
                        "Three Lords of Death!!!",
               "Spell Learned|You learn the spell of Terror!"}));
    EXPECT_EQ(hero.Beat, "5");
    EXPECT_TRUE(g.cast().button("SL4").enabled);
    EXPECT_EQ(hero.Level, "18");
    EXPECT_EQ(hero.NextLevel, "2947");
    EXPECT_EQ(hero.Kills, "6");
    EXPECT_EQ(hero.Exp, "24825");
    EXPECT_EQ(newMusic(), Texts{});

    click("Command6");
    EXPECT_EQ(newBoxes(), Texts{kTitle + "|You already beat the Morvath!"});
    click("Command11");
    EXPECT_EQ(newMusic(), tune(tune::kOutside));
  }

  void TheTowers() {
    walkTo(5, 4);
    walkTo(4, 4);  // round the magic shop
    walkTo(4, 2);
    walkTo(5, 2);  // the fountain is the portal now
    expectAt(ScreenId::Tower1);
    EXPECT_EQ(newMusic(), tune(tune::kTemple));

    click("Command3");  // "Boss-Mirror Master": the hero's own figures, five times over
    EXPECT_EQ(battle.MHP.caption, "50900");
    EXPECT_EQ(battle.MDamage.caption, "40028");
    EXPECT_EQ(winFight(), 0);
    expectAt(ScreenId::Tower1);
    EXPECT_EQ(newBoxes(),
              (Texts{"You killed the Mirror Master!!!|You killed the Mirror Master!!! You got 5000 "
                     "gold and 90 experience points.",
                     kTitle + "|'You may have beaten me, but you haven't seen what comes next...' "
                              "the Mirror Master says."}));
    EXPECT_EQ(hero.Beat, "6");

    click("Command4");  // "&Next Tower ->"
    expectAt(ScreenId::Tower2);
    click("Command4");  // "Boss-Lord of the Elements"
    EXPECT_EQ(battle.MHP.caption, "1800");
    EXPECT_EQ(winFight(), 0);
    expectAt(ScreenId::Tower2);
    EXPECT_EQ(newBoxes(),
              (Texts{"You killed the Lord of the Elements!!!|You killed the Lord of the "
                     "Elements!!! You got 1800 gold and 900 experience points.",
                     kTitle + "|'You won't beat the final boss! You can't!' the Element Lord says.",
                     "Spell Learned|You learn the spell of Elemental Blast!"}));
    EXPECT_EQ(hero.Beat, "7");
    EXPECT_TRUE(g.cast().button("SL5").enabled);

    click("Command10");  // "&Next Tower ->"
    expectAt(ScreenId::Tower3);
    click("Command1");  // "Guard-Beast of Bogardon": 16 for each of the 8 kills so far
    EXPECT_EQ(battle.MHP.caption, "128");
    EXPECT_EQ(winFight(), 9);
    EXPECT_EQ(newBoxes(),
              Texts{"You killed the Beast of Bogardon!!!|You killed the Beast of Bogardon!!! You "
                    "got 50000 gold and 50000 experience points."} +
                  LevelUps(19, 27) +
                  Texts{kTitle +
                        "|As the Beast of Bogardon falls, defeated, it releases it's last howl."});
    EXPECT_EQ(hero.Beat, "8");
    EXPECT_EQ(hero.Level, "27");

    click("Command2");  // "Final Boss-Keeper of the Dead"
    EXPECT_EQ(
        newBoxes(),
        (Texts{kTitle + "|You fool! You can't beat me! Every time you killed a creature I captured "
                        "it's soul to make myself stronger. You won't defeat me!!!!!"}));
    EXPECT_EQ(hero.Beat, "9");
    EXPECT_EQ(battle.MHP.caption, "180");
    EXPECT_TRUE(battle.picture("KeepDead").visible);
    // Two hundred million experience points: a long row of levels, one box each, then the
    // winner's box with the totals of the whole road.
    const int levels = winFight();
    EXPECT_GT(levels, 60);
    expectAt(ScreenId::Tower3);
    const Texts boxes = newBoxes();
    ASSERT_EQ(boxes.size(), static_cast<size_t>(levels) + 2);
    EXPECT_EQ(boxes.front(),
              "You killed the Keeper of the Dead!!!|You killed the Keeper of the Dead!!! You got "
              "100000000 gold and 200000000 experience points.");
    EXPECT_EQ(Texts(boxes.begin() + 1, boxes.end() - 1), LevelUps(28, 27 + levels));
    EXPECT_EQ(boxes.back(),
              "You Win|You win!!! You have 200097400 gold and 200075815 experience points!!!. You "
              "have killed a total of 10!!!!!");
    EXPECT_EQ(hero.Level, Str(27 + levels));
    EXPECT_EQ(newMusic(), Texts{}) << "the towers' fights keep the tower's tune";

    // The game goes on: both doors of the last tower are closed now.
    click("Command1");
    click("Command2");
    EXPECT_EQ(newBoxes(), (Texts{kTitle + "|You already beat the Beast of Bogardon!",
                                 kTitle + "|You have not yet beaten my Beast of Bogardon!"}));
    click("Command11");  // "&Exit Tower"
    expectAt(ScreenId::Caves);
    EXPECT_EQ(newMusic(), tune(tune::kOutsideTower));
  }

  void DeathAndRegeneration() {
    press(key::kA + ('K' - 'A'));  // any key on the fountain opens the portal again
    expectAt(ScreenId::Tower1);
    EXPECT_EQ(newMusic(), tune(tune::kTemple));

    click("Command2");  // "Level 2-Mirror Monster", fought to lose
    const double fullBlow =
        std::floor(Val(battle.MDamage.caption) * 0.9999 + 1) - Val(battle.MaxDefence.caption);
    ASSERT_GE(fullBlow, Val(battle.YHP.caption)) << "the mirror's full blow must kill";
    h.random.push({0.99,      // the first-strike die rolls 2: the Mirror Monster strikes first
                   0.99,      // its hit die rolls 2: the blow lands
                   0.9999});  // as hard as it comes
    click("Attack");
    EXPECT_TRUE(h.random.numbers.empty());
    expectAt(ScreenId::Dead);
    EXPECT_EQ(newBoxes(),
              Texts{"You Died|The Mirror Monster killed you and stripped you of all your "
                    "possesions."});
    EXPECT_EQ(newMusic(), tune(tune::kDeath));

    h.dialogs.answers.push_back(Answer::Yes);
    click("");  // anywhere on the death screen
    EXPECT_EQ(newBoxes(), Texts{"Regeneration|Do you wish to regenerate your charectar from the "
                                "last point you saved?"});
    EXPECT_EQ(newMusic(), (Texts{"stop", "close"} + tune(tune::kTemple) + tune(tune::kOutside)));
    expectAt(ScreenId::Caves);

    // Back by the fountain as saved at the inn, before the cheats and the road.
    EXPECT_EQ(mapCell(), "5,2");
    EXPECT_EQ(map.Char.left, 2760);
    EXPECT_EQ(map.Char.top, 3840);
    EXPECT_EQ(map.Message.caption, kFountainText);
    EXPECT_EQ(hero.CharName, "Arden");
    EXPECT_EQ(hero.Beat, "0");
    EXPECT_EQ(hero.Gold, "25");
    EXPECT_EQ(hero.HP, "10");
    EXPECT_EQ(hero.Level, "1");
    EXPECT_EQ(hero.Kills, "0");
    EXPECT_EQ(hero.WeaponN, "Dagger");
    EXPECT_EQ(hero.Weapon, "3");
    EXPECT_EQ(hero.SP, "2");
    for (const char* spell : Cast::kSpellButtons)
      EXPECT_FALSE(g.cast().button(spell).enabled) << spell << " was not known at the save";

    press(key::kA + ('K' - 'A'));  // the fountain is a fountain again
    expectAt(ScreenId::Caves);
    EXPECT_EQ(map.Message.caption, kFountainText);
    EXPECT_EQ(newBoxes(), Texts{});
  }

 private:
  size_t boxesSeen_ = 0;
  size_t musicSeen_ = 0;
};

TEST_F(Playthrough, FromTheStartScreenToTheKeeperOfTheDeadAndBackFromTheDead) {
  ASSERT_NO_FATAL_FAILURE(StartAndNewGame());
  ASSERT_NO_FATAL_FAILURE(TownShopsAndTheInnSave());
  ASSERT_NO_FATAL_FAILURE(CheatCodes());
  ASSERT_NO_FATAL_FAILURE(CaveOfMinors());
  ASSERT_NO_FATAL_FAILURE(CaveOfChaos());
  ASSERT_NO_FATAL_FAILURE(DragonMountainsAndCaveOfEvil());
  ASSERT_NO_FATAL_FAILURE(TheUpperKeep());
  ASSERT_NO_FATAL_FAILURE(TheTowers());
  ASSERT_NO_FATAL_FAILURE(DeathAndRegeneration());
}

}  // namespace
}  // namespace morvath::test
