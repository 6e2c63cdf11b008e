#include "framework/menu.h"

#include <array>
#include <utility>

namespace mezura {

namespace {
// Item, caption, window: the window items of "他の単位" in menu order.
struct UnitItem {
    const char* item;
    const char* caption;
    const char* window;
};
constexpr std::array<UnitItem, 10> kUnitItems{{
    {"mnuUL", "長さ", "length"},
    {"mnuUS", "面積", "square"},
    {"mnuUC", "体積", "cubic"},
    {"mnuUW", "重さ", "weight"},
    {"mnuUV", "速度", "velocity"},
    {"mnuUP", "圧力", "press"},
    {"mnuUH", "熱量", "heat"},
    {"mnuUT", "温度", "temp"},
    {"mnuUR", "壊変", "radio"},
    {"mnuUY", "年号", "year"},
}};
} // namespace

std::vector<MenuEntry> menuBar(const FrameSpec& frame)
{
    MenuEntry units{"mnuU", "他の単位", {}};
    for (const UnitItem& unit : kUnitItems) {
        units.items.push_back({unit.item, unit.caption, {}});
        if (std::string(unit.item) == "mnuUH") {
            units.items.push_back({"mnuU1", kSeparator, {}});
        }
    }
    units.items.push_back({"mnuU0", kSeparator, {}});
    units.items.push_back({"mnuUA", "全て", {}});
    units.items.push_back({"mnuH3", "設定", {}});

    MenuEntry help{"mnuH", "ヘルプ", {{"mnuH1", "共通事項", {}}, {"mnuH2", frame.caption, {}}}};
    return {std::move(units), {"mnuS", "表示", {}}, std::move(help), {"mnuX", "終了", {}}};
}

MenuEntry popupMenu(const FrameSpec& frame)
{
    return {"mnu0",
            "",
            {{"mnu01", frame.sizeItem, {}},
             {"mnu02", "ﾍﾙﾌﾟ (F1)", {}},
             {"mnu00", "設定", {}},
             {"line", kSeparator, {}},
             {"mnu03", "終了", {}}}};
}

std::string menuTarget(const std::string& item)
{
    for (const UnitItem& unit : kUnitItems) {
        if (item == unit.item) {
            return unit.window;
        }
    }
    return {};
}

} // namespace mezura
