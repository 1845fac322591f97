#include "app/session_end.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <iterator>
#include <utility>

namespace morvath {
namespace {

// The pipe from the signal handler to the event loop: a handler may do little more than write.
int pipeEnds[2] = {-1, -1};
constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
// What each signal did before the game took it, given back when the game lets go of it.
struct sigaction earlier[std::size(kSignals)];
// Whether the game took the signal (one ignored when the game started stays ignored).
bool taken[std::size(kSignals)] = {};

extern "C" void OnSignal(int number) {
  const int savedErrno = errno;
  const char byte = static_cast<char>(number);
  [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
  errno = savedErrno;
}

}  // namespace

SessionEnd::SessionEnd(std::function<void()> endGame, QObject* parent)
    : QObject(parent), endGame_(std::move(endGame)) {
  if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
    std::perror("morvath: no pipe for the session's end");
    return;
  }
  notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &SessionEnd::arrived);
  struct sigaction action = {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < std::size(kSignals); ++i) {
    // A signal ignored when the game was started stays ignored, as the one who started it
    // wished: nohup, or a shell without job control that leaves Ctrl+C to the job in front.
    taken[i] =
        sigaction(kSignals[i], nullptr, &earlier[i]) == 0 && earlier[i].sa_handler != SIG_IGN;
    if (taken[i]) sigaction(kSignals[i], &action, nullptr);
  }
}

SessionEnd::~SessionEnd() {
  if (!notifier_) return;
  for (size_t i = 0; i < std::size(kSignals); ++i) {
    if (taken[i]) sigaction(kSignals[i], &earlier[i], nullptr);
    taken[i] = false;
  }
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
  pipeEnds[0] = pipeEnds[1] = -1;
}

void SessionEnd::arrived() {
  char bytes[16];
  while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
  }
  if (signalled_) return;
  signalled_ = true;
  endGame_();
}

}  // namespace morvath
