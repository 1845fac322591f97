// What the windows tell a screen reader: the steps on the map and the rounds of a fight, each
// said once, in one utterance. (How it reaches the reader is the desktop test's, with Orca.)
#include <gtest/gtest.h>

#include <QPushButton>
#include <string>

#include "app/screen_window.h"
#include "combat/battle.h"
#include "combat/catalogue.h"
#include "core/game.h"
#include "gui/new_game_on_screen.h"
#include "world/caves.h"
#include "world/upper_keep.h"

namespace morvath::test {
namespace {

struct Announcements : NewGameOnScreen {
  // What the window of the screen said during the event, "" for nothing; more than one
  // utterance for one event fails.
  QString saidBy(ScreenId id, const std::function<void()>& event) {
    ScreenWindow& w = frontend.window(id);
    const int before = w.announcer().spokenCount();
    event();
    const int count = w.announcer().spokenCount() - before;
    EXPECT_LE(count, 1) << "spoken " << count << " times for one event";
    if (count == 0) return "";
    return w.announcer().lastSpoken();
  }
  QString step(int code) {
    return saidBy(ScreenId::Caves, [this, code] { press(h.g().caves(), code); });
  }
};

TEST_F(Announcements, TheMapSaysEachStepsCellAndANewMessage) {
  EXPECT_TRUE(saidBy(ScreenId::Caves, [this] {
                frontend.refresh();
              }).startsWith("5, 2. You are next to the beautiful fountain of Makar. East"));
  EXPECT_EQ(step(key::kRight), "6, 2");
  EXPECT_EQ(step(key::kDown), "6, 1");
  // Against the rock, twice: the message is written again and said again.
  const QString rock = "6, 1. Who are you? A Mountain Climber!?!";
  EXPECT_EQ(step(key::kDown), rock);
  EXPECT_EQ(step(key::kDown), rock);
  EXPECT_EQ(step(key::kUp), "6, 2");
  // A key that changes nothing where nothing is written, and the clock, say nothing.
  EXPECT_EQ(step(key::kA + 1), "");
  EXPECT_EQ(saidBy(ScreenId::Caves, [this] { frontend.run([] {}); }), "");
}

TEST_F(Announcements, ACheatCodeTypedAtTheFountainSaysNothingButItsBox) {
  frontend.refresh();
  // Every letter fills in the fountain's text again as it was: none of them is a step.
  for (char letter : std::string("MORELOOTT"))
    EXPECT_EQ(step(key::kA + (letter - 'A')), "") << letter;
  ASSERT_FALSE(h.dialogs.boxes.empty());
  EXPECT_EQ(h.dialogs.last().title, "Cheater");
  // The next step says its cell (a step against the rock its message each time, above).
  EXPECT_EQ(step(key::kRight), "6, 2");
}

TEST_F(Announcements, TheMazeSaysItsOpeningWordsEachCellAndEachWall) {
  h.g().hide(ScreenId::Caves);
  h.g().show(ScreenId::UpperKeep);
  EXPECT_EQ(saidBy(ScreenId::UpperKeep, [this] { frontend.refresh(); }),
            "0, 4. Watch out for the guards!!! Use the arrow keys to move around");
  auto walk = [this](int code) {
    return saidBy(ScreenId::UpperKeep, [this, code] { press(h.g().upperKeep(), code); });
  };
  EXPECT_EQ(walk(key::kDown), "0, 3");
  EXPECT_EQ(walk(key::kLeft), "0, 3. There is a wall blocking your way");
  EXPECT_EQ(walk(key::kLeft), "0, 3. There is a wall blocking your way");
}

TEST_F(Announcements, TheInventorySaysTheHeroWhenItOpens) {
  frontend.refresh();
  const QString said =
      saidBy(ScreenId::Inventory, [this] { frontend.run([this] { h.g().showInventory(); }); });
  EXPECT_TRUE(said.startsWith("Arden. Level 1. Health 10. Max Health 10.")) << said.toStdString();
}

TEST_F(Announcements, AFightSaysTheOpponentThenEveryRoundWithBothHealths) {
  Encounter(h.g(), ScreenId::Caves, "Crazy Orc");
  EXPECT_EQ(saidBy(ScreenId::Battle, [this] { frontend.refresh(); }),
            "Crazy Orc, Level 1. Your health 10 of 10. Health of the Crazy Orc 70 of 70");
  // Twice the same round, the orc first, hitting for 3; the hero misses: the second round writes
  // every line anew, and all are said again.
  auto* attack = frontend.window(ScreenId::Battle).findChild<QPushButton*>("Attack");
  const QString round =
      "The Crazy Orc attacked first. You missed the Crazy Orc. The Crazy Orc dealt "
      "3 damage to you. Your health %1 of 10. Health of the Crazy Orc 70 of 70";
  for (int health : {7, 4}) {
    h.random.roll(2, 2);
    h.random.roll(2, 4);
    h.random.push({0.06});
    h.random.roll(1, 2);
    EXPECT_EQ(saidBy(ScreenId::Battle, [attack] { attack->click(); }), round.arg(health));
  }
  // The potions offered, then a potion's line alone: the round's other lines stay unsaid.
  h.g().battle().potionCount(1).caption = "2";
  auto click = [this](const char* name) {
    auto* button = frontend.window(ScreenId::Battle).findChild<QPushButton*>(name);
    return saidBy(ScreenId::Battle, [button] { button->click(); });
  };
  EXPECT_EQ(click("Potion"), "Potion of Heal (8-15), 2 left");
  h.random.push({0.0});
  EXPECT_EQ(click("P1"),
            "You heal yourself for 6. Your health 10 of 10. Health of the Crazy Orc 70 of 70");
}

}  // namespace
}  // namespace morvath::test
