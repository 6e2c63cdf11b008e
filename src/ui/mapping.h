// How the windows' measures become pixels and colours on the screen.
//
// Positions and sizes are in twips (1/1440 inch) and become pixels through the screen's
// logical dots per inch: twipsToPixels(1440, 96) -> 96, twipsToPixels(3315, 96) -> 221.
// A window's size is the outer size of a classic desktop frame: 120 twips of borders across,
// 690 twips of borders, title and menu bar down, of which the menu bar takes 285. The view
// keeps the client area below its own menu bar exactly that high, whatever height its menu
// bar has; a window without a menu bar has the 285 twips more client area.
#pragma once

#include "framework/frame.h"
#include "framework/layout.h"

#include <QColor>
#include <QPalette>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>
#include <string>

namespace mezura::ui {

struct Dpi {
    double x;
    double y;
};

// Rounded to the nearest pixel, halves away from zero.
int twipsToPixels(int twips, double dpi);
QRect toPixels(const Rect& rect, Dpi dpi);

// Client height below the menu bar for a window of `size` twips:
// clientPixels({3435, 2280}, {96, 96}) -> 221 x 106.
QSize clientPixels(Size size, Dpi dpi);
// The whole window: the client area with the menu bar above it.
// windowPixels({3435, 2280}, {96, 96}, 21) -> 221 x 127.
QSize windowPixels(Size size, Dpi dpi, int menuBarHeight);
// The client area, and so the whole window, of a window without a menu bar:
// plainWindowPixels({6105, 3420}, {96, 96}) -> 399 x 201.
QSize plainWindowPixels(Size size, Dpi dpi);

// A window that its user widened spreads its controls over the wider client area: each
// control's left and right edges move in proportion from the designed client width
// `designed` to `width` pixels, while its top, its height and its font stay. `place` is in its
// parent's coordinates, and that parent (a frame box) starts `parentLeft` pixels from the
// client area's left as designed (0 for the client area itself), so that controls in a box
// line up with those outside it as they did:
// widenedPlace({20, 5, 65, 17}, 221, 442) -> {40, 5, 130, 17};
// widenedPlace({3, 18, 65, 19}, 221, 332, 100) -> {5, 18, 97, 19} (103..168 of 221 become
// 155..252 of 332, and the box's left edge 100 becomes 150).
QRect widenedPlace(const QRect& place, int designed, int width, int parentLeft = 0);

// The most a window is widened: three times its designed width.
inline constexpr double kMostWidening = 3;

// The client width of a window designed `designed` pixels wide that its user widened by
// `widening` (1: as designed), on a screen `room` pixels wide: never narrower than designed,
// never wider than kMostWidening times that nor, where the screen is narrower, than the screen:
// widenedWidth(221, 1.5, 1920) -> 332; widenedWidth(221, 5, 1920) -> 663;
// widenedWidth(525, 3, 1024) -> 1024; widenedWidth(1200, 2, 1024) -> 1200;
// widenedWidth(381, 0.5, 1920) -> 381.
int widenedWidth(int designed, double widening, int room);

// The place of a unit caption: the band between the field above it (whose bottom edge is at
// `freeFrom`, 0 without one) and its own field (at `fieldTop`), overlapping neither, so that
// a field that changes never repaints a caption. The band keeps to the designed place where a
// line of text (`textHeight` pixels) fits there, else it reaches up as far as the line needs;
// where not even that leaves room, the designed place.
// captionPlace({20, 5, 65, 17}, 18, 0, 13) -> {20, 5, 65, 13};
// captionPlace({20, 109, 65, 17}, 120, 100, 13) -> {20, 107, 65, 13};
// captionPlace({20, 206, 65, 17}, 223, 210, 13) -> {20, 210, 65, 13}.
QRect captionPlace(const QRect& designed, int fieldTop, int freeFrom, int textHeight);

// &H00BBGGRR to a colour; the system button face is the palette's button colour.
QColor toQColor(Colour colour);

// Text of the core, which is UTF-8, as Qt text.
inline QString qs(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace mezura::ui
