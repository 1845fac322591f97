// A fight put on the combat screen by hand: the character of a new game (100 gold, SP 2) at 50
// of 100 health and 10 of 20 points, defence 3, against a Giant Snake at 40 of 80, damage 12,
// dexterity 2-1-1, paying 30 gold and 25 experience, returning to the map.
#pragma once

#include <string>
#include <vector>

#include "combat/battle.h"
#include "support/fakes.h"

namespace morvath::test {

struct Fight {
  Harness h;
  Battle& b = (h.newGame("Arden"), h.g().battle());

  Fight() {
    const char* values[][2] = {{"YHP", "50"},
                               {"YMaxHP", "100"},
                               {"YSP", "10"},
                               {"YMaxSP", "20"},
                               {"MaxDamage", "7"},
                               {"MaxDefence", "3"},
                               {"MName", "Giant Snake"},
                               {"Level", "Level 1"},
                               {"MHP", "40"},
                               {"MMaxHP", "80"},
                               {"MDamage", "12"},
                               {"MGold", "30"},
                               {"MEXP", "25"},
                               {"PrevForm", "0"}};
    for (auto& [name, value] : values) b.label(name).caption = value;
    Dex(b.MdexA, "2", "4");
    Dex(b.MdexB, "1", "4");
    Dex(b.MdexC, "1", "4");
    h.g().show(ScreenId::Battle);
    h.g().hide(ScreenId::Caves);
    h.music.log.clear();
    h.dialogs.boxes.clear();
  }
  static void Dex(Label& dex, const char* chance, const char* faces) {
    dex.caption = chance;
    dex.tag = faces;
  }
  // The opponent's die always misses: a one-faced die rolls 1, and 1 misses unless the chance
  // is 3. A chance of 0 never misses.
  void alwaysMisses() { Dex(b.MdexC, "4", "1"); }
  void neverMisses() { Dex(b.MdexC, "0", "2"); }
  // The boxes shown so far as "title|text".
  std::vector<std::string> boxes() const {
    std::vector<std::string> shown;
    for (const Box& box : h.dialogs.boxes) shown.push_back(box.title + "|" + box.text);
    return shown;
  }
};

inline const std::string kDied =
    "You Died|The Giant Snake killed you and stripped you of all your possesions.";

}  // namespace morvath::test
