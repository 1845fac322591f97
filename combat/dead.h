// The death screen "You Died!!!": a click anywhere wipes the character and offers the last save.
#pragma once

#include "core/screen.h"

namespace morvath {

class Dead : public Screen {
 public:
  explicit Dead(Game& game);

  Label& Label1;  // "You Died!!!"
  Label& Label2;  // "(click anywhere to continue)"

  // The continue action of a click on the window or on Label2: the title tune always restarts.
  void Form_Click();
  // The continue action of a click on Label1: the title tune restarts only if another tune was
  // last set on the device.
  void Label1_Click();

  // The death screen's close box ends the program without a question.
  void closeBox() override;

  static constexpr const char* kQuestion =
      "Do you wish to regenerate your charectar from the last point you saved?";

 private:
  // Wipes the character, plays the title tune, and offers to reload the slot used last.
  void Continue(bool onlyIfNotTemple);
};

}  // namespace morvath
