// The window tests run offscreen inside one QApplication.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QStandardPaths::setTestModeEnabled(true);
  QApplication app(argc, argv);
  // The pictures are compiled into a static library; bring them in explicitly.
  Q_INIT_RESOURCE(assets);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
