// What the weapon and armor shops of Makar sell, and the one way anything there is bought.
#pragma once

#include <initializer_list>
#include <span>
#include <string>

#include "core/character.h"
#include "core/screen.h"

namespace morvath {

class Game;

// The three pieces a character owns one of each.
enum class EquipmentSlot { Weapon, Armor, Shield };

// One row of a price list: the button, its caption, the damage or defence it gives, its price
// and the name written into the character's record (which is not always the caption).
struct EquipmentItem {
  const char* button;
  const char* caption;
  int value;
  int cost;
  const char* recorded;
};

// The weapon shop's list (Weapon1..Weapon12), the armor shop's armor (Armor1..Armor11) and
// shields (Shield1..Shield5), top to bottom.
std::span<const EquipmentItem> Weapons();
std::span<const EquipmentItem> Armors();
std::span<const EquipmentItem> Shields();
// The list that fills a slot.
std::span<const EquipmentItem> ItemsFor(EquipmentSlot slot);

// The character's value and name fields of a slot.
std::string& SlotValue(Character& c, EquipmentSlot slot);
std::string& SlotName(Character& c, EquipmentSlot slot);

// Buys an item for a slot: refuses it when the gold does not reach, when it is the piece owned
// (same value) or a weaker one, each with its message; otherwise pays and equips it.
void BuyEquipment(Game& game, EquipmentSlot slot, const EquipmentItem& item);

// MSGSameWeapon, MSGSameArmor, MSGSameShield: the "already own" message of a slot.
void MSGSame(Game& game, EquipmentSlot slot);

// A shop whose price list is made of equipment rows: each row a button that buys the item, with
// labels "<button>Value" and "<button>Cost" beside it.
// The heading shows the shop's title; the value column is headed "Damage" or "Defence".
class EquipmentShop : public Screen {
 public:
  EquipmentShop(Game& game, ScreenId id, const std::string& title, const std::string& valueHeading,
                std::initializer_list<EquipmentSlot> lists);

  Label& Label1;    // the heading
  Label& lblValue;  // column headings
  Label& lblCost;

 private:
  // Adds the rows of a slot's list, top to bottom.
  void addItemRows(EquipmentSlot slot);
};

}  // namespace morvath
