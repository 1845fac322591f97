#include "app/keyboard_handover.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <algorithm>

namespace morvath {
namespace {

// How long a window waits for the one after it to take the keyboard before it goes anyway.
constexpr int kPatienceMs = 1000;

}  // namespace

KeyboardHandover::KeyboardHandover() {
  poll_.setInterval(10);
  connect(&poll_, &QTimer::timeout, this, &KeyboardHandover::check);
}

KeyboardHandover::~KeyboardHandover() {
  dropAll();
}

void KeyboardHandover::holdBox(QWidget* box) {
  // A box answered while others still wait had the keyboard itself: the older ones go.
  dropAll();
  held_.push_back({box, true});
  next_ = nullptr;
  start();
}

void KeyboardHandover::holdWindow(QWidget* window, QWidget* next) {
  held_.push_back({window, false});
  next_ = next;
  start();
}

void KeyboardHandover::release(QWidget* window) {
  std::erase_if(held_, [window](const Held& h) { return h.window == window; });
}

bool KeyboardHandover::holds(const QWidget* window) const {
  return std::any_of(held_.begin(), held_.end(),
                     [window](const Held& h) { return h.window == window; });
}

void KeyboardHandover::start() {
  since_.start();
  qApp->installEventFilter(this);
  poll_.start();
}

bool KeyboardHandover::eventFilter(QObject* watched, QEvent* event) {
  // The window shown after a box, whatever shows it: the next box or the next screen.
  if (event->type() == QEvent::Show && watched->isWidgetType() && !held_.empty()) {
    auto* window = static_cast<QWidget*>(watched);
    const Qt::WindowType type = window->windowType();
    if (window->isWindow() && !holds(window) && type != Qt::ToolTip && type != Qt::Popup)
      next_ = window;
  }
  return false;
}

void KeyboardHandover::check() {
  // Checked in the event loop, so once the handler that closed the window has gone on: either
  // it has shown something that should take the keyboard, or nothing follows.
  const bool waiting = next_ && next_->isVisible() && !next_->isActiveWindow();
  if (waiting && since_.elapsed() < kPatienceMs) return;
  dropAll();
}

void KeyboardHandover::dropAll() {
  poll_.stop();
  if (qApp) qApp->removeEventFilter(this);
  std::vector<Held> held;
  held.swap(held_);
  for (Held& h : held) {
    if (!h.window) continue;
    if (h.box)
      delete h.window.data();
    else
      h.window->hide();
  }
  next_ = nullptr;
}

}  // namespace morvath
