// What a screen reader says for the pictures that carry the game: the hero on the map and in the
// maze, the health gauges, the opponent and the cards, read through Qt's accessibility layer and
// kept current as the game goes on.
#include <gtest/gtest.h>

#include <QAccessible>

#include "app/screen_window.h"
#include "bar/black.h"
#include "combat/battle.h"
#include "combat/catalogue.h"
#include "core/game.h"
#include "gui/new_game_on_screen.h"
#include "world/caves.h"
#include "world/upper_keep.h"

namespace morvath::test {
namespace {

struct SpokenNames : NewGameOnScreen {
  // The name of a window's control as the accessibility layer gives it.
  std::string spoken(ScreenId id, const char* control, QAccessible::Text what = QAccessible::Name) {
    auto* widget = frontend.window(id).findChild<QWidget*>(control);
    if (!widget) return "(no control " + std::string(control) + ")";
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(what).toStdString() : "(not accessible)";
  }
};

TEST_F(SpokenNames, TheHeroSaysWhereHeStandsOnTheMapAndInTheMaze) {
  frontend.refresh();
  EXPECT_EQ(spoken(ScreenId::Caves, "Char"), "the hero at 5, 2");
  press(h.g().caves(), key::kLeft);
  EXPECT_EQ(spoken(ScreenId::Caves, "Char"), "the hero at 4, 2");
  press(h.g().caves(), key::kUp);
  EXPECT_EQ(spoken(ScreenId::Caves, "Char"), "the hero at 4, 3");

  h.g().hide(ScreenId::Caves);
  h.g().show(ScreenId::UpperKeep);
  frontend.refresh();
  EXPECT_EQ(spoken(ScreenId::UpperKeep, "Char"), "the hero at 0, 4");
  press(h.g().upperKeep(), key::kDown);
  EXPECT_EQ(spoken(ScreenId::UpperKeep, "Char"), "the hero at 0, 3");
}

TEST_F(SpokenNames, TheGaugesAndTheOpponentFollowTheFight) {
  Encounter(h.g(), ScreenId::Caves, "Crazy Orc");
  frontend.refresh();
  EXPECT_EQ(spoken(ScreenId::Battle, "YHPGauge"), "Your health 10 of 10");
  EXPECT_EQ(spoken(ScreenId::Battle, "MHPGauge"), "Health of the Crazy Orc 70 of 70");
  EXPECT_EQ(spoken(ScreenId::Battle, "Orc"), "the Crazy Orc");
  // A blow each way: both gauges say the new health.
  Battle& b = h.g().battle();
  frontend.run([&b] {
    b.YHP.caption = "4";
    b.MHP.caption = "61";
  });
  EXPECT_EQ(spoken(ScreenId::Battle, "YHPGauge"), "Your health 4 of 10");
  EXPECT_EQ(spoken(ScreenId::Battle, "MHPGauge"), "Health of the Crazy Orc 61 of 70");
}

TEST_F(SpokenNames, TheCardsSayTheirValueAndSuit) {
  h.g().ch().Gold = "100";
  h.g().black().Cash.caption = "100";
  h.g().hide(ScreenId::Caves);
  h.g().show(ScreenId::Black);
  for (int v : {10, 7, 9, 6, 2}) h.random.roll(v, 10);
  h.dialogs.inputs.push_back("20");
  frontend.run([this] { h.g().black().click("Play"); });
  EXPECT_EQ(spoken(ScreenId::Black, "Y1"), "10 of hearts");
  EXPECT_EQ(spoken(ScreenId::Black, "Y2"), "7 of spades");
  EXPECT_EQ(spoken(ScreenId::Black, "Y3"), "a free place");
  // A card drawn: the free place becomes that card.
  h.random.roll(3, 10);
  frontend.run([this] { h.g().black().click("Hit"); });
  EXPECT_EQ(spoken(ScreenId::Black, "Y3"), "3 of diamonds");
}

TEST_F(SpokenNames, ASpellSaysItsCostAndItsEffectAsDamageOnlyWhenItDealsDamage) {
  const char* const kSaid[][2] = {
      {"SL1", "2 Spell Points, Damage 5-10"},
      {"SL3", "15 Spell Points, Damage 40-80"},
      {"S3", "25 Spell Points, +50 armor for this battle"},
      {"SL4", "25 Spell Points, Weakens opponents damage by 1-150"},
      {"S4", "30 Spell Points, Steals 50-150 of your opponents health"},
      {"S5", "60 Spell Points, Damage 500-600"},
  };
  h.g().show(ScreenId::Cast);
  frontend.refresh();
  for (auto& [spell, said] : kSaid)
    EXPECT_EQ(spoken(ScreenId::Cast, spell, QAccessible::Description), said);
}

}  // namespace
}  // namespace morvath::test
