// The menus of every conversion window, as data: names and captions in their order.
#pragma once

#include "framework/frame.h"

#include <string>
#include <vector>

namespace mezura {

// An entry with items is a drop-down; one without is a command; caption "-" is a separator.
struct MenuEntry {
    std::string name;
    std::string caption;
    std::vector<MenuEntry> items;
};

inline constexpr const char* kSeparator = "-";

// "他の単位", "表示", "ヘルプ", "終了".
std::vector<MenuEntry> menuBar(const FrameSpec& frame);
// The hidden pop-up menu mnu0.
MenuEntry popupMenu(const FrameSpec& frame);

// The window that an item of "他の単位" shows ("mnuUL" -> "length"), or empty.
std::string menuTarget(const std::string& item);

} // namespace mezura
