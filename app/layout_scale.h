// How large the windows are drawn. Every window is laid out in design pixels; the whole game is
// drawn at one layout scale, chosen once at start-up from the screen, so that the largest window
// fits a small laptop screen and the pictures grow on a large one. The steps keep the pixel art
// at whole or half multiples of its own pixels.
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <span>

namespace morvath {

// The scales the game is drawn at, smallest first.
inline constexpr double kLayoutSteps[] = {0.75, 1, 1.25, 1.5, 2, 2.5, 3};

// The largest window of the game at scale 1 (the map: its canvas and menu bar), and the frame a
// window manager is assumed to put around a window until the real one is known.
inline constexpr QSize kLargestWindow(810, 845);
inline constexpr QMargins kFrameAllowance(8, 32, 8, 8);

// The largest step at which every window, grown by the frame allowance, fits the available
// area; the smallest step when none does. By default the windows are the game's largest.
double ChooseLayoutScale(QSize available,
                         std::span<const QSize> windows = std::span(&kLargestWindow, 1),
                         QMargins frameAllowance = kFrameAllowance);

// The scale of this run (1 until set). Windows read it when they are built.
double LayoutScale();
void SetLayoutScale(double scale);

// Design pixels to screen pixels at the run's scale. A rectangle is scaled by its edges, so that
// rectangles that touch at scale 1 still touch and never overlap (a rectangle of some size never
// shrinks below one pixel).
int Scaled(int designPixels);
// A line or border width: never thinner than one pixel.
int ScaledLine(int designPixels);
QPoint Scaled(QPoint p);
QSize Scaled(QSize s);
QRect Scaled(const QRect& r);
// A font size in points.
double ScaledPoints(double points);

// Where a window of the given frame size stands so that it lies inside the area: as near the
// wanted top-left corner as it can; a window larger than the area keeps its top-left corner
// (and with it the title bar) inside.
QPoint KeepInside(QRect frame, const QRect& area);

}  // namespace morvath
