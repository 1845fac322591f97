// The seven place screens where fights are chosen: the three caves, the Dragon Mountains and the
// three towers of the Under World.
#pragma once

#include <string>
#include <vector>

#include "core/screen.h"

namespace morvath {

class CaveScreen : public Screen {
 public:
  // id is one of Cave1..Cave4, Tower1..Tower3.
  CaveScreen(Game& game, ScreenId id);

  // What a button of these screens does.
  enum class Action {
    Fight,             // the button's gate, then the fight named by its caption
    ExitCave,          // back to the map with the overworld tune
    ExitTower,         // back to the map with the tower road's tune
    ToDragonMountain,  // Cave of Evil -> Dragon Mountains
    ToCaveOfEvil,      // Dragon Mountains -> Cave of Evil
    ToKeep,            // Cave of Evil -> the Upper Keep, while the Demon Guard is the last boss
    NextTower,         // to the next tower once this tower's boss has fallen
    PreviousTower,     // back to the tower before
  };

  // One button: its control name, caption and action, in the order the screen shows them.
  struct ButtonRow {
    const char* name;
    const char* caption;
    Action action;
  };
  // The buttons of a screen, top to bottom.
  static const std::vector<ButtonRow>& Rows(ScreenId id);

  // A button of the screen was pressed.
  void press(const ButtonRow& row);

 private:
  void CaveExit();
  void TowerExit();
  void EnterKeep();
  // Shows the next place, then hides this one.
  void moveTo(ScreenId next);
};

}  // namespace morvath
