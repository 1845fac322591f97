// The game's whole bestiary as one table, the progress gates of the boss buttons, and the one
// encounter setup that turns a row of the table into a fight on the combat screen.
#include "combat/catalogue.h"

#include <cmath>

#include "combat/battle.h"
#include "core/game.h"
#include "core/text.h"

namespace morvath {
namespace {

// How one figure of an opponent is found. Most are plain numbers; the tower opponents grow with
// the character, so their figures are read from the character record at the moment the fight
// starts.
enum class Kind {
  Number,           // k
  TimesMaxHP,       // k * MaxHP
  TimesHP,          // k * HP
  TimesLevel,       // k * the character's Level
  TimesKills,       // k * Kills
  Mirror,           // Strength + Weapon + Armor + Shield (the mirror copies the whole kit)
  WeaponStrength,   // k * Weapon + Strength
  MaxHPTimesMaxSP,  // MaxHP * MaxSP
  HPText,           // the character's health text, copied as it stands
  Water,            // (MaxHP - HP) + Strength + k * Armor: the wounded feed the Water element
};

struct Figure {
  Kind kind;
  double k;
};

constexpr Figure N(double value) {
  return {Kind::Number, value};
}

std::string Compute(const Figure& f, const Character& c) {
  switch (f.kind) {
    case Kind::Number:
      return Str(f.k);
    case Kind::TimesMaxHP:
      return Str(f.k * Val(c.MaxHP));
    case Kind::TimesHP:
      return Str(f.k * Val(c.HP));
    case Kind::TimesLevel:
      return Str(f.k * Val(c.Level));
    case Kind::TimesKills:
      return Str(f.k * Val(c.Kills));
    case Kind::Mirror:
      return Str(Val(c.Strength) + Val(c.Weapon) + Val(c.Armor) + Val(c.Shield));
    case Kind::WeaponStrength:
      return Str(f.k * Val(c.Weapon) + Val(c.Strength));
    case Kind::MaxHPTimesMaxSP:
      return Str(Val(c.MaxHP) * Val(c.MaxSP));
    case Kind::HPText:
      return c.HP;
    case Kind::Water:
      return Str((Val(c.MaxHP) - Val(c.HP)) + Val(c.Strength) + f.k * Val(c.Armor));
  }
  return {};
}

// A refusal of a gate: when Beat compares so with the value, the message is shown and no fight
// starts.
enum class Cmp { None, Less, Greater, Equal, NotEqual };

struct Refusal {
  Cmp cmp;
  int value;
  const char* text;
};

constexpr Refusal kOpen{Cmp::None, 0, nullptr};
constexpr Refusal kEvilLocked{Cmp::Less, 3,
                              "You havn't beat the Dragon Lord (in the Dragon Mountains) yet!"};

bool Refuses(const Refusal& r, double beat) {
  switch (r.cmp) {
    case Cmp::None:
      return false;
    case Cmp::Less:
      return beat < r.value;
    case Cmp::Greater:
      return beat > r.value;
    case Cmp::Equal:
      return beat == r.value;
    case Cmp::NotEqual:
      return beat != r.value;
  }
  return false;
}

// One opponent as one place starts it.
struct Row {
  ScreenId origin;    // the screen whose button, ambush or contact starts the fight
  const char* start;  // the button's caption, the ambush's or the contact's name
  const char* name;   // MName
  const char* level;  // Level
  Figure hp, maxHp, damage, gold, exp;
  int dex[3];           // captions of MdexA, MdexB, MdexC: the chances out of four shown
  int faces[3];         // their tags: the faces of the dice rolled
  const char* picture;  // the monster picture shown, or none
  const char* prevForm;
  bool fromTowers;
  Refusal gate[2];    // checked in turn
  const char* taunt;  // shown when the gate lets the fight through
};

constexpr ScreenId C1 = ScreenId::Cave1, C2 = ScreenId::Cave2, C3 = ScreenId::Cave3,
                   C4 = ScreenId::Cave4, T1 = ScreenId::Tower1, T2 = ScreenId::Tower2,
                   T3 = ScreenId::Tower3, Map = ScreenId::Caves, Keep = ScreenId::UpperKeep;

// The mirrors and the elements copy the character; see Compute for each kind.
constexpr Figure kMirrorDamage{Kind::Mirror, 0};

// clang-format off
const Row kRows[] = {
  // Cave of Minors: only the Orc is guarded.
  {C1, "Level 1-Giant Snake", "Giant Snake", "Level 1", N(5), N(5), N(8), N(25), N(25), {2, 1, 1}, {2, 4, 4}, "Snake", "1", false, {kOpen, kOpen}, nullptr},
  {C1, "Level 2-Giant Snake", "Giant Snake", "Level 2", N(10), N(10), N(14), N(50), N(50), {2, 1, 1}, {2, 4, 4}, "Snake", "1", false, {kOpen, kOpen}, nullptr},
  {C1, "Level 3-Giant Snake", "Giant Snake", "Level 3", N(15), N(15), N(20), N(75), N(75), {2, 1, 1}, {2, 4, 4}, "Snake", "1", false, {kOpen, kOpen}, nullptr},
  {C1, "Level 1-Brown Bear", "Brown Bear", "Level 1", N(20), N(20), N(24), N(100), N(100), {2, 2, 2}, {2, 2, 2}, "BearBrown", "1", false, {kOpen, kOpen}, nullptr},
  {C1, "Level 2-Brown Bear", "Brown Bear", "Level 2", N(30), N(30), N(30), N(150), N(150), {2, 1, 1}, {2, 4, 4}, "BearBrown", "1", false, {kOpen, kOpen}, nullptr},
  {C1, "Level 1-Polar Bear", "Polar Bear", "Level 1", N(40), N(40), N(40), N(200), N(200), {2, 1, 1}, {2, 4, 4}, "BearPolar", "1", false, {kOpen, kOpen}, nullptr},
  {C1, "Level 2-Polar Bear", "Polar Bear", "Level 2", N(45), N(45), N(45), N(225), N(225), {2, 1, 1}, {2, 4, 4}, "BearPolar", "1", false, {kOpen, kOpen}, nullptr},
  {C1, "Level 1-Baby Dragon", "Baby Dragon", "Level 1", N(50), N(50), N(50), N(250), N(250), {1, 1, 1}, {4, 4, 4}, "BabyDragon", "1", false, {kOpen, kOpen}, nullptr},
  {C1, "Boss-Orc", "Orc", "BOSS", N(70), N(70), N(70), N(325), N(325), {2, 1, 1}, {2, 4, 4}, "Orc", "1", false,
   {{Cmp::Greater, 0, "You already beat the Orc!"}, kOpen}, nullptr},

  // Cave of Chaos: only the Lord of Chaos is guarded, and only after the Orc.
  {C2, "Level 1-Zombie", "Zombie", "Level 1", N(75), N(75), N(55), N(350), N(350), {2, 2, 2}, {2, 2, 2}, "Zombie", "2", false, {kOpen, kOpen}, nullptr},
  {C2, "Level 2-Zombie", "Zombie", "Level 2", N(80), N(80), N(60), N(375), N(375), {1, 2, 2}, {4, 2, 2}, "Zombie", "2", false, {kOpen, kOpen}, nullptr},
  {C2, "Level 3-Zombie", "Zombie", "Level 3", N(85), N(85), N(65), N(400), N(400), {0, 2, 2}, {0, 2, 2}, "Zombie", "2", false, {kOpen, kOpen}, nullptr},
  {C2, "Level 1-Pit Monster", "Pit Monster", "Level 1", N(90), N(90), N(70), N(425), N(425), {2, 1, 1}, {2, 4, 4}, "PitMonster", "2", false, {kOpen, kOpen}, nullptr},
  {C2, "Level 2-Pit Monster", "Pit Monster", "Level 2", N(100), N(100), N(80), N(500), N(550), {2, 1, 3}, {2, 4, 4}, "PitMonster", "2", false, {kOpen, kOpen}, nullptr},
  {C2, "Level 1-Slicer", "Slicer", "Level 1", N(105), N(105), N(85), N(525), N(525), {2, 1, 0}, {2, 4, 0}, "Slicer", "2", false, {kOpen, kOpen}, nullptr},
  {C2, "Level 2-Slicer", "Slicer", "Level 2", N(110), N(110), N(90), N(550), N(550), {1, 1, 0}, {4, 4, 0}, "Slicer", "2", false, {kOpen, kOpen}, nullptr},
  {C2, "Guard-Chaos Creature", "Chaos Creature", "Guard", N(120), N(120), N(100), N(625), N(625), {1, 3, 2}, {4, 4, 2}, "ChaosCreature", "2", false, {kOpen, kOpen}, nullptr},
  {C2, "Boss-Lord of Chaos", "Lord of Chaos", "BOSS", N(135), N(135), N(100), N(750), N(750), {0, 2, 0}, {0, 2, 0}, "Boss2", "2", false,
   {{Cmp::Equal, 0, "You havn't beat the Orc (boss 1) yet!"}, {Cmp::Greater, 1, "You already beat the Lord of Chaos."}}, nullptr},

  // Dragon Mountains: only the Dragon Lord is guarded, and only after the Lord of Chaos.
  {C4, "Red Dragon", "Red Dragon", "Dragon", N(450), N(450), N(425), N(1125), N(1125), {1, 2, 1}, {4, 2, 4}, "RedDrag", "5", false, {kOpen, kOpen}, nullptr},
  {C4, "Forest Dragon", "Forest Dragon", "Dragon", N(500), N(500), N(450), N(1200), N(1200), {2, 1, 1}, {2, 4, 4}, "ForestDrag", "5", false, {kOpen, kOpen}, nullptr},
  {C4, "Fire Dragon", "Fire Dragon", "Dragon", N(550), N(550), N(500), N(1225), N(1225), {2, 1, 1}, {2, 4, 4}, "FireDrag", "5", false, {kOpen, kOpen}, nullptr},
  {C4, "Master Fire Dragon", "Master Fire Dragon", "Dragon", N(550), N(550), N(550), N(1300), N(1300), {0, 3, 0}, {0, 3, 0}, "MasterFireDrag", "5", false, {kOpen, kOpen}, nullptr},
  {C4, "Master Water Dragon", "Master Water Dragon", "Dragon", N(550), N(550), N(550), N(1250), N(1250), {0, 1, 1}, {0, 4, 4}, "MasterWaterDrag", "5", false, {kOpen, kOpen}, nullptr},
  {C4, "Master Forest Dragon", "Master Forest Dragon", "Dragon", N(550), N(550), N(550), N(1275), N(1275), {0, 2, 1}, {2, 2, 4}, "MasterForestDrag", "5", false, {kOpen, kOpen}, nullptr},
  {C4, "Dragon Lord", "Dragon Lord", "BOSS", N(750), N(750), N(800), N(2000), N(2000), {0, 1, 1}, {0, 4, 4}, "DragonLord", "5", false,
   {{Cmp::Less, 2, "You havn't beat the Lord of Chaos (Cave of Chaos) yet!"}, {Cmp::Greater, 2, "You already beat the Dragon Lord."}}, nullptr},

  // Cave of Evil: nothing in it fights before the Dragon Lord has fallen. The Demon Guard pays
  // ten times its experience in gold.
  {C3, "Small Swift Demon", "Small Swift Demon", "Swift", N(750), N(750), N(750), N(1300), N(1300), {0, 3, 0}, {0, 3, 0}, "SmallSwift", "3", false, {kEvilLocked, kOpen}, nullptr},
  {C3, "Large Swift Demon", "Large Swift Demon", "Swift", N(850), N(850), N(850), N(1350), N(1350), {0, 3, 0}, {0, 3, 0}, "BigSwift", "3", false, {kEvilLocked, kOpen}, nullptr},
  {C3, "Level 1-Small Demon", "Small Demon", "Level 1", N(1000), N(1000), N(1000), N(1425), N(1425), {2, 2, 2}, {2, 2, 2}, "Demon2", "3", false, {kEvilLocked, kOpen}, nullptr},
  {C3, "Level 2-Small Demon", "Small Demon", "Level 2", N(1100), N(1100), N(1100), N(1450), N(1450), {1, 3, 1}, {4, 3, 4}, "Demon2", "3", false, {kEvilLocked, kOpen}, nullptr},
  {C3, "Level 1-Large Demon", "Large Demon", "Level 1", N(1400), N(1400), N(1400), N(1500), N(1500), {2, 1, 1}, {2, 4, 4}, "Demon1", "3", false, {kEvilLocked, kOpen}, nullptr},
  {C3, "Level 2-Large Demon", "Large Demon", "Level 2", N(1600), N(1600), N(1600), N(1550), N(1550), {0, 2, 1}, {0, 2, 4}, "Demon1", "3", false, {kEvilLocked, kOpen}, nullptr},
  {C3, "Guard-Demon Guard", "Demon Guard", "Guard", N(1500), N(1500), N(1500), N(17500), N(1750), {2, 2, 2}, {2, 2, 2}, "Demon1", "3", false, {kEvilLocked, kOpen}, nullptr},

  // The Upper Keep: the four guards keep the maze's music and bring the player back into the
  // maze; the Morvath (drawn with the snake picture) sends the winner back to the Cave of Evil.
  {Keep, "Demon Guard 1", "Demon Guard 1", "Guard", N(1750), N(1750), N(1750), N(0), N(0), {2, 1, 1}, {2, 4, 4}, "Snake", "4", true, {kOpen, kOpen}, nullptr},
  {Keep, "Demon Guard 2", "Demon Guard 2", "Guard", N(1750), N(1750), N(1750), N(0), N(0), {2, 1, 1}, {2, 4, 4}, "Snake", "4", true, {kOpen, kOpen}, nullptr},
  {Keep, "Demon Guard 3", "Demon Guard 3", "Guard", N(1750), N(1750), N(1750), N(0), N(0), {2, 1, 1}, {2, 4, 4}, "Snake", "4", true, {kOpen, kOpen}, nullptr},
  {Keep, "Demon Guard 4", "Demon Guard 4", "Guard", N(1750), N(1750), N(1750), N(0), N(0), {2, 1, 1}, {2, 4, 4}, "Snake", "4", true, {kOpen, kOpen}, nullptr},
  {Keep, "Morvath", "Morvath", "BOSS", N(2000), N(2000), N(2000), N(20000), N(20000), {2, 2, 2}, {2, 4, 4}, "Snake", "3", false, {kOpen, kOpen}, nullptr},

  // Tower of Reflections: the mirrors copy the character. The two Mirror Monsters take their
  // current health from the character's maximum and their maximum from the character's
  // current health; the Mirror Master takes them the right way round.
  {T1, "Level 1-Mirror Monster", "Mirror Monster", "Level 1", {Kind::TimesMaxHP, 2}, {Kind::TimesHP, 2}, kMirrorDamage, N(5000), {Kind::TimesLevel, 2}, {2, 2, 4}, {2, 2, 1}, nullptr, "6", true, {kOpen, kOpen}, nullptr},
  {T1, "Level 2-Mirror Monster", "Mirror Monster", "Level 2", {Kind::TimesMaxHP, 3}, {Kind::TimesHP, 3}, kMirrorDamage, N(5000), {Kind::TimesLevel, 3}, {2, 2, 2}, {2, 2, 2}, nullptr, "6", true, {kOpen, kOpen}, nullptr},
  {T1, "Boss-Mirror Master", "Mirror Master", "BOSS", {Kind::TimesHP, 5}, {Kind::TimesMaxHP, 5}, kMirrorDamage, N(5000), {Kind::TimesLevel, 5}, {2, 2, 3}, {2, 3, 2}, nullptr, "6", true,
   {{Cmp::Greater, 5, "You already beat the Mirror Master"}, kOpen}, nullptr},

  // Tower of Elements.
  {T2, "Element-Fire", "Fire", "Element", {Kind::WeaponStrength, 5}, {Kind::WeaponStrength, 5}, {Kind::WeaponStrength, 5}, {Kind::WeaponStrength, 5}, {Kind::WeaponStrength, 1}, {2, 1, 1}, {2, 4, 4}, nullptr, "7", true, {kOpen, kOpen}, nullptr},
  {T2, "Element-Earth", "Earth", "Element", {Kind::MaxHPTimesMaxSP, 0}, {Kind::MaxHPTimesMaxSP, 0}, {Kind::HPText, 0}, {Kind::HPText, 0}, {Kind::HPText, 0}, {1, 1, 1}, {4, 4, 4}, nullptr, "7", true, {kOpen, kOpen}, nullptr},
  {T2, "Element-Air", "Air", "Element", N(2000), N(2000), N(2000), N(2000), N(2000), {0, 2, 3}, {0, 2, 3}, nullptr, "7", true, {kOpen, kOpen}, nullptr},
  {T2, "Element-Water", "Water", "Element", {Kind::Water, 4}, {Kind::Water, 4}, {Kind::Water, 4}, {Kind::Water, 2}, {Kind::Water, 1}, {0, 2, 3}, {0, 2, 3}, nullptr, "7", true, {kOpen, kOpen}, nullptr},
  {T2, "Boss-Lord of the Elements", "Lord of the Elements", "BOSS", {Kind::TimesLevel, 100}, {Kind::TimesLevel, 100}, {Kind::TimesLevel, 100}, {Kind::TimesLevel, 100}, {Kind::TimesLevel, 50}, {2, 2, 2}, {2, 2, 2}, nullptr, "7", true,
   {{Cmp::Greater, 6, "You already beat the Lord of the Elements"}, kOpen}, nullptr},

  // Tower of Death: both grow with every creature the character has killed.
  {T3, "Guard-Beast of Bogardon", "Beast of Bogardon", "Guard", {Kind::TimesKills, 16}, {Kind::TimesKills, 16}, {Kind::TimesKills, 16}, N(50000), N(50000), {2, 2, 2}, {2, 4, 4}, nullptr, "8", true,
   {{Cmp::Equal, 8, "You already beat the Beast of Bogardon!"}, {Cmp::Equal, 9, "You already beat the Beast of Bogardon!"}}, nullptr},
  {T3, "Final Boss-Keeper of the Dead", "Keeper of the Dead", "BOSS", {Kind::TimesKills, 20}, {Kind::TimesKills, 20}, {Kind::TimesKills, 20}, N(100000000), N(200000000), {0, 2, 1}, {0, 2, 4}, "KeepDead", "8", true,
   {{Cmp::NotEqual, 8, "You have not yet beaten my Beast of Bogardon!"}, kOpen},
   "You fool! You can't beat me! Every time you killed a creature I captured it's soul to make myself stronger. You won't defeat me!!!!!"},

  // Ambushes on the overworld map. The Crazy Orc is no boss, and the ambushing Chaos Creature
  // and Zombie hit harder than their namesakes in the Cave of Chaos.
  {Map, "Giant Snake", "Giant Snake", "Level 1", N(5), N(5), N(8), N(25), N(25), {2, 1, 1}, {2, 4, 4}, "Snake", "0", false, {kOpen, kOpen}, nullptr},
  {Map, "Polar Bear", "Polar Bear", "Level 1", N(40), N(40), N(40), N(200), N(200), {2, 1, 1}, {2, 4, 4}, "BearPolar", "0", false, {kOpen, kOpen}, nullptr},
  {Map, "Crazy Orc", "Crazy Orc", "Level 1", N(70), N(70), N(70), N(325), N(325), {2, 2, 1}, {2, 2, 4}, "Orc", "0", false, {kOpen, kOpen}, nullptr},
  {Map, "Chaos Creature", "Chaos Creature", "Guard", N(120), N(120), N(120), N(625), N(625), {1, 3, 2}, {4, 4, 2}, "ChaosCreature", "0", false, {kOpen, kOpen}, nullptr},
  {Map, "Zombie", "Zombie", "Level 2", N(80), N(80), N(80), N(375), N(375), {1, 2, 2}, {4, 2, 2}, "Zombie", "0", false, {kOpen, kOpen}, nullptr},
};
// clang-format on

const Row* Find(ScreenId origin, const std::string& start) {
  for (const Row& row : kRows)
    if (row.origin == origin && start == row.start) return &row;
  return nullptr;
}

}  // namespace

bool GateOpen(Game& game, ScreenId origin, const std::string& name) {
  const Row* row = Find(origin, name);
  if (!row) return false;
  const double beat = Val(game.ch().Beat);
  for (const Refusal& refusal : row->gate) {
    if (Refuses(refusal, beat)) {
      // The gates' boxes carry no title of their own, so they show the game's title like every
      // other untitled box of the game (an explicitly empty title bar is a different thing).
      game.msg(refusal.text);
      return false;
    }
  }
  if (row->taunt) {
    // The Keeper of the Dead taunts the player and marks himself as met before the fight, so a
    // lost or abandoned fight against him still counts.
    game.msg(row->taunt);
    game.ch().Beat = "9";
  }
  return true;
}

void Encounter(Game& game, ScreenId origin, const std::string& name) {
  const Row* row = Find(origin, name);
  if (!row) return;
  Battle& b = game.battle();
  const Character& c = game.ch();

  // The tower and maze fights say so before the character is loaded, because loading decides
  // on the fight music from it: those fights keep their own screen's tune.
  if (row->fromTowers) b.FromTowers.caption = "True";
  b.CharLoad();
  game.hide(ScreenId::Caves);
  b.PrevForm.caption = row->prevForm;
  if (row->picture) b.picture(row->picture).visible = true;

  b.MName.caption = row->name;
  b.Level.caption = row->level;
  b.MHP.caption = Compute(row->hp, c);
  b.MMaxHP.caption = Compute(row->maxHp, c);
  b.MDamage.caption = Compute(row->damage, c);
  b.MGold.caption = Compute(row->gold, c);
  b.MEXP.caption = Compute(row->exp, c);
  Label* dex[3] = {&b.MdexA, &b.MdexB, &b.MdexC};
  for (int i = 0; i < 3; ++i) dex[i]->caption = Str(row->dex[i]);
  for (int i = 0; i < 3; ++i) dex[i]->tag = Str(row->faces[i]);

  game.show(ScreenId::Battle);
  game.hide(origin);
  b.HPGaugeChange();
}

}  // namespace morvath
