#include "town/armor_shop.h"

#include "core/game.h"

namespace morvath {

ArmorShop::ArmorShop(Game& game)
    : EquipmentShop(game, ScreenId::ArmorShop, "Armor Shop", "Defence",
                    {EquipmentSlot::Armor, EquipmentSlot::Shield}),
      Exit(addButton("Exit", "&Exit Armor Shop", [this] { Exit_Click(); })) {
  addFileExitMenu("MenuFile", "ExitMenu");
  addMusicMenu("Options", "musicon");
  addInventoryMenu("MenuInventory");
}

void ArmorShop::Exit_Click() {
  game_.show(ScreenId::Caves);
  game_.hide(ScreenId::ArmorShop);
}

}  // namespace morvath
