#include "framework/placement.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <optional>
#include <tuple>

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

long long area(const PixelRect& r)
{
    return static_cast<long long>(r.width) * r.height;
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

// Columns: the most that stand side by side, each as short as that makes it; when no count
// fits on the screen whole, the most columns that fit across it.
std::vector<PixelRect> cascade(const PixelRect& screen, const std::vector<PixelSize>& frames, int titleBar, int gap)
{
    const auto across = [&](const std::vector<PixelRect>& tried) {
        return std::all_of(tried.begin(), tried.end(), [&](const PixelRect& r) { return right(r) <= right(screen); });
    };
    std::vector<PixelRect> widest;
    for (std::size_t count = frames.size(); count >= 1; --count) {
        std::vector<PixelRect> tried = columns(screen, frames, count, titleBar, gap);
        if (within(screen, tried)) {
            return tried;
        }
        if (widest.empty() && across(tried)) {
            widest = std::move(tried);
        }
    }
    return widest.empty() ? columns(screen, frames, 1, titleBar, gap) : widest;
}

// The free room of the screen as the largest rectangles that it holds (each free pixel lies
// in at least one); a window fits where one of them holds it whole. Every rectangle taken
// from it is `gap` pixels wider and higher than what it stands for, and the room as much
// larger, so that what is taken stays `gap` pixels apart.
class FreeRoom {
public:
    FreeRoom(const PixelRect& screen, int gap)
        : m_free{{screen.x, screen.y, screen.width + gap, screen.height + gap}}
    {
    }

    const std::vector<PixelRect>& rectangles() const { return m_free; }

    void take(const PixelRect& used)
    {
        std::vector<PixelRect> left;
        for (const PixelRect& f : m_free) {
            if (sharedArea(f, used) == 0) {
                left.push_back(f);
                continue;
            }
            // What remains of the free rectangle on each side of the part taken.
            if (used.x > f.x) {
                left.push_back({f.x, f.y, used.x - f.x, f.height});
            }
            if (right(used) < right(f)) {
                left.push_back({right(used), f.y, right(f) - right(used), f.height});
            }
            if (used.y > f.y) {
                left.push_back({f.x, f.y, f.width, used.y - f.y});
            }
            if (bottom(used) < bottom(f)) {
                left.push_back({f.x, bottom(used), f.width, bottom(f) - bottom(used)});
            }
        }
        // A rectangle inside another is no largest one.
        m_free.clear();
        for (std::size_t i = 0; i < left.size(); ++i) {
            const PixelRect& a = left[i];
            bool inside = false;
            for (std::size_t j = 0; j < left.size() && !inside; ++j) {
                const PixelRect& b = left[j];
                inside = j != i && a.x >= b.x && a.y >= b.y && right(a) <= right(b) && bottom(a) <= bottom(b) &&
                    (a != b || j < i);
            }
            if (!inside) {
                m_free.push_back(a);
            }
        }
    }

private:
    std::vector<PixelRect> m_free;
};

// Which of the free rectangles that hold a window takes it: the highest (then the leftmost),
// or the one that it fills best along its shorter or longer leftover side, or in area.
enum class Choice { Highest, ShortSide, LongSide, Area };

using Order = std::vector<std::size_t>;

// Each window of `order` in turn at the top left corner of the free rectangle that `choice`
// chooses among those that hold its frame; of the frame, the title bar and the upper part
// left after `giveWay` thousandths of its height stay its own, and its lower part lies open
// to the windows placed after it, which stand in front of it. Nothing when a window finds no
// room.
std::optional<std::vector<PixelRect>> pack(const PixelRect& screen, const std::vector<PixelSize>& frames,
                                           const Order& order, Choice choice, int titleBar, int gap, int giveWay)
{
    FreeRoom room(screen, gap);
    std::vector<PixelRect> placed(frames.size());
    for (const std::size_t i : order) {
        const int width = frames[i].width + gap;
        const int height = frames[i].height + gap;
        std::optional<std::tuple<long long, long long, int, int>> best;
        for (const PixelRect& f : room.rectangles()) {
            if (f.width < width || f.height < height) {
                continue;
            }
            const long long across = f.width - width;
            const long long down = f.height - height;
            // What chooses, then the place itself.
            std::tuple<long long, long long, int, int> key;
            switch (choice) {
            case Choice::Highest:
                key = {f.y, f.x, f.y, f.x};
                break;
            case Choice::ShortSide:
                key = {std::min(across, down), std::max(across, down), f.y, f.x};
                break;
            case Choice::LongSide:
                key = {std::max(across, down), std::min(across, down), f.y, f.x};
                break;
            case Choice::Area:
                key = {area(f) - static_cast<long long>(width) * height, std::min(across, down), f.y, f.x};
                break;
            }
            if (!best || key < *best) {
                best = key;
            }
        }
        if (!best) {
            return std::nullopt;
        }
        const int x = std::get<3>(*best);
        const int y = std::get<2>(*best);
        placed[i] = {x, y, frames[i].width, frames[i].height};
        const int own = std::max(titleBar, frames[i].height - frames[i].height * giveWay / 1000);
        room.take({x, y, width, std::min(own, frames[i].height) + gap});
    }
    return placed;
}

// What one window costs another that stands in front of it, in order of weight: the pixels
// of the title bar it covers, the pixels it covers beyond a quarter of the window (four times
// over), then how much it covers (more for a larger share) and whether it stands closer than
// the gap.
struct Cost {
    long long titles = 0;
    long long excess = 0;
    long long rest = 0;

    Cost& operator+=(const Cost& other)
    {
        titles += other.titles;
        excess += other.excess;
        rest += other.rest;
        return *this;
    }
    Cost& operator-=(const Cost& other)
    {
        titles -= other.titles;
        excess -= other.excess;
        rest -= other.rest;
        return *this;
    }
    bool operator<(const Cost& other) const
    {
        return std::tie(titles, excess, rest) < std::tie(other.titles, other.excess, other.rest);
    }
    bool none() const { return titles == 0 && excess == 0 && rest == 0; }
    // One number that keeps the order of weight for the steps of the search.
    long long weighed() const { return titles * 1'000'000 + excess * 1'000 + rest; }
};

Cost cost(const PixelRect& behind, const PixelRect& front, int titleBar, int gap)
{
    if (front.x >= right(behind) + gap || behind.x >= right(front) + gap || front.y >= bottom(behind) + gap ||
        behind.y >= bottom(front) + gap) {
        return {};
    }
    const long long covered = sharedArea(behind, front);
    Cost c;
    c.titles = sharedArea({behind.x, behind.y, behind.width, titleBar}, front);
    c.excess = std::max(0LL, 4 * covered - area(behind));
    c.rest = 50; // closer than the gap
    if (covered > 0) {
        c.rest += 2'000 + covered + 64 * covered * covered / std::max(1LL, area(behind));
    }
    return c;
}

// A small generator of numbers with a fixed start, so that the search takes the same steps on
// every start and on every system.
class Steps {
public:
    int below(int count)
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((m_state >> 33) % static_cast<std::uint64_t>(count));
    }

private:
    std::uint64_t m_state = 0x5EED;
};

// From a packing that covers no title bar, moves one window at a time: next to another (right
// of it, left of it, below it, above it, just below its title bar) or a few pixels, keeping a
// move that costs less, and early on one that costs a little more, so that the overlaps even
// out. The least costly placement seen; the same every time for the same windows and screen.
std::vector<PixelRect> evenOut(const PixelRect& screen, std::vector<PixelRect> placed, int titleBar, int gap)
{
    constexpr int kMoves = 4'000;
    constexpr long long kFirstAllowance = 2'000;
    const int count = static_cast<int>(placed.size());
    const auto costOf = [&](int i, const PixelRect& r) {
        Cost c;
        for (int j = 0; j < count; ++j) {
            if (j != i) {
                c += j < i ? cost(placed[static_cast<std::size_t>(j)], r, titleBar, gap)
                           : cost(r, placed[static_cast<std::size_t>(j)], titleBar, gap);
            }
        }
        return c;
    };
    Cost total;
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            total += cost(placed[static_cast<std::size_t>(i)], placed[static_cast<std::size_t>(j)], titleBar, gap);
        }
    }
    std::vector<PixelRect> best = placed;
    Cost least = total;
    Steps steps;
    for (int move = 0; move < kMoves && !least.none(); ++move) {
        const int i = steps.below(count);
        const PixelRect& other = placed[static_cast<std::size_t>(steps.below(count))];
        PixelRect& moved = placed[static_cast<std::size_t>(i)];
        PixelRect to = moved;
        switch (steps.below(6)) {
        case 0:
            to.x = right(other) + gap;
            break;
        case 1:
            to.x = other.x - gap - moved.width;
            break;
        case 2:
            to.y = bottom(other) + gap;
            break;
        case 3:
            to.y = other.y - gap - moved.height;
            break;
        case 4:
            to.y = other.y + titleBar + gap;
            break;
        default:
            (steps.below(2) == 0 ? to.x : to.y) += steps.below(33) - 16;
            break;
        }
        to.x = std::max(screen.x, std::min(to.x, right(screen) - to.width));
        to.y = std::max(screen.y, std::min(to.y, bottom(screen) - to.height));
        Cost change = costOf(i, to);
        change -= costOf(i, moved);
        const long long allowance = kFirstAllowance * (kMoves - move) / kMoves;
        if (change.weighed() <= allowance) {
            moved = to;
            total += change;
            if (total < least) {
                least = total;
                best = placed;
            }
        }
    }
    return best;
}

} // namespace

