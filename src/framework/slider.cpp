#include "framework/slider.h"

#include <algorithm>

namespace mezura {

Slider::Slider(int min, int max, int value)
    : m_min(min)
    , m_max(max)
    , m_value(value)
{
}

int Slider::clamp(int value) const
{
    return std::clamp(value, m_min, std::max(m_min, m_max));
}

void Slider::raise(const std::function<void()>& handler)
{
    if (handler) {
        handler();
    }
}

void Slider::setMin(int min)
{
    m_min = min;
    m_value = clamp(m_value);
}

void Slider::setMax(int max)
{
    m_max = max;
    m_value = clamp(m_value);
}

void Slider::setValue(int value)
{
    const int limited = clamp(value);
    if (limited != value) {
        m_value = limited;
        return;
    }
    if (value != m_value) {
        m_value = value;
        raise(onChange);
    }
}

void Slider::userMove(int position)
{
    const int limited = clamp(position);
    if (limited != m_value) {
        m_value = limited;
        raise(onChange);
    }
}

void Slider::userScroll(int position)
{
    m_value = clamp(position);
    raise(onScroll);
}

void Slider::userRelease()
{
    raise(onChange);
}

void Slider::userDrag(const std::vector<int>& positions)
{
    for (int position : positions) {
        userScroll(position);
    }
    userRelease();
}

int Slider::largeChange() const
{
    return std::max(1, (m_max - m_min) / 10);
}

} // namespace mezura
