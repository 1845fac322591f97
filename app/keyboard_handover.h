// Hands the keyboard from a window that goes to the window the game shows after it. A box that
// has been answered, or a screen that has been left while another of the game's windows stays
// up (the inventory), keeps its window until the window shown next has the keyboard: closing it
// first gives the keyboard to a window behind for a moment, and on Wayland that window then asks
// the compositor for the focus (xdg-activation), a request that can arrive after the next window
// has opened and take the keyboard away from it.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <vector>

class QWidget;

namespace morvath {

class KeyboardHandover : public QObject {
 public:
  KeyboardHandover();
  ~KeyboardHandover() override;
  // Takes an answered box, deleted once the window shown after it has the keyboard, or at once
  // when nothing new is shown (at the latest after a second). Boxes held before it go at once.
  void holdBox(QWidget* box);
  // Takes a window to hide once next has the keyboard (at the latest after a second).
  void holdWindow(QWidget* window, QWidget* next);
  // Gives a held window back, shown: its screen is in front again.
  void release(QWidget* window);
  // Whether the window is held, on its way out.
  bool holds(const QWidget* window) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Held {
    QPointer<QWidget> window;
    bool box;  // deleted, not hidden
  };
  void start();
  void check();
  void dropAll();

  std::vector<Held> held_;
  QPointer<QWidget> next_;
  QElapsedTimer since_;
  QTimer poll_;
};

}  // namespace morvath
