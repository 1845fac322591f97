// The game's look: a dark stone-and-parchment palette, serif headings, gold trim.
#pragma once

class QApplication;

namespace morvath {

// Applies the style, palette, fonts and window icon to the whole application.
void ApplyTheme(QApplication& app);

}  // namespace morvath
