#include "windows/velocity.h"

#include <stdexcept>
#include <utility>

namespace mezura {

namespace {

using namespace rows;
using enum VelocityWindow::Field;
using enum VelocityWindow::Procedure;

constexpr Colour kMetric = rgb(192, 255, 255);
constexpr Colour kYardMile = rgb(255, 255, 192);
constexpr Colour kReference = rgb(255, 192, 255); // knot, Mach, speed of light

// The sizes of the units, each as how many of one unit make one of the next.
// clang-format off
constexpr double kKinePerMetrePerSecond  = 100;
constexpr double kMetresPerYard          = 0.9144;
constexpr double kMetresPerSecondPerKnot = 0.5144;
constexpr double kMetresPerSecondPerMach = 295.2;
constexpr double kSpeedOfLight           = 299792458;
constexpr double kKmhPerMetrePerSecond   = 3.6;
constexpr double kMinutesPerHour         = 60;
constexpr double kSecondsPerHour         = 3600;
constexpr double kKmPerMile              = 1.6093;
constexpr double kSecondsPerMinute       = 60;
// The 光速 range's thumb counts thousandths of the speed of light.
constexpr double kThumbStepsPerLightSpeed = 1000;
// clang-format on

// The groups that the help page's unit table lists the fields in.
// clang-format off
constexpr const char* kMetricUnits = "メートル法（水色）";
constexpr const char* kYardMileUnits = "ヤード・ポンド法（黄色）";
constexpr const char* kReferenceUnits = "そのほか（桃色）：ノット、マッハ（音速 295.2 m/s を 1 とします）、光速に対する割合";
// clang-format on

Layout velocityLayout()
{
    Layout layout;
    // clang-format off
    layout.fields = {
        //         name                 label           Left   Top  label at  tab  colour
        unitField(MEZURA_FIELD(txtC0), "cm/s (kine)",     45,   315,   120,    0, kMetric)
            .unitIs(kMetricUnits, "1 cm/s (kine) = 0.01 m/s", "センチメートル毎秒"),
        unitField(MEZURA_FIELD(txtC1), "m/s",             45,   840,   675,    1, kMetric)
            .unitIs(kMetricUnits, kBaseUnit, "メートル毎秒"),
        unitField(MEZURA_FIELD(txtC2), "km/h",            45,  1425,  1215,    2, kMetric)
            .unitIs(kMetricUnits, "1 km/h = 0.277777777777778 m/s", "キロメートル毎時")
            .alias("kph", "km/hr"),
        unitField(MEZURA_FIELD(txtC3), "km/min",          45,  1965,  1740,    3, kMetric)
            .unitIs(kMetricUnits, "1 km/min = 16.6666666666667 m/s", "キロメートル毎分"),
        unitField(MEZURA_FIELD(txtC4), "km/s",            45,  2520,  2280,    4, kMetric)
            .unitIs(kMetricUnits, "1 km/s = 1000 m/s", "キロメートル毎秒"),
        unitField(MEZURA_FIELD(txtI1), "yard/s (yps)",  1140,   870,   675,    5, kYardMile)
            .unitIs(kYardMileUnits, "1 yard/s (yps) = 0.9144 m/s", "ヤード毎秒"),
        unitField(MEZURA_FIELD(txtI2), "mile/h (mph)",  1140,  1425,  1215,    6, kYardMile)
            .unitIs(kYardMileUnits, "1 mile/h (mph) = 0.447027777777778 m/s", "マイル毎時")
            .alias("mi/h"),
        unitField(MEZURA_FIELD(txtS1), "knot (kn)",     2250,  1425,  1215,    7, kReference)
            .unitIs(kReferenceUnits, "1 knot (kn) = 0.5144 m/s", "ノット")
            .alias("kt", "knots"),
        unitField(MEZURA_FIELD(txtS2), "音速 mach",     2250,  1965,  1740,    8, kReference)
            .unitIs(kReferenceUnits, "1 音速 mach = 295.2 m/s", "マッハ",
                    "ここでは音速を 295.2 m/s（高度 11 km 付近の音速）とします。地上（15 ℃）の音速は約 340 m/s です。")
            .readAs("おんそく"),
        unitField(MEZURA_FIELD(txtS3), "光速",          2250,  2520,  2280,    9, kReference)
            .unitIs(kReferenceUnits, "1 光速 = 299792458 m/s", "光速に対する比")
            .readAs("こうそく"),
    };
    // clang-format on
    layout.sliders = {{"HScroll", {45, 2985, 3180, 255}, 0, 100, 10}};
    layout.labels = {{"IndMin", "0", {45, 3255, 255, kLabelHeight}},
                     {"IndMax", "100m/s", {2400, 3255, 810, kLabelHeight}}};
    layout.buttons = {{"Command1", "m/s", {45, 3465, 915, 255}, kHighlight},
                      {"Command2", "km/h", {1080, 3465, 900, 255}, kButtonFace},
                      {"Command4", "光速", {2040, 3465, 810, 255}, kButtonFace},
                      {"Command5", "?", {2985, 3465, 240, 255}, kHelpButton, ButtonRole::Help, kNoBox, kBoldCaption}};
    return layout;
}

const Call lineC{VelocityWindow::kLineC};
const Call lineI{VelocityWindow::kLineI};
const Call lineS{VelocityWindow::kLineS};
const Call tindicator{VelocityWindow::kTindicator};

// The group recompute procedures, by procedure number. Each fills its group from the
// metres per second, or from the km/h that lineC derives. A mile is 1.6093 km, a knot
// 0.5144 m/s, Mach 1 295.2 m/s and light 299792458 m/s.
std::vector<ProcedureRow> groupProcedures()
{
    // clang-format off
    return {
        {kLineC, {S(txtC0, txtC1, Mul, kKinePerMetrePerSecond), S(txtC2, txtC1, Mul, kKmhPerMetrePerSecond),
                  S(txtC3, txtC2, Div, kMinutesPerHour), S(txtC4, txtC2, Div, kSecondsPerHour)}},
        {kLineI, {S(txtI1, txtC1, Div, kMetresPerYard), S(txtI2, txtC2, Div, kKmPerMile)}},
        {kLineS, {S(txtS1, txtC1, Div, kMetresPerSecondPerKnot), S(txtS2, txtC1, Div, kMetresPerSecondPerMach),
                  S(txtS3, txtC1, Div, kSpeedOfLight)}},
    };
    // clang-format on
}

// What Enter in each field runs: the typed field's own group and the metres per second
// first, then the other groups.
std::vector<EnterRow> enterChains()
{
    // clang-format off
    return {
        {txtC1, {lineC, lineI, lineS, tindicator}},
        {txtC0, {S(txtC1, txtC0, Div, kKinePerMetrePerSecond), S(txtC2, txtC1, Mul, kKmhPerMetrePerSecond),
                 S(txtC3, txtC2, Div, kMinutesPerHour), S(txtC4, txtC3, Div, kSecondsPerMinute),
                 lineI, lineS, tindicator}},
        {txtC2, {S(txtC1, txtC2, Div, kKmhPerMetrePerSecond), S(txtC3, txtC2, Div, kMinutesPerHour),
                 S(txtC4, txtC2, Div, kSecondsPerHour), S(txtC0, txtC1, Mul, kKinePerMetrePerSecond),
                 lineI, lineS, tindicator}},
        {txtC3, {S(txtC2, txtC3, Mul, kMinutesPerHour), S(txtC1, txtC2, Div, kKmhPerMetrePerSecond),
                 S(txtC4, txtC3, Div, kSecondsPerMinute), S(txtC0, txtC1, Mul, kKinePerMetrePerSecond),
                 lineI, lineS, tindicator}},
        {txtC4, {S(txtC3, txtC4, Mul, kSecondsPerMinute), S(txtC2, txtC3, Mul, kMinutesPerHour),
                 S(txtC1, txtC2, Div, kKmhPerMetrePerSecond), S(txtC0, txtC1, Mul, kKinePerMetrePerSecond),
                 lineI, lineS, tindicator}},

        // Yard and mile: the mile goes through km/h, so lineC then gives km/h its round trip.
        {txtI1, {S(txtC1, txtI1, Mul, kMetresPerYard),
                 lineC, S(txtI2, txtC2, Div, kKmPerMile),
                 lineS, tindicator}},
        {txtI2, {S(txtC2, txtI2, Mul, kKmPerMile), S(txtC1, txtC2, Div, kKmhPerMetrePerSecond),
                 S(txtI1, txtC1, Div, kMetresPerYard),
                 lineC, lineS, tindicator}},

        // Reference speeds: m/s from the typed one, the other two from m/s.
        {txtS1, {S(txtC1, txtS1, Mul, kMetresPerSecondPerKnot), S(txtS2, txtC1, Div, kMetresPerSecondPerMach),
                 S(txtS3, txtC1, Div, kSpeedOfLight),
                 lineC, lineI, tindicator}},
        {txtS2, {S(txtC1, txtS2, Mul, kMetresPerSecondPerMach), S(txtS1, txtC1, Div, kMetresPerSecondPerKnot),
                 S(txtS3, txtC1, Div, kSpeedOfLight),
                 lineC, lineI, tindicator}},
        {txtS3, {S(txtC1, txtS3, Mul, kSpeedOfLight), S(txtS1, txtC1, Div, kMetresPerSecondPerKnot),
                 S(txtS2, txtC1, Div, kMetresPerSecondPerMach),
                 lineC, lineI, tindicator}},
    };
    // clang-format on
}

// The chain of Enter in `typed` without its final gauge update, as a range button runs it
// after a clamp.
Chain enterChainWithoutGaugeUpdate(VelocityWindow::Field typed)
{
    for (EnterRow& row : enterChains()) {
        if (row.field == typed) {
            row.chain.pop_back(); // tindicator
            return row.chain;
        }
    }
    throw std::logic_error("velocity: no Enter chain");
}

// The gauge in m/s, km/h and the speed of light, chosen by the metres per second. The
// slider writes metres per second as plain text; each button clamps its own range field
// and then sets the thumb to the top. The change handler compares in 32 bits; in the 光速
// range it compares the fraction of light times 1000, the very value tindicator puts the
// thumb at, so a position taken from the fields never rewrites them. After an out-of-range
// reset the gauge keeps its range and thumb.
GaugeSpec velocityGauge()
{
    const Chain fromMetresPerSecond = {lineC, lineI, lineS};
    const auto metresPerSecond = [&](Operations fromPosition) {
        return WriteBack{txtC1, fromPosition, false, fromMetresPerSecond};
    };
    // Above `limit`, the field gets `top`, the thumb the top of the scale, and the chain follows.
    const auto clamp = [](Reading test, double limit, VelocityWindow::Field target, const char* top,
                          const Chain& chain) {
        return Clamp{test, limit, target, top, chain, ClampPosition::BeforeChain};
    };

    GaugeSpec gauge;
    gauge.decision = txtC1;
    // clang-format off
    gauge.ranges = {
        // n  button      m/s bound  Max   caption     thumb                m/s <- p
        {1, "Command1", 100,        100, "100m/s",   {txtC1},             metresPerSecond({}),
         clamp({txtC1}, 100, txtC1, "100", fromMetresPerSecond)},
        {2, "Command2", 277,       1000, "1000km/h", {txtC2},             metresPerSecond({{Div, kKmhPerMetrePerSecond}}),
         clamp({txtC2}, 1000, txtC2, "1000", enterChainWithoutGaugeUpdate(txtC2))},
        {4, "Command4", 299792458, 1000, "光速",     {txtS3, {{Mul, kThumbStepsPerLightSpeed}}},
         metresPerSecond({{Div, kThumbStepsPerLightSpeed}, {Mul, kSpeedOfLight}}),
         clamp({txtS3}, 1, txtS3, "1", enterChainWithoutGaugeUpdate(txtS3))},
    };
    // clang-format on
    gauge.reset = GaugeReset::allFields(VelocityWindow::kFieldCount); // every unit field "0"
    gauge.reset.again = false;
    gauge.compare = Compare::Int32;
    return gauge;
}

} // namespace

Layout VelocityWindow::controls()
{
    return velocityLayout();
}

VelocityWindow::VelocityWindow(App& app, const FrameSpec& frame)
    : GaugeWindow(app, frame, controls(), velocityGauge())
{
    install(groupProcedures(), enterChains(), kTindicator);
}

} // namespace mezura
