// Fights started from the map, the caves and towers and the maze, seen on the combat screen:
// which opponent the encounter setup received, where the fight will return, and what the
// screen of origin looks like meanwhile.
//
// These need the real encounter setup of the combat screen and stay disabled until it is in.
#include <gtest/gtest.h>

#include "combat/battle.h"
#include "core/text.h"
#include "support/fakes.h"
#include "world/cave_screen.h"
#include "world/caves.h"
#include "world/upper_keep.h"

namespace morvath::test {
namespace {

struct WorldFights : ::testing::Test {
  Harness h;
  Battle& battle = h.g().battle();
  WorldFights() {
    h.newGame("Arden");
    h.dialogs.boxes.clear();
  }
  CaveScreen& At(ScreenId id, const char* beat) {
    h.g().ch().Beat = beat;
    for (ScreenId s : kAllScreens) h.g().hide(s);
    h.g().show(id);
    return h.g().cave(id);
  }
  UpperKeep& Maze() {
    for (ScreenId s : kAllScreens) h.g().hide(s);
    h.g().show(ScreenId::UpperKeep);
    return h.g().upperKeep();
  }
};

TEST_F(WorldFights, AnAmbushFightsFromTheMapAndReturnsThere) {
  Caves& map = h.g().caves();
  map.TopY.caption = "5";
  h.random.push({(1 + 0.5) / 175});
  map.keyDown(key::kUp, 0);
  EXPECT_TRUE(battle.visible);
  EXPECT_FALSE(map.visible);
  EXPECT_EQ(battle.MName.caption, "Giant Snake");
  EXPECT_EQ(battle.PrevForm.caption, "0");
  EXPECT_EQ(map.TopY.caption, "5");
}

TEST_F(WorldFights, CaveAndTowerButtonsFightTheirOpponent) {
  At(ScreenId::Cave1, "0").click("Command4");
  EXPECT_TRUE(battle.visible);
  EXPECT_FALSE(h.g().cave(ScreenId::Cave1).visible);
  EXPECT_EQ(battle.MName.caption, "Brown Bear");
  EXPECT_EQ(battle.Level.caption, "Level 1");
  EXPECT_EQ(battle.PrevForm.caption, "1");

  At(ScreenId::Cave4, "2").click("Command1");
  EXPECT_EQ(battle.MName.caption, "Dragon Lord");
  EXPECT_EQ(battle.PrevForm.caption, "5");

  At(ScreenId::Tower2, "6").click("Command8");
  EXPECT_EQ(battle.MName.caption, "Water");
  EXPECT_EQ(battle.PrevForm.caption, "7");
  EXPECT_EQ(battle.FromTowers.caption, "True");
}

TEST_F(WorldFights, MonsterGatesRefuseWithTheirMessage) {
  struct Case {
    ScreenId id;
    const char* button;
    const char* beat;
    const char* refusal;  // nullptr: the fight starts
  };
  const Case cases[] = {
      {ScreenId::Cave1, "Command6", "0", nullptr},
      {ScreenId::Cave1, "Command6", "1", "You already beat the Orc!"},
      {ScreenId::Cave2, "LordofChaos", "0", "You havn't beat the Orc (boss 1) yet!"},
      {ScreenId::Cave2, "LordofChaos", "1", nullptr},
      {ScreenId::Cave2, "LordofChaos", "2", "You already beat the Lord of Chaos."},
      {ScreenId::Cave3, "Command9", "2",
       "You havn't beat the Dragon Lord (in the Dragon Mountains) yet!"},
      {ScreenId::Cave3, "Command2", "3", nullptr},
      {ScreenId::Cave4, "Command1", "1", "You havn't beat the Lord of Chaos (Cave of Chaos) yet!"},
      {ScreenId::Cave4, "Command1", "3", "You already beat the Dragon Lord."},
      {ScreenId::Tower1, "Command3", "6", "You already beat the Mirror Master"},
      {ScreenId::Tower2, "Command4", "7", "You already beat the Lord of the Elements"},
      {ScreenId::Tower3, "Command1", "7", nullptr},
      {ScreenId::Tower3, "Command1", "8", "You already beat the Beast of Bogardon!"},
      {ScreenId::Tower3, "Command2", "7", "You have not yet beaten my Beast of Bogardon!"},
  };
  for (const Case& c : cases) {
    h.dialogs.boxes.clear();
    At(c.id, c.beat).click(c.button);
    if (c.refusal) {
      ASSERT_EQ(h.dialogs.boxes.size(), 1u) << c.button << " " << c.beat;
      EXPECT_EQ(h.dialogs.last().text, c.refusal);
      EXPECT_FALSE(battle.visible);
      EXPECT_TRUE(h.g().cave(c.id).visible);
    } else {
      EXPECT_TRUE(battle.visible) << c.button << " " << c.beat;
      EXPECT_FALSE(h.g().cave(c.id).visible);
    }
  }
}

TEST_F(WorldFights, TheKeeperTauntsAndMarksProgressBeforeHisFight) {
  At(ScreenId::Tower3, "8").click("Command2");
  EXPECT_EQ(h.g().ch().Beat, "9");
  EXPECT_EQ(battle.MName.caption, "Keeper of the Dead");
  EXPECT_EQ(battle.PrevForm.caption, "8");
}

TEST_F(WorldFights, AGuardThatWalksIntoTheHeroStartsItsFightAndTheMazeWaits) {
  UpperKeep& maze = Maze();
  maze.keyDown(key::kDown, 0);                  // the hero at (0,3)
  h.random.push({0.125, 0.625, 0.125, 0.125});  // guard 2 steps up from (0,2)
  maze.timerTick();
  EXPECT_TRUE(battle.visible);
  EXPECT_FALSE(maze.visible);
  EXPECT_EQ(battle.MName.caption, "Demon Guard 2");
  EXPECT_EQ(battle.PrevForm.caption, "4");
  EXPECT_EQ(battle.FromTowers.caption, "True");
  EXPECT_EQ(maze.Y.caption, "3");
  EXPECT_EQ(maze.Yloc[1]->caption, "3");
  // Behind the combat screen the guards stand still.
  maze.timerTick();
  EXPECT_EQ(maze.Yloc[1]->caption, "3");
}

TEST_F(WorldFights, OfTwoGuardsOnTheHerosCellTheLaterOnesFightStands) {
  UpperKeep& maze = Maze();
  maze.keyDown(key::kDown, 0);
  for (int i : {0, 2}) {
    maze.Xloc[i]->caption = "0";
    maze.Yloc[i]->caption = "3";
  }
  maze.keyDown(key::kA, 0);
  EXPECT_EQ(battle.MName.caption, "Demon Guard 3");
}

TEST_F(WorldFights, ABeatenGuardSharesTheCellWithoutAFight) {
  UpperKeep& maze = Maze();
  maze.keyDown(key::kDown, 0);
  maze.Xloc[3]->caption = "0";
  maze.Yloc[3]->caption = "3";
  maze.Demon[3]->visible = false;
  maze.keyDown(key::kA, 0);
  EXPECT_FALSE(battle.visible);
  EXPECT_TRUE(maze.visible);
}

TEST_F(WorldFights, TheMorvathFightsFromTheCentreAndReturnsToTheCaveOfEvil) {
  UpperKeep& maze = Maze();
  maze.Demon[0]->visible = false;
  maze.X.caption = "2";
  maze.Y.caption = "3";
  maze.keyDown(key::kDown, 0);
  EXPECT_TRUE(battle.visible);
  EXPECT_FALSE(maze.visible);
  EXPECT_EQ(battle.MName.caption, "Morvath");
  EXPECT_EQ(battle.PrevForm.caption, "3");
  EXPECT_EQ(maze.X.caption, "0");
  EXPECT_EQ(maze.Y.caption, "4");
  EXPECT_TRUE(maze.Demon[0]->visible);
}

TEST_F(WorldFights, AWonGuardFightHidesThatGuardAndReturnsToTheMaze) {
  UpperKeep& maze = Maze();
  battle.MName.caption = "Demon Guard 3";
  battle.PrevForm.caption = "4";
  h.g().hide(ScreenId::UpperKeep);
  h.g().show(ScreenId::Battle);
  battle.GoBack();
  battle.SpecialMonster();
  EXPECT_TRUE(maze.visible);
  EXPECT_FALSE(battle.visible);
  EXPECT_FALSE(maze.Demon[2]->visible);
  EXPECT_TRUE(maze.Demon[0]->visible);
  EXPECT_TRUE(maze.Demon[1]->visible);
  EXPECT_TRUE(maze.Demon[3]->visible);
}

}  // namespace
}  // namespace morvath::test
