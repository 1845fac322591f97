// The Elkwood Inn: resting, buying spell points back, the way to the bar and out, and the
// prompt's fate on the way.
#include "town/inn.h"

#include <gtest/gtest.h>

#include <cmath>

#include "bar/black.h"
#include "core/text.h"
#include "town_rig.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

std::string Warning(const std::string& missing) {
  return "For how many spell points would you like to be restored? (WARNING: If you go above " +
         missing + " then you will be charged a little more for nothing)";
}

// A hero at the inn with the given purse and spell points.
struct AtInn {
  Harness h;
  Character& c;
  AtInn(const std::string& gold, const std::string& sp, const std::string& maxSp)
      : c((h.newGame(), h.g().ch())) {
    h.g().show(ScreenId::Inn);
    h.g().hide(ScreenId::Caves);
    c.Gold = gold;
    c.SP = sp;
    c.MaxSP = maxSp;
    h.dialogs.boxes.clear();
  }
  // Asks for spell points with the answer typed, and the answer to the price question.
  void restore(const std::string& typed, Answer priceAnswer = Answer::Ok) {
    h.dialogs.inputs.push_back(typed);
    h.dialogs.answers.push_back(priceAnswer);
    h.g().inn().click("Meditate");
  }
};

TEST(Rest, NeedsTwentySixGoldAndCostsTwentyFive) {
  AtInn at("25", "1", "2");
  at.c.HP = "3";
  const Character before = at.c;
  at.h.g().inn().click("Rest");
  EXPECT_EQ(at.c, before);
  EXPECT_EQ(at.h.dialogs.last().text,
            "You don't have enough gold to rest at the inn. Come back when you have more money.");
  EXPECT_EQ(at.h.dialogs.last().title, "Not Enough Gold");

  at.c.Gold = "26";
  at.h.g().inn().click("Rest");
  EXPECT_EQ(at.c.Gold, "1");
  EXPECT_EQ(at.c.HP, "10");
  EXPECT_EQ(at.c.SP, "1");  // rest does not restore spell points
  EXPECT_EQ(at.h.dialogs.last().text, "You feel fully revived after your rest at the Elkwood Inn.");
  EXPECT_EQ(at.h.dialogs.last().title, "You're Healed");

  at.h.g().inn().click("Rest");  // at full health it still costs, and 1 gold is not enough
  EXPECT_EQ(at.c.Gold, "1");
  at.c.Gold = "100.5";
  at.c.MaxHP = "42";
  at.h.g().inn().click("Rest");
  EXPECT_EQ(at.c.Gold, "75.5");
  EXPECT_EQ(at.c.HP, "42");
}

TEST(RestoreSpellPoints, TheWarningNamesTheMissingPointsAndTheWholePriceIsCharged) {
  AtInn at("150", "2", "2");
  at.restore("3");
  ASSERT_EQ(at.h.dialogs.boxes.size(), 2u);
  const Box& ask = at.h.dialogs.boxes[0];
  EXPECT_TRUE(ask.isInput);
  EXPECT_EQ(ask.text, Warning("0"));
  EXPECT_EQ(ask.title, kGameTitle);  // no title of its own
  const Box& price = at.h.dialogs.boxes[1];
  EXPECT_EQ(price.text, "It will cost 150 to restore 3 spell points. Is this OK?");
  EXPECT_EQ(price.title, "SP Restore");
  EXPECT_EQ(price.buttons, Buttons::OkCancel);
  EXPECT_EQ(at.c.Gold, "0");  // gold equal to the cost is enough
  EXPECT_EQ(at.c.SP, "2");    // cut back to the maximum
}

TEST(RestoreSpellPoints, TheNumberAtTheStartOfTheAnswerCountsFractionsIncluded) {
  AtInn at("1000", "1", "5");
  at.restore("  2.5 points please");
  EXPECT_EQ(at.h.dialogs.boxes[0].text, Warning("4"));
  EXPECT_EQ(at.h.dialogs.boxes[1].text,
            "It will cost 125 to restore 2.5 spell points. Is this OK?");
  EXPECT_EQ(at.c.Gold, "875");
  EXPECT_EQ(at.c.SP, "3.5");
  at.restore("1.5");
  EXPECT_EQ(at.c.SP, "5");
  EXPECT_EQ(at.c.Gold, "800");
}

