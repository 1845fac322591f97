// The Upper Keep: the final maze with its four wandering guards and the Morvath at its centre.
#pragma once

#include <array>

#include "core/screen.h"

namespace morvath {

class UpperKeep : public Screen {
 public:
  explicit UpperKeep(Game& game);

  // The maze is five cells square: columns 0 (left) to 4, rows 0 (bottom) to 4.
  static constexpr int kSize = 5;
  static constexpr const char* kStartMessage =
      "           Watch out for the guards!!!             Use the arrow keys to move around";
  static constexpr const char* kWallMessage = "There is a wall blocking your way";

  Picture& Picture1;              // the maze drawing
  Label& X;                       // the hero's column
  Label& Label1;                  // ","
  Label& Y;                       // the hero's row
  std::array<Label*, 4> Xloc;     // guard 1..4's column (hidden)
  std::array<Label*, 4> Yloc;     // guard 1..4's row (hidden)
  std::array<Picture*, 4> Demon;  // guard 1..4 on screen; hidden once beaten
  Picture& Char;                  // the hero on screen
  Label& Message;
  Button& Command11;  // "&Go to the Cave of Evil"

  // Whether a step from (x, y) in the direction of an arrow key stays in the maze and crosses no
  // wall. Guards are also kept off the Morvath's centre cell.
  static bool CanMove(int x, int y, int arrowKey, bool guard);

  // Arrow keys walk the hero; every key then checks the centre and the guards.
  void keyDown(int keyCode, int shift) override;
  bool readsKeys() const override { return true; }
  // The guard clock: every guard takes a step, then the contact check.
  int timerInterval() const override { return 250; }
  void timerTick() override;

  // Guard index 0..3 takes one step in a random open direction.
  void MoveMonster(int index);
  // Starts the fight of every standing guard on the hero's cell; the last one stands.
  void InContact();
  // "&Go to the Cave of Evil".
  void Command11_Click();

 private:
  // Closes the maze: hidden, and everything back to the way the keep first looks.
  void CloseMaze();
};

}  // namespace morvath
