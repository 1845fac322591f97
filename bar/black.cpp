#include "bar/black.h"

#include "core/game.h"

namespace morvath {

Black::Black(Game& game) : Screen(game, ScreenId::Black, "BlackJack"), Cash(addLabel("Cash", "100")) {
  addMenu("MenuFile", "&File", "");
  addMenu("Exit", "E&xit", "MenuFile", [this] { game_.exitQuestion(); });
}

}  // namespace morvath
