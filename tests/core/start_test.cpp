// The start screen: the start counter, the story, a new game, leaving the program, and the
// end-of-game reset that a new game runs first.
#include <gtest/gtest.h>

#include "combat/battle.h"
#include "combat/cast.h"
#include "core/inventory.h"
#include "support/fakes.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

std::string Counter(Harness& h) {
  return h.store.read("ZARQSTART", "Start", "Start");
}

TEST(StartCounter, FirstStartShowsStoryAndAboutThenCountsUp) {
  FakeDialogs dialogs;
  RecordingMusic music;
  MemoryStore store;
  ListRandom random;
  for (int run = 1; run <= 3; ++run) {
    dialogs.boxes.clear();
    Game game(dialogs, music, store, random, kTuneFolder);
    game.start();
    EXPECT_TRUE(game.startForm().visible);
    if (run == 1) {
      ASSERT_EQ(dialogs.boxes.size(), 2u);
      EXPECT_EQ(dialogs.boxes[0].title, "The Story");
      EXPECT_EQ(dialogs.boxes[0].text, StartForm::kFirstStory);
      EXPECT_EQ(dialogs.boxes[1].title, kGameTitle);  // the about box has no title of its own
    } else {
      EXPECT_TRUE(dialogs.boxes.empty());
    }
    EXPECT_EQ(store.read("ZARQSTART", "Start", "Start"), std::to_string(run + 1));
  }
  EXPECT_EQ(random.draws, 0);
}

TEST(StartCounter, ShiftCtrlAltWithAnyKeyResetsItAndBeeps) {
  Harness h;
  EXPECT_EQ(Counter(h), "3");
  h.g().startForm().keyDown('Q', key::kShift | key::kCtrl);  // two of three: nothing
  EXPECT_EQ(Counter(h), "3");
  EXPECT_EQ(h.dialogs.beeps, 0);
  h.g().startForm().keyDown('Q', key::kShift | key::kCtrl | key::kAlt);
  EXPECT_EQ(Counter(h), "1");
  EXPECT_EQ(h.dialogs.beeps, 1);
  // The next start shows the story again.
  FakeDialogs dialogs;
  Game next(dialogs, h.music, h.store, h.random, kTuneFolder);
  next.start();
  EXPECT_EQ(dialogs.boxes.size(), 2u);
  EXPECT_EQ(Counter(h), "2");
}

TEST(StartCounter, ACounterThatIsNotANumberCountsAsTheFirstStart) {
  for (const char* junk : {"abc", "2x", "", "   "}) {
    FakeDialogs dialogs;
    RecordingMusic music;
    MemoryStore store;
    ListRandom random;
    store.values[{"ZARQSTART", "Start", "Start"}] = junk;
    Game game(dialogs, music, store, random, kTuneFolder);
    game.start();
    EXPECT_EQ(dialogs.boxes.size(), 2u) << junk;
    EXPECT_EQ(store.read("ZARQSTART", "Start", "Start"), "2") << junk;
  }
}

TEST(StartScreen, PlaysTheTitleTuneAtLoad) {
  Harness h;
  EXPECT_EQ(h.music.log,
            (std::vector<std::string>{"close", "file=" + h.tune("Temple.mid"), "open", "play"}));
}

TEST(NewGame, FillsTheCharacterAndShowsTheMapAtTheFountain) {
  Harness h;
  h.g().startForm().click("Load");  // the prompt is open...
  h.music.log.clear();
  h.newGame("Arden");
  EXPECT_FALSE(h.g().startForm().Message.visible);  // ...and a new game closes it
  const Box& box = h.dialogs.boxes.back();
  EXPECT_TRUE(box.isInput);
  EXPECT_EQ(box.text, "What is your name?");
  EXPECT_EQ(box.title, "Enter Name");

  const Character& c = h.g().ch();
  Character expected;
  expected.CharName = "Arden";
  expected.Gold = "100";
  expected.Beat = "0";
  expected.Exp = "0";
  expected.HP = "10";
  expected.MaxHP = "10";
  expected.NextLevel = "500";
  expected.Level = "1";
  expected.SP = "2";
  expected.MaxSP = "2";
  expected.Armor = "2";
  expected.Weapon = "1";
  expected.Strength = "6";
  expected.Kills = "0";
  expected.Shield = "0";
  expected.WeaponN = "Stick";
  expected.ArmorN = "Clothes";
  expected.NL = "500";
  EXPECT_EQ(c, expected);

  Caves& map = h.g().caves();
  EXPECT_TRUE(map.visible);
  EXPECT_FALSE(h.g().startForm().visible);
  EXPECT_EQ(map.LeftX.caption, "5");
  EXPECT_EQ(map.TopY.caption, "2");
  EXPECT_EQ(map.Char.left, 2760);
  EXPECT_EQ(map.Char.top, 3840);
  EXPECT_EQ(map.Message.caption, kFountainText);
  for (int kind = 1; kind <= 5; ++kind) EXPECT_EQ(h.g().battle().potionCount(kind).caption, "0");
  // EndGame stops and closes the device; the overworld tune then starts without another close.
  EXPECT_EQ(h.music.log, (std::vector<std::string>{"stop", "close", "file=" + h.tune("Outside.mid"),
                                                   "open", "play"}));
}