TEST(RestoreSpellPoints, TooLittleGoldIsRefusedAndCancelSaysGoodbye) {
  AtInn at("100", "0", "10");
  at.restore("3");
  EXPECT_EQ(at.h.dialogs.last().text, "Sorry, but you have'nt the gold.");
  EXPECT_EQ(at.h.dialogs.last().title, "Not enough gold");
  EXPECT_EQ(at.c.Gold, "100");
  EXPECT_EQ(at.c.SP, "0");

  at.restore("1", Answer::Cancel);
  EXPECT_EQ(at.h.dialogs.last().text, "Well, I'll be seeing you!!");
  EXPECT_EQ(at.h.dialogs.last().title, kGameTitle);
  EXPECT_EQ(at.c.Gold, "100");
  EXPECT_EQ(at.c.SP, "0");
}

TEST(RestoreSpellPoints, NoNumberZeroOrANegativeNumberDoesNothing) {
  // Letters, a cancelled box, zero, and numbers below zero, which would otherwise be a negative
  // price paying the player for spell points taken away.
  for (const char* typed : {"lots", "", "0", "0.0", "-3", "-0.5", "  -1e9"}) {
    SCOPED_TRACE(typed);
    AtInn at("100", "4", "10");
    const Character before = at.c;
    at.h.dialogs.inputs.push_back(typed);
    at.h.g().inn().click("Meditate");
    EXPECT_EQ(at.h.dialogs.boxes.size(), 1u);  // only the question of how many
    EXPECT_EQ(at.c, before);
  }
}

TEST(RestoreSpellPoints, AnAnswerBeyondAnyPriceIsRefusedWithoutHarmToTheRecord) {
  for (const char* typed : {"1e308", "1e400", "9e307"}) {
    SCOPED_TRACE(typed);
    AtInn at("1e308", "4", "10");
    at.restore(typed);
    EXPECT_EQ(at.h.dialogs.last().text, "Sorry, but you have'nt the gold.");
    EXPECT_EQ(at.c.Gold, "1e308");
    EXPECT_EQ(at.c.SP, "4");
    const std::string& price = at.h.dialogs.boxes[1].text;
    EXPECT_EQ(price.find("inf"), std::string::npos) << price;
    EXPECT_EQ(price.find("nan"), std::string::npos) << price;
  }
  // A large but payable order still works and leaves finite numbers.
  AtInn rich("1e308", "4", "10");
  rich.restore("1e306");
  EXPECT_EQ(rich.c.SP, "10");
  EXPECT_TRUE(std::isfinite(Val(rich.c.Gold)));
  EXPECT_LT(Val(rich.c.Gold), 1e308);
}

TEST(Inn, TheBarGetsTheGoldAsItsCash) {
  AtInn at("100", "2", "2");
  at.h.g().black().Cash.caption = "7";
  at.h.g().inn().click("Command1");
  at.h.g().inn().click("ToBar");
  EXPECT_EQ(at.h.g().black().Cash.caption, "100");
  EXPECT_TRUE(at.h.g().black().visible);
  EXPECT_FALSE(at.h.g().inn().visible);
  EXPECT_EQ(at.h.g().front(), &at.h.g().black());
  EXPECT_TRUE(at.h.g().inn().Message.visible);  // only the way out closes the prompt
  at.c.Gold = "12.5";
  at.h.g().inn().click("ToBar");
  EXPECT_EQ(at.h.g().black().Cash.caption, "12.5");
}

TEST(Inn, LeavingClosesThePromptAndShowsTheMap) {
  AtInn at("100", "2", "2");
  at.h.g().inn().click("Command1");
  at.h.g().inn().click("Exit");
  EXPECT_FALSE(at.h.g().inn().Message.visible);
  EXPECT_TRUE(at.h.g().caves().visible);
  EXPECT_FALSE(at.h.g().inn().visible);
}

TEST(Inn, TheExitMenuClosesThePromptBeforeAskingTheCloseBoxDoesNot) {
  Rig r;
  r.newGame();
  r.g().show(ScreenId::Inn);
  r.g().hide(ScreenId::Caves);
  Inn& inn = r.g().inn();
  inn.click("Command1");
  bool promptAtQuestion = true;
  r.dialogs.onMessage = [&](const std::string&) { promptAtQuestion = inn.Message.visible; };
  r.dialogs.answers = {Answer::No};
  inn.click("MMExit");
  EXPECT_FALSE(promptAtQuestion);
  EXPECT_EQ(r.dialogs.last().title, "Exit?");
  EXPECT_FALSE(r.g().ended());
  EXPECT_TRUE(inn.visible);

  inn.click("Command1");
  r.dialogs.answers = {Answer::No};
  inn.closeBox();
  EXPECT_TRUE(promptAtQuestion);
  EXPECT_TRUE(inn.Message.visible);
  r.dialogs.answers = {Answer::Yes};
  inn.click("MMExit");
  EXPECT_TRUE(r.g().ended());
}

}  // namespace
}  // namespace morvath::test
