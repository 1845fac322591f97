// Runs a callback once, right after the first window of the program has been painted: the
// moment the player first sees something.
#pragma once

#include <QObject>
#include <functional>

namespace morvath {

class FirstPaint : public QObject {
 public:
  explicit FirstPaint(std::function<void()> callback);
  ~FirstPaint() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> callback_;
  bool done_ = false;
};

}  // namespace morvath
