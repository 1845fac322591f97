#include "combat/battle.h"

#include "core/game.h"

namespace morvath {

Battle::Battle(Game& game)
    : Screen(game, ScreenId::Battle, "Combat Screen"),
      N1(addLabel("N1", "0")),
      N2(addLabel("N2", "0")),
      N3(addLabel("N3", "0")),
      N4(addLabel("N4", "0")),
      N5(addLabel("N5", "0")),
      P1(addButton("P1", "Potion of Heal (8-15)", {})),
      P2(addButton("P2", "Potion of Heal (15-30)", {})),
      P3(addButton("P3", "Potion of Heal (30-60)", {})),
      P4(addButton("P4", "Potion of Heal (60-120)", {})),
      P5(addButton("P5", "Potion of Heal All", {})),
      Command1(addButton("Command1", "&Cancel Operation", [this] { HidePotions.visible = true; })),
      HidePotions(addPicture("HidePotions", true)) {
  addFileExitMenu("FileMenu", "ExitMenuitem");
  addMusicMenu("Options", "musicon");
}

Label& Battle::potionCount(int kind) {
  Label* counts[] = {&N1, &N2, &N3, &N4, &N5};
  return *counts[kind - 1];
}

void Battle::setPotionCounts(const std::string& count) {
  for (int kind = 1; kind <= 5; ++kind) potionCount(kind).caption = count;
}

}  // namespace morvath
