// The overworld map's window: the map picture with the hero on it, the place message and
// "&End Game".
#pragma once

#include "app/screen_window.h"
#include "world/caves.h"

namespace morvath {

class CavesWindow : public ScreenWindow {
  Q_OBJECT
 public:
  CavesWindow(Frontend& frontend, Caves& caves);
  void sync() override;

 protected:
  // The hero's cell, then the place message.
  std::vector<SpokenLine> spokenLines() const override;

 private:
  Caves& caves_;
  QWidget* hero_;
};

}  // namespace morvath
