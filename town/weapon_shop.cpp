#include "town/weapon_shop.h"

#include "core/game.h"
#include "core/text.h"

namespace morvath {

WeaponShop::WeaponShop(Game& game)
    : EquipmentShop(game, ScreenId::WeaponShop, "Weapon Shop", "Damage", {EquipmentSlot::Weapon}),
      Exit(addButton("Exit", "&Exit Weapon Shop", [this] { Exit_Click(); })) {
  addFileExitMenu("File", "MenuExit");
  addMusicMenu("Options", "musicon");
  addInventoryMenu("MenuInven");
  // The smith's inventory is the only one that adds up the totals before showing them.
  onClick("MenuInven", [this] { MenuInven_Click(); });
}

void WeaponShop::Exit_Click() {
  game_.show(ScreenId::Caves);
  game_.hide(ScreenId::WeaponShop);
}

void WeaponShop::MenuInven_Click() {
  Character& c = game_.ch();
  c.MaxDefence = Str(Val(c.Armor) + Val(c.Shield));
  c.MaxDamage = Str(Val(c.Strength) + Val(c.Weapon));
  game_.showInventory();
}

}  // namespace morvath
