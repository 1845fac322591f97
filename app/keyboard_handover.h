// The one owner of the keyboard among the game's windows. The front end and the boxes tell it
// which window should have the keyboard (a box that asks, the screen just shown, the window a box
// goes back to); it follows Qt's focus signals and puts the keyboard back there when another of
// the game's windows takes it, and tells the front end where a key that reached the wrong window
// belongs. A box is gone the moment it is answered: it takes no key and blocks no window after.
//
// Why the keyboard can land on the wrong window: a window that goes gives the keyboard back to
// the window behind it for a moment, and on Wayland that window's activation request
// (xdg-activation, answered later) can take the keyboard from the box or screen shown after it;
// a compositor may also map a box first and then give the keyboard to the box's screen.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <memory>
#include <vector>

class QKeyEvent;
class QWidget;
class QWindow;

namespace morvath {

class KeyboardHandover : public QObject {
 public:
  KeyboardHandover();
  ~KeyboardHandover() override;

  // A box is up and waits for its answer: the keyboard is its own until then.
  void boxAsked(QWidget* box);
  // The box is answered (and goes now): the keyboard goes back to owner, unless the game shows
  // another window first.
  void boxAnswered(QWidget* owner);
  // The game's event has run to its end: a box answered during it gives the keyboard back to
  // the window that should have it, if nothing has.
  void eventEnded();
  // The game has shown a window, or brought one to the front: it should have the keyboard.
  void shown(QWidget* window);
  // The player has clicked a window: it keeps the keyboard it gets.
  void chosen(QWidget* window);
  // A screen left while another of the game's windows stays up (the inventory) stays up, taking
  // no input, until next has the keyboard: hidden at once, the keyboard would go to the other
  // window, and on Wayland next's activation request would no longer count.
  void leave(QWidget* window, QWidget* next);
  // Gives a window on its way out back: its screen is in front again.
  void release(QWidget* window);
  // Whether the window is on its way out.
  bool holds(const QWidget* window) const;
  // The window that should have the keyboard now, if the hand-over knows one.
  QWidget* wanted() const;
  // Where a key that reached the top-level window belongs instead, or nullptr when it belongs
  // there: a key typed at a window on its way out, or at another window while the keyboard is
  // being handed over, goes to the window the keyboard is handed to.
  QWidget* redirect(const QWidget* window) const;
  // Whether a hand-over is still under way (a window waits for the keyboard, or one on its way
  // out still stands).
  bool busy() const;

  // Takes a key that reached the wrong window and hands it to the window that should have the
  // keyboard, in the order typed, as if typed there (shortcuts and mnemonics included): at once
  // when that window has the keyboard, else as soon as it has it.
  void deliver(const QKeyEvent& key);

 private:
  void focusChanged(QWindow* now);
  void want(QWidget* window);
  // Delivers the keys kept; anyway: also to a window that has not got the keyboard.
  void flush(bool anyway);
  void dropHeld();

  QPointer<QWidget> box_;     // the box that asks, if one does
  QPointer<QWidget> wanted_;  // the window the game has shown last
  // Whether wanted_ has had the keyboard since it was named.
  bool reached_ = false;
  // Whether a box was answered during the game's event running now.
  bool answered_ = false;
  std::vector<QPointer<QWidget>> held_;
  QPointer<QWidget> next_;
  // Keys typed ahead, waiting for their window to have the keyboard.
  std::vector<std::unique_ptr<QKeyEvent>> pending_;
  // The last resort for a window on its way out, or keys typed ahead, whose window never takes
  // the keyboard (a window manager that does not give it): after a second they go on anyway.
  // Not running otherwise.
  QTimer patience_;
};

}  // namespace morvath
