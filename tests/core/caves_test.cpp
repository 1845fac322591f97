// The cave and tower screens: the ways between them with their gates, and the music on the way
// out.
#include "world/caves.h"

#include <gtest/gtest.h>

#include "support/fakes.h"
#include "world/cave_screen.h"
#include "world/upper_keep.h"

namespace morvath::test {
namespace {

struct CavesTest : ::testing::Test {
  Harness h;
  CavesTest() {
    h.newGame("Arden");
    h.dialogs.boxes.clear();
    h.music.log.clear();
  }
  // Stands on a place screen with the given progress.
  CaveScreen& At(ScreenId id, const char* beat) {
    h.g().ch().Beat = beat;
    for (ScreenId s : kAllScreens) h.g().hide(s);
    h.g().show(id);
    return h.g().cave(id);
  }
  ScreenId Shown() {
    Screen* front = h.g().front();
    return front ? front->id() : ScreenId::Inventory;
  }
  std::vector<std::string> Playing(const char* file) {
    return {"close", "file=" + h.tune(file), "open", "play"};
  }
};

TEST_F(CavesTest, CaveExitsPlayTheOverworldTuneAndClearTheEndOfTuneFlag) {
  for (ScreenId cave : {ScreenId::Cave1, ScreenId::Cave2, ScreenId::Cave3}) {
    h.music.log.clear();
    h.g().musicFinish() = "True";
    At(cave, "0").click("Command11");
    EXPECT_EQ(Shown(), ScreenId::Caves);
    EXPECT_FALSE(h.g().cave(cave).visible);
    EXPECT_EQ(h.music.log, Playing("Outside.mid"));
    EXPECT_EQ(h.g().musicFinish(), "");
  }
  // With the music off nothing plays and the flag stays.
  h.g().startForm().Music.caption = "off";
  h.music.log.clear();
  h.g().musicFinish() = "True";
  At(ScreenId::Cave2, "0").click("Command11");
  EXPECT_EQ(Shown(), ScreenId::Caves);
  EXPECT_TRUE(h.music.log.empty());
  EXPECT_EQ(h.g().musicFinish(), "True");
}

TEST_F(CavesTest, TowerExitsPlayTheirOwnTuneAndLeaveTheFlag) {
  for (ScreenId tower : {ScreenId::Tower1, ScreenId::Tower2, ScreenId::Tower3}) {
    h.music.log.clear();
    h.g().musicFinish() = "True";
    At(tower, "8").click("Command11");
    EXPECT_EQ(Shown(), ScreenId::Caves);
    EXPECT_EQ(h.music.log, Playing("Outside.MID"));
    EXPECT_EQ(h.g().musicFinish(), "True");
  }
  h.g().startForm().Music.caption = "off";
  h.music.log.clear();
  At(ScreenId::Tower3, "9").click("Command11");
  EXPECT_EQ(Shown(), ScreenId::Caves);
  EXPECT_TRUE(h.music.log.empty());
  // The hero is still on the fountain: the next letter key there opens the first tower again.
  Caves& map = h.g().caves();
  EXPECT_EQ(map.LeftX.caption, "5");
  EXPECT_EQ(map.TopY.caption, "2");
  map.keyDown(key::kA, 0);
  EXPECT_EQ(Shown(), ScreenId::Tower1);
}

TEST_F(CavesTest, BetweenTheCaveOfEvilAndTheDragonMountainsWithoutGateOrMusic) {
  At(ScreenId::Cave3, "0").click("Command1");
  EXPECT_EQ(Shown(), ScreenId::Cave4);
  EXPECT_FALSE(h.g().cave(ScreenId::Cave3).visible);
  h.g().cave(ScreenId::Cave4).click("Command11");
  EXPECT_EQ(Shown(), ScreenId::Cave3);
  EXPECT_FALSE(h.g().cave(ScreenId::Cave4).visible);
  EXPECT_TRUE(h.music.log.empty());
  EXPECT_TRUE(h.dialogs.boxes.empty());
}

TEST_F(CavesTest, TheKeepOpensOnlyWhileTheDemonGuardIsTheLastBoss) {
  struct Case {
    const char* beat;
    const char* refusal;  // nullptr: the keep opens
  };
  const Case cases[] = {{"0", "You havn't beat the Demon Guard yet!"},
                        {"3", "You havn't beat the Demon Guard yet!"},
                        {"3.5", "You havn't beat the Demon Guard yet!"},
                        {"4", nullptr},
                        {"4.5", "You already beat the Morvath!"},
                        {"5", "You already beat the Morvath!"},
                        {"9", "You already beat the Morvath!"}};
  for (const Case& c : cases) {
    h.dialogs.boxes.clear();
    h.music.log.clear();
    At(ScreenId::Cave3, c.beat).click("Command6");
    if (c.refusal) {
      ASSERT_EQ(h.dialogs.boxes.size(), 1u) << c.beat;
      EXPECT_EQ(h.dialogs.last().text, c.refusal);
      EXPECT_EQ(h.dialogs.last().title, kGameTitle);
      EXPECT_EQ(Shown(), ScreenId::Cave3);
      EXPECT_TRUE(h.music.log.empty());
    } else {
      EXPECT_TRUE(h.dialogs.boxes.empty());
      EXPECT_EQ(Shown(), ScreenId::UpperKeep);
      EXPECT_FALSE(h.g().cave(ScreenId::Cave3).visible);
      EXPECT_EQ(h.music.log, Playing("Temple.mid"));
    }
  }
  // Music off: the keep opens in silence.
  h.g().startForm().Music.caption = "off";
  h.music.log.clear();
  At(ScreenId::Cave3, "4").click("Command6");
  EXPECT_EQ(Shown(), ScreenId::UpperKeep);
  EXPECT_TRUE(h.music.log.empty());
}

TEST_F(CavesTest, NextTowerWaitsForEachTowersBoss) {
  struct Case {
    ScreenId from;
    const char* button;
    const char* beat;
    ScreenId to;          // where the player stands afterwards
    const char* refusal;  // nullptr: no box
  };
  const Case cases[] = {
      {ScreenId::Tower1, "Command4", "5", ScreenId::Tower1,
       "You havn't beat the Mirror Master yet!"},
      {ScreenId::Tower1, "Command4", "6", ScreenId::Tower2, nullptr},
      {ScreenId::Tower1, "Command4", "9", ScreenId::Tower2, nullptr},
      {ScreenId::Tower2, "Command10", "6", ScreenId::Tower2,
       "You havn't beat the Lord of the Elements yet!"},
      {ScreenId::Tower2, "Command10", "7", ScreenId::Tower3, nullptr},
      {ScreenId::Tower2, "Command12", "6", ScreenId::Tower1, nullptr},
      {ScreenId::Tower3, "Command12", "7", ScreenId::Tower2, nullptr},
  };
  for (const Case& c : cases) {
    h.dialogs.boxes.clear();
    At(c.from, c.beat).click(c.button);
    EXPECT_EQ(Shown(), c.to) << c.button << " Beat " << c.beat;
    EXPECT_EQ(h.g().cave(c.from).visible, c.from == c.to);
    if (c.refusal) {
      ASSERT_EQ(h.dialogs.boxes.size(), 1u);
      EXPECT_EQ(h.dialogs.last().text, c.refusal);
      EXPECT_EQ(h.dialogs.last().title, kGameTitle);
    } else {
      EXPECT_TRUE(h.dialogs.boxes.empty());
    }
  }
  EXPECT_TRUE(h.music.log.empty());
}

TEST_F(CavesTest, ADemonGuardBeatenAgainReopensTheKeepAndClosesThePortal) {
  h.g().ch().Beat = "5";
  At(ScreenId::Cave3, "4");  // the Demon Guard's victory wrote 4 over the Morvath's 5
  h.g().cave(ScreenId::Cave3).click("Command6");
  EXPECT_EQ(Shown(), ScreenId::UpperKeep);
  Caves& map = h.g().caves();
  for (ScreenId s : kAllScreens) h.g().hide(s);
  h.g().show(ScreenId::Caves);
  map.keyDown(key::kA, 0);  // on the fountain
  EXPECT_EQ(Shown(), ScreenId::Caves);
  EXPECT_EQ(map.Message.caption, kFountainText);
}

}  // namespace
}  // namespace morvath::test
