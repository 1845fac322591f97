#include "app/speech_queue.h"

#include "app/announcer.h"
#include "app/frontend.h"
#include "app/screen_window.h"
#include "core/game.h"
#include "core/screen.h"

namespace morvath {

void SpeechQueue::update(const std::set<ScreenId>& opened, bool beforeBox) {
  // What changed before a box came up (the killing blow of a fight before the victory box, the
  // cards shown before the outcome at the table) waits for the box to be answered.
  Game& game = frontend_.game();
  for (ScreenId id : kAllScreens)
    if (game.screen(id).visible) unsaid_ << frontend_.window(id).announce(opened.count(id) > 0);
  if (beforeBox) {
    for (ScreenId id : kAllScreens)
      if (game.screen(id).visible) frontend_.window(id).announcer().withdraw();
    return;
  }
  const QString utterance = JoinUtterances(unsaid_);
  unsaid_.clear();
  if (utterance.isEmpty()) return;
  // The window that has the keyboard says it: the inventory just opened, else the spell window
  // or the screen in front.
  QWidget* speaker = opened.count(ScreenId::Inventory) ? &frontend_.window(ScreenId::Inventory)
                                                       : frontend_.modalParent();
  if (auto* w = qobject_cast<ScreenWindow*>(speaker)) w->announcer().speak(utterance);
}

}  // namespace morvath
