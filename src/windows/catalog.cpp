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
#include <tuple>

namespace mezura {

namespace {

constexpr bool kGroupEnds = true;

// Frame: name, caption (title and help item), help topic, pop-up size item, sizes of modes
// 1..n in twips, initial mode. Then the item under "他の単位" with its caption (also the
// settings check box's), the check box, whether a separator follows the item, the window,
// its controls, and its name in English where its module's name is not that.
// clang-format off
const std::array<WindowRow, 10> kWindows{{
    {{"length",   "長さ",   1010, "ｻｲｽﾞ変更",             {{3400, 6000}, {5835, 6000}, {3400, 6900}, {5835, 6900}}, 3},
     "mnuUL", "長さ",  1, false,      make<LengthWindow>, LengthWindow::controls, ""},
    {{"square",   "面積",   1020, "ｻｲｽﾞ変更",             {{3400, 5100}, {4500, 5100}, {3400, 6000}, {4500, 6000}}, 3},
     "mnuUS", "面積",  2, false,      make<SquareWindow>, SquareWindow::controls, "area"},
    {{"cubic",    "体積",   1030, "ｻｲｽﾞ変更(左クリック)", {{4500, 5540}, {8000, 5540}, {4500, 6480}, {8000, 6480}}, 3},
     "mnuUC", "体積",  3, false,      make<CubicWindow>, CubicWindow::controls, "volume"},
    {{"weight",   "重さ",   1040, "ﾌｫｰﾑｻｲｽﾞ変更",         {{3400, 5040}, {6010, 5040}, {3400, 5880}, {6010, 5880}}, 3},
     "mnuUW", "重さ",  4, false,      make<WeightWindow>, WeightWindow::controls, "mass"},
    {{"velocity", "速度",   1080, "ｻｲｽﾞ変更",             {{3400, 3660}, {3400, 4620}}, 2},
     "mnuUV", "速度",  5, false,      make<VelocityWindow>, VelocityWindow::controls, "speed"},
    {{"press",    "圧力",   1050, "ｻｲｽﾞ変更",             {{3400, 3000}, {3400, 3840}}, 2},
     "mnuUP", "圧力",  6, false,      make<PressWindow>, PressWindow::controls, "pressure"},
    {{"heat",     "熱量",   1090, "ｻｲｽﾞ変更",             {{3330, 3690}, {4455, 3690}, {3330, 4590}, {4455, 4590}}, 3},
     "mnuUH", "熱量",  7, kGroupEnds, make<HeatWindow>, HeatWindow::controls, "energy"},
    {{"temp",     "温度",   1060, "ﾌｫｰﾑｻｲｽﾞ変更",         {{3435, 1400}, {3435, 2280}}, 2},
     "mnuUT", "温度",  8, false,      make<TempWindow>, TempWindow::controls, "temperature"},
    {{"radio",    "壊変率", 1100, "ｻｲｽﾞ変更",             {{3400, 3000}, {3400, 3910}}, 2},
     "mnuUR", "壊変",  9, false,      make<RadioWindow>, RadioWindow::controls, "radioactivity"},
    {{"year",     "年号",   1070, "ﾌｫｰﾑｻｲｽﾞ変更",         {{3400, 2980}, {3400, 3780}}, 2},
     "mnuUY", "年号", 10, false,      make<YearWindow>, YearWindow::controls, "calendar"},
}};
// clang-format on
// Each window has its check box and its line of the settings file.
static_assert(std::tuple_size_v<decltype(kWindows)> == kCheckCount);

std::unique_ptr<Form> makeSettings(App& app)
{
    return std::make_unique<SettingsWindow>(app);
}

} // namespace

const WindowTable& windowTable()
{
    static const WindowTable table{kWindows, makeSettings};
    return table;
}

} // namespace mezura
