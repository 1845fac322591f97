#include "app/frontend.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QWindow>
#include <cstdio>
#include <exception>
#include <utility>
#include <vector>

#include "app/layout_scale.h"
#include "app/screen_window.h"
#include "app/window_factory.h"
#include "core/game.h"
#include "core/screen.h"

namespace morvath {
namespace {

// Makes a window a transient of another: it stands above its owner, also after a click on the
// owner, and moves between desktops with it. Qt tells the X window manager whose transient a
// window is only for dialog-type windows.
void KeepAbove(QWidget& window, QWidget& owner) {
  if (window.windowType() != Qt::Dialog)
    window.setWindowFlags((window.windowFlags() & ~Qt::WindowType_Mask) | Qt::Dialog);
  owner.winId();  // both need a native window first
  window.winId();
  if (window.windowHandle() && owner.windowHandle())
    window.windowHandle()->setTransientParent(owner.windowHandle());
}

// Names the screen a window belongs to, on Wayland, where the compositor places the windows: it
// learns whose child the window is when it opens, and keeps it with its screen. An X11 window
// manager would keep it above its screen for good; there it stands beside the screen, and a
// click on the screen may cover it.
void BelongsTo(QWidget& window, QWidget& owner) {
  if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return;
  owner.winId();
  window.winId();
  if (window.windowHandle() && owner.windowHandle())
    window.windowHandle()->setTransientParent(owner.windowHandle());
}

}  // namespace

namespace {

// The game's code of a key by what Qt names it; 0 for keys the game has no name for.
int KeyByName(int qtKey, bool keypad) {
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
    return (keypad ? key::kPad0 : key::k0) + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return key::kA + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Left:
      return key::kLeft;
    case Qt::Key_Up:
      return key::kUp;
    case Qt::Key_Right:
      return key::kRight;
    case Qt::Key_Down:
      return key::kDown;
    case Qt::Key_Space:
      return 32;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    default:
      return 0;
  }
}

}  // namespace

int GameKeyCode(int qtKey, bool keypad, quint32 scanCode) {
  // The game names a key by the key itself, not by the character it types: Shift+3 is the key
  // 3 with Shift held (at the slot prompts too), whatever the keyboard layout puts on it. X11
  // and Wayland number the digit row 1..9, 0 as scan codes 10..19. Only a key that Qt names as
  // something the game does not know ("#", "&") is taken by its place: a keyboard of its own
  // making (a virtual keyboard, a remote desktop's) may put letters and arrows there.
  const int byName = KeyByName(qtKey, keypad);
  if (byName == 0 && !keypad && scanCode >= 10 && scanCode <= 19)
    return key::k0 + (scanCode == 19 ? 0 : static_cast<int>(scanCode) - 9);
  return byName;
}

int GameShiftBits(Qt::KeyboardModifiers modifiers) {
  int bits = 0;
  if (modifiers & Qt::ShiftModifier) bits |= key::kShift;
  if (modifiers & Qt::ControlModifier) bits |= key::kCtrl;
  if (modifiers & Qt::AltModifier) bits |= key::kAlt;
  return bits;
}

Frontend::Frontend(Game& game) : game_(game) {
  clock_.setTimerType(Qt::CoarseTimer);
  connect(&clock_, &QTimer::timeout, this, &Frontend::tick);
  qApp->installEventFilter(this);
}

Frontend::~Frontend() {
  qApp->removeEventFilter(this);
}

void Frontend::run(const std::function<void()>& handler) {
  if (game_.ended()) return;
  ++busy_;
  try {
    handler();
  } catch (const std::exception& e) {
    // A fault in a rule must not take the player's game down with it.
    std::fprintf(stderr, "morvath: internal error: %s\n", e.what());
  }
  --busy_;
  update(busy_ == 0, false);
}

ScreenWindow& Frontend::window(ScreenId id) {
  auto it = windows_.find(id);
  if (it == windows_.end()) it = windows_.emplace(id, MakeWindow(*this, game_.screen(id))).first;
  return *it->second;
}

QWidget* Frontend::modalParent() {
  if (game_.screen(ScreenId::Cast).visible) return &window(ScreenId::Cast);
  if (lastShown_ && game_.screen(*lastShown_).visible) return &window(*lastShown_);
  if (Screen* front = game_.front()) return &window(front->id());
  return nullptr;
}

void Frontend::prebuildWindows(std::function<void()> done) {
  if (done) prebuilt_ = std::move(done);
  for (ScreenId id : kAllScreens) {
    if (windows_.count(id)) continue;
    if (busy_ == 0) window(id);
    QTimer::singleShot(busy_ == 0 ? 0 : 50, this, [this] { prebuildWindows(); });
    return;
  }
  if (prebuilt_) std::exchange(prebuilt_, {})();
}

