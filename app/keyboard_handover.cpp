#include "app/keyboard_handover.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <utility>

// QtGui's shortcut pass for a key press, the one the platform's keys take (QTest uses it too, and
// qtestkeyboard.h declares it the same way): the focus widget's ShortcutOverride, then the
// shortcuts of the active window, mnemonics among them; true when a shortcut took the key.
QT_BEGIN_NAMESPACE
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k,
                                               Qt::KeyboardModifiers mods, const QString& text,
                                               bool autorep, ushort count);
QT_END_NAMESPACE

namespace morvath {
namespace {

// How long a window on its way out, or a key typed ahead, waits for the window after it to take
// the keyboard before it goes (or is delivered) anyway.
constexpr int kPatienceMs = 1000;

// The game's top-level widget that a window of the window system shows, if any.
QWidget* TopLevelOf(const QWindow* window) {
  if (!window) return nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->windowHandle() == window) return w;
  return nullptr;
}

bool Transient(const QWidget* window) {
  const Qt::WindowType type = window->windowType();
  return type == Qt::Popup || type == Qt::ToolTip;
}

}  // namespace

KeyboardHandover::KeyboardHandover() {
  patience_.setSingleShot(true);
  patience_.setInterval(kPatienceMs);
  connect(&patience_, &QTimer::timeout, this, [this] {
    dropHeld();
    flush(true);
  });
  connect(qApp, &QGuiApplication::focusWindowChanged, this, &KeyboardHandover::focusChanged);
}

KeyboardHandover::~KeyboardHandover() = default;

void KeyboardHandover::boxAsked(QWidget* box) {
  box_ = box;
}

void KeyboardHandover::boxAnswered(QWidget* owner) {
  box_ = nullptr;
  // Keys typed at the box once it was answered belong to the window that comes next.
  if (owner) want(owner->window());
  answered_ = true;
  flush(false);
}

void KeyboardHandover::eventEnded() {
  // Without a window manager nothing gives the keyboard back once a box goes. Asked only once
  // the event is over: a request made on the way would, on Wayland, be answered late and take
  // the keyboard from the window the event shows next.
  if (!std::exchange(answered_, false)) return;
  QWidget* target = wanted();
  if (target && !target->isActiveWindow()) target->activateWindow();
}

void KeyboardHandover::shown(QWidget* window) {
  want(window);
}

void KeyboardHandover::chosen(QWidget* window) {
  if (box_ || holds(window) || Transient(window)) return;
  wanted_ = window;
  reached_ = true;
}

void KeyboardHandover::want(QWidget* window) {
  wanted_ = window;
  reached_ = window && window->isActiveWindow();
}

void KeyboardHandover::leave(QWidget* window, QWidget* next) {
  held_.push_back(window);
  next_ = next;
  if (next && next->isActiveWindow())
    dropHeld();
  else
    patience_.start();
}

void KeyboardHandover::release(QWidget* window) {
  std::erase_if(held_, [window](const QPointer<QWidget>& h) { return h == window || !h; });
}

bool KeyboardHandover::holds(const QWidget* window) const {
  return std::any_of(held_.begin(), held_.end(),
                     [window](const QPointer<QWidget>& h) { return h == window; });
}

QWidget* KeyboardHandover::wanted() const {
  if (box_ && box_->isVisible()) return box_;
  if (wanted_ && wanted_->isVisible() && !holds(wanted_)) return wanted_;
  return nullptr;
}

QWidget* KeyboardHandover::redirect(const QWidget* window) const {
  QWidget* target = wanted();
  if (!target || !window || window == target || Transient(window)) return nullptr;
  // While a box asks, every key is its own; a window on its way out takes none; and until the
  // window shown last has had the keyboard once, what reaches another window is meant for it.
  if (box_ || holds(window) || !reached_) return target;
  return nullptr;
}

bool KeyboardHandover::busy() const {
  return !held_.empty() || !pending_.empty() || patience_.isActive();
}

void KeyboardHandover::deliver(const QKeyEvent& key) {
  pending_.push_back(std::make_unique<QKeyEvent>(
      key.type(), key.key(), key.modifiers(), key.nativeScanCode(), key.nativeVirtualKey(),
      key.nativeModifiers(), key.text(), key.isAutoRepeat(), key.count()));
  flush(false);
}

void KeyboardHandover::flush(bool anyway) {
  if (pending_.empty()) return;
  QWidget* target = wanted();
  if (!target) {
    pending_.clear();
    return;
  }
  // A key whose window has not got the keyboard yet waits for it: a mnemonic works only in the
  // active window.
  if (!anyway && !target->isActiveWindow()) {
    if (!patience_.isActive()) patience_.start();
    return;
  }
  std::vector<std::unique_ptr<QKeyEvent>> keys;
  keys.swap(pending_);
  for (const auto& key : keys) {
    QWidget* to = target->focusWidget() ? target->focusWidget() : target;
    if (key->type() == QEvent::KeyPress &&
        qt_sendShortcutOverrideEvent(to, key->timestamp(), key->key(), key->modifiers(),
                                     key->text(), key->isAutoRepeat(), key->count()))
      continue;
    QCoreApplication::sendEvent(to, key.get());
  }
  if (held_.empty()) patience_.stop();
}

void KeyboardHandover::focusChanged(QWindow* now) {
  QWidget* top = TopLevelOf(now);
  if (!held_.empty() && top && top == next_) dropHeld();
  QWidget* target = wanted();
  if (!target) return;
  if (top == target) {
    reached_ = true;
    flush(false);
    return;
  }
  if (top && Transient(top)) return;  // a menu or a tooltip
  // Another of the game's windows took the keyboard (the screen behind a box, the inventory, a
  // window on its way out), or the keyboard went nowhere while it is being handed over: it goes
  // back where it belongs. A window the player has chosen since keeps it (chosen()).
  const bool wrong = top ? (box_ || holds(top) || !reached_) : !reached_;
  if (wrong) target->activateWindow();
}

void KeyboardHandover::dropHeld() {
  std::vector<QPointer<QWidget>> held;
  held.swap(held_);
  for (QPointer<QWidget>& h : held)
    if (h) h->hide();
  next_ = nullptr;
  if (pending_.empty()) patience_.stop();
}

}  // namespace morvath
