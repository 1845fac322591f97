// The one player character. Every field is text, as the inventory screen shows it; numeric
// fields hold decimal text (read them with Val, write them with Str).
#pragma once

#include <string>

namespace morvath {

struct Character {
  std::string Beat;      // boss progress: 0 new, 1 Orc ... 8 Beast of Bogardon, 9 Keeper met
  std::string CharName;  // the name the player typed
  std::string Gold;
  std::string HP;  // current health
  std::string MaxHP;
  std::string Exp;        // experience gained in total
  std::string NextLevel;  // experience still needed; a level is due below 1
  std::string Level;
  std::string Weapon;  // damage value of the weapon
  std::string Armor;   // defence value of the armor
  std::string Shield;  // defence value of the shield
  std::string Strength;
  std::string WeaponN;  // names of the three pieces of equipment
  std::string ArmorN;
  std::string ShieldN;
  std::string Kills;
  std::string SP;  // current spell points
  std::string MaxSP;
  std::string NL;          // experience span of the current level step
  std::string MaxDamage;   // Strength + Weapon, recomputed only by the weapon shop's menu
  std::string MaxDefence;  // Armor + Shield, likewise

  bool operator==(const Character&) const = default;
};

}  // namespace morvath
