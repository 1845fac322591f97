// Builds the window of a screen.
#pragma once

#include <memory>

namespace morvath {

class Frontend;
class Screen;
class ScreenWindow;

// The window designed for the screen.
std::unique_ptr<ScreenWindow> MakeWindow(Frontend& frontend, Screen& screen);

}  // namespace morvath
