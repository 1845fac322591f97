// The death screen: the wipe, the title tune and its two ways of starting, the question, and
// the reload of the slot used last.
#include "combat/dead.h"

#include <gtest/gtest.h>

#include "combat/battle.h"
#include "core/save_slots.h"
#include "town/inn.h"
#include "town_rig.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

// A hero who has just died in a fight, with the death tune set on the device.
void Die(Rig& r) {
  r.g().hide(ScreenId::Caves);
  r.g().show(ScreenId::Dead);
  r.g().battle().N2.caption = "5";
  r.music.setFileName(r.tune("Death.MID"));
  r.music.log.clear();
  r.dialogs.boxes.clear();
  r.dialogs.doEventsCalls = 0;
}

std::vector<std::string> TempleRestart(Rig& r) {
  return {"stop", "close", "close", "file=" + r.tune("Temple.mid"), "open", "play"};
}

TEST(DeathScreen, WithoutALastSaveTheQuestionLeadsToTheErrorAndTheScreenStays) {
  Rig r;
  r.newGame();
  r.g().ch().Beat = "3";
  Die(r);
  r.dialogs.answers = {Answer::Yes};
  r.g().dead().click("");
  ASSERT_EQ(r.dialogs.boxes.size(), 2u);
  EXPECT_EQ(r.dialogs.boxes[0].text,
            "Do you wish to regenerate your charectar from the last point you saved?");
  EXPECT_EQ(r.dialogs.boxes[0].title, "Regeneration");
  EXPECT_EQ(r.dialogs.boxes[0].buttons, Buttons::YesNo);
  EXPECT_EQ(r.dialogs.boxes[1].text, "There is no save in that slot.");
  EXPECT_EQ(r.dialogs.boxes[1].title, "Error");
  EXPECT_TRUE(r.g().dead().visible);
  EXPECT_EQ(r.g().front(), &r.g().dead());
  EXPECT_EQ(r.dialogs.doEventsCalls, 0);
  EXPECT_EQ(r.music.log, TempleRestart(r));
  // The record is wiped but for the name, the span and the progress.
  Character expected;
  expected.CharName = "Arden";
  expected.NL = "500";
  expected.Beat = "3";
  EXPECT_EQ(r.g().ch(), expected);
  EXPECT_EQ(r.g().battle().N2.caption, "0");

  // Clicking again asks again.
  r.dialogs.boxes.clear();
  r.g().dead().click("Label2");
  EXPECT_EQ(r.dialogs.boxes.size(), 1u);
  EXPECT_EQ(r.dialogs.boxes[0].title, "Regeneration");
}

TEST(DeathScreen, YesReloadsTheSlotUsedLastAndShowsTheMap) {
  Rig r;
  r.newGame();
  r.g().ch().Gold = "777";
  r.g().inn().click("Command1");
  r.g().inn().keyDown(key::kPad0 + 3, 0);
  r.g().ch().Gold = "5";  // spent after saving
  Die(r);
  r.dialogs.answers = {Answer::Yes};
  r.g().dead().click("Label2");
  EXPECT_EQ(r.dialogs.texts().size(), 1u);
  EXPECT_EQ(r.g().ch().Gold, "777");
  EXPECT_EQ(r.g().ch().HP, "10");
  EXPECT_EQ(r.g().battle().N2.caption, "0");
  EXPECT_FALSE(r.g().dead().visible);
  EXPECT_FALSE(r.g().startForm().visible);
  EXPECT_TRUE(r.g().caves().visible);
  EXPECT_EQ(r.g().front(), &r.g().caves());
  EXPECT_EQ(r.dialogs.doEventsCalls, 1);
  std::vector<std::string> music = TempleRestart(r);
  const std::vector<std::string> outside = {"close", "file=" + r.tune("Outside.mid"), "open",
                                            "play"};
  music.insert(music.end(), outside.begin(), outside.end());
  EXPECT_EQ(r.music.log, music);
}

TEST(DeathScreen, NoShowsTheStartScreen) {
  Rig r;
  r.newGame();
  Die(r);
  r.dialogs.answers = {Answer::No};
  r.g().dead().click("Label1");
  EXPECT_TRUE(r.g().startForm().visible);
  EXPECT_FALSE(r.g().dead().visible);
  EXPECT_EQ(r.g().front(), &r.g().startForm());
  EXPECT_EQ(r.g().ch().Gold, "");
  EXPECT_EQ(r.g().ch().CharName, "Arden");
  // A new game from there starts afresh.
  r.newGame("Brenna");
  EXPECT_EQ(r.g().ch().Gold, "100");
  EXPECT_TRUE(r.g().caves().visible);
}

TEST(DeathScreen, Label1LeavesTheTitleTuneAloneOnceItIsSet) {
  Rig r;
  r.newGame();
  Die(r);
  // After the death tune, Label1 restarts the title tune like any click.
  r.g().dead().click("Label1");
  EXPECT_EQ(r.music.log, TempleRestart(r));
  // Now the device already names the title tune: Label1 only stops and closes it...
  r.music.log.clear();
  r.g().dead().click("Label1");
  EXPECT_EQ(r.music.log, (std::vector<std::string>{"stop", "close"}));
  // ...while the window and Label2 start it again.
  for (const char* where : {"", "Label2"}) {
    r.music.log.clear();
    r.g().dead().click(where);
    EXPECT_EQ(r.music.log, TempleRestart(r)) << where;
  }
}

TEST(DeathScreen, WithMusicOffOnlyStopAndCloseAreSent) {
  Rig r;
  r.newGame();
  r.g().toggleMusic();
  Die(r);
  for (const char* where : {"", "Label1", "Label2"}) {
    r.music.log.clear();
    r.g().dead().click(where);
    EXPECT_EQ(r.music.log, (std::vector<std::string>{"stop", "close"})) << where;
  }
}

TEST(DeathScreen, TheCloseBoxEndsTheProgramWithoutAQuestion) {
  Rig r;
  r.newGame();
  Die(r);
  r.g().dead().closeBox();
  EXPECT_TRUE(r.g().ended());
  EXPECT_TRUE(r.dialogs.boxes.empty());
  EXPECT_EQ(r.dialogs.quits, 1);
}

TEST(DeathScreen, AMarkerLeftEmptyByALetterAtTheInnFindsNoSave) {
  Rig r;
  r.newGame();
  r.g().inn().click("Command1");
  r.g().inn().keyDown(key::k0 + 3, 0);
  r.g().inn().click("Command1");
  r.g().inn().keyDown(key::kA + 7, 0);
  Die(r);
  r.dialogs.answers = {Answer::Yes};
  r.g().dead().click("");
  EXPECT_EQ(r.dialogs.last().text, "There is no save in that slot.");
  EXPECT_TRUE(r.g().dead().visible);
}

}  // namespace
}  // namespace morvath::test