TEST(NewGame, AnEmptyOrCancelledNameStartsNothing) {
  Harness h;
  h.g().ch().CharName = "Old";
  h.newGame("");
  EXPECT_TRUE(h.g().startForm().visible);
  EXPECT_FALSE(h.g().caves().visible);
  EXPECT_EQ(h.g().ch().CharName, "Old");
  h.newGame("   ");  // a name of blanks is a name
  EXPECT_TRUE(h.g().caves().visible);
  EXPECT_EQ(h.g().ch().CharName, "   ");
}

TEST(NewGame, ANewHeroKnowsNoSpellsOfTheHeroBefore) {
  Harness h;
  h.g().cast().button("S3").enabled = true;
  h.g().cast().button("SL4").enabled = true;
  h.newGame();
  for (const char* spell : Cast::kSpellButtons) EXPECT_FALSE(h.g().cast().button(spell).enabled);
}

TEST(EndGame, EmptiesTheRecordButKeepsNameProgressAndSpanAndSpells) {
  Harness h;
  h.newGame("Arden");
  Character& c = h.g().ch();
  c.Beat = "4";
  c.NL = "627";
  c.MaxDamage = "7";
  c.MaxDefence = "2";
  h.g().cast().button("S1").enabled = true;
  h.g().battle().N3.caption = "4";
  h.g().battle().visible = true;
  h.music.log.clear();
  h.g().startForm().Music.caption = "off";  // stop and close go out even with music off
  h.g().EndGame();
  Character expected;
  expected.CharName = "Arden";
  expected.Beat = "4";
  expected.NL = "627";
  EXPECT_EQ(c, expected);
  EXPECT_EQ(h.g().battle().N3.caption, "0");
  EXPECT_FALSE(h.g().battle().visible);
  EXPECT_TRUE(h.g().cast().button("S1").enabled);
  EXPECT_EQ(h.music.log, (std::vector<std::string>{"stop", "close"}));
}

TEST(Leaving, ExitButtonAndCloseBoxEndAtOnceTheMenuAsks) {
  Harness h;
  h.g().startForm().click("Load");
  h.g().startForm().click("Command1");
  EXPECT_TRUE(h.g().ended());
  EXPECT_FALSE(h.g().startForm().Message.visible);
  EXPECT_TRUE(h.dialogs.boxes.empty());

  Harness box;
  box.g().startForm().closeBox();
  EXPECT_TRUE(box.g().ended());
  EXPECT_TRUE(box.dialogs.boxes.empty());

  Harness menu;
  menu.dialogs.answers = {Answer::No};
  menu.g().startForm().click("MMExit");
  EXPECT_FALSE(menu.g().ended());
  const Box& q = menu.dialogs.last();
  EXPECT_EQ(q.text,
            "Are you sure you want to exit Keep of the Morvath? Unsaved changes will be lost.");
  EXPECT_EQ(q.title, "Exit?");
  EXPECT_EQ(q.buttons, Buttons::YesNo);
  EXPECT_EQ(q.icon, Icon::Stop);
  menu.dialogs.answers = {Answer::Yes};
  menu.g().startForm().click("MMExit");
  EXPECT_TRUE(menu.g().ended());
  EXPECT_EQ(menu.dialogs.quits, 1);
}

TEST(Story, TheMenuShowsTheSecondText) {
  Harness h;
  h.g().startForm().click("MNUStory");
  EXPECT_EQ(h.dialogs.last().title, "The Story");
  EXPECT_EQ(h.dialogs.last().text, StartForm::kMenuStory);
}

}  // namespace
}  // namespace morvath::test
