#include "windows/catalog.h"

#include "framework/window.h"
#include "startup/settings.h"
#include "windows/cubic.h"
#include "windows/heat.h"
#include "windows/length.h"
#include "windows/press.h"
#include "windows/radio.h"
#include "windows/square.h"
#include "windows/temp.h"
#include "windows/velocity.h"
#include "windows/weight.h"
#include "windows/year.h"

#include <array>
#include <stdexcept>
#include <string>

namespace mezura {

namespace {
// Name, caption (title and help item), help topic, pop-up size item, sizes of modes 1..n
// in twips, initial mode.
const std::array<FrameSpec, 10> kFrames{{
    {"length", "長さ", 1010, "ｻｲｽﾞ変更", {{3400, 6000}, {5835, 6000}, {3400, 6900}, {5835, 6900}}, 3},
    {"square", "面積", 1020, "ｻｲｽﾞ変更", {{3400, 5100}, {4500, 5100}, {3400, 6000}, {4500, 6000}}, 3},
    {"cubic", "体積", 1030, "ｻｲｽﾞ変更(左クリック)", {{4500, 5540}, {8000, 5540}, {4500, 6480}, {8000, 6480}}, 3},
    {"weight", "重さ", 1040, "ﾌｫｰﾑｻｲｽﾞ変更", {{3400, 5040}, {6010, 5040}, {3400, 5880}, {6010, 5880}}, 3},
    {"velocity", "速度", 1080, "ｻｲｽﾞ変更", {{3400, 3660}, {3400, 4620}}, 2},
    {"press", "圧力", 1050, "ｻｲｽﾞ変更", {{3400, 3000}, {3400, 3840}}, 2},
    {"heat", "熱量", 1090, "ｻｲｽﾞ変更", {{3330, 3690}, {4455, 3690}, {3330, 4590}, {4455, 4590}}, 3},
    {"temp", "温度", 1060, "ﾌｫｰﾑｻｲｽﾞ変更", {{3435, 1400}, {3435, 2280}}, 2},
    {"radio", "壊変率", 1100, "ｻｲｽﾞ変更", {{3400, 3000}, {3400, 3910}}, 2},
    {"year", "年号", 1070, "ﾌｫｰﾑｻｲｽﾞ変更", {{3400, 2980}, {3400, 3780}}, 2},
}};
} // namespace

const FrameSpec& frameSpec(std::string_view name)
{
    for (const FrameSpec& row : kFrames) {
        if (row.name == name) {
            return row;
        }
    }
    throw std::invalid_argument("no conversion window named " + std::string(name));
}

std::unique_ptr<Form> makeForm(App& app, std::string_view name)
{
    if (name == kSettingsWindow) {
        return std::make_unique<SettingsWindow>(app);
    }
    if (name == "temp") {
        return std::make_unique<TempWindow>(app);
    }
    if (name == "year") {
        return std::make_unique<YearWindow>(app);
    }
    if (name == "length") {
        return std::make_unique<LengthWindow>(app);
    }
    if (name == "square") {
        return std::make_unique<SquareWindow>(app);
    }
    if (name == "press") {
        return std::make_unique<PressWindow>(app);
    }
    if (name == "radio") {
        return std::make_unique<RadioWindow>(app);
    }
    if (name == "velocity") {
        return std::make_unique<VelocityWindow>(app);
    }
    if (name == "heat") {
        return std::make_unique<HeatWindow>(app);
    }
    if (name == "cubic") {
        return std::make_unique<CubicWindow>(app);
    }
    if (name == "weight") {
        return std::make_unique<WeightWindow>(app);
    }
    // A window whose fields come later opens as its frame: title, menus and size modes.
    return std::make_unique<ConversionWindow>(app, frameSpec(name), Layout{});
}

} // namespace mezura
