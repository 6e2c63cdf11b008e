#include "framework/frame.h"

namespace mezura {

const char* stateName(WindowState state)
{
    switch (state) {
    case WindowState::Normal:
        return "normal";
    case WindowState::Minimized:
        return "minimized";
    case WindowState::Maximized:
        return "maximized";
    }
    return "normal";
}

FrameModel::FrameModel(const FrameSpec& row)
    : m_spec(&row)
{
    m_mode = row.initialMode;
    framing(m_mode);
}

void FrameModel::framing(int mode)
{
    if (mode < 1 || mode > static_cast<int>(m_spec->modes.size())) {
        return;
    }
    const Size& size = m_spec->modes[static_cast<std::size_t>(mode - 1)];
    m_size.height = size.height;
    m_size.width = size.width;
}

void FrameModel::frameSwitch()
{
    switch (m_state) {
    case WindowState::Normal:
        ++m_mode;
        if (m_mode > static_cast<int>(m_spec->modes.size())) {
            m_mode = 1;
        }
        framing(m_mode);
        break;
    case WindowState::Maximized:
        m_state = WindowState::Normal;
        framing(m_mode);
        break;
    case WindowState::Minimized:
        break;
    }
}

} // namespace mezura
