// The slider of a value gauge: minimum, maximum and position, with the two events the
// windows handle.
//
// - A position assigned from code that differs from the current one raises the change
//   handler before the assignment returns; the same position raises nothing.
// - A position assigned from code outside [min, max] is limited to that range silently:
//   the fields were written by the caller, and a change handler would rewrite them.
// - Lowering the maximum below the position (or raising the minimum above it) moves the
//   thumb to that end without raising the change handler.
// - Arrow and track clicks move the thumb and raise the change handler; a drag raises the
//   scroll handler at each move and the change handler on release.
#pragma once

#include <functional>
#include <vector>

namespace mezura {

class Slider {
public:
    Slider(int min, int max, int value);

    int min() const { return m_min; }
    int max() const { return m_max; }
    int value() const { return m_value; }

    void setMin(int min);
    void setMax(int max);
    // Assignment from code.
    void setValue(int value);

    // The user moves the thumb to `position` with an arrow or a track click.
    void userMove(int position);
    // The user drags the thumb to `position` (scroll handler), and later releases it
    // (change handler).
    void userScroll(int position);
    void userRelease();
    // A whole drag: through `positions`, then released.
    void userDrag(const std::vector<int>& positions);

    // Arrow and track steps of a user click.
    int smallChange() const { return 1; }
    int largeChange() const;

    std::function<void()> onChange;
    std::function<void()> onScroll;

private:
    int clamp(int value) const;
    void raise(const std::function<void()>& handler);

    int m_min;
    int m_max;
    int m_value;
};

} // namespace mezura
