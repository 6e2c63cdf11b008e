// Where the windows first show: the program places the windows it opens at the start on the
// screen that holds the settings window, so that no window covers another's title bar and all
// lie wholly on the screen when they fit. The same windows on the same screen are placed the
// same at every start; nothing is remembered.
#pragma once

#include <vector>

namespace mezura {

// A rectangle in pixels: the screen's room for windows (without its panels), or a window's
// frame (its title bar and borders included).
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;
};

// The pixels that two rectangles share.
long long sharedArea(const PixelRect& a, const PixelRect& b);

// The frames of `frames` (outer sizes, in the order the windows open, each later one standing
// in front of those before it) on `screen`, each frame's title bar `titleBar` pixels high:
// - side by side in rows, `gap` pixels apart, when they all fit so;
// - else packed into the screen's room without overlapping, where a packing finds room;
// - else packed so that a window covers no title bar and, where the room allows, no more than
//   a quarter of any window before it: the windows' lower parts give way to those opened after
//   them, as little as needed, and the overlaps are then evened out;
// - where even a window's title bar alone leaves no room (a screen smaller than the windows),
//   in columns, each window of a column one title bar lower than the one before.
// A window never starts left of or above the screen.
std::vector<PixelRect> placeWindows(const PixelRect& screen, const std::vector<PixelSize>& frames, int titleBar,
                                    int gap);

} // namespace mezura
