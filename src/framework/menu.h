// The menus of every conversion window, as data: names, captions and what each item does,
// in their order.
#pragma once

#include "framework/app.h"
#include "framework/frame.h"

#include <span>
#include <string>
#include <vector>

namespace mezura {

// What choosing a menu item does.
enum class MenuCommand {
    None,         // a drop-down or a separator
    ShowWindow,   // show and focus the item's window
    ShowAll,      // "全て"
    ShowSettings, // the settings window
    SwitchSize,   // the next size mode
    CommonHelp,   // help at the common topic
    WindowHelp,   // help at the window's topic
    Quit,
};

// An entry with items is a drop-down; one without is a command; caption "-" is a separator.
struct MenuEntry {
    std::string name;
    std::string caption;
    MenuCommand command = MenuCommand::None;
    const WindowRow* window = nullptr; // for ShowWindow
    std::vector<MenuEntry> items = {};
};

inline constexpr const char* kSeparator = "-";

// "他の単位" (an item for each window of `windows`), "表示", "ヘルプ", "終了".
std::vector<MenuEntry> menuBar(std::span<const WindowRow> windows, const FrameSpec& frame);
// The hidden pop-up menu mnu0.
MenuEntry popupMenu(const FrameSpec& frame);

} // namespace mezura
