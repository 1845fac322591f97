// The monkey: plays the whole game at random — clicks on the buttons and menus of the screen in
// front, key presses with modifiers, clock ticks, double-clicks, and random answers to every box
// (including empty, huge, negative, fractional and non-numeric text) — and checks after every
// event that the game is still whole. Seeded and reproducible: a failure names its seed.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <random>
#include <set>
#include <sstream>

#include "combat/battle.h"
#include "combat/cast.h"
#include "core/save_slots.h"
#include "core/text.h"
#include "support/fakes.h"
#include "world/caves.h"

namespace morvath::test {
namespace {

class SeededRandom : public Random {
 public:
  explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
  double next() override {
    double r = std::uniform_real_distribution<double>(0.0, 1.0)(engine_);
    return r < 1.0 ? r : 0.0;
  }

 private:
  std::mt19937_64 engine_;
};

// Texts a player might type into any box.
const std::vector<std::string>& OddAnswers() {
  static const std::vector<std::string> answers = {"",
                                                   " ",
                                                   "0",
                                                   "1",
                                                   "3",
                                                   "25",
                                                   "100",
                                                   "-5",
                                                   "-0",
                                                   "2.5",
                                                   "1e308",
                                                   "NaN",
                                                   "0x10",
                                                   "abc",
                                                   "7 dwarves",
                                                   "\xC3\xA9l\xC3\xA8ve",
                                                   "=;\"[Save2]\n",
                                                   std::string(10000, '9'),
                                                   std::string(10000, 'x'),
                                                   "99999999999999999999",
                                                   "1e-300"};
  return answers;
}

class MonkeyDialogs : public FakeDialogs {
 public:
  explicit MonkeyDialogs(std::mt19937_64& rng) : rng_(rng) {}
  Answer message(const std::string& text, const std::string& title, Buttons buttons,
                 Icon icon) override {
    ++shown;
    if (boxes.size() > 50) boxes.clear();
    FakeDialogs::message(text, title, buttons, icon);
    const bool yes = std::uniform_int_distribution<int>(0, 99)(rng_) < (title == "Exit?" ? 3 : 60);
    switch (buttons) {
      case Buttons::Ok:
        return Answer::Ok;
      case Buttons::OkCancel:
        return yes ? Answer::Ok : Answer::Cancel;
      case Buttons::YesNo:
        return yes ? Answer::Yes : Answer::No;
    }
    return Answer::Ok;
  }
  std::string input(const std::string& prompt, const std::string& title,
                    const std::string& def) override {
    ++shown;
    if (boxes.size() > 50) boxes.clear();
    FakeDialogs::input(prompt, title, def);
    if (title == "Enter Name")
      return std::uniform_int_distribution<int>(0, 9)(rng_) ? "Monkey" : "";
    const auto& answers = OddAnswers();
    return answers[std::uniform_int_distribution<size_t>(0, answers.size() - 1)(rng_)];
  }
  long shown = 0;

 private:
  std::mt19937_64& rng_;
};

struct Monkey {
  explicit Monkey(std::uint64_t seed) : rng(seed), dialogs(rng), random(seed * 7 + 1) { restart(); }

  void restart() {
    dialogs.quits = 0;
    game = std::make_unique<Game>(dialogs, music, store, random, kTuneFolder);
    game->start();
  }

  int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }

  // The window that takes input: the spell window when it is up, else the screen in front.
  Screen* active() {
    if (game->cast().visible) return &game->cast();
    return game->front();
  }

  std::string describe(Screen& s, const std::string& what) {
    return std::string(ScreenName(s.id())) + ": " + what;
  }

