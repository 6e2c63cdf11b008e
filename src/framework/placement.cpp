#include "framework/placement.h"

#include <algorithm>
#include <cstddef>

namespace mezura {

namespace {

int right(const PixelRect& r)
{
    return r.x + r.width;
}

int bottom(const PixelRect& r)
{
    return r.y + r.height;
}

bool within(const PixelRect& screen, const std::vector<PixelRect>& placed)
{
    return std::all_of(placed.begin(), placed.end(),
                       [&](const PixelRect& r) { return right(r) <= right(screen) && bottom(r) <= bottom(screen); });
}

// Side by side, a new row below the highest window of the last when the next does not fit.
std::vector<PixelRect> rows(const PixelRect& screen, const std::vector<PixelSize>& frames, int gap)
{
    std::vector<PixelRect> placed;
    int x = screen.x;
    int y = screen.y;
    int rowHeight = 0;
    for (const PixelSize& frame : frames) {
        if (x > screen.x && x + frame.width > right(screen)) {
            x = screen.x;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        placed.push_back({x, y, frame.width, frame.height});
        x += frame.width + gap;
        rowHeight = std::max(rowHeight, frame.height);
    }
    return placed;
}

// `columns` columns of windows in order, each window one title bar lower than the one before
// it in its column.
std::vector<PixelRect> columns(const PixelRect& screen, const std::vector<PixelSize>& frames, std::size_t columns,
                               int titleBar, int gap)
{
    const std::size_t perColumn = (frames.size() + columns - 1) / columns;
    std::vector<PixelRect> placed;
    int x = screen.x;
    for (std::size_t first = 0; first < frames.size(); first += perColumn) {
        const std::size_t last = std::min(frames.size(), first + perColumn);
        int width = 0;
        for (std::size_t i = first; i < last; ++i) {
            placed.push_back(
                {x, screen.y + static_cast<int>(i - first) * (titleBar + gap), frames[i].width, frames[i].height});
            width = std::max(width, frames[i].width);
        }
        x += width + gap;
    }
    return placed;
}

} // namespace

std::vector<PixelRect> placeWindows(const PixelRect& screen, const std::vector<PixelSize>& frames, int titleBar,
                                    int gap)
{
    if (frames.empty()) {
        return {};
    }
    std::vector<PixelRect> placed = rows(screen, frames, gap);
    if (!within(screen, placed)) {
        // Columns: the most that stand side by side, each as short as that makes it; when no
        // count fits on the screen whole, the most columns that fit across it.
        const auto across = [&](const std::vector<PixelRect>& tried) {
            return std::all_of(tried.begin(), tried.end(),
                               [&](const PixelRect& r) { return right(r) <= right(screen); });
        };
        std::vector<PixelRect> widest;
        placed.clear();
        for (std::size_t count = frames.size(); count >= 1 && placed.empty(); --count) {
            std::vector<PixelRect> tried = columns(screen, frames, count, titleBar, gap);
            if (within(screen, tried)) {
                placed = std::move(tried);
            } else if (widest.empty() && across(tried)) {
                widest = std::move(tried);
            }
        }
        if (placed.empty()) {
            placed = widest.empty() ? columns(screen, frames, 1, titleBar, gap) : std::move(widest);
        }
    }
    // A window wider than the room left starts at the screen's left edge, never beyond it.
    for (PixelRect& r : placed) {
        r.x = std::max(screen.x, std::min(r.x, right(screen) - r.width));
    }
    return placed;
}

} // namespace mezura
