// The menus all screens share: the music switch with its check marks, the exit question, the
// inventory window.
#include <gtest/gtest.h>

#include "core/inventory.h"
#include "support/fakes.h"
#include "town/inn.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

// Every screen with a music item, and whether its mark is set.
std::vector<bool> Marks(Game& g) {
  std::vector<bool> marks;
  for (Screen* s : g.screens())
    if (!s->musicItem().empty()) marks.push_back(s->menu(s->musicItem()).checked);
  return marks;
}

TEST(MusicSwitch, FourteenScreensShareOneCheckMark) {
  Harness h;
  EXPECT_EQ(Marks(h.g()), std::vector<bool>(14, true));
  h.music.log.clear();
  h.g().inn().click("muscion");  // the inn's item has its own spelling
  EXPECT_EQ(h.g().startForm().Music.caption, "off");
  EXPECT_EQ(Marks(h.g()), std::vector<bool>(14, false));
  EXPECT_EQ(h.music.log, std::vector<std::string>{"stop"});
  EXPECT_TRUE(h.dialogs.boxes.empty());

  h.g().caves().click("musicon");
  EXPECT_EQ(h.g().startForm().Music.caption, "on");
  EXPECT_EQ(Marks(h.g()), std::vector<bool>(14, true));
  EXPECT_EQ(h.dialogs.last().text,
            "Music will turn on the next time the program tells it to do so.");
  EXPECT_EQ(h.dialogs.last().title, kGameTitle);
  EXPECT_EQ(h.music.log, std::vector<std::string>{"stop"});  // no tune starts by itself
}

TEST(MusicSwitch, WithMusicOffNoTuneIsOpened) {
  Harness h;
  h.g().startForm().click("musicon");
  h.music.log.clear();
  h.newGame();
  h.g().caves().click("Command1");  // "&End Game" would play the title tune
  for (const std::string& entry : h.music.log) {
    EXPECT_NE(entry, "open");
    EXPECT_NE(entry, "play");
  }
}

TEST(ExitQuestion, NoKeepsPlayingYesEnds) {
  Harness h;
  h.newGame();
  h.dialogs.answers = {Answer::No};
  h.g().caves().click("MenuitemQuit");
  EXPECT_FALSE(h.g().ended());
  EXPECT_TRUE(h.g().caves().visible);
  h.dialogs.answers = {Answer::No};
  h.g().caves().closeBox();
  EXPECT_FALSE(h.g().ended());
  h.dialogs.answers = {Answer::Yes};
  h.g().caves().closeBox();
  EXPECT_TRUE(h.g().ended());
}

TEST(InventoryWindow, ShowsOverTheScreenAndHidesOnItsCloseBox) {
  Harness h;
  h.newGame();
  h.g().caves().click("MenuInventory");
  EXPECT_TRUE(h.g().inventory().visible);
  EXPECT_TRUE(h.g().caves().visible);
  EXPECT_EQ(h.g().front(), &h.g().caves());
  h.g().inventory().closeBox();
  EXPECT_FALSE(h.g().inventory().visible);
  EXPECT_FALSE(h.g().ended());
  EXPECT_EQ(h.g().ch().CharName, "Arden");  // hiding keeps the values
  h.g().caves().click("MenuInventory");
  h.g().inventory().click("MHide");
  EXPECT_FALSE(h.g().inventory().visible);
}

TEST(EndGameButton, ReturnsToTheStartScreenWithTheTitleTune) {
  Harness h;
  h.newGame();
  h.music.log.clear();
  h.g().caves().click("Command1");
  EXPECT_FALSE(h.g().caves().visible);
  EXPECT_TRUE(h.g().startForm().visible);
  EXPECT_EQ(h.g().ch().Gold, "");
  EXPECT_EQ(h.music.log,
            (std::vector<std::string>{"stop", "close", "close", "file=" + h.tune("Temple.mid"),
                                      "open", "play"}));
}

}  // namespace
}  // namespace morvath::test
