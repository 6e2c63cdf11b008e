#include "framework/menu.h"

#include <utility>

namespace mezura {

std::vector<MenuEntry> menuBar(std::span<const WindowRow> windows, const FrameSpec& frame)
{
    MenuEntry units{"mnuU", "他の単位"};
    for (const WindowRow& row : windows) {
        units.items.push_back({row.menuItem, row.label, MenuCommand::ShowWindow, &row});
        if (row.groupEnds) {
            units.items.push_back({"mnuU1", kSeparator});
        }
    }
    units.items.push_back({"mnuU0", kSeparator});
    units.items.push_back({"mnuUA", "全て", MenuCommand::ShowAll});
    units.items.push_back({"mnuH3", "設定", MenuCommand::ShowSettings});

    MenuEntry help{"mnuH", "ヘルプ"};
    help.items = {{"mnuH1", "共通事項", MenuCommand::CommonHelp}, {"mnuH2", frame.caption, MenuCommand::WindowHelp}};
    return {std::move(units),
            {"mnuS", "表示", MenuCommand::SwitchSize},
            std::move(help),
            {"mnuX", "終了", MenuCommand::Quit}};
}

MenuEntry popupMenu(const FrameSpec& frame)
{
    MenuEntry popup{"mnu0", ""};
    popup.items = {{"mnu01", frame.sizeItem, MenuCommand::SwitchSize},
                   {"mnu02", "ﾍﾙﾌﾟ (F1)", MenuCommand::WindowHelp},
                   {"mnu00", "設定", MenuCommand::ShowSettings},
                   {"line", kSeparator},
                   {"mnu03", "終了", MenuCommand::Quit}};
    return popup;
}

} // namespace mezura
