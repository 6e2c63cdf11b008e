#include "windows/square.h"

#include <utility>

namespace mezura {

namespace {

using namespace rows;
using enum SquareWindow::Field;
using enum SquareWindow::Procedure;

constexpr Colour kMetric = rgb(192, 255, 255);
constexpr Colour kYardPound = rgb(255, 255, 192);
constexpr Colour kTsubo = rgb(255, 192, 255);
constexpr Colour kTatami = rgb(192, 255, 192);

// A unit field with its label above it at the field's Left.
// The sizes of the units, each as how many of one unit make one of the next.
// clang-format off
constexpr double kCm2PerM2                  = 10000;
constexpr double kCm2PerSquareInch          = 6.4516;
constexpr double kCm2PerSunTsubo            = 9.1809;
constexpr double kM2PerAre                  = 100;
constexpr double kAresPerHectare            = 100;
constexpr double kHectaresPerKm2            = 100;
constexpr double kSquareInchesPerSquareFoot = 144;
constexpr double kSquareFeetPerSquareYard   = 9;
constexpr double kSquareYardsPerSquareRod   = 30.25;
constexpr double kSquareRodsPerSquareChain  = 16;
constexpr double kSquareChainsPerAcre       = 10;
constexpr double kAcresPerSquareMile        = 640;
constexpr double kSunTsuboPerShakuTsubo     = 100;
constexpr double kShakuTsuboPerInakamaJo    = 16.82;
constexpr double kShakuTsuboPerChukyomaJo   = 18;
constexpr double kShakuTsuboPerKyomaJo      = 19.845;
constexpr double kShakuTsuboPerTsubo        = 36;
constexpr double kTsuboPerTan               = 300;
constexpr double kTsuboPerSe                = 30;
constexpr double kTanPerCho                 = 10;
constexpr double kShakuPerTsubo             = 100;
constexpr double kGoPerTsubo                = 10;
// clang-format on

// The groups that the help page's unit table lists the fields in.
constexpr const char* kMetricUnits = "メートル法（水色）";
constexpr const char* kYardPoundUnits = "ヤード・ポンド法（黄色）";
constexpr const char* kTsuboUnits = "坪と尺貫法（桃色）";
constexpr const char* kTatamiUnits = "畳（緑色）";

FieldSpec field(int id, const char* name, const char* label, int left, int top, int labelTop, int tab, Colour colour,
                int labelHeight = kLabelHeight)
{
    // clang-format off
    return numbered(id, FieldSpec{name, label, {left, top, kFieldWidth, kFieldHeight}, left, labelTop, tab, colour, "", true,
                     labelHeight});
    // clang-format on
}

Layout squareLayout()
{
    Layout layout;
    // clang-format off
    layout.fields = {
        //     name                 label          Left   Top  label at  tab  colour
        field(MEZURA_FIELD(txtC1), "cm2",            45,   270,    75,    0, kMetric)
            .unitIs(kMetricUnits, kBaseUnit, "平方センチメートル"),
        field(MEZURA_FIELD(txtC2), "m2",             45,  1800,  1635,    1, kMetric)
            .unitIs(kMetricUnits, "1 m2 = 10000 cm2", "平方メートル")
            .alias("square meter", "square metre"),
        field(MEZURA_FIELD(txtC3), "a(are)",         45,  2350,  2155,    2, kMetric)
            .unitIs(kMetricUnits, "1 a(are) = 1000000 cm2", "アール")
            .alias("ares"),
        field(MEZURA_FIELD(txtC4), "ha(hectare)",    45,  2870,  2675,    3, kMetric)
            .unitIs(kMetricUnits, "1 ha(hectare) = 100000000 cm2", "ヘクタール")
            .alias("hectares"),
        field(MEZURA_FIELD(txtC5), "km2",            45,  3945,  3750,    4, kMetric)
            .unitIs(kMetricUnits, "1 km2 = 10000000000 cm2", "平方キロメートル")
            .alias("square kilometer", "square kilometre"),
        field(MEZURA_FIELD(txtI1), "inch2",        1145,   270,    75,    5, kYardPound)
            .unitIs(kYardPoundUnits, "1 inch2 = 6.4516 cm2", "平方インチ")
            .alias("in2", "sq in", "square inch"),
        field(MEZURA_FIELD(txtI2), "feet2",        1145,  1310,  1115,    6, kYardPound)
            .unitIs(kYardPoundUnits, "1 foot2 = 929.0304 cm2", "平方フィート")
            .alias("ft2", "sq ft", "square foot", "square feet"),
        field(MEZURA_FIELD(txtI3), "yards2",       1145,  1800,  1635,    7, kYardPound)
            .unitIs(kYardPoundUnits, "1 yard2 = 8361.2736 cm2", "平方ヤード")
            .alias("yd2", "sq yd", "square yard"),
        field(MEZURA_FIELD(txtI4), "rods2",        1145,  2350,  2155,    8, kYardPound)
            .unitIs(kYardPoundUnits, "1 rod2 = 252928.5264 cm2", "平方ロッド"),
        field(MEZURA_FIELD(txtI5), "chains2",      1145,  2870,  2675,    9, kYardPound)
            .unitIs(kYardPoundUnits, "1 chain2 = 4046856.4224 cm2", "平方チェーン"),
        field(MEZURA_FIELD(txtI6), "acre",         1145,  3390,  3195,   10, kYardPound)
            .unitIs(kYardPoundUnits, "1 acre = 40468564.224 cm2", "エーカー")
            .alias("acres", "ac"),
        field(MEZURA_FIELD(txtI7), "miles2",       1145,  3945,  3750,   11, kYardPound)
            .unitIs(kYardPoundUnits, "1 mile2 = 25899881103.36 cm2", "平方マイル")
            .alias("mi2", "sq mi", "square mile"),
        field(MEZURA_FIELD(txtS1), "寸坪",         2245,   270,    75,   12, kTsubo)
            .unitIs(kTsuboUnits, "1 寸坪 = 9.1809 cm2", "すんつぼ",
                    "1 寸を 3.03 cm として数えた値です（法定の 1 尺は 10/33 m、1 寸は 3.0303… cm）。"),
        field(MEZURA_FIELD(txtS2), "尺坪",         2245,  1310,  1115,   14, kTsubo)
            .unitIs(kTsuboUnits, "1 尺坪 = 918.09 cm2", "しゃくつぼ",
                    "1 寸を 3.03 cm として数えた値です（法定の 1 尺は 10/33 m、1 寸は 3.0303… cm）。"),
        field(MEZURA_FIELD(txtS3), "坪（歩）",     2245,  2350,  2155,   16, kTsubo)
            .unitIs(kTsuboUnits, "1 坪（歩） = 33051.24 cm2", "つぼ",
                    "1 寸を 3.03 cm として数えた値です。法定の尺（10/33 m）では 1 坪は 400/121 = 3.305785 m2、ここでは 3.305124 m2 です。")
            .alias("ぶ"),
        field(MEZURA_FIELD(txtS7), "勺",           2245,   790,   595,   13, kTsubo)
            .unitIs(kTsuboUnits, "1 勺 = 330.5124 cm2", "しゃく",
                    "1 寸を 3.03 cm として数えた値です（法定の 1 尺は 10/33 m、1 寸は 3.0303… cm）。"),
        field(MEZURA_FIELD(txtS8), "合",           2245,  1800,  1635,   15, kTsubo)
            .unitIs(kTsuboUnits, "1 合 = 3305.124 cm2", "ごう",
                    "1 寸を 3.03 cm として数えた値です（法定の 1 尺は 10/33 m、1 寸は 3.0303… cm）。"),
        field(MEZURA_FIELD(txtS6), "畝",           2245,  2870,  2675,   17, kTsubo)
            .unitIs(kTsuboUnits, "1 畝 = 991537.2 cm2", "せ",
                    "1 寸を 3.03 cm として数えた値です（法定の 1 尺は 10/33 m、1 寸は 3.0303… cm）。"),
        field(MEZURA_FIELD(txtS4), "段（反）",     2245,  3390,  3195,   18, kTsubo)
            .unitIs(kTsuboUnits, "1 段（反） = 9915372 cm2", "たん",
                    "1 寸を 3.03 cm として数えた値です（法定の 1 尺は 10/33 m、1 寸は 3.0303… cm）。"),
        field(MEZURA_FIELD(txtS5), "町",           2245,  3945,  3750,   19, kTsubo)
            .unitIs(kTsuboUnits, "1 町 = 99153720 cm2", "ちょう",
                    "1 寸を 3.03 cm として数えた値です（法定の 1 尺は 10/33 m、1 寸は 3.0303… cm）。"),
        field(MEZURA_FIELD(txtK1), "畳(田舎間)",   3345,  1310,  1115,   20, kTatami)
            .unitIs(kTatamiUnits, "1 畳(田舎間) = 15442.2738 cm2", "いなかまの畳")
            .alias("たたみ", "じょう", "田舎間", "いなかま", "江戸間", "えどま"),
        field(MEZURA_FIELD(txtK2), "畳(中京間)",   3345,  1800,  1635,   21, kTatami)
            .unitIs(kTatamiUnits, "1 畳(中京間) = 16525.62 cm2", "ちゅうきょうまの畳")
            .alias("たたみ", "じょう", "中京間", "ちゅうきょうま"),
        field(MEZURA_FIELD(txtK3), "畳(京間)",     3345,  2350,  2155,   22, kTatami, 180)
            .unitIs(kTatamiUnits, "1 畳(京間) = 18219.49605 cm2", "きょうまの畳")
            .alias("たたみ", "じょう", "京間", "きょうま"),
    };
    // clang-format on
    layout.sliders = {{"HScroll", {45, 4395, 3195, 255}, 0, 100, 23}};
    layout.labels = {{"IndMin", "0", {45, 4665, 255, kLabelHeight}},
                     {"IndMax", "10000cm2", {2400, 4665, 855, kLabelHeight}}};
    layout.buttons = {{"Command1", "cm2", {45, 4905, 540, 255}, kHighlight},
                      {"Command2", "m2", {642, 4905, 525, 255}, kButtonFace},
                      {"Command3", "a", {1224, 4905, 450, 255}, kButtonFace},
                      {"Command4", "ha", {1731, 4905, 540, 255}, kButtonFace},
                      {"Command5", "km2", {2328, 4905, 615, 255}, kButtonFace},
                      {"Command6", "?", {3000, 4905, 255, 255}, kHelpButton, ButtonRole::Help}};
    return layout;
}

const Call lineC{SquareWindow::kLineC};
const Call lineI{SquareWindow::kLineI};
const Call lineS{SquareWindow::kLineS};
const Call lineK{SquareWindow::kLineK};
const Call tindicator{SquareWindow::kTindicator};

// The group recompute procedures, by procedure number. lineC, lineI and lineS fill their
// groups from the square centimetres, lineK from the square shaku that lineS derives. The
// square sun is 9.1809 cm2 both ways.
std::vector<ProcedureRow> groupProcedures()
{
    // clang-format off
    return {
        {kLineC, {S(txtC2, txtC1, Div, kCm2PerM2), S(txtC3, txtC2, Div, kM2PerAre),
                  S(txtC4, txtC3, Div, kAresPerHectare), S(txtC5, txtC4, Div, kHectaresPerKm2)}},
        {kLineI, {S(txtI1, txtC1, Div, kCm2PerSquareInch), S(txtI2, txtI1, Div, kSquareInchesPerSquareFoot),
                  S(txtI3, txtI2, Div, kSquareFeetPerSquareYard), S(txtI4, txtI3, Div, kSquareYardsPerSquareRod),
                  S(txtI5, txtI4, Div, kSquareRodsPerSquareChain), S(txtI6, txtI5, Div, kSquareChainsPerAcre),
                  S(txtI7, txtI6, Div, kAcresPerSquareMile)}},
        {kLineS, {S(txtS1, txtC1, Div, kCm2PerSunTsubo), S(txtS2, txtS1, Div, kSunTsuboPerShakuTsubo),
                  S(txtS3, txtS2, Div, kShakuTsuboPerTsubo), S(txtS4, txtS3, Div, kTsuboPerTan),
                  S(txtS5, txtS4, Div, kTanPerCho), S(txtS6, txtS3, Div, kTsuboPerSe),
                  S(txtS7, txtS3, Mul, kShakuPerTsubo), S(txtS8, txtS3, Mul, kGoPerTsubo)}},
        {kLineK, {S(txtK1, txtS2, Div, kShakuTsuboPerInakamaJo), S(txtK2, txtS2, Div, kShakuTsuboPerChukyomaJo),
                  S(txtK3, txtS2, Div, kShakuTsuboPerKyomaJo)}},
    };
    // clang-format on
}

// What Enter in each field runs: the typed field's own group first, then square centimetres
// from the square inch or the square sun, then the other groups.
std::vector<EnterRow> enterChains()
{
    // clang-format off
    return {
        // Metric: along the ladder, each step from the text the one before wrote.
        {txtC1, {lineC, lineI, lineS, lineK, tindicator}},
        {txtC2, {S(txtC1, txtC2, Mul, kCm2PerM2), S(txtC3, txtC2, Div, kM2PerAre),
                 S(txtC4, txtC3, Div, kAresPerHectare), S(txtC5, txtC4, Div, kHectaresPerKm2),
                 lineI, lineS, lineK, tindicator}},
        {txtC3, {S(txtC2, txtC3, Mul, kM2PerAre), S(txtC1, txtC2, Mul, kCm2PerM2),
                 S(txtC4, txtC3, Div, kAresPerHectare), S(txtC5, txtC4, Div, kHectaresPerKm2),
                 lineI, lineS, lineK, tindicator}},
        {txtC4, {S(txtC3, txtC4, Mul, kAresPerHectare), S(txtC2, txtC3, Mul, kM2PerAre),
                 S(txtC1, txtC2, Mul, kCm2PerM2), S(txtC5, txtC4, Div, kHectaresPerKm2),
                 lineI, lineS, lineK, tindicator}},
        {txtC5, {S(txtC4, txtC5, Mul, kHectaresPerKm2), S(txtC3, txtC4, Mul, kAresPerHectare),
                 S(txtC2, txtC3, Mul, kM2PerAre), S(txtC1, txtC2, Mul, kCm2PerM2),
                 lineI, lineS, lineK, tindicator}},

        // Yard-pound: up the ladder to the square inch, down to the square mile, then cm2.
        {txtI1, {S(txtI2, txtI1, Div, kSquareInchesPerSquareFoot), S(txtI3, txtI2, Div, kSquareFeetPerSquareYard),
                 S(txtI4, txtI3, Div, kSquareYardsPerSquareRod), S(txtI5, txtI4, Div, kSquareRodsPerSquareChain),
                 S(txtI6, txtI5, Div, kSquareChainsPerAcre), S(txtI7, txtI6, Div, kAcresPerSquareMile),
                 S(txtC1, txtI1, Mul, kCm2PerSquareInch),
                 lineC, lineS, lineK, tindicator}},
        {txtI2, {S(txtI1, txtI2, Mul, kSquareInchesPerSquareFoot), S(txtI3, txtI2, Div, kSquareFeetPerSquareYard),
                 S(txtI4, txtI3, Div, kSquareYardsPerSquareRod), S(txtI5, txtI4, Div, kSquareRodsPerSquareChain),
                 S(txtI6, txtI5, Div, kSquareChainsPerAcre), S(txtI7, txtI6, Div, kAcresPerSquareMile),
                 S(txtC1, txtI1, Mul, kCm2PerSquareInch),
                 lineC, lineS, lineK, tindicator}},
        {txtI3, {S(txtI2, txtI3, Mul, kSquareFeetPerSquareYard), S(txtI1, txtI2, Mul, kSquareInchesPerSquareFoot),
                 S(txtI4, txtI3, Div, kSquareYardsPerSquareRod), S(txtI5, txtI4, Div, kSquareRodsPerSquareChain),
                 S(txtI6, txtI5, Div, kSquareChainsPerAcre), S(txtI7, txtI6, Div, kAcresPerSquareMile),
                 S(txtC1, txtI1, Mul, kCm2PerSquareInch),
                 lineC, lineS, lineK, tindicator}},
        {txtI4, {S(txtI3, txtI4, Mul, kSquareYardsPerSquareRod), S(txtI2, txtI3, Mul, kSquareFeetPerSquareYard),
                 S(txtI1, txtI2, Mul, kSquareInchesPerSquareFoot), S(txtI5, txtI4, Div, kSquareRodsPerSquareChain),
                 S(txtI6, txtI5, Div, kSquareChainsPerAcre), S(txtI7, txtI6, Div, kAcresPerSquareMile),
                 S(txtC1, txtI1, Mul, kCm2PerSquareInch),
                 lineC, lineS, lineK, tindicator}},
        {txtI5, {S(txtI4, txtI5, Mul, kSquareRodsPerSquareChain), S(txtI3, txtI4, Mul, kSquareYardsPerSquareRod),
                 S(txtI2, txtI3, Mul, kSquareFeetPerSquareYard), S(txtI1, txtI2, Mul, kSquareInchesPerSquareFoot),
                 S(txtI6, txtI5, Div, kSquareChainsPerAcre), S(txtI7, txtI6, Div, kAcresPerSquareMile),
                 S(txtC1, txtI1, Mul, kCm2PerSquareInch),
                 lineC, lineS, lineK, tindicator}},
        {txtI6, {S(txtI5, txtI6, Mul, kSquareChainsPerAcre), S(txtI4, txtI5, Mul, kSquareRodsPerSquareChain),
                 S(txtI3, txtI4, Mul, kSquareYardsPerSquareRod), S(txtI2, txtI3, Mul, kSquareFeetPerSquareYard),
                 S(txtI1, txtI2, Mul, kSquareInchesPerSquareFoot), S(txtI7, txtI6, Div, kAcresPerSquareMile),
                 S(txtC1, txtI1, Mul, kCm2PerSquareInch),
                 lineC, lineS, lineK, tindicator}},
        {txtI7, {S(txtI6, txtI7, Mul, kAcresPerSquareMile), S(txtI5, txtI6, Mul, kSquareChainsPerAcre),
                 S(txtI4, txtI5, Mul, kSquareRodsPerSquareChain), S(txtI3, txtI4, Mul, kSquareYardsPerSquareRod),
                 S(txtI2, txtI3, Mul, kSquareFeetPerSquareYard), S(txtI1, txtI2, Mul, kSquareInchesPerSquareFoot),
                 S(txtC1, txtI1, Mul, kCm2PerSquareInch),
                 lineC, lineS, lineK, tindicator}},

        // Tsubo units: around the tsubo, then cm2 from the square sun.
        {txtS1, {S(txtS2, txtS1, Div, kSunTsuboPerShakuTsubo), S(txtS3, txtS2, Div, kShakuTsuboPerTsubo),
                 S(txtS4, txtS3, Div, kTsuboPerTan), S(txtS5, txtS4, Div, kTanPerCho),
                 S(txtS6, txtS3, Div, kTsuboPerSe), S(txtS7, txtS3, Mul, kShakuPerTsubo),
                 S(txtS8, txtS3, Mul, kGoPerTsubo), S(txtC1, txtS1, Mul, kCm2PerSunTsubo),
                 lineC, lineI, lineK, tindicator}},
        {txtS7, {S(txtS3, txtS7, Div, kShakuPerTsubo), S(txtS6, txtS3, Div, kTsuboPerSe),
                 S(txtS4, txtS3, Div, kTsuboPerTan), S(txtS5, txtS4, Div, kTanPerCho),
                 S(txtS2, txtS3, Mul, kShakuTsuboPerTsubo), S(txtS1, txtS2, Mul, kSunTsuboPerShakuTsubo),
                 S(txtS8, txtS3, Mul, kGoPerTsubo), S(txtC1, txtS1, Mul, kCm2PerSunTsubo),
                 lineC, lineI, lineK, tindicator}},
        {txtS2, {S(txtS1, txtS2, Mul, kSunTsuboPerShakuTsubo), S(txtS3, txtS2, Div, kShakuTsuboPerTsubo),
                 S(txtS4, txtS3, Div, kTsuboPerTan), S(txtS5, txtS4, Div, kTanPerCho),
                 S(txtS6, txtS3, Div, kTsuboPerSe), S(txtS7, txtS3, Mul, kShakuPerTsubo),
                 S(txtS8, txtS3, Mul, kGoPerTsubo), S(txtC1, txtS1, Mul, kCm2PerSunTsubo),
                 lineC, lineI, lineK, tindicator}},
        {txtS8, {S(txtS3, txtS8, Div, kGoPerTsubo), S(txtS6, txtS3, Div, kTsuboPerSe),
                 S(txtS4, txtS3, Div, kTsuboPerTan), S(txtS5, txtS4, Div, kTanPerCho),
                 S(txtS2, txtS3, Mul, kShakuTsuboPerTsubo), S(txtS1, txtS2, Mul, kSunTsuboPerShakuTsubo),
                 S(txtS7, txtS3, Mul, kShakuPerTsubo), S(txtC1, txtS1, Mul, kCm2PerSunTsubo),
                 lineC, lineI, lineK, tindicator}},
        {txtS3, {S(txtS2, txtS3, Mul, kShakuTsuboPerTsubo), S(txtS1, txtS2, Mul, kSunTsuboPerShakuTsubo),
                 S(txtS4, txtS3, Div, kTsuboPerTan), S(txtS5, txtS4, Div, kTanPerCho),
                 S(txtS6, txtS3, Div, kTsuboPerSe), S(txtS7, txtS3, Mul, kShakuPerTsubo),
                 S(txtS8, txtS3, Mul, kGoPerTsubo), S(txtC1, txtS1, Mul, kCm2PerSunTsubo),
                 lineC, lineI, lineK, tindicator}},
        {txtS6, {S(txtS3, txtS6, Mul, kTsuboPerSe), S(txtS4, txtS3, Div, kTsuboPerTan),
                 S(txtS5, txtS4, Div, kTanPerCho), S(txtS2, txtS3, Mul, kShakuTsuboPerTsubo),
                 S(txtS1, txtS2, Mul, kSunTsuboPerShakuTsubo), S(txtS7, txtS3, Mul, kShakuPerTsubo),
                 S(txtS8, txtS3, Mul, kGoPerTsubo), S(txtC1, txtS1, Mul, kCm2PerSunTsubo),
                 lineC, lineI, lineK, tindicator}},
        {txtS4, {S(txtS3, txtS4, Mul, kTsuboPerTan), S(txtS2, txtS3, Mul, kShakuTsuboPerTsubo),
                 S(txtS1, txtS2, Mul, kSunTsuboPerShakuTsubo), S(txtS5, txtS4, Div, kTanPerCho),
                 S(txtS6, txtS3, Div, kTsuboPerSe), S(txtS7, txtS3, Mul, kShakuPerTsubo),
                 S(txtS8, txtS3, Mul, kGoPerTsubo), S(txtC1, txtS1, Mul, kCm2PerSunTsubo),
                 lineC, lineI, lineK, tindicator}},
        {txtS5, {S(txtS4, txtS5, Mul, kTanPerCho), S(txtS3, txtS4, Mul, kTsuboPerTan),
                 S(txtS2, txtS3, Mul, kShakuTsuboPerTsubo), S(txtS1, txtS2, Mul, kSunTsuboPerShakuTsubo),
                 S(txtS6, txtS3, Div, kTsuboPerSe), S(txtS7, txtS3, Mul, kShakuPerTsubo),
                 S(txtS8, txtS3, Mul, kGoPerTsubo), S(txtC1, txtS1, Mul, kCm2PerSunTsubo),
                 lineC, lineI, lineK, tindicator}},

        // Tatami: the square shaku first, the other mats and the whole tsubo group from it.
        {txtK1, {S(txtS2, txtK1, Mul, kShakuTsuboPerInakamaJo), S(txtK2, txtS2, Div, kShakuTsuboPerChukyomaJo),
                 S(txtK3, txtS2, Div, kShakuTsuboPerKyomaJo), S(txtS1, txtS2, Mul, kSunTsuboPerShakuTsubo),
                 S(txtS3, txtS2, Div, kShakuTsuboPerTsubo), S(txtS4, txtS3, Div, kTsuboPerTan),
                 S(txtS5, txtS4, Div, kTanPerCho), S(txtS6, txtS3, Div, kTsuboPerSe),
                 S(txtS7, txtS3, Mul, kShakuPerTsubo), S(txtS8, txtS3, Mul, kGoPerTsubo),
                 S(txtC1, txtS1, Mul, kCm2PerSunTsubo),
                 lineC, lineI, tindicator}},
        {txtK2, {S(txtS2, txtK2, Mul, kShakuTsuboPerChukyomaJo), S(txtK1, txtS2, Div, kShakuTsuboPerInakamaJo),
                 S(txtK3, txtS2, Div, kShakuTsuboPerKyomaJo), S(txtS1, txtS2, Mul, kSunTsuboPerShakuTsubo),
                 S(txtS3, txtS2, Div, kShakuTsuboPerTsubo), S(txtS4, txtS3, Div, kTsuboPerTan),
                 S(txtS5, txtS4, Div, kTanPerCho), S(txtS6, txtS3, Div, kTsuboPerSe),
                 S(txtS7, txtS3, Mul, kShakuPerTsubo), S(txtS8, txtS3, Mul, kGoPerTsubo),
                 S(txtC1, txtS1, Mul, kCm2PerSunTsubo),
                 lineC, lineI, tindicator}},
        {txtK3, {S(txtS2, txtK3, Mul, kShakuTsuboPerKyomaJo), S(txtK2, txtS2, Div, kShakuTsuboPerChukyomaJo),
                 S(txtK1, txtS2, Div, kShakuTsuboPerInakamaJo), S(txtS1, txtS2, Mul, kSunTsuboPerShakuTsubo),
                 S(txtS3, txtS2, Div, kShakuTsuboPerTsubo), S(txtS4, txtS3, Div, kTsuboPerTan),
                 S(txtS5, txtS4, Div, kTanPerCho), S(txtS6, txtS3, Div, kTsuboPerSe),
                 S(txtS7, txtS3, Mul, kShakuPerTsubo), S(txtS8, txtS3, Mul, kGoPerTsubo),
                 S(txtC1, txtS1, Mul, kCm2PerSunTsubo),
                 lineC, lineI, tindicator}},
    };
    // clang-format on
}

// The gauge in cm2, m2, a, ha and km2, chosen by the square kilometres. The slider writes
// ares as plain text; a drag passes them once more through the digit limiter before the
// metric ladder runs, a change does not. Each button but km2 clamps its own field.
GaugeSpec squareGauge()
{
    const Chain fromSquareCentimetres = {lineC, lineI, lineS, lineK};
    // clang-format off
    const Chain fromSquareMetres = {S(txtC1, txtC2, Mul, kCm2PerM2), S(txtC3, txtC2, Div, kM2PerAre),
                                    S(txtC4, txtC3, Div, kAresPerHectare), S(txtC5, txtC4, Div, kHectaresPerKm2), lineI, lineS, lineK};
    const Chain fromAres = {S(txtC2, txtC3, Mul, kM2PerAre), S(txtC1, txtC2, Mul, kCm2PerM2), S(txtC4, txtC3, Div, kAresPerHectare),
                            S(txtC5, txtC4, Div, kHectaresPerKm2), lineI, lineS, lineK};
    const Chain fromHectares = {S(txtC3, txtC4, Mul, kAresPerHectare), S(txtC2, txtC3, Mul, kM2PerAre), S(txtC1, txtC2, Mul, kCm2PerM2),
                                S(txtC5, txtC4, Div, kHectaresPerKm2), lineI, lineS, lineK};
    // clang-format on
    Chain dragged = fromAres;
    dragged.insert(dragged.begin(), Step{txtC3, txtC3, {}}); // the ares once more, limited
    const auto ares = [&](Operations fromPosition) { return WriteBack{txtC3, fromPosition, false, dragged, fromAres}; };
    // Above `limit`, the field gets `top` and the chain follows; the thumb stays.
    const auto clamp = [](SquareWindow::Field field, double limit, const char* top, const Chain& chain) {
        return Clamp{Reading{field}, limit, field, top, chain, ClampPosition::Keep};
    };

    GaugeSpec gauge;
    gauge.decision = txtC5;
    // clang-format off
    gauge.ranges = {
        // n  button      km2 bound    Max    caption     thumb    ares <- p;  clamp: field, limit, text
        {1, "Command1", 0.00000001, 10000, "10000cm2", {txtC1}, ares({{Div, kCm2PerM2 * kM2PerAre}}),
         clamp(txtC1, 10000, "10000", fromSquareCentimetres)},
        {2, "Command2", 0.0001,       100, "100m2",    {txtC2}, ares({{Div, kM2PerAre}}),
         clamp(txtC2, 100, "100", fromSquareMetres)},
        {3, "Command3", 0.01,         100, "100a",     {txtC3}, ares({}),
         clamp(txtC3, 100, "100", fromAres)},
        {4, "Command4", 1,            100, "100ha",    {txtC4}, ares({{Mul, kAresPerHectare}}),
         clamp(txtC4, 100, "100", fromHectares)},
        {5, "Command5", 30000,      30000, "30000km2", {txtC5}, ares({{Mul, kHectaresPerKm2 * kAresPerHectare}})}, // no clamp
    };
    // clang-format on
    gauge.reset = GaugeReset::allFields(SquareWindow::kFieldCount); // every unit field "0"
    return gauge;
}

} // namespace

Layout SquareWindow::controls()
{
    return squareLayout();
}

SquareWindow::SquareWindow(App& app, const FrameSpec& frame)
    : GaugeWindow(app, frame, controls(), squareGauge())
{
    install(groupProcedures(), enterChains(), kTindicator);
}

} // namespace mezura
