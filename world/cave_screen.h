// The seven place screens where fights are chosen: the three caves, the Dragon Mountains and the
// three towers of the Under World.
#pragma once

#include "core/screen.h"

namespace morvath {

class CaveScreen : public Screen {
 public:
  // id is one of Cave1..Cave4, Tower1..Tower3.
  CaveScreen(Game& game, ScreenId id);
};

}  // namespace morvath