namespace {

// The area windows may take on the screen that holds the point.
QRect AvailableAt(QPoint point) {
  const QScreen* screen = QGuiApplication::screenAt(point);
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

// The middle of a rectangle, the inverse of placing a rectangle of that size around it (a
// window that opens where another stood again and again does not creep).
QPoint Middle(const QRect& r) {
  return r.topLeft() + QPoint(r.width() / 2, r.height() / 2);
}

}  // namespace

void Frontend::placeNewWindow(ScreenWindow& w, bool overlay) {
  w.adjustSize();
  const QSize size = w.size().grownBy(frame_);
  if (!havePlace_) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    lastCenter_ = screen ? screen->availableGeometry().center() : QPoint(400, 300);
    havePlace_ = true;
  }
  // Over the window the player saw last (still up: the screen left goes once this one stands),
  // where it stands now: the player may have moved it since the last event, to another monitor
  // too. Until the window manager has framed it, its frame is taken to be the one it was placed
  // with.
  if (lastShown_ && *lastShown_ != w.screen().id()) {
    ScreenWindow& seen = window(*lastShown_);
    if (seen.isVisible())
      lastCenter_ = Middle(unframed_.count(&seen) ? seen.geometry().marginsAdded(frame_)
                                                  : seen.frameGeometry());
  }
  QPoint center = lastCenter_;
  if (overlay && game_.front()) {
    // The inventory stands beside the screen it belongs to, the spell window on top of it.
    if (w.screen().id() == ScreenId::Inventory) {
      const QWidget& front = window(game_.front()->id());
      center = QPoint(front.frameGeometry().right() + size.width() / 2 + 8, lastCenter_.y());
    }
  }
  // Wherever it would stand, the window opens whole on the screen it opens on; the inventory
  // with no room beside its screen covers part of it.
  QRect frame(center - QPoint(size.width() / 2, size.height() / 2), size);
  const QRect available = AvailableAt(lastCenter_);
  if (available.isValid()) frame.moveTopLeft(KeepInside(frame, available));
  // The window is placed by its inside, which means the same to every window manager for a
  // window shown the first time or again; the frame goes around it.
  w.setGeometry(QRect(frame.topLeft() + QPoint(frame_.left(), frame_.top()), w.size()));
  if (!overlay) lastCenter_ = Middle(frame);
}

void Frontend::keepOnScreen(ScreenWindow& w) {
  const QRect frame = w.frameGeometry();
  const QRect available = AvailableAt(Middle(frame));
  if (!available.isValid() || available.contains(frame)) return;
  const QPoint inside = w.geometry().topLeft() - frame.topLeft();
  w.setGeometry(QRect(KeepInside(frame, available) + inside, w.size()));
}

void Frontend::update(bool eventEnded, bool beforeBox) {
  // Show what became visible first, then hide what was left, so one screen always stands.
  std::set<ScreenId> opened;
  QWidget* shownNow = nullptr;
  for (ScreenId id : kAllScreens) {
    Screen& s = game_.screen(id);
    if (!s.visible) continue;
    ScreenWindow& w = window(id);
    handover_.release(&w);
    w.sync();
    unsigned& seen = frontRequestsSeen_[id];
    if (!w.isVisible()) {
      // The spell window belongs to the combat screen: the window manager keeps it above it.
      if (id == ScreenId::Cast) KeepAbove(w, window(ScreenId::Battle));
      // The inventory belongs to the screen it is opened over.
      if (id == ScreenId::Inventory && game_.front()) BelongsTo(w, window(game_.front()->id()));
      placeNewWindow(w, IsOverlay(id));
      unframed_.insert(&w);
      // A screen opens with the keyboard on the window itself, as the screens that read the
      // keyboard always have it: no button holds the focus, so a plain Space or Return (the one
      // that answered the box before, a double tap) presses nothing. Left alone, Qt would give
      // the focus back to the button pressed on the last visit (the monster button that started
      // the fight just won) or, on a first showing, to the first button ("&Attack").
      w.setFocus(Qt::OtherFocusReason);
      w.show();
      w.raise();
      // A box about to come up takes the keyboard itself; the screen gets it once the box is
      // answered.
      if (!beforeBox) w.activateWindow();
      handover_.shown(&w);
      opened.insert(id);
      shownNow = &w;
      if (!IsOverlay(id)) lastShown_ = id;
    } else if (seen != s.frontRequests) {
      w.raise();
      if (!beforeBox) w.activateWindow();
      handover_.shown(&w);
    }
    seen = s.frontRequests;
  }
  std::vector<ScreenWindow*> left;
  int staying = 0;  // windows of the game that stay up besides the one shown now
  for (auto& [id, w] : windows_) {
    Screen& s = game_.screen(id);
    if (!s.visible && w->isVisible() && !handover_.holds(w.get())) left.push_back(w.get());
    if (s.visible && w.get() != shownNow && w->isVisible()) ++staying;
    if (w->isEnabled() != s.enabled) w->setEnabled(s.enabled);
  }
  for (ScreenWindow* w : left) {
    // With another window of the game still up (the inventory), the window manager would hand
    // it the keyboard between the two screens: the screen left goes once the new one has it.
    if (shownNow && staying > 0)
      handover_.leave(w, shownNow);
    else
      w->hide();
  }
  if (eventEnded) handover_.eventEnded();
  if (Screen* front = game_.front()) {
    ScreenWindow& w = window(front->id());
    // Where the player has put the window in front (once the window manager has framed it).
    if (w.isVisible() && !unframed_.count(&w)) lastCenter_ = Middle(w.frameGeometry());
    havePlace_ = true;
    const int period = front->timerInterval();
    if (period > 0) {
      if (!clock_.isActive() || clock_.interval() != period) clock_.start(period);
    } else {
      clock_.stop();
    }
  } else {
    clock_.stop();
  }
  speech_.update(opened, beforeBox);
}

