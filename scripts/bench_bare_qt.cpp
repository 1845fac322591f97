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
  window.show();
  // With MORVATH_BENCH set, report the first paint and leave.
  if (qEnvironmentVariableIsSet("MORVATH_BENCH")) {
    QTimer::singleShot(0, [&] {
      std::puts("shown");
      std::fflush(stdout);
      app.quit();
    });
  }
  return app.exec();
}
