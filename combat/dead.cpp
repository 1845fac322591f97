#include "combat/dead.h"

#include "core/game.h"
#include "core/save_slots.h"

namespace morvath {

Dead::Dead(Game& game)
    : Screen(game, ScreenId::Dead, "You Died!!!"),
      Label1(addLabel("Label1", "You Died!!!")),
      Label2(addLabel("Label2", "(click anywhere to continue)")) {
  onClick("", [this] { Form_Click(); });
  onClick("Label2", [this] { Form_Click(); });
  onClick("Label1", [this] { Label1_Click(); });
}

void Dead::Form_Click() {
  Continue(false);
}

void Dead::Label1_Click() {
  Continue(true);
}

void Dead::Continue(bool onlyIfNotTemple) {
  game_.EndGame();
  if (game_.musicOn()) {
    const std::string temple = game_.tunePath(tune::kTemple);
    if (!onlyIfNotTemple || game_.music().fileName() != temple) {
      game_.stopMusic();
      game_.music().setFileName(temple);
      game_.music().command("open");
      game_.music().command("play");
    }
  }
  const Answer answer = game_.msg(kQuestion, "Regeneration", Buttons::YesNo);
  if (answer == Answer::Yes) {
    const std::string last = game_.store().read(kSaveApp, "LastSave", "LastSave");
    if (LoadSave(game_, last) == "Successful!") {
      game_.hide(ScreenId::Dead);
      game_.dialogs().doEvents();
    }
    // Otherwise the screen stays; another click asks again.
  } else {
    game_.show(ScreenId::aaStartForm);
    game_.hide(ScreenId::Dead);
  }
}

void Dead::closeBox() {
  game_.endProgram();
}

}  // namespace morvath