bool Frontend::takesInput(const ScreenWindow& window) const {
  return window.screen().visible && !handover_.holds(&window);
}

bool Frontend::routeKey(QWidget* widget, QKeyEvent* key) {
  QWidget* top = widget->window();
  QWidget* to = handover_.redirect(top);
  if (!to) {
    // A key that reaches the window of a screen the game has left belongs to the window in front.
    auto* win = qobject_cast<ScreenWindow*>(top);
    if (!win || takesInput(*win)) return false;
    to = handover_.wanted() ? handover_.wanted() : modalParent();
    if (!to || to == top) return true;  // nowhere to go: a key for a screen that is gone
  }
  // No shortcut of the window the key reached: the key press that follows is handed on.
  if (key->type() == QEvent::ShortcutOverride) {
    key->accept();
    return true;
  }
  handover_.deliver(*key);
  return true;
}

void Frontend::tick() {
  // The clock of a screen only runs while that screen is in front and nothing else is going on.
  if (busy_ > 0 || QApplication::activeModalWidget() != nullptr) return;
  Screen* front = game_.front();
  if (!front || front->timerInterval() <= 0 || !front->enabled) return;
  run([front] { front->timerTick(); });
}

bool Frontend::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Move && !unframed_.empty()) {
    // Once the window manager has framed a window that was just shown, the frame is known: the
    // next windows allow for it, and this one is checked with it.
    auto* w = qobject_cast<ScreenWindow*>(watched);
    if (w && unframed_.count(w) && w->isVisible() && w->frameGeometry() != w->geometry()) {
      unframed_.erase(w);
      const QRect outer = w->frameGeometry();
      const QRect inner = w->geometry();
      frame_ = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                        outer.right() - inner.right(), outer.bottom() - inner.bottom());
      keepOnScreen(*w);
    }
    return false;
  }
  if (event->type() == QEvent::WindowActivate) {
    // A click on the combat screen under the spell window leaves the keyboard with the spells.
    auto* win = qobject_cast<ScreenWindow*>(watched);
    if (win && win->screen().id() == ScreenId::Battle && game_.screen(ScreenId::Cast).visible)
      QTimer::singleShot(0, this, [this] { window(ScreenId::Cast).activateWindow(); });
    return false;
  }
  if (event->type() == QEvent::MouseButtonPress) {
    if (auto* widget = qobject_cast<QWidget*>(watched)) handover_.chosen(widget->window());
    return false;
  }
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
    return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;
  if (routeKey(widget, static_cast<QKeyEvent*>(event))) return true;
  if (type != QEvent::KeyPress) return false;
  auto* win = qobject_cast<ScreenWindow*>(widget->window());
  if (!win || !win->isEnabled()) return false;
  if (!win->screen().readsKeys()) return false;
  if (QApplication::activeModalWidget() != nullptr || busy_ > 0) return false;
  auto* keyEvent = static_cast<QKeyEvent*>(event);
  // Buttons still get the keys that press them (the screen sees those keys too, once: where the
  // key is first delivered); every other key belongs to the screen alone.
  bool passOn = false;
  switch (keyEvent->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      passOn = true;
      break;
    default:
      break;
  }
  if (passOn) {
    QWidget* focus = QApplication::focusWidget();
    QWidget* first = (focus && focus->window() == win) ? focus : win;
    if (widget != first) return false;
  }
  const int code = GameKeyCode(keyEvent->key(), keyEvent->modifiers().testFlag(Qt::KeypadModifier),
                               keyEvent->nativeScanCode());
  const int shift = GameShiftBits(keyEvent->modifiers());
  Screen& screen = win->screen();
  run([&screen, code, shift] { screen.keyDown(code, shift); });
  return !passOn;
}

}  // namespace morvath
