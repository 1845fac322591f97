// The spell window: costs, effects, refusals and the way back to the fight.
#include "combat/cast.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/text.h"
#include "fight_setup.h"

namespace morvath::test {
namespace {

using Strings = std::vector<std::string>;

// A fight with the spell window opened from the combat screen, every spell known.
struct SpellFight : Fight {
  Cast& cast = h.g().cast();
  SpellFight() {
    for (const char* spell : Cast::kSpellButtons) cast.button(spell).enabled = true;
    b.YSP.caption = "100";
    b.MHP.caption = "1000";
    b.click("Spell");
  }
  void cast1(const char* spell, double r) {
    h.random.push({r});
    cast.click(spell);
  }
  // The spell window is gone, the combat screen takes input again and casting is used up.
  bool backInTheFight() const {
    return !cast.visible && b.visible && b.enabled && !b.Spell.enabled;
  }
};

TEST(Cast, CastASpellDisablesTheCombatScreenUnderTheWindow) {
  SpellFight f;
  EXPECT_TRUE(f.cast.visible && f.b.visible);
  EXPECT_FALSE(f.b.enabled);
  EXPECT_EQ(f.h.g().front(), &f.b);
}

TEST(Cast, DamageSpellsDrawTheirRangeAndReportIt) {
  const struct {
    const char* spell;
    double r;
    const char *mhp, *text;
  } cases[] = {{"SL1", 0.0, "995", "The spell of Wound dealt 5"},
               {"SL1", 0.999, "990", "The spell of Wound dealt 10"},
               {"S1", 0.999, "980", "The spell of Knives of Death dealt 20"},
               {"SL2", 0.999, "970", "The spell Storm of Chaos dealt 30"},
               {"S2", 0.0, "980", "The spell of Earth Slide dealt 20"},
               {"SL3", 0.999, "920", "The spell of Fire Bolt dealt 80"},
               {"SL5", 0.0, "900", "The spell of Elemental Blast dealt 100"},
               {"S5", 0.999, "400", "The spell of Demonic Fireball dealt 600"}};
  for (const auto& c : cases) {
    SpellFight f;
    f.cast1(c.spell, c.r);
    EXPECT_EQ(f.b.Attackmsg.caption, std::string(c.text) + " damage to the Giant Snake");
    EXPECT_EQ(f.b.MHP.caption, c.mhp);
    EXPECT_TRUE(f.backInTheFight()) << c.spell;
    EXPECT_TRUE(f.h.dialogs.boxes.empty());  // the opponent does not answer a spell
    EXPECT_EQ(f.b.YHP.caption, "50");
  }
}

TEST(Cast, EveryRowChargesTheCostItShows) {
  for (int row = 0; row < 10; ++row) {
    SpellFight f;
    f.cast1(Cast::kSpellButtons[row], 0.5);
    EXPECT_EQ(f.b.YSP.caption, Str(100 - Val(f.cast.cost(row).caption))) << row;
  }
}

TEST(Cast, ExactlyTheCostIsEnoughOneLessIsNot) {
  SpellFight f;
  f.b.YSP.caption = "24";
  f.cast.click("S3");
  EXPECT_EQ(f.boxes(), Strings{std::string(kGameTitle) +
                               "|You don't have enough spell points to cast Enchant Armor."});
  EXPECT_TRUE(f.cast.visible && f.b.Spell.enabled && !f.b.enabled);
  EXPECT_EQ((Strings{f.b.YSP.caption, f.b.MaxDefence.caption}), (Strings{"24", "3"}));

  f.b.YSP.caption = "60";
  f.b.MHP.caption = "10";
  f.cast1("S5", 0.0);
  EXPECT_EQ((Strings{f.b.YSP.caption, f.b.MHP.caption}), (Strings{"0", "-490"}));
}

TEST(Cast, DrainHealthHealsWhatRoomThereIsAndHurtsInFull) {
  // health, maximum, draw; health after, damage, heal
  const char* cases[][6] = {{"100", "100", "0", "100", "50", "0"},
                            {"95", "100", "0", "100", "50", "5"},
                            {"10", "500", "0.999", "160", "150", "150"}};
  for (auto& [hp, max, r, after, damage, heal] : cases) {
    SpellFight f;
    f.b.YHP.caption = hp;
    f.b.YMaxHP.caption = max;
    f.cast1("S4", Val(r));
    EXPECT_EQ(f.b.YHP.caption, after);
    EXPECT_EQ(f.b.Attackmsg.caption, std::string("The spell of Drain Health dealt ") + damage +
                                         " damage to the Giant Snake and healed you for " + heal);
    EXPECT_EQ(f.b.MHP.caption, Str(1000 - Val(damage)));
  }
}

TEST(Cast, TerrorLowersTheDamageButNeverBelowZero) {
  for (auto [damage, after, by] : {std::tuple{"40", "0", "40"}, {"200", "100", "100"}}) {
    SpellFight f;
    f.b.MDamage.caption = damage;
    f.cast1("SL4", 99.5 / 150);  // draws 100
    EXPECT_EQ(f.b.MDamage.caption, after);
    EXPECT_EQ(f.b.Attackmsg.caption,
              std::string("The spell of Terror lowered the Giant Snake's damage by ") + by);
  }
}

TEST(Cast, EnchantArmorTwiceAddsAHundredWithoutADraw) {
  SpellFight f;
  f.cast.click("S3");
  EXPECT_EQ(f.b.Attackmsg.caption, "Your defence was raised by 50");
  EXPECT_TRUE(f.backInTheFight());
  f.b.Spell.enabled = true;  // as the next attack round does
  f.b.click("Spell");
  f.cast.click("S3");
  EXPECT_EQ((Strings{f.b.MaxDefence.caption, f.b.YSP.caption}), (Strings{"103", "50"}));
  EXPECT_EQ(f.h.random.draws, 0);
}

TEST(Cast, CancelSpendsNothingAndLeavesCastingOpen) {
  SpellFight f;
  f.cast.click("Command1");
  EXPECT_TRUE(!f.cast.visible && f.b.visible && f.b.enabled && f.b.Spell.enabled);
  EXPECT_EQ(f.b.YSP.caption, "100");
  EXPECT_EQ(f.h.random.draws, 0);
}

}  // namespace
}  // namespace morvath::test
