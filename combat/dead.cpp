#include "combat/dead.h"

#include "core/game.h"

namespace morvath {

Dead::Dead(Game& game)
    : Screen(game, ScreenId::Dead, "You Died!!!"),
      Label1(addLabel("Label1", "You Died!!!")),
      Label2(addLabel("Label2", "(click anywhere to continue)")) {}

void Dead::closeBox() { game_.endProgram(); }

}  // namespace morvath
