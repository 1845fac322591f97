// Every opponent of the game and the encounter setup that starts a fight against one.
#pragma once

#include <string>

#include "core/screen_id.h"

namespace morvath {

class Game;

// The progress gate of a fight: true when it lets the fight through; otherwise it has shown its
// message. origin is the screen of the button (Cave1..Cave4, Tower1..Tower3), name the
// button's caption. The Keeper of the Dead's gate also shows his taunt and sets Beat to 9.
bool GateOpen(Game& game, ScreenId origin, const std::string& name);

// The encounter setup: loads the character into the combat screen, writes the opponent, shows
// the combat screen and hides origin. origin Caves takes the ambush names ("Giant Snake",
// "Polar Bear", "Crazy Orc", "Chaos Creature", "Zombie"); UpperKeep takes "Demon Guard 1" ..
// "Demon Guard 4" and "Morvath"; the cave and tower screens take their buttons' captions.
void Encounter(Game& game, ScreenId origin, const std::string& name);

}  // namespace morvath
