#include "windows/press.h"

#include "framework/numtext.h"

#include <utility>

namespace mezura {

namespace {

using namespace rows;
using enum PressWindow::Field;
using enum PressWindow::Procedure;

constexpr Colour kPascal = rgb(192, 255, 255);
constexpr Colour kWater = rgb(255, 255, 192);
constexpr Colour kMercury = rgb(255, 192, 255);

// The sizes of the units, each as how many of one unit make one of the next.
// clang-format off
constexpr double kMmAqPerMAq            = 1000;
constexpr double kMAqPerAt              = 10;
constexpr double kMmHgPerAtm            = 760;
constexpr double kMmHgPerMHg            = 1000;
constexpr double kPascalsPerMAq         = 9806.65;
constexpr double kPascalsPerAtm         = 101325;
constexpr double kPascalsPerHectopascal = 100;
constexpr double kHectopascalsPerBar    = 1000;
// clang-format on

// The groups that the help page's unit table lists the fields in.
constexpr const char* kPascalUnits = "パスカル（水色）";
constexpr const char* kWaterUnits = "水柱（黄色）";
constexpr const char* kMercuryUnits = "水銀柱と気圧（桃色）";

Layout pressLayout()
{
    Layout layout;
    // clang-format off
    layout.fields = {
        //         name                 label           Left   Top  label at  tab  colour
        unitField(MEZURA_FIELD(txtP1), "Pa (N/m2)",       30,   315,   120,    0, kPascal)
            .unitIs(kPascalUnits, kBaseUnit, "パスカル")
            .alias("pascal", "pascals"),
        unitField(MEZURA_FIELD(txtP2), "hPa (mb)",        30,   855,   660,    1, kPascal)
            .unitIs(kPascalUnits, "1 hPa (mb) = 100 Pa", "ヘクトパスカル")
            .alias("mbar", "millibar", "hectopascal"),
        unitField(MEZURA_FIELD(txtP3), "bar",             30,  1350,  1185,    2, kPascal)
            .unitIs(kPascalUnits, "1 bar = 100000 Pa", "バール"),
        unitField(MEZURA_FIELD(txtA1), "mmAq",          1110,   315,   135,    3, kWater)
            .unitIs(kWaterUnits, "1 mmAq = 9.80665 Pa", "水柱ミリメートル")
            .alias("mmH2O"),
        unitField(MEZURA_FIELD(txtA2), "mAq",           1110,   855,   645,    4, kWater)
            .unitIs(kWaterUnits, "1 mAq = 9806.65 Pa", "水柱メートル")
            .alias("mH2O"),
        unitField(MEZURA_FIELD(txtA3), "at (kgf/cm2)",  1110,  1350,  1155,    5, kWater)
            .unitIs(kWaterUnits, "1 at (kgf/cm2) = 98066.5 Pa", "工学気圧"),
        unitField(MEZURA_FIELD(txtH1), "mmHg (Torr)",   2205,   855,   660,    6, kMercury)
            .unitIs(kMercuryUnits, "1 mmHg (Torr) = 133.322368421053 Pa", "水銀柱ミリメートル"),
        unitField(MEZURA_FIELD(txtH2), "atm",           2220,  1350,  1140,    7, kMercury)
            .unitIs(kMercuryUnits, "1 atm = 101325 Pa", "標準気圧")
            .alias("atmosphere", "atmospheres"),
        unitField(MEZURA_FIELD(txtH3), "mHg",           2220,  1845,  1650,    8, kMercury)
            .unitIs(kMercuryUnits, "1 mHg = 133322.368421053 Pa", "水銀柱メートル"),
    };
    // clang-format on
    layout.sliders = {{"HScroll", {45, 2280, 3195, 255}, 0, 10000, 9}};
    layout.labels = {{"IndMin", "0", {45, 2550, 255, kLabelHeight}},
                     {"IndMax", "10000Pa", {1845, 2550, 1410, kLabelHeight}}};
    layout.buttons = {{"Command1", "Pa", {45, 2790, 900, 255}, kHighlight},
                      {"Command2", "hPa", {1035, 2790, 900, 255}, kButtonFace},
                      {"Command3", "bar", {2040, 2790, 900, 255}, kButtonFace},
                      {"Command6", "?", {3000, 2790, 255, 255}, kHelpButton, ButtonRole::Help, kNoBox, kBoldCaption}};
    return layout;
}

const Call lineP{PressWindow::kLineP};
const Call lineA{PressWindow::kLineA};
const Call lineH{PressWindow::kLineH};
const Call tindicator{PressWindow::kTindicator};

// The group recompute procedures, by procedure number. Each fills its group from the
// pascals: a metre of water is 9806.65 Pa, a standard atmosphere 101325 Pa and 760 mmHg.
std::vector<ProcedureRow> groupProcedures()
{
    // clang-format off
    return {
        {kLineP, {S(txtP2, txtP1, Div, kPascalsPerHectopascal), S(txtP3, txtP2, Div, kHectopascalsPerBar)}},
        {kLineA, {S(txtA2, txtP1, Div, kPascalsPerMAq), S(txtA1, txtA2, Mul, kMmAqPerMAq),
                  S(txtA3, txtA2, Div, kMAqPerAt)}},
        {kLineH, {S(txtH2, txtP1, Div, kPascalsPerAtm), S(txtH1, txtH2, Mul, kMmHgPerAtm),
                  S(txtH3, txtH1, Div, kMmHgPerMHg)}},
    };
    // clang-format on
}

// What Enter in each field runs: the typed field's own group, the pascals from the metre of
// water or the atmosphere, then the other groups.
std::vector<EnterRow> enterChains()
{
    // clang-format off
    return {
        {txtP1, {lineP, lineA, lineH, tindicator}},
        {txtP2, {S(txtP3, txtP2, Div, kHectopascalsPerBar), S(txtP1, txtP2, Mul, kPascalsPerHectopascal),
                 lineA, lineH, tindicator}},
        {txtP3, {S(txtP2, txtP3, Mul, kHectopascalsPerBar), S(txtP1, txtP2, Mul, kPascalsPerHectopascal),
                 lineA, lineH, tindicator}},

        {txtA1, {S(txtA2, txtA1, Div, kMmAqPerMAq), S(txtA3, txtA2, Div, kMAqPerAt),
                 S(txtP1, txtA2, Mul, kPascalsPerMAq),
                 lineP, lineH, tindicator}},
        {txtA2, {S(txtA3, txtA2, Div, kMAqPerAt), S(txtA1, txtA2, Mul, kMmAqPerMAq),
                 S(txtP1, txtA2, Mul, kPascalsPerMAq),
                 lineP, lineH, tindicator}},
        {txtA3, {S(txtA2, txtA3, Mul, kMAqPerAt), S(txtA1, txtA2, Mul, kMmAqPerMAq),
                 S(txtP1, txtA2, Mul, kPascalsPerMAq),
                 lineP, lineH, tindicator}},

        {txtH1, {S(txtH2, txtH1, Div, kMmHgPerAtm), S(txtH3, txtH1, Div, kMmHgPerMHg),
                 S(txtP1, txtH2, Mul, kPascalsPerAtm),
                 lineP, lineA, tindicator}},
        {txtH2, {S(txtH1, txtH2, Mul, kMmHgPerAtm), S(txtH3, txtH1, Div, kMmHgPerMHg),
                 S(txtP1, txtH2, Mul, kPascalsPerAtm),
                 lineP, lineA, tindicator}},
        {txtH3, {S(txtH1, txtH3, Mul, kMmHgPerMHg), S(txtH2, txtH1, Div, kMmHgPerAtm),
                 S(txtP1, txtH2, Mul, kPascalsPerAtm),
                 lineP, lineA, tindicator}},
    };
    // clang-format on
}

// The gauge in Pa, hPa and bar, chosen by the bars; every scale ends at 10000. The slider
// writes bars as plain text and the pascal group follows down from them; each button clamps
// its own field to 10000 and then takes the thumb from it.
GaugeSpec pressGauge()
{
    const Chain fromPascals = {lineP, lineA, lineH};
    const Chain fromHectopascals = {S(txtP1, txtP2, Mul, kPascalsPerHectopascal),
                                    S(txtP3, txtP2, Div, kHectopascalsPerBar), lineA, lineH};
    const Chain fromBars = {S(txtP2, txtP3, Mul, kHectopascalsPerBar), S(txtP1, txtP2, Mul, kPascalsPerHectopascal),
                            lineA, lineH};
    const auto bars = [&](Operations fromPosition) { return WriteBack{txtP3, fromPosition, false, fromBars}; };
    const auto clamp = [](PressWindow::Field field, const Chain& chain) {
        return Clamp{Reading{field}, 10000, field, "10000", chain, ClampPosition::AfterChain};
    };

    GaugeSpec gauge;
    gauge.decision = txtP3;
    // clang-format off
    gauge.ranges = {
        // n  button      bar bound  Max    caption     thumb    bars <- p
        {1, "Command1", 0.01,      10000, "10000Pa",  {txtP1}, bars({{Div, kPascalsPerHectopascal * kHectopascalsPerBar}}), clamp(txtP1, fromPascals)},
        {2, "Command2", 1,         10000, "10000hPa", {txtP2}, bars({{Div, kHectopascalsPerBar}}), clamp(txtP2, fromHectopascals)},
        {3, "Command3", 1000,      10000, "10000bar", {txtP3}, bars({}), clamp(txtP3, fromBars)},
    };
    // clang-format on
    // Above 1000 bar the window is reset, though the bar scale runs on to 10000.
    gauge.top = numberText(gauge.ranges.back().bound) + "bar";
    // Every unit field "0", the mercury group before the water column; nothing recomputed.
    gauge.reset.fields = {txtP1, txtP2, txtP3, txtH1, txtH2, txtH3, txtA1, txtA2, txtA3};
    return gauge;
}

} // namespace

Layout PressWindow::controls()
{
    return pressLayout();
}

PressWindow::PressWindow(App& app, const FrameSpec& frame)
    : GaugeWindow(app, frame, controls(), pressGauge())
{
    install(groupProcedures(), enterChains(), kTindicator);
}

} // namespace mezura
