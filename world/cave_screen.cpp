#include "world/cave_screen.h"

#include "combat/catalogue.h"
#include "core/game.h"
#include "core/text.h"

namespace morvath {
namespace {

using Action = CaveScreen::Action;
using Row = CaveScreen::ButtonRow;

const char* TitleOf(ScreenId id) {
  switch (id) {
    case ScreenId::Cave1:
      return "Cave of Minors";
    case ScreenId::Cave2:
      return "Cave of Chaos";
    case ScreenId::Cave3:
      return "Cave of Evil";
    case ScreenId::Cave4:
      return "Dragon Mountains";
    case ScreenId::Tower1:
      return "Tower of Reflections (Tower 1 of the Under World)";
    case ScreenId::Tower2:
      return "Tower of Elements (Tower 2 of the Under World)";
    default:
      return "Tower of Death (Tower 3 of the Under World)";
  }
}

const std::vector<Row> kCave1 = {
    {"Command1", "Level 1-Giant Snake", Action::Fight},
    {"Command2", "Level 2-Giant Snake", Action::Fight},
    {"Command3", "Level 3-Giant Snake", Action::Fight},
    {"Command4", "Level 1-Brown Bear", Action::Fight},
    {"Command5", "Level 2-Brown Bear", Action::Fight},
    {"Command7", "Level 1-Polar Bear", Action::Fight},
    {"Command8", "Level 2-Polar Bear", Action::Fight},
    {"Command9", "Level 1-Baby Dragon", Action::Fight},
    {"Command6", "Boss-Orc", Action::Fight},
    {"Command11", "&Exit Cave", Action::ExitCave},
};

const std::vector<Row> kCave2 = {
    {"C1", "Level 1-Zombie", Action::Fight},
    {"Command2", "Level 2-Zombie", Action::Fight},
    {"Command3", "Level 3-Zombie", Action::Fight},
    {"Command4", "Level 1-Pit Monster", Action::Fight},
    {"Command5", "Level 2-Pit Monster", Action::Fight},
    {"Command6", "Level 1-Slicer", Action::Fight},
    {"Command7", "Level 2-Slicer", Action::Fight},
    {"Command8", "Guard-Chaos Creature", Action::Fight},
    {"LordofChaos", "Boss-Lord of Chaos", Action::Fight},
    {"Command11", "&Exit Cave", Action::ExitCave},
};

const std::vector<Row> kCave3 = {
    {"Command2", "Small Swift Demon", Action::Fight},
    {"Command3", "Large Swift Demon", Action::Fight},
    {"Command4", "Level 1-Small Demon", Action::Fight},
    {"Command5", "Level 2-Small Demon", Action::Fight},
    {"Command7", "Level 1-Large Demon", Action::Fight},
    {"Command8", "Level 2-Large Demon", Action::Fight},
    {"Command9", "Guard-Demon Guard", Action::Fight},
    {"Command1", "Jorney to &Dragon Mountain", Action::ToDragonMountain},
    {"Command6", "&To the Keep of the Morvath", Action::ToKeep},
    {"Command11", "&Exit Cave", Action::ExitCave},
};

const std::vector<Row> kCave4 = {
    {"Command3", "Red Dragon", Action::Fight},
    {"Command5", "Forest Dragon", Action::Fight},
    {"Command7", "Fire Dragon", Action::Fight},
    {"Command6", "Master Fire Dragon", Action::Fight},
    {"Command8", "Master Water Dragon", Action::Fight},
    {"Command9", "Master Forest Dragon", Action::Fight},
    {"Command1", "Dragon Lord", Action::Fight},
    {"Command11", "To the &Cave of Evil", Action::ToCaveOfEvil},
};

const std::vector<Row> kTower1 = {
    {"Command1", "Level 1-Mirror Monster", Action::Fight},
    {"Command2", "Level 2-Mirror Monster", Action::Fight},
    {"Command3", "Boss-Mirror Master", Action::Fight},
    {"Command4", "&Next Tower ->", Action::NextTower},
    {"Command11", "&Exit Tower", Action::ExitTower},
};

const std::vector<Row> kTower2 = {
    {"Command1", "Element-Fire", Action::Fight},
    {"Command2", "Element-Earth", Action::Fight},
    {"Command3", "Element-Air", Action::Fight},
    {"Command8", "Element-Water", Action::Fight},
    {"Command4", "Boss-Lord of the Elements", Action::Fight},
    {"Command10", "&Next Tower ->", Action::NextTower},
    {"Command12", "<- Previous Tower", Action::PreviousTower},
    {"Command11", "&Exit Tower", Action::ExitTower},
};

const std::vector<Row> kTower3 = {
    {"Command1", "Guard-Beast of Bogardon", Action::Fight},
    {"Command2", "Final Boss-Keeper of the Dead", Action::Fight},
    {"Command12", "<- Previous Tower", Action::PreviousTower},
    {"Command11", "&Exit Tower", Action::ExitTower},
};

}  // namespace

const std::vector<Row>& CaveScreen::Rows(ScreenId id) {
  switch (id) {
    case ScreenId::Cave1:
      return kCave1;
    case ScreenId::Cave2:
      return kCave2;
    case ScreenId::Cave3:
      return kCave3;
    case ScreenId::Cave4:
      return kCave4;
    case ScreenId::Tower1:
      return kTower1;
    case ScreenId::Tower2:
      return kTower2;
    default:
      return kTower3;
  }
}

CaveScreen::CaveScreen(Game& game, ScreenId id) : Screen(game, id, TitleOf(id)) {
  switch (id) {
    case ScreenId::Cave1:
      addLabel("jh", "Cave of Minors");
      break;
    case ScreenId::Cave2:
      addLabel("Label1", "Cave of Chaos");
      break;
    case ScreenId::Cave3:
      addLabel("Label1", "Cave of Evil");
      break;
    case ScreenId::Cave4:
      addLabel("jh", "Dragon Mountain");
      break;
    case ScreenId::Tower1:
      addLabel("jh", "Tower of Reflections");
      addLabel("Label1", "");
      break;
    case ScreenId::Tower2:
      addLabel("gjfgj", "Tower of Elements");
      addLabel("Label1",
               "You journey to the second tower. The path is hard and rugged and there is a "
               "stench of death and decay.");
      break;
    default:
      addLabel("jh", "Tower of Death");
      addLabel("Label1", "");
      break;
  }
  for (const Row& row : Rows(id)) addButton(row.name, row.caption, [this, &row] { press(row); });
  addFileExitMenu("MenuFile", "MenuitemExit");
  addMusicMenu("Options", "musicon", "Option&s", id == ScreenId::Cave1 ? "Music &on" : "Music o&n");
  addInventoryMenu("MenuInventory");
}

void CaveScreen::press(const ButtonRow& row) {
  const double beat = Val(game_.ch().Beat);
  switch (row.action) {
    case Action::Fight:
      if (GateOpen(game_, id(), row.caption)) Encounter(game_, id(), row.caption);
      break;
    case Action::ExitCave:
      CaveExit();
      break;
    case Action::ExitTower:
      TowerExit();
      break;
    case Action::ToDragonMountain:
      moveTo(ScreenId::Cave4);
      break;
    case Action::ToCaveOfEvil:
      moveTo(ScreenId::Cave3);
      break;
    case Action::ToKeep:
      // Only the Demon Guard's victor may enter, and only until the Morvath has fallen.
      if (beat < 4)
        game_.msg("You havn't beat the Demon Guard yet!");
      else if (beat > 4)
        game_.msg("You already beat the Morvath!");
      else
        EnterKeep();
      break;
    case Action::NextTower:
      if (id() == ScreenId::Tower1) {
        if (beat > 5)
          moveTo(ScreenId::Tower2);
        else
          game_.msg("You havn't beat the Mirror Master yet!");
      } else {
        if (beat > 6)
          moveTo(ScreenId::Tower3);
        else
          game_.msg("You havn't beat the Lord of the Elements yet!");
      }
      break;
    case Action::PreviousTower:
      moveTo(id() == ScreenId::Tower3 ? ScreenId::Tower2 : ScreenId::Tower1);
      break;
  }
}

void CaveScreen::CaveExit() {
  if (game_.musicOn()) {
    game_.playTune(tune::kOutside);
    game_.musicFinish() = "";
  }
  moveTo(ScreenId::Caves);
}

void CaveScreen::TowerExit() {
  // The road back from the towers has its own recording of the overworld tune; the end-of-tune
  // flag is left as it is.
  game_.playTune(tune::kOutsideTower);
  moveTo(ScreenId::Caves);
}

void CaveScreen::EnterKeep() {
  game_.playTune(tune::kTemple);
  moveTo(ScreenId::UpperKeep);
}

void CaveScreen::moveTo(ScreenId next) {
  game_.show(next);
  game_.hide(id());
}

}  // namespace morvath
