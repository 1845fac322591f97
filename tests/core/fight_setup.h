// A fight put on the combat screen by hand, without the encounter setup: the character of a new
// game against a plain opponent, with round numbers that make the arithmetic easy to follow.
#pragma once

#include "combat/battle.h"
#include "support/fakes.h"
#include "world/caves.h"

namespace morvath::test {

struct Fight {
  Harness h;
  Battle& b;

  Fight() : b(InitGame(h)) {
    b.YName.caption = "Arden";
    b.YHP.caption = "50";
    b.YMaxHP.caption = "100";
    b.YSP.caption = "10";
    b.YMaxSP.caption = "20";
    b.Strength.caption = "6";
    b.Weapon.caption = "1";
    b.MaxDamage.caption = "7";
    b.Armor.caption = "2";
    b.Shield.caption = "1";
    b.MaxDefence.caption = "3";
    b.MName.caption = "Giant Snake";
    b.Level.caption = "Level 1";
    b.MHP.caption = "40";
    b.MMaxHP.caption = "80";
    b.MDamage.caption = "12";
    Dex(b.MdexA, "2", "4");
    Dex(b.MdexB, "1", "4");
    Dex(b.MdexC, "1", "4");
    b.MGold.caption = "30";
    b.MEXP.caption = "25";
    b.PrevForm.caption = "0";
    b.FromTowers.caption = "";
    b.RestoreSP.enabled = true;
    b.Spell.enabled = true;
    h.g().show(ScreenId::Battle);
    h.g().hide(ScreenId::Caves);
    h.dialogs.boxes.clear();
    h.music.log.clear();
  }

  static void Dex(Label& dex, const char* chance, const char* faces) {
    dex.caption = chance;
    dex.tag = faces;
  }

  // An opponent whose blows always miss with the attack round's rule: a one-faced die rolls 1,
  // and with a chance other than 3 a roll of 1 misses. (One draw for the die.)
  void alwaysMisses() { Dex(b.MdexC, "4", "1"); }

  // The message boxes shown so far, as "title|text".
  std::vector<std::string> boxes() const {
    std::vector<std::string> shown;
    for (const Box& box : h.dialogs.boxes) shown.push_back(box.title + "|" + box.text);
    return shown;
  }

 private:
  static Battle& InitGame(Harness& h) {
    h.newGame("Arden");
    return h.g().battle();
  }
};

}  // namespace morvath::test
