#include "app/box_handover.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace morvath {
namespace {

// How long a box waits for the window after it to take the keyboard before it goes anyway.
constexpr int kPatienceMs = 1000;

}  // namespace

BoxHandover::BoxHandover() {
  poll_.setInterval(10);
  connect(&poll_, &QTimer::timeout, this, &BoxHandover::check);
}

BoxHandover::~BoxHandover() {
  drop();
}

void BoxHandover::hold(QWidget* box) {
  // A box answered while the one before still waits has the keyboard itself: the older goes.
  drop();
  held_ = box;
  next_ = nullptr;
  since_.start();
  qApp->installEventFilter(this);
  poll_.start();
}

bool BoxHandover::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched != held_ && watched->isWidgetType()) {
    auto* window = static_cast<QWidget*>(watched);
    const Qt::WindowType type = window->windowType();
    if (window->isWindow() && type != Qt::ToolTip && type != Qt::Popup) next_ = window;
  }
  return false;
}

void BoxHandover::check() {
  // Checked in the event loop, so once the handler that asked the box has gone on: either it
  // has shown something that should take the keyboard, or nothing follows the box.
  const bool waiting = next_ && next_->isVisible() && !next_->isActiveWindow();
  if (held_ && waiting && since_.elapsed() < kPatienceMs) return;
  drop();
}

void BoxHandover::drop() {
  poll_.stop();
  if (qApp) qApp->removeEventFilter(this);
  delete held_.data();
  next_ = nullptr;
}

}  // namespace morvath
