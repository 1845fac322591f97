// The start of most window tests: a new game of the hero Arden, with the front end's windows
// over it.
#pragma once

#include <gtest/gtest.h>

#include "app/frontend.h"
#include "support/fakes.h"

namespace morvath::test {

struct NewGameOnScreen : ::testing::Test {
  Harness h;
  Frontend frontend{h.g()};
  NewGameOnScreen() { h.newGame("Arden"); }

  // A key on the screen, run through the front end as a player's key press is.
  void press(Screen& screen, int code) {
    frontend.run([&screen, code] { screen.keyDown(code, 0); });
  }
};

}  // namespace morvath::test
