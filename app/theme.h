// The game's look: a dark stone-and-parchment palette, serif headings, gold trim.
#pragma once

class QApplication;

namespace morvath {

// Applies the style, palette, fonts and window icon to the whole application.
void ApplyTheme(QApplication& app);
// Sets the window and taskbar icon of every window (after the first screen is up: reading six
// pictures is not worth delaying it for).
void ApplyWindowIcon(QApplication& app);

}  // namespace morvath
