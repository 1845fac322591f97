// The game's look: a dark stone-and-parchment palette, serif headings, gold trim.
#pragma once

#include <QColor>

class QApplication;
class QLabel;
class QWidget;

namespace morvath {

// Applies the style, palette and fonts to the whole application.
void ApplyTheme(QApplication& app);
// Sets the window and taskbar icon of every window (after the first screen is up: reading six
// pictures is not worth delaying it for).
void ApplyWindowIcon(QApplication& app);

// Gives a label the font and colours of its part in a window: "title", "subtitle", "heading",
// "caption", "value", "message", "prompt" or "note" (kept as the label's "role" property).
// A label without a role keeps the plain text look.
void ApplyRole(QLabel* label, const char* role);
// Whether a label of that role is said by itself to a screen reader (a heading, a message, a
// note), rather than read with the row it belongs to (a caption, a value).
bool RoleIsSpoken(const char* role);
// The text colour of a role (the plain text colour for none or an unknown one).
QColor RoleColor(const char* role);
// Draws a widget's text in another colour.
void SetTextColor(QWidget* widget, const QColor& color);

}  // namespace morvath