  // One random event; returns what it was.
  std::string step() {
    Screen* s = active();
    if (!s) return "no screen";
    const int kind = pick(100);
    if (s == &game->caves() && kind < 25) return walkSomewhere();
    if (kind < 45) {
      std::vector<const Button*> usable;
      for (const Button& b : s->buttons())
        if (b.visible && b.enabled && s->enabled) usable.push_back(&b);
      if (!usable.empty()) {
        const std::string name = usable[pick(static_cast<int>(usable.size()))]->name;
        s->click(name);
        return describe(*s, "click " + name);
      }
    }
    if (kind < 55) {
      std::vector<std::string> items;
      for (const MenuItem& m : s->menus())
        if (s->hasClick(m.name)) items.push_back(m.name);
      if (!items.empty() && s->enabled) {
        const std::string name = items[pick(static_cast<int>(items.size()))];
        s->click(name);
        return describe(*s, "menu " + name);
      }
    }
    if (kind < 62) {
      std::vector<std::string> targets = {""};
      for (const Label& l : s->labels())
        if (s->hasDoubleClick(l.name) || s->hasClick(l.name)) targets.push_back(l.name);
      for (const Gauge& g : s->gauges()) targets.push_back(g.name);
      const std::string name = targets[pick(static_cast<int>(targets.size()))];
      if (pick(2))
        s->click(name);
      else
        s->doubleClick(name);
      return describe(*s, "mouse " + name);
    }
    if (kind < 70 && s->timerInterval() > 0) {
      for (int i = pick(8) + 1; i > 0 && game->front() == s && !game->ended(); --i) s->timerTick();
      return describe(*s, "clock");
    }
    if (kind < 73 && s->readsKeys()) {
      const char* code = pick(2) ? "MoreLooTT" : "SAGA";
      for (const char* c = code; *c && !game->ended() && game->front() == s; ++c)
        s->keyDown(std::toupper(*c), (*c >= 'a' && *c <= 'z') ? 0 : key::kShift);
      return describe(*s, std::string("types ") + code);
    }
    if (kind < 75) {
      s->closeBox();
      return describe(*s, "close box");
    }
    if (s->readsKeys() || pick(4) == 0) {
      static const int keys[] = {key::kLeft, key::kUp,    key::kRight, key::kDown, key::kLeft,
                                 key::kUp,   key::kRight, key::kDown,  49,         51,
                                 57,         99,          97,          67,         77,
                                 79,         82,          69,          76,         84,
                                 83,         65,          71,          90,         32,
                                 13,         27,          16,          0};
      const int code = keys[pick(sizeof keys / sizeof keys[0])];
      const int shift = pick(10) == 0 ? pick(8) : 0;
      s->keyDown(code, shift);
      return describe(*s, "key " + std::to_string(code) + "/" + std::to_string(shift));
    }
    return "idle";
  }

  // On the map: walks toward a random place along the open field (an ambush or the place itself
  // ends the walk when another screen comes to the front).
  std::string walkSomewhere() {
    static const int places[][2] = {{0, 7}, {10, 7}, {5, 9}, {5, 3},
                                    {3, 2}, {7, 2},  {5, 1}, {5, 2}};
    const auto& target = places[pick(8)];
    Caves& map = game->caves();
    for (int steps = 0; steps < 24 && game->front() == &map && !game->ended(); ++steps) {
      const int x = static_cast<int>(Val(map.LeftX.caption));
      const int y = static_cast<int>(Val(map.TopY.caption));
      if (x == target[0] && y == target[1]) break;
      // Along row 7 or column 5 into the caves; inside the field any order does.
      int code;
      if (target[1] == 7 && y != 7)
        code = y < 7 ? key::kUp : key::kDown;
      else if (x != target[0])
        code = x < target[0] ? key::kRight : key::kLeft;
      else
        code = y < target[1] ? key::kUp : key::kDown;
      map.keyDown(code, 0);
    }
    return "walks to " + std::to_string(target[0]) + "," + std::to_string(target[1]);
  }

  // The invariants; an empty text when they hold.
  std::string check() {
    if (game->ended()) return "";
    int shown = 0;
    for (Screen* s : game->screens())
      if (s->visible && !IsOverlay(s->id())) ++shown;
    if (shown != 1) return "screens shown: " + std::to_string(shown);
    Battle& b = game->battle();
    for (int kind = 1; kind <= 5; ++kind) {
      const std::string& n = b.potionCount(kind).caption;
      if (!IsNumber(n) || Val(n) < 0) return "potion count " + std::to_string(kind) + " is " + n;
    }
    if (game->cast().visible && (b.enabled || !b.visible))
      return "the spell window stands without a disabled combat screen behind it";
    if (!game->cast().visible && !b.enabled) return "the combat screen is left disabled";
    if (b.visible) {
      if (!b.Attack.visible || !b.Attack.enabled) return "a fight without its Attack button";
      // An open potion panel offers exactly the kinds the hero owns.
      if (!b.HidePotions.visible)
        for (int kind = 1; kind <= 5; ++kind)
          if (b.potionButton(kind).visible && b.potionCount(kind).caption == "0")
            return "the potion panel offers a kind with none left";
      if (Val(b.MMaxHP.caption) > 0 && Val(b.MHP.caption) < 1)
        return "the fight goes on with the opponent dead";
      if (Val(b.YHP.caption) < 1) return "the fight goes on with the hero dead";
    }
    for (const std::string* field : {&game->ch().Gold, &game->ch().HP, &game->ch().SP,
                                     &game->ch().MaxHP, &game->ch().Exp, &game->ch().Level}) {
      if (field->find("inf") != std::string::npos || field->find("nan") != std::string::npos)
        return "a field holds " + *field;
    }
    return "";
  }

