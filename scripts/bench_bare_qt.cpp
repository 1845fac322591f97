// A bare Qt window with one label and one button, the yardstick for the game's start-up time
// and memory (scripts/bench-startup).
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("Bare window");
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel("A bare Qt window"));
  layout->addWidget(new QPushButton("&Quit"));
  // With MORVATH_BENCH set, report once the window has been painted, and leave.
  struct FirstPaint : QObject {
    bool done = false;
    bool eventFilter(QObject*, QEvent* event) override {
      if (!done && event->type() == QEvent::Paint) {
        done = true;
        QTimer::singleShot(0, qApp, [] {
          std::puts("shown");
          std::fflush(stdout);
          qApp->quit();
        });
      }
      return false;
    }
  } firstPaint;
  if (qEnvironmentVariableIsSet("MORVATH_BENCH")) app.installEventFilter(&firstPaint);
  window.show();
  return app.exec();
}
