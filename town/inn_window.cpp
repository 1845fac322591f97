#include "town/inn_window.h"

#include <string_view>

namespace morvath {
namespace {

constexpr int kWidth = 520;
constexpr int kButtonWidth = 300;
constexpr int kFirstRow = 80;
constexpr int kRowHeight = 42;

}  // namespace

InnWindow::InnWindow(Frontend& frontend, Inn& inn)
    : ScreenWindow(frontend, inn, QSize(kWidth, kFirstRow + 6 * kRowHeight + 12)) {
  bindLabel("Label1", QRect(0, 14, kWidth, 44), "title")->setAlignment(Qt::AlignCenter);
  int y = kFirstRow;
  int saveRow = 0;
  for (const char* name : {"Rest", "Meditate", "Command1", "DeleteSaves", "ToBar", "Exit"}) {
    if (std::string_view(name) == "Command1") saveRow = y;
    bindButton(name, QRect((kWidth - kButtonWidth) / 2, y, kButtonWidth, 32));
    y += kRowHeight;
  }
  // Bound after the buttons so that it lies over the "&Save Game" row while shown.
  bindLabel("Message", QRect(8, saveRow, kWidth - 16, 32), "prompt")
      ->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

}  // namespace morvath
