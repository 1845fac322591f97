// Hands the keyboard from an answered box to whatever the game shows next. A box's window stays
// up after its answer until the window shown after it (the next box, or the next screen) has the
// keyboard: closing it first would give the keyboard back to the screen behind for a moment, and
// on Wayland that screen then asks the compositor for the focus (xdg-activation), a request that
// can arrive after the next box has opened and take the keyboard away from it.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

namespace morvath {

class BoxHandover : public QObject {
 public:
  BoxHandover();
  ~BoxHandover() override;
  // Takes an answered box, whose window is closed as soon as the window shown next has the
  // keyboard, or at once when the game shows nothing new (at the latest after a second).
  void hold(QWidget* box);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void check();
  void drop();

  QPointer<QWidget> held_;
  QPointer<QWidget> next_;
  QElapsedTimer since_;
  QTimer poll_;
};

}  // namespace morvath
