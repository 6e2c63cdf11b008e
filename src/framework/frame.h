// The frame of a conversion window: title, help topic, size modes and window state.
#pragma once

#include <string>
#include <vector>

namespace mezura {

// Width and height in twips (1/1440 inch).
struct Size {
    int width;
    int height;
};

// A window's size is the outer size of a classic desktop frame: 120 twips of borders across,
// 690 twips of borders, title and menu bar down, of which the menu bar takes 285.
inline constexpr int kFrameWidthTwips = 120;
inline constexpr int kFrameHeightTwips = 690;
inline constexpr int kMenuBarTwips = 285;

enum class WindowState { Normal, Minimized, Maximized };

const char* stateName(WindowState state);

// One row of the frame table: what the frames of the ten windows differ in.
struct FrameSpec {
    std::string name;        // module name: "length"
    std::string caption;     // "長さ": the title's end and the help item's caption
    int helpTopic;           // 1010
    std::string sizeItem;    // caption of the pop-up's window-size item
    std::vector<Size> modes; // mode 1 first
    int initialMode;
};

inline constexpr const char* kTitlePrefix = "ヨモギの単位計算－";
inline constexpr int kCommonHelpTopic = 1000;

class FrameModel {
public:
    explicit FrameModel(const FrameSpec& row);

    const FrameSpec& row() const { return *m_spec; }
    std::string title() const { return kTitlePrefix + m_spec->caption; }

    int mode() const { return m_mode; }
    Size size() const { return m_size; }
    WindowState state() const { return m_state; }
    void setState(WindowState state) { m_state = state; }

    // Sets height, then width, to the tabled size of `mode`; any other mode changes nothing.
    void framing(int mode);
    // Normal: next mode (after the last comes 1). Maximized: back to normal at the same mode.
    // Minimized: nothing.
    void frameSwitch();

private:
    const FrameSpec* m_spec;
    int m_mode = 0;
    Size m_size{0, 0};
    WindowState m_state = WindowState::Normal;
};

} // namespace mezura