  // A slot written now loads back field by field equal.
  std::string checkSaveRoundTrip() {
    Character before = game->ch();
    if (before.CharName.empty() || before.HP.empty()) return "";
    std::vector<bool> spells;
    for (const char* name : Cast::kSpellButtons)
      spells.push_back(game->cast().button(name).enabled);
    std::vector<std::string> potions;
    for (int k = 1; k <= 5; ++k) potions.push_back(game->battle().potionCount(k).caption);
    SaveSlot(*game, "Save9");
    MemoryStore copy = store;
    FakeDialogs quiet;
    RecordingMusic silent;
    Game probe(quiet, silent, copy, random, kTuneFolder);
    if (LoadSave(probe, "Save9") != "Successful!") return "the slot just saved does not load";
    Character after = probe.ch();
    before.MaxDamage = after.MaxDamage;  // not saved
    before.MaxDefence = after.MaxDefence;
    if (!(after == before)) return "a field changed through save and load";
    for (int i = 0; i < 10; ++i)
      if (probe.cast().button(Cast::kSpellButtons[i]).enabled != spells[i])
        return "a spell changed through save and load";
    for (int k = 1; k <= 5; ++k)
      if (probe.battle().potionCount(k).caption != potions[k - 1]) return "a potion count changed";
    return "";
  }

  std::mt19937_64 rng;
  MonkeyDialogs dialogs;
  RecordingMusic music;
  MemoryStore store;
  SeededRandom random;
  std::unique_ptr<Game> game;
};

long EventBudget() {
  if (const char* env = std::getenv("MORVATH_MONKEY_EVENTS")) return std::atol(env);
#if defined(__SANITIZE_ADDRESS__)
  return 200000;
#else
  return 40000;
#endif
}

TEST(Monkey, PlaysAtRandomAndTheGameStaysWhole) {
  const long budget = EventBudget();
  const std::uint64_t seeds[] = {1, 2, 3, 4};
  std::set<ScreenId> visited;
  for (std::uint64_t seed : seeds) {
    Monkey monkey(seed);
    std::vector<std::string> recent;
    for (long event = 0; event < budget / 4; ++event) {
      if (monkey.game->ended()) monkey.restart();
      const std::string what = monkey.step();
      if (Screen* front = monkey.active()) visited.insert(front->id());
      recent.push_back(what);
      if (recent.size() > 12) recent.erase(recent.begin());
      std::string broken = monkey.check();
      if (broken.empty() && event % 997 == 0 && !monkey.game->ended())
        broken = monkey.checkSaveRoundTrip();
      if (!broken.empty()) {
        std::ostringstream trail;
        for (const std::string& r : recent) trail << "\n  " << r;
        FAIL() << "seed " << seed << ", event " << event << ": " << broken
               << "\nlast events:" << trail.str();
      }
    }
  }
  // A monkey that never left the start screen would prove nothing: it must have been everywhere
  // a random player gets to without a plan.
  for (ScreenId id :
       {ScreenId::Caves, ScreenId::Battle, ScreenId::Cast, ScreenId::Dead, ScreenId::Cave1,
        ScreenId::Cave2, ScreenId::Cave3, ScreenId::Cave4, ScreenId::WeaponShop,
        ScreenId::ArmorShop, ScreenId::MagicShop, ScreenId::Inn, ScreenId::Black})
    EXPECT_TRUE(visited.count(id)) << "the monkey never reached " << ScreenName(id);
}

}  // namespace
}  // namespace morvath::test
