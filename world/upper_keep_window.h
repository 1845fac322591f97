// The Upper Keep's window: the maze drawing with the hero and the four guards on it, the hero's
// cell, the message line and the way back to the Cave of Evil.
#pragma once

#include "app/screen_window.h"
#include "world/upper_keep.h"

namespace morvath {

class UpperKeepWindow : public ScreenWindow {
  Q_OBJECT
 public:
  UpperKeepWindow(Frontend& frontend, UpperKeep& keep);
  void sync() override;

  // Where the maze drawing's top-left corner stands on the canvas.
  static constexpr int kMazeLeft = 20;
  static constexpr int kMazeTop = 16;
  // The maze drawing is shown at twice its size.
  static constexpr int kScale = 2;

 private:
  QLabel* message_;
};

}  // namespace morvath
