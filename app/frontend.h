// The Qt front end: one window per screen, built when the screen is first shown and kept for the
// whole run. After every event the windows re-read the game's state.
#pragma once

#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

#include "app/keyboard_handover.h"
#include "app/layout_scale.h"
#include "app/speech_queue.h"
#include "core/screen_id.h"

namespace morvath {

class Game;
class Screen;
class ScreenWindow;

class Frontend : public QObject {
  Q_OBJECT
 public:
  explicit Frontend(Game& game);
  ~Frontend() override;

  Game& game() { return game_; }
  // Runs one event handler of the game, then brings every window up to date and says what
  // changed to a screen reader.
  void run(const std::function<void()>& handler);
  // Re-reads the game's state into the windows: shows and hides windows, updates controls.
  void refresh() { update(false, false); }
  // refresh(), just before a modal box comes up.
  void refreshBeforeBox() { update(false, true); }
  // The window of a screen, built on first use.
  ScreenWindow& window(ScreenId id);
  // The window a modal box belongs to: the spell window when it is up, else the screen in front
  // (the one shown last when two stand during a screen change).
  QWidget* modalParent();
  // Builds the windows not shown yet, one per turn of the event loop, so that no screen change
  // later waits for a window to be built; then runs done (the memory benchmark leaves there).
  void prebuildWindows(std::function<void()> done = {});
  // Whether an event handler of the game is running.
  bool busy() const { return busy_ > 0; }
  // Whether the window still takes the player's input: not once the game has left its screen
  // (the window may stand a moment longer while the next one opens).
  bool takesInput(const ScreenWindow& window) const;
  // Who has the keyboard among the game's windows, boxes included.
  KeyboardHandover& handover() { return handover_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void tick();
  // Handles a key that reached one of the game's windows; true when it is taken.
  bool routeKey(QWidget* widget, QKeyEvent* key);
  // refresh(); eventEnded: the event's handler has run to its end; beforeBox: a modal box is
  // about to come up.
  void update(bool eventEnded, bool beforeBox);
  void placeNewWindow(ScreenWindow& window, bool overlay);
  // Moves a shown window whose frame sticks out of its screen's available area back inside.
  void keepOnScreen(ScreenWindow& window);

  Game& game_;
  std::map<ScreenId, std::unique_ptr<ScreenWindow>> windows_;
  // The front requests of each screen already answered.
  std::map<ScreenId, unsigned> frontRequestsSeen_;
  QTimer clock_;
  std::function<void()> prebuilt_;  // runs once every window is built
  int busy_ = 0;
  // What the windows say to a screen reader.
  SpeechQueue speech_{*this};
  bool havePlace_ = false;
  // The game screen shown last: while a screen change is under way two stand, and the new one
  // is in front.
  std::optional<ScreenId> lastShown_;
  QPoint lastCenter_;
  // The window manager's frame around a window, as last seen; an allowance until one is seen.
  QMargins frame_ = kFrameAllowance;
  // Shown windows whose frame the window manager has not given yet.
  std::set<ScreenWindow*> unframed_;
  // Which window should have the keyboard; windows of screens left, kept up until the screen
  // shown after them has the keyboard.
  KeyboardHandover handover_;
};

// Converts a Qt key event into the game's key code and shift bits; key code 0 for keys the game
// has no name for. scanCode is the event's native scan code (0 when unknown).
int GameKeyCode(int qtKey, bool keypad, quint32 scanCode = 0);
int GameShiftBits(Qt::KeyboardModifiers modifiers);

}  // namespace morvath
