#include "town/equipment.h"

#include "core/game.h"
#include "core/text.h"

namespace morvath {
namespace {

constexpr EquipmentItem kWeapons[] = {
    {"Weapon1", "Dagger", 3, 75, "Dagger"},
    {"Weapon2", "Large Knife", 10, 150, "Large Knife"},
    // Dearer than the knife and weaker: the smith prices by craft, not by bite.
    {"Weapon3", "Short Sword", 5, 500, "Short Sword"},
    {"Weapon4", "Axe", 15, 750, "Axe"},
    {"Weapon5", "Mace", 20, 1000, "Mace"},
    {"Weapon6", "Longsword", 25, 2000, "Longsword"},
    {"Weapon7", "Broadsword", 35, 3000, "Broad"},
    {"Weapon8", "Magic Mace", 50, 5000, "Magic Mace"},
    {"Weapon9", "Magic Broadsword", 60, 9000, "Broadsword"},
    {"Weapon10", "Sword of Death", 70, 10000, "Sword of Death"},
    {"Weapon11", "Sword of Destruction", 100, 15000, "Sword of Destruction"},
    {"Weapon12", "Sword of Annihalation", 250, 60000, "Sword of Annihalation"},
};

constexpr EquipmentItem kArmors[] = {
    {"Armor1", "Cloak", 3, 50, "Cloak"},
    {"Armor2", "Leather", 4, 75, "Leather"},
    {"Armor3", "Ring Mail", 5, 100, "Ring Mail"},
    {"Armor4", "Chain Mail", 8, 200, "Chain Mail"},
    {"Armor5", "Banded", 9, 300, "Banded"},
    {"Armor6", "Half-Plate", 10, 500, "Half-Plate"},
    {"Armor7", "Whole-Plate", 15, 1000, "Whole Plate"},
    {"Armor8", "Dragon Scale", 30, 2000, "Dragon Scale"},
    {"Armor9", "Magic Whole-Plate", 50, 2500, "Magic Whole-Plate"},
    {"Armor10", "Dragon Whole-Plate", 60, 8000, "Dragon Whole-Plate"},
    {"Armor11", "Armor of Resistance", 150, 50000, "Armor of Resistance"},
};

constexpr EquipmentItem kShields[] = {
    {"Shield1", "Stone Shield", 4, 25, "Stone Shield"},
    {"Shield2", "Iron Buckler", 7, 100, "Iron Buckler"},
    {"Shield3", "Iron Shield", 10, 1000, "Iron Shield"},
    {"Shield4", "Dragon Shield", 25, 2000, "Dragon Shield"},
    {"Shield5", "Shield of Yendor", 50, 5000, "Shield of Yendor"},
};

// What the shopkeeper says about a slot.
struct SlotWords {
  const char* same;
  const char* weaker;
};

SlotWords WordsFor(EquipmentSlot slot) {
  switch (slot) {
    case EquipmentSlot::Weapon:
      return {"You already own this weapon.", "Why would you want a weaker weapon?"};
    case EquipmentSlot::Armor:
      return {"You already own this armor.", "Why would you want a weaker armor?"};
    case EquipmentSlot::Shield:
      break;
  }
  return {"You already own this shield.", "Why would you want a weaker shield?"};
}

}  // namespace

std::span<const EquipmentItem> Weapons() {
  return kWeapons;
}
std::span<const EquipmentItem> Armors() {
  return kArmors;
}
std::span<const EquipmentItem> Shields() {
  return kShields;
}

std::span<const EquipmentItem> ItemsFor(EquipmentSlot slot) {
  switch (slot) {
    case EquipmentSlot::Weapon:
      return kWeapons;
    case EquipmentSlot::Armor:
      return kArmors;
    case EquipmentSlot::Shield:
      break;
  }
  return kShields;
}

std::string& SlotValue(Character& c, EquipmentSlot slot) {
  switch (slot) {
    case EquipmentSlot::Weapon:
      return c.Weapon;
    case EquipmentSlot::Armor:
      return c.Armor;
    case EquipmentSlot::Shield:
      break;
  }
  return c.Shield;
}

std::string& SlotName(Character& c, EquipmentSlot slot) {
  switch (slot) {
    case EquipmentSlot::Weapon:
      return c.WeaponN;
    case EquipmentSlot::Armor:
      return c.ArmorN;
    case EquipmentSlot::Shield:
      break;
  }
  return c.ShieldN;
}

EquipmentShop::EquipmentShop(Game& game, ScreenId id, const std::string& title,
                             const std::string& valueHeading,
                             std::initializer_list<EquipmentSlot> lists)
    : Screen(game, id, title),
      Label1(addLabel("Label1", title)),
      lblValue(addLabel("lblValue", valueHeading)),
      lblCost(addLabel("lblCost", "Cost")) {
  for (EquipmentSlot slot : lists) addItemRows(slot);
}

void EquipmentShop::addItemRows(EquipmentSlot slot) {
  for (const EquipmentItem& item : ItemsFor(slot)) {
    addButton(item.button, item.caption, [this, slot, &item] { BuyEquipment(game_, slot, item); });
    addLabel(std::string(item.button) + "Value", Str(item.value));
    addLabel(std::string(item.button) + "Cost", Str(item.cost));
  }
}

void MSGSame(Game& game, EquipmentSlot slot) {
  game.msg(WordsFor(slot).same, "");
}

void BuyEquipment(Game& game, EquipmentSlot slot, const EquipmentItem& item) {
  Character& c = game.ch();
  const double value = item.value;
  const double cost = item.cost;
  const double gold = Val(c.Gold);
  // Money is checked first: a player who cannot pay hears about the money even for the piece
  // already owned or a weaker one.
  if (gold < cost) {
    game.msg("You do not have enough money. You only have " + Str(gold) + " gold.", "");
    return;
  }
  // Ownership is judged by the value alone, so another item of the same strength counts as
  // owned too.
  const double owned = Val(SlotValue(c, slot));
  if (value == owned) {
    MSGSame(game, slot);
    return;
  }
  if (owned > value) {
    game.msg(WordsFor(slot).weaker, "");
    return;
  }
  c.Gold = Str(gold - cost);
  SlotName(c, slot) = item.recorded;
  SlotValue(c, slot) = Str(value);
  game.msg(std::string("You bought a ") + item.recorded + " for " + Str(cost) + " gold.");
}

}  // namespace morvath
