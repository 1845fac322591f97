// The end of the desktop session: SIGTERM (a logout, a kill), SIGINT and SIGHUP end the game from
// the event loop, as "E&xit" answered Yes would, instead of killing it in the middle of a write.
// A signal ignored when the game started is left ignored, and each signal gets back what it did
// before once the game lets go of it.
#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace morvath {

class SessionEnd : public QObject {
  Q_OBJECT
 public:
  // endGame runs on the event thread once one of the signals has arrived.
  explicit SessionEnd(std::function<void()> endGame, QObject* parent = nullptr);
  ~SessionEnd() override;
  SessionEnd(const SessionEnd&) = delete;
  SessionEnd& operator=(const SessionEnd&) = delete;

 private:
  void arrived();

  std::function<void()> endGame_;
  QSocketNotifier* notifier_ = nullptr;
  bool signalled_ = false;
};

}  // namespace morvath
