#include "world/caves.h"

#include "core/game.h"

namespace morvath {

Caves::Caves(Game& game)
    : Screen(game, ScreenId::Caves, "Caves"),
      Picture1(addPicture("Picture1")),
      Char(addPicture("Char", true, 2760, 3840)),
      LeftX(addLabel("LeftX", "5")),
      TopY(addLabel("TopY", "2")),
      Comma1(addLabel("Comma1", ",")),
      X(addLabel("X", "")),
      Y(addLabel("Y", "")),
      Message(addLabel("Message", "")),
      Command1(addButton("Command1", "&End Game", [this] { Command1_Click(); })) {
  addFileExitMenu("MenuGame", "MenuitemQuit");
  addMusicMenu("Options", "musicon");
  addInventoryMenu("MenuInventory");
}

void Caves::Command1_Click() {
  game_.hide(ScreenId::Caves);
  game_.EndGame();
  game_.show(ScreenId::aaStartForm);
  game_.playTune(tune::kTemple);
}

}  // namespace morvath