long long sharedArea(const PixelRect& a, const PixelRect& b)
{
    const long long across = std::min(right(a), right(b)) - std::max(a.x, b.x);
    const long long down = std::min(bottom(a), bottom(b)) - std::max(a.y, b.y);
    return across > 0 && down > 0 ? across * down : 0;
}

std::vector<PixelRect> placeWindows(const PixelRect& screen, const std::vector<PixelSize>& frames, int titleBar,
                                    int gap)
{
    if (frames.empty()) {
        return {};
    }
    std::vector<PixelRect> placed = rows(screen, frames, gap);
    if (!within(screen, placed)) {
        // A packing without overlaps: the windows in the order they open, by height, by width,
        // by area and by their longer side, each way of choosing a place in turn.
        Order opening(frames.size());
        std::iota(opening.begin(), opening.end(), std::size_t{0});
        const auto by = [&](auto key) {
            Order order = opening;
            std::stable_sort(order.begin(), order.end(),
                             [&](std::size_t a, std::size_t b) { return key(frames[a]) > key(frames[b]); });
            return order;
        };
        const std::array<Order, 5> orders = {
            opening,
            by([](const PixelSize& f) { return f.height; }),
            by([](const PixelSize& f) { return f.width; }),
            by([](const PixelSize& f) { return static_cast<long long>(f.width) * f.height; }),
            by([](const PixelSize& f) { return std::max(f.width, f.height); }),
        };
        std::optional<std::vector<PixelRect>> packed;
        for (const Order& order : orders) {
            for (const Choice choice : {Choice::Highest, Choice::ShortSide, Choice::LongSide, Choice::Area}) {
                if (!packed) {
                    packed = pack(screen, frames, order, choice, titleBar, gap, 0);
                }
            }
        }
        if (packed) {
            placed = std::move(*packed);
        } else if (pack(screen, frames, opening, Choice::Highest, titleBar, gap, 1000)) {
            // The least share of their height that the windows give way to those opened after
            // them (in thousandths), then the overlaps evened out.
            int fits = 1000;
            int fails = 0;
            while (fits - fails > 1) {
                const int middle = (fits + fails) / 2;
                (pack(screen, frames, opening, Choice::Highest, titleBar, gap, middle) ? fits : fails) = middle;
            }
            placed =
                evenOut(screen, *pack(screen, frames, opening, Choice::Highest, titleBar, gap, fits), titleBar, gap);
        } else {
            placed = cascade(screen, frames, titleBar, gap);
        }
    }
    // A window wider than the room left starts at the screen's left edge, never beyond it.
    for (PixelRect& r : placed) {
        r.x = std::max(screen.x, std::min(r.x, right(screen) - r.width));
        r.y = std::max(screen.y, r.y);
    }
    return placed;
}

} // namespace mezura
