// The death screen "You Died!!!": a click anywhere wipes the character and offers the last save.
#pragma once

#include "core/screen.h"

namespace morvath {

class Dead : public Screen {
 public:
  explicit Dead(Game& game);

  Label& Label1;  // "You Died!!!"
  Label& Label2;  // "(click anywhere to continue)"

  // The death screen's close box ends the program without a question.
  void closeBox() override;
};

}  // namespace morvath
