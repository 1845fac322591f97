#include "app/first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <utility>

namespace morvath {

FirstPaint::FirstPaint(std::function<void()> callback) : callback_(std::move(callback)) {
  QCoreApplication::instance()->installEventFilter(this);
}

FirstPaint::~FirstPaint() {
  QCoreApplication::instance()->removeEventFilter(this);
}

bool FirstPaint::eventFilter(QObject*, QEvent* event) {
  if (!done_ && event->type() == QEvent::Paint) {
    done_ = true;
    // After the paint event has been handled and the window's picture is flushed.
    QTimer::singleShot(0, this, [this] {
      QCoreApplication::instance()->removeEventFilter(this);
      callback_();
    });
  }
  return false;
}

}  // namespace morvath
