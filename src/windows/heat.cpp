#include "windows/heat.h"

#include <utility>
#include <vector>

namespace mezura {

namespace {

using namespace rows;
using enum HeatWindow::Field;
using enum HeatWindow::Procedure;

constexpr Colour kJoule = rgb(192, 255, 255); // joules, and the erg above them
constexpr Colour kEngineering = rgb(255, 255, 192);
constexpr Colour kCalorie = rgb(255, 192, 255);
constexpr Colour kElectronVolt = rgb(192, 255, 192);

// One kiloelectronvolt in joules: the electron-volt 1.60217657E-19 J times 1000.
constexpr double kKeV = 1.60217657e-16;

// The electron-volt column right of Left 3300 shows only in the wide size modes.
// The sizes of the units, each as how many of one unit make one of the next.
// clang-format off
constexpr double kErgsPerMicrojoule           = 10;
constexpr double kErgsPerJoule                = 10000000;
constexpr double kCaloriesPerKilocalorie      = 1000;
constexpr double kKilocaloriesPerExchangeUnit = 80;
constexpr double kKeVPerMeV                   = 1000;
constexpr double kMeVPerGeV                   = 1000;
constexpr double kMicrojoulesPerMillijoule    = 1000;
constexpr double kMillijoulesPerJoule         = 1000;
constexpr double kJoulesPerCalorie            = 4.1868;
constexpr double kJoulesPerKilojoule          = 1000;
constexpr double kJoulesPerBtu                = 1055.05585;
constexpr double kJoulesPerKgfm               = 9.80665;
constexpr double kJoulesPerWattHour           = 3600;
// clang-format on

// The groups that the help page's unit table lists the fields in.
constexpr const char* kJouleUnits = "ジュール（水色）";
constexpr const char* kEngineeringUnits = "工学の単位（黄色）";
constexpr const char* kCalorieUnits = "カロリー（桃色）";
constexpr const char* kElectronVoltUnits = "電子ボルト（緑色）";

Layout heatLayout()
{
    Layout layout;
    // clang-format off
    layout.fields = {
        //         name                 label          Left   Top  label at  tab  colour
        unitField(MEZURA_FIELD(txtJ1), "μJ",             45,   815,   600,    1, kJoule)
            .unitIs(kJouleUnits, "1 μJ = 1E-06 J", "マイクロジュール")
            .alias("uJ", "microjoule"),
        unitField(MEZURA_FIELD(txtJ2), "mJ",             45,  1425,  1200,    2, kJoule)
            .unitIs(kJouleUnits, "1 mJ = 0.001 J", "ミリジュール")
            .alias("millijoule"),
        unitField(MEZURA_FIELD(txtJ3), "J",              45,  1995,  1800,    3, kJoule)
            .unitIs(kJouleUnits, kBaseUnit, "ジュール")
            .alias("joule", "joules"),
        unitField(MEZURA_FIELD(txtJ4), "kJ",             45,  2585,  2400,    4, kJoule)
            .unitIs(kJouleUnits, "1 kJ = 1000 J", "キロジュール")
            .alias("kilojoule", "kilojoules"),
        unitField(MEZURA_FIELD(txtN1), "BTU",          1140,  2010,  1800,    5, kEngineering)
            .unitIs(kEngineeringUnits, "1 BTU = 1055.05585 J", "英国熱量単位"),
        unitField(MEZURA_FIELD(txtN2), "kgfm",         1140,  1395,  1200,    6, kEngineering)
            .unitIs(kEngineeringUnits, "1 kgfm = 9.80665 J", "重量キログラムメートル"),
        unitField(MEZURA_FIELD(txtN3), "Wh",           1140,  2585,  2400,    7, kEngineering)
            .unitIs(kEngineeringUnits, "1 Wh = 3600 J", "ワット時"),
        unitField(MEZURA_FIELD(txtC1), "erg",            45,   225,    75,    0, kJoule)
            .unitIs(kJouleUnits, "1 erg = 1E-07 J", "エルグ"),
        unitField(MEZURA_FIELD(txtC2), "cal",          2190,   825,   600,    8, kCalorie)
            .unitIs(kCalorieUnits, "1 cal = 4.1868 J", "カロリー",
                    "国際蒸気表カロリー（4.1868 J）です。食品の表示には 4.184 J のカロリーが使われます。")
            .alias("calorie", "calories"),
        unitField(MEZURA_FIELD(txtC3), "Cal (kcal)",   2190,  1425,  1200,    9, kCalorie)
            .unitIs(kCalorieUnits, "1 Cal (kcal) = 4186.8 J", "キロカロリー",
                    "国際蒸気表カロリーの 1000 倍です。食品の表示の kcal は 4184 J です。")
            .alias("kilocalorie", "kilocalories"),
        unitField(MEZURA_FIELD(txtC4), "単位",         2190,  1995,  1785,   10, kCalorie)
            .unitIs(kCalorieUnits, "1 単位 = 334944 J", "食品交換の単位",
                    "80 kcal（国際蒸気表カロリー）です。"),
        unitField(MEZURA_FIELD(txtE1), "keV",          3315,   210,    60,   11, kElectronVolt)
            .unitIs(kElectronVoltUnits, "1 keV = 1.60217657E-16 J", "キロ電子ボルト"),
        unitField(MEZURA_FIELD(txtE2), "MeV",          3300,   815,   600,   12, kElectronVolt)
            .unitIs(kElectronVoltUnits, "1 MeV = 1.60217657E-13 J", "メガ電子ボルト"),
        unitField(MEZURA_FIELD(txtE3), "GeV",          3300,  1405,  1200,   13, kElectronVolt)
            .unitIs(kElectronVoltUnits, "1 GeV = 1.60217657E-10 J", "ギガ電子ボルト"),
    };
    // clang-format on
    layout.sliders = {{"HScroll", {45, 2985, 3180, 255}, 0, 1000, 14}};
    layout.labels = {{"IndMin", "0", {45, 3255, 255, kLabelHeight}},
                     {"IndMax", "1000μJ", {2400, 3255, 810, kLabelHeight}}};
    layout.buttons = {{"Command1", "μJ", {45, 3465, 555, 255}, kHighlight},
                      {"Command2", "mJ", {720, 3465, 540, 255}, kButtonFace},
                      {"Command3", "J", {1440, 3465, 570, 255}, kButtonFace},
                      {"Command4", "kJ", {2160, 3480, 690, 255}, kButtonFace},
                      {"Command5", "?", {2925, 3465, 240, 255}, kHelpButton, ButtonRole::Help, kNoBox, kBoldCaption}};
    return layout;
}

const Call lineJ{HeatWindow::kLineJ};
const Call lineN{HeatWindow::kLineN};
const Call lineE{HeatWindow::kLineE};
const Call lineC{HeatWindow::kLineC};
const Call tindicator{HeatWindow::kTindicator};

// The group recompute procedures, by procedure number. Each fills its group from the joules;
// lineC takes the erg from the microjoules, so whoever calls it has written txtJ1 first.
// The BTU is 1055.05585 J, the calorie 4.1868 J.
std::vector<ProcedureRow> groupProcedures()
{
    // clang-format off
    return {
        {kLineJ, {S(txtJ4, txtJ3, Div, kJoulesPerKilojoule), S(txtJ2, txtJ3, Mul, kMillijoulesPerJoule),
                  S(txtJ1, txtJ2, Mul, kMicrojoulesPerMillijoule)}},
        {kLineN, {S(txtN1, txtJ3, Div, kJoulesPerBtu), S(txtN2, txtJ3, Div, kJoulesPerKgfm),
                  S(txtN3, txtJ3, Div, kJoulesPerWattHour)}},
        {kLineE, {S(txtE1, txtJ3, Div, kKeV), S(txtE2, txtE1, Div, kKeVPerMeV), S(txtE3, txtE2, Div, kMeVPerGeV)}},
        {kLineC, {S(txtC1, txtJ1, Mul, kErgsPerMicrojoule), S(txtC2, txtJ3, Div, kJoulesPerCalorie),
                  S(txtC3, txtC2, Div, kCaloriesPerKilocalorie), S(txtC4, txtC3, Div, kKilocaloriesPerExchangeUnit)}},
    };
    // clang-format on
}

// What Enter in each field runs: the typed field's own group and the joules, then the other
// groups from the joules.
std::vector<EnterRow> enterChains()
{
    // clang-format off
    return {
        // Joules: along the ladder, each step from the text the one before wrote.
        {txtJ3, {lineJ, lineN, lineE, lineC, tindicator}},
        {txtJ1, {S(txtJ2, txtJ1, Div, kMicrojoulesPerMillijoule), S(txtJ3, txtJ2, Div, kMillijoulesPerJoule),
                 S(txtJ4, txtJ3, Div, kJoulesPerKilojoule),
                 lineN, lineE, lineC, tindicator}},
        {txtJ2, {S(txtJ1, txtJ2, Mul, kMicrojoulesPerMillijoule), S(txtJ3, txtJ2, Div, kMillijoulesPerJoule),
                 S(txtJ4, txtJ3, Div, kJoulesPerKilojoule),
                 lineN, lineE, lineC, tindicator}},
        {txtJ4, {S(txtJ3, txtJ4, Mul, kJoulesPerKilojoule), S(txtJ2, txtJ3, Mul, kMillijoulesPerJoule),
                 S(txtJ1, txtJ2, Mul, kMicrojoulesPerMillijoule),
                 lineN, lineE, lineC, tindicator}},

        // Engineering units: joules first, the other two from them.
        {txtN1, {S(txtJ3, txtN1, Mul, kJoulesPerBtu), S(txtN2, txtJ3, Div, kJoulesPerKgfm),
                 S(txtN3, txtJ3, Div, kJoulesPerWattHour),
                 lineJ, lineE, lineC, tindicator}},
        {txtN2, {S(txtJ3, txtN2, Mul, kJoulesPerKgfm), S(txtN1, txtJ3, Div, kJoulesPerBtu),
                 S(txtN3, txtJ3, Div, kJoulesPerWattHour),
                 lineJ, lineE, lineC, tindicator}},
        {txtN3, {S(txtJ3, txtN3, Mul, kJoulesPerWattHour), S(txtN1, txtJ3, Div, kJoulesPerBtu),
                 S(txtN2, txtJ3, Div, kJoulesPerKgfm),
                 lineJ, lineE, lineC, tindicator}},

        // Calories and the erg: the erg from the joules here, from the microjoules in lineC.
        {txtC1, {S(txtJ3, txtC1, Div, kErgsPerJoule), S(txtC2, txtJ3, Div, kJoulesPerCalorie),
                 S(txtC3, txtC2, Div, kCaloriesPerKilocalorie), S(txtC4, txtC3, Div, kKilocaloriesPerExchangeUnit),
                 lineJ, lineN, lineE, tindicator}},
        {txtC2, {S(txtJ3, txtC2, Mul, kJoulesPerCalorie), S(txtC1, txtJ3, Mul, kErgsPerJoule),
                 S(txtC3, txtC2, Div, kCaloriesPerKilocalorie), S(txtC4, txtC3, Div, kKilocaloriesPerExchangeUnit),
                 lineJ, lineN, lineE, tindicator}},
        {txtC3, {S(txtC2, txtC3, Mul, kCaloriesPerKilocalorie), S(txtC4, txtC3, Div, kKilocaloriesPerExchangeUnit),
                 S(txtJ3, txtC2, Mul, kJoulesPerCalorie), S(txtC1, txtJ3, Mul, kErgsPerJoule),
                 lineJ, lineN, lineE, tindicator}},
        {txtC4, {S(txtC3, txtC4, Mul, kKilocaloriesPerExchangeUnit), S(txtC2, txtC3, Mul, kCaloriesPerKilocalorie),
                 S(txtJ3, txtC2, Mul, kJoulesPerCalorie), S(txtC1, txtJ3, Mul, kErgsPerJoule),
                 lineJ, lineN, lineE, tindicator}},

        // Electron-volts: along the ladder, joules from the kiloelectronvolts.
        {txtE1, {S(txtJ3, txtE1, Mul, kKeV), S(txtE2, txtE1, Div, kKeVPerMeV), S(txtE3, txtE2, Div, kMeVPerGeV),
                 lineJ, lineN, lineC, tindicator}},
        {txtE2, {S(txtE1, txtE2, Mul, kKeVPerMeV), S(txtE3, txtE2, Div, kMeVPerGeV), S(txtJ3, txtE1, Mul, kKeV),
                 lineJ, lineN, lineC, tindicator}},
        {txtE3, {S(txtE2, txtE3, Mul, kMeVPerGeV), S(txtE1, txtE2, Mul, kKeVPerMeV), S(txtJ3, txtE1, Mul, kKeV),
                 lineJ, lineN, lineC, tindicator}},
    };
    // clang-format on
}

// The gauge in μJ, mJ, J and kJ, chosen by the joules; every scale runs to 1000. The slider
// writes joules as plain text. A button whose own field lies above 1000 sets it to 1000, puts
// the thumb at the end and recomputes the window from it. Out of range, every field becomes
// 0 and the gauge stays as it was.
GaugeSpec heatGauge()
{
    const Chain fromJoules = {lineJ, lineN, lineE, lineC};
    const auto joules = [&](Operations fromPosition) { return WriteBack{txtJ3, fromPosition, false, fromJoules}; };
    const auto clamp = [](HeatWindow::Field field, Chain joulesFrom) {
        joulesFrom.insert(joulesFrom.end(), {lineN, lineE, lineC});
        return Clamp{Reading{field}, 1000, field, "1000", std::move(joulesFrom), ClampPosition::BeforeChain};
    };

    GaugeSpec gauge;
    gauge.decision = txtJ3;
    // clang-format off
    gauge.ranges = {
        // n  button      J bound   Max    caption   thumb    joules <- p
        //    clamp: its own field, then the joule group from it
        {1, "Command1", 0.001,   1000, "1000μJ", {txtJ1}, joules({{Div, kMicrojoulesPerMillijoule * kMillijoulesPerJoule}}),
         clamp(txtJ1, {S(txtJ2, txtJ1, Div, kMicrojoulesPerMillijoule), S(txtJ3, txtJ2, Div, kMillijoulesPerJoule), S(txtJ4, txtJ3, Div, kJoulesPerKilojoule)})},
        {2, "Command2", 1,       1000, "1000mJ", {txtJ2}, joules({{Div, kMillijoulesPerJoule}}),
         clamp(txtJ2, {S(txtJ1, txtJ2, Mul, kMicrojoulesPerMillijoule), S(txtJ3, txtJ2, Div, kMillijoulesPerJoule), S(txtJ4, txtJ3, Div, kJoulesPerKilojoule)})},
        {3, "Command3", 1000,    1000, "1000J",  {txtJ3}, joules({}),
         clamp(txtJ3, {lineJ})},
        {4, "Command4", 1000000, 1000, "1000kJ", {txtJ4}, joules({{Mul, kJoulesPerKilojoule}}),
         clamp(txtJ4, {S(txtJ3, txtJ4, Mul, kJoulesPerKilojoule), S(txtJ2, txtJ3, Mul, kMillijoulesPerJoule), S(txtJ1, txtJ2, Mul, kMicrojoulesPerMillijoule)})},
    };
    // clang-format on
    gauge.compare = Compare::Int32;
    // The reset writes "0" in this order, then leaves the gauge alone.
    gauge.reset.fields = {txtJ1, txtJ2, txtJ3, txtJ4, txtE1, txtE2, txtE3,
                          txtN1, txtN2, txtN3, txtC1, txtC2, txtC3, txtC4};
    gauge.reset.again = false;
    return gauge;
}

} // namespace

Layout HeatWindow::controls()
{
    return heatLayout();
}

HeatWindow::HeatWindow(App& app, const FrameSpec& frame)
    : GaugeWindow(app, frame, controls(), heatGauge())
{
    install(groupProcedures(), enterChains(), kTindicator);
}

} // namespace mezura
