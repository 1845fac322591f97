// The end of a session without a display: each of the signals reaches the event loop through the
// self-pipe and ends the game once, also while a box's own event loop waits for an answer.
#include "app/session_end.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <csignal>

namespace morvath {
namespace {

TEST(SessionEnd, EachSignalEndsTheGameOnceFromTheEventLoopEvenInsideABox) {
  int argc = 1;
  char name[] = "session_end_test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  for (int number : {SIGTERM, SIGINT, SIGHUP}) {
    int ended = 0;
    bool insideBox = false;
    QEventLoop box;  // stands for a modal box waiting for the player
    SessionEnd sessionEnd([&] {
      ++ended;
      insideBox = box.isRunning();
      box.exit(0);
    });
    QTimer::singleShot(0, [number] {
      std::raise(number);  // the process lives on: the handler only writes to the pipe
      std::raise(number);
    });
    QTimer::singleShot(5000, &box, [&box] { box.exit(1); });
    EXPECT_EQ(box.exec(), 0) << "signal " << number << " did not reach the event loop in 5 s";
    QCoreApplication::processEvents();  // a second byte in the pipe must not end it again
    EXPECT_EQ(ended, 1) << "signal " << number;
    EXPECT_TRUE(insideBox) << "signal " << number;
  }
  // Once the handler is gone the default action is back: nothing of it is left behind.
  struct sigaction action = {};
  sigaction(SIGTERM, nullptr, &action);
  EXPECT_EQ(action.sa_handler, SIG_DFL);
}

}  // namespace
}  // namespace morvath
