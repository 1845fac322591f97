#include "app/theme.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QStyleFactory>

namespace morvath {
namespace {

constexpr const char* kStyleSheet = R"(
QMainWindow, QDialog, QMessageBox, QInputDialog { background: #1f1a15; }
QWidget#canvas { background: #1f1a15; }
QLabel { color: #eadcc0; }
QLabel[role="title"] { color: #e0b54a; font-family: "DejaVu Serif"; font-size: 26pt; font-weight: bold; }
QLabel[role="subtitle"] { color: #a8977a; font-style: italic; }
QLabel[role="heading"] { color: #e0b54a; font-family: "DejaVu Serif"; font-size: 16pt; font-weight: bold; }
QLabel[role="caption"] { color: #c9b48a; }
QLabel[role="value"] { color: #ffffff; font-weight: bold; }
QLabel[role="message"] { color: #f2e6c8; font-family: "DejaVu Serif"; }
QLabel[role="prompt"] { color: #1f1a15; background: #e0c98f; border: 1px solid #8a6b2e; }
QLabel[role="note"] { color: #a8977a; font-style: italic; }
QPushButton {
  color: #f2e6c8; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #5a4630, stop:1 #3b2d1f);
  border: 1px solid #9a7a3a; border-radius: 4px; padding: 3px 10px;
}
QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #6e5638, stop:1 #4a3826); }
QPushButton:pressed { background: #2c2218; }
QPushButton:focus { border: 1px solid #e0b54a; }
QPushButton:disabled { color: #7d7060; background: #2c251e; border-color: #4a3f30; }
QMenuBar { background: #2b231b; color: #eadcc0; }
QMenuBar::item:selected { background: #5a4630; }
QMenu { background: #2b231b; color: #eadcc0; border: 1px solid #9a7a3a; }
QMenu::item:selected { background: #5a4630; }
QLineEdit { background: #f4ead2; color: #1f1a15; border: 1px solid #9a7a3a; padding: 2px; }
QGroupBox { color: #e0b54a; border: 1px solid #6b5430; border-radius: 4px; margin-top: 12px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; }
)";

}  // namespace

void ApplyTheme(QApplication& app) {
  app.setStyle(QStyleFactory::create("Fusion"));
  QPalette palette;
  palette.setColor(QPalette::Window, QColor(0x1f, 0x1a, 0x15));
  palette.setColor(QPalette::WindowText, QColor(0xea, 0xdc, 0xc0));
  palette.setColor(QPalette::Base, QColor(0xf4, 0xea, 0xd2));
  palette.setColor(QPalette::Text, QColor(0x1f, 0x1a, 0x15));
  palette.setColor(QPalette::Button, QColor(0x4a, 0x38, 0x26));
  palette.setColor(QPalette::ButtonText, QColor(0xf2, 0xe6, 0xc8));
  palette.setColor(QPalette::Highlight, QColor(0x9a, 0x7a, 0x3a));
  app.setPalette(palette);
  QFont font("DejaVu Sans");
  font.setPointSize(10);
  app.setFont(font);
  app.setStyleSheet(kStyleSheet);
}

void ApplyWindowIcon(QApplication& app) {
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256})
    icon.addFile(QString(":/icon/morvath-%1.png").arg(size), QSize(size, size));
  app.setWindowIcon(icon);
}

}  // namespace morvath
