// Every box the player types into and every key at the two slot prompts, fed with answers
// nobody should give: each does what the game says it does, and none of them costs gold, items
// or saves, leaves text that is not a number in a number's place, or hangs.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "bar/black.h"
#include "core/save_slots.h"
#include "core/text.h"
#include "support/fakes.h"
#include "town/inn.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

std::string Repeated(const std::string& pattern, size_t length) {
  std::string text;
  while (text.size() < length) text += pattern;
  text.resize(length);
  return text;
}

const std::string kDigits = Repeated("9", 10000);
const std::string kLetters = Repeated("abcdefghijklmnopqrstuvwxyz", 10000);
const std::string kMixed = Repeated("0123456789abcdefghij", 10000);  // a number, then letters
const std::string kUnicode =
    "\xC3\x86lfr\xC3\xAD"
    "c \xE2\x9A\x94 \xE7\xAB\x9C \xF0\x9F\x90\x89";  // Ælfríc ⚔ 竜 🐉
const std::string kFullWidth3 = "\xEF\xBC\x93";      // ３
const std::string kMinusSign25 =
    "\xE2\x88\x92"
    "25";  // −25, with a minus sign that is not a hyphen
const std::string kIniBreaker = "=;\"[Save2]\n";

// What a purse or a count may hold: one plain decimal number ("inf" and "nan" are none).
::testing::AssertionResult IsFiniteNumberText(const std::string& text) {
  if (IsNumber(text)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << '"' << text << "\" is no number";
}

// Shorter names for the answers in the traces.
std::string Shown(const std::string& typed) {
  if (typed.size() > 40) return typed.substr(0, 12) + "... (" + Str(typed.size()) + " chars)";
  return '"' + typed + '"';
}

// ---------------------------------------------------------------------------------------------
// The name box of "&New Game".

TEST(BadInput, TheNameBoxTakesAnythingButEmptyAsANameThatComesBackFromASave) {
  const std::vector<std::string> answers = {
      "",      "   ",    "abc",    "1e308",      "-0",           "NaN",       "0x10",
      "inf",   "-1e308", "1e-300", "25.25",      kUnicode,       kFullWidth3, kIniBreaker,
      kDigits, kLetters, kMixed,   kMinusSign25, " \t Arden \t "};
  for (const std::string& typed : answers) {
    SCOPED_TRACE(Shown(typed));
    Harness h;
    h.newGame("Arden");
    const Character before = h.g().ch();
    h.g().show(ScreenId::aaStartForm);
    h.g().hide(ScreenId::Caves);
    h.dialogs.boxes.clear();
    h.newGame(typed);
    ASSERT_EQ(h.dialogs.boxes.size(), 1u);  // the name box only
    if (typed.empty()) {
      EXPECT_EQ(h.g().ch(), before);
      EXPECT_EQ(h.g().front(), &h.g().startForm());
      continue;
    }
    ASSERT_EQ(h.g().ch().CharName, typed);
    EXPECT_EQ(h.g().ch().Gold, "100");
    EXPECT_EQ(h.g().front(), &h.g().caves());

    // Saved at the inn, replaced by another hero, and loaded back from the start screen.
    h.g().show(ScreenId::Inn);
    h.g().hide(ScreenId::Caves);
    h.g().inn().click("Command1");
    h.g().inn().keyDown(key::k0 + 3, 0);
    Character saved = h.g().ch();
    EXPECT_EQ(h.store.read(kSaveApp, "Save3", "CharName"), typed);
    h.g().show(ScreenId::aaStartForm);
    h.g().hide(ScreenId::Inn);
    h.newGame("Someone Else");
    h.g().show(ScreenId::aaStartForm);
    h.g().hide(ScreenId::Caves);
    h.g().startForm().click("Load");
    h.g().startForm().keyDown(key::k0 + 3, 0);
    Character loaded = h.g().ch();
    // The totals are worked out again by the game, not kept in a slot.
    loaded.MaxDamage = saved.MaxDamage;
    loaded.MaxDefence = saved.MaxDefence;
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(h.g().front(), &h.g().caves());
  }
}

// ---------------------------------------------------------------------------------------------
// The inn's "&Restore Spell Points" box, with 2000 gold and 4 of 10 spell points.

struct InnCase {
  std::string typed;
  // The price question, or none when the answer asks for nothing.
  std::optional<std::string> price;
  // After an OK to the price: the gold and the spell points, or none when the gold is short.
  std::optional<std::pair<std::string, std::string>> bought;
};

std::string Price(const std::string& cost, const std::string& points) {
  return "It will cost " + cost + " to restore " + points + " spell points. Is this OK?";
}

TEST(BadInput, TheSpellPointBoxReadsTheLeadingNumberAndNeverPaysThePlayer) {
  const std::vector<InnCase> cases = {
      {"", {}, {}},
      {"   ", {}, {}},
      {"abc", {}, {}},
      {"-0", {}, {}},
      {"NaN", {}, {}},
      {"0x10", {}, {}},  // the 0, then a letter
      {"inf", {}, {}},
      {"-1e308", {}, {}},
      {kUnicode, {}, {}},
      {kFullWidth3, {}, {}},
      {kMinusSign25, {}, {}},
      {kIniBreaker, {}, {}},
      {kLetters, {}, {}},
      // A price beyond any number is beyond any purse.
      {"1e308", Price("1.79769313486232E+308", "1E+308"), {}},
      {kDigits, Price("1.79769313486232E+308", "1.79769313486232E+308"), {}},
      {kMixed, Price("6172839450", "123456789"), {}},
      // Too small to show in the purse or the points, but bought all the same.
      {"1e-300", Price("5E-299", "1E-300"), std::pair{"2000", "4"}},
      // The whole price is paid even for the points above the maximum.
      {"25.25", Price("1262.5", "25.25"), std::pair{"737.5", "10"}},
  };
  for (const InnCase& k : cases) {
    for (const Answer priceAnswer : {Answer::Ok, Answer::Cancel}) {
      SCOPED_TRACE(Shown(k.typed) + (priceAnswer == Answer::Ok ? " OK" : " Cancel"));
      Harness h;
      h.newGame();
      h.g().show(ScreenId::Inn);
      h.g().hide(ScreenId::Caves);
      Character& c = h.g().ch();
      c.Gold = "2000";
      c.SP = "4";
      c.MaxSP = "10";
      const Character before = c;
      h.dialogs.boxes.clear();
      h.dialogs.inputs = {k.typed};
      h.dialogs.answers = {priceAnswer};
      h.g().inn().click("Meditate");

      ASSERT_GE(h.dialogs.boxes.size(), 1u);
      EXPECT_TRUE(h.dialogs.boxes[0].isInput);
      EXPECT_TRUE(IsFiniteNumberText(c.Gold));
      EXPECT_TRUE(IsFiniteNumberText(c.SP));
      EXPECT_LE(Val(c.Gold), 2000);
      EXPECT_GE(Val(c.SP), 4);
      EXPECT_LE(Val(c.SP), 10);
      if (!k.price) {
        EXPECT_EQ(h.dialogs.boxes.size(), 1u);
        EXPECT_EQ(c, before);
        continue;
      }
      // A purchase says nothing more; a Cancel or a short purse has the last word.
      ASSERT_EQ(h.dialogs.boxes.size(), priceAnswer == Answer::Ok && k.bought ? 2u : 3u);
      EXPECT_EQ(h.dialogs.boxes[1].text, *k.price);
      EXPECT_EQ(h.dialogs.boxes[1].buttons, Buttons::OkCancel);
      if (priceAnswer == Answer::Cancel) {
        EXPECT_EQ(h.dialogs.last().text, "Well, I'll be seeing you!!");
        EXPECT_EQ(c, before);
      } else if (!k.bought) {
        EXPECT_EQ(h.dialogs.last().text, "Sorry, but you have'nt the gold.");
        EXPECT_EQ(c, before);
      } else {
        EXPECT_EQ(c.Gold, k.bought->first);
        EXPECT_EQ(c.SP, k.bought->second);
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// The bar's wager box, with 100 gold and 100 cash on the table.

struct BarCase {
  std::string typed;
  // The refusal shown (text, title); none when the answer starts no game or deals one.
  std::optional<std::pair<std::string, std::string>> refusal;
  bool deals = false;
};

TEST(BadInput, TheWagerBoxRefusesInOrderAndARefusalCostsNothing) {
  const std::pair<std::string, std::string> kNoGold{"You don't have enough gold.", "Error"};
  const std::pair<std::string, std::string> kNegative{"You can't bet a negitive number.", "Error"};
  const std::pair<std::string, std::string> kTooHigh{
      "I dont agree with that bet! Bet under 25 coins!", "Too high!"};
  const std::vector<BarCase> cases = {
      {"", {}},
      {"   ", {}},
      {"abc", {}},
      {"-0", {}},
      {"NaN", {}},
      {"0x10", {}},
      {"inf", {}},
      {kUnicode, {}},
      {kFullWidth3, {}},
      {kMinusSign25, {}},
      {kIniBreaker, {}},
      {kLetters, {}},
      // The cash is asked about first, so a wager beyond everything hears about the cash.
      {"1e308", kNoGold},
      {kDigits, kNoGold},
      {kMixed, kNoGold},
      // A negative wager always has the cash for it.
      {"-0.5", kNegative},
      {"-1e308", kNegative},
      {"-" + kDigits, kNegative},
      {"25.25", kTooHigh},
      {"1e-300", {}, true},
  };
  for (const BarCase& k : cases) {
    SCOPED_TRACE(Shown(k.typed));
    Harness h;
    h.newGame();
    h.g().show(ScreenId::Inn);
    h.g().hide(ScreenId::Caves);
    h.g().inn().click("ToBar");
    Black& bar = h.g().black();
    Character& c = h.g().ch();
    const std::string bet = bar.Bet.caption;
    h.dialogs.boxes.clear();
    h.dialogs.inputs = {k.typed};
    // Ten and ten for the player, ten and eight for the house, which stands on 18.
    if (k.deals) h.random.push({0.95, 0.95, 0.95, 0.75});
    bar.click("Play");

    EXPECT_TRUE(IsFiniteNumberText(c.Gold));
    EXPECT_TRUE(IsFiniteNumberText(bar.Cash.caption));
    if (!k.deals) {
      EXPECT_EQ(h.dialogs.boxes.size(), k.refusal ? 2u : 1u);
      if (k.refusal) {
        EXPECT_EQ(h.dialogs.last().text, k.refusal->first);
        EXPECT_EQ(h.dialogs.last().title, k.refusal->second);
      }
      EXPECT_EQ(c.Gold, "100");
      EXPECT_EQ(bar.Cash.caption, "100");
      EXPECT_EQ(bar.Bet.caption, bet);
      EXPECT_FALSE(bar.gameOpen());
      EXPECT_TRUE(bar.Play.visible);
      EXPECT_EQ(h.random.draws, 0);
      continue;
    }
    ASSERT_TRUE(bar.gameOpen());
    EXPECT_EQ(h.dialogs.boxes.size(), 1u);
    EXPECT_TRUE(IsFiniteNumberText(bar.Bet.caption));
    EXPECT_EQ(c.Gold, "100");  // the gold is booked when the game is settled
    bar.click("Stay");         // 20 against 18: the player wins twice the wager
    EXPECT_EQ(h.dialogs.last().title, "You Win!!!");
    EXPECT_TRUE(IsFiniteNumberText(c.Gold));
    EXPECT_TRUE(IsFiniteNumberText(bar.Cash.caption));
    EXPECT_EQ(Val(c.Gold), 100 + 2 * Val(k.typed));
  }
}

// ---------------------------------------------------------------------------------------------
// The slot keys: every key code from 0 to 255, with every mix of Shift, Ctrl and Alt.

// Three heroes saved in slots 2, 5 and 8; slot 9 holds only a stray value, the rest nothing.
struct SavedHeroes {
  Harness h;
  SavedHeroes() {
    h.store.values = Store();
    h.newGame("Arden");
  }
  // The settings store with the three heroes, made once for all the keys.
  static const std::map<std::tuple<std::string, std::string, std::string>, std::string>& Store() {
    static const auto store = [] {
      Harness maker;
      for (int slot : {2, 5, 8}) {
        maker.newGame("Hero of slot " + Str(slot));
        maker.g().ch().Gold = Str(slot * 111);
        SaveSlot(maker.g(), "Save" + Str(slot));
      }
      maker.store.values[{kSaveApp, "Save9", "Gold"}] = "999";
      return maker.store.values;
    }();
    return store;
  }
  std::map<std::tuple<std::string, std::string, std::string>, std::string> slots() const {
    auto all = h.store.values;
    std::erase_if(all, [](const auto& v) {
      const auto& [app, section, key] = v.first;
      return app != kSaveApp || section.rfind("Save", 0) != 0;
    });
    return all;
  }
};

constexpr int kAllShifts = key::kShift | key::kCtrl | key::kAlt;

TEST(BadInput, EveryKeyAtTheLoadPromptLoadsItsSlotOrNothingAndNeverHarmsASave) {
  for (int code = 0; code <= 255; ++code) {
    for (int shift = 0; shift <= kAllShifts; ++shift) {
      SCOPED_TRACE("key " + Str(code) + " shift " + Str(shift));
      SavedHeroes s;
      Harness& h = s.h;
      h.g().show(ScreenId::aaStartForm);
      h.g().hide(ScreenId::Caves);
      h.g().startForm().click("Load");
      const auto slots = s.slots();
      const Character before = h.g().ch();
      const std::string counter = h.store.read("ZARQSTART", "Start", "Start");
      h.dialogs.boxes.clear();
      h.music.log.clear();

      h.g().startForm().keyDown(code, shift);

      EXPECT_EQ(s.slots(), slots);
      const int digit = code - key::k0;
      const bool slotKey = digit >= 1 && digit <= 9;
      EXPECT_EQ(h.store.read(kSaveApp, "LastSave", "LastSave"), slotKey ? "Save" + Str(digit) : "");
      EXPECT_EQ(h.store.read("ZARQSTART", "Start", "Start"), shift == kAllShifts ? "1" : counter);
      EXPECT_EQ(h.dialogs.beeps, shift == kAllShifts ? 1 : 0);
      EXPECT_EQ(h.random.draws, 0);
      const bool prompt = h.g().startForm().Message.visible;
      if (digit == 2 || digit == 5 || digit == 8) {
        EXPECT_EQ(h.g().ch().CharName, "Hero of slot " + Str(digit));
        EXPECT_EQ(h.g().ch().Gold, Str(digit * 111));
        EXPECT_EQ(h.g().front(), &h.g().caves());
        EXPECT_FALSE(prompt);
        EXPECT_TRUE(h.dialogs.boxes.empty());
      } else if (slotKey) {
        EXPECT_EQ(h.dialogs.texts(), std::vector<std::string>{kNoSave});
        EXPECT_EQ(h.g().ch().CharName, "");  // an empty slot's name, as the load read it
        EXPECT_EQ(h.g().front(), &h.g().startForm());
        EXPECT_TRUE(prompt);
      } else {
        EXPECT_TRUE(h.dialogs.boxes.empty());
        EXPECT_TRUE(h.music.log.empty());
        EXPECT_EQ(h.g().ch(), before);
        EXPECT_EQ(h.g().front(), &h.g().startForm());
        EXPECT_EQ(prompt, code != key::kA + ('C' - 'A'));
      }
      if (::testing::Test::HasFailure()) return;  // one key's story is enough
    }
  }
}

TEST(BadInput, EveryKeyAtTheSavePromptSavesIntoItsSlotOnlyAndNeverElsewhere) {
  for (int code = 0; code <= 255; ++code) {
    for (int shift = 0; shift <= kAllShifts; ++shift) {
      SCOPED_TRACE("key " + Str(code) + " shift " + Str(shift));
      SavedHeroes s;
      Harness& h = s.h;
      h.g().show(ScreenId::Inn);
      h.g().hide(ScreenId::Caves);
      h.g().inn().click("Command1");
      const auto slots = s.slots();
      const Character hero = h.g().ch();
      h.dialogs.boxes.clear();

      h.g().inn().keyDown(code, shift);

      int digit = 0;
      if (code > key::k0 && code <= key::k0 + 9) digit = code - key::k0;
      if (code > key::kPad0 && code <= key::kPad0 + 9) digit = code - key::kPad0;
      const std::string section = digit ? "Save" + Str(digit) : "";
      EXPECT_EQ(h.store.read(kSaveApp, "LastSave", "LastSave"), section);
      EXPECT_EQ(h.g().ch(), hero);
      EXPECT_EQ(h.g().front(), &h.g().inn());
      // Every other slot is as it was; the chosen one holds the hero now.
      auto others = s.slots();
      auto before = slots;
      for (auto* m : {&others, &before})
        std::erase_if(*m, [&](const auto& v) { return std::get<1>(v.first) == section; });
      EXPECT_EQ(others, before);
      if (digit) {
        EXPECT_EQ(h.store.read(kSaveApp, section, "CharName"), "Arden");
        EXPECT_EQ(h.store.read(kSaveApp, section, "Gold"), hero.Gold);
        EXPECT_FALSE(h.g().inn().Message.visible);
        EXPECT_EQ(h.dialogs.texts(), std::vector<std::string>{"Your game was saved."});
      } else {
        EXPECT_EQ(s.slots(), slots);
        EXPECT_TRUE(h.g().inn().Message.visible);
        EXPECT_TRUE(h.dialogs.boxes.empty());
      }
      if (::testing::Test::HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace morvath::test
