#include "core/inventory.h"

#include "core/game.h"

namespace morvath {

const Inventory::Row Inventory::kRows[18] = {
    {"Level", &Character::Level},
    {"Health", &Character::HP},
    {"Max Health", &Character::MaxHP},
    {"Spell Points", &Character::SP},
    {"Max Spell Points", &Character::MaxSP},
    {"Experience", &Character::Exp},
    {"Next Level", &Character::NextLevel},
    {"Gold", &Character::Gold},
    {"Weapon", &Character::Weapon},
    {"Strength", &Character::Strength},
    {"Total Damage", &Character::MaxDamage},
    {"Armor", &Character::Armor},
    {"Shield", &Character::Shield},
    {"Total Defense", &Character::MaxDefence},
    {"Weapon Name", &Character::WeaponN},
    {"Armor Name", &Character::ArmorN},
    {"Shield Name", &Character::ShieldN},
    {"Kills", &Character::Kills},
};

Inventory::Inventory(Game& game) : Screen(game, ScreenId::Inventory, "Character & Inventory") {
  addMenu("MHide", "&Hide Inventory", "", [this] { visible = false; });
}

void Inventory::closeBox() {
  visible = false;
}

}  // namespace morvath
