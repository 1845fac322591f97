// What the windows say to a screen reader after each turn of an event: collected from every
// shown window, held back while a box is about to come up (a screen reader turns to the box at
// once and would drop it) and said once the box is answered, by the window that has the
// keyboard.
#pragma once

#include <QStringList>
#include <set>

#include "core/screen_id.h"

namespace morvath {

class Frontend;

class SpeechQueue {
 public:
  explicit SpeechQueue(Frontend& frontend) : frontend_(frontend) {}

  // After the windows were brought up to date. opened: the screens whose windows have just come
  // up (everything they say is new); beforeBox: a modal box is about to come up.
  void update(const std::set<ScreenId>& opened, bool beforeBox);

 private:
  Frontend& frontend_;
  // What changed before a box came up, said once the box is answered.
  QStringList unsaid_;
};

}  // namespace morvath
