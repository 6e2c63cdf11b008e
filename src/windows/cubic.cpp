#include "windows/cubic.h"

#include <utility>

namespace mezura {

namespace {

using namespace rows;
using enum CubicWindow::Field;
using enum CubicWindow::Procedure;

constexpr Colour kMetric = rgb(192, 255, 255);
constexpr Colour kInchAndUK = rgb(255, 255, 192); // cubic inch to cord, UK liquid and dry
constexpr Colour kUS = rgb(192, 192, 255);        // US liquid and dry
constexpr Colour kJapanese = rgb(255, 192, 255);
constexpr Colour kSpoons = rgb(192, 255, 192);
constexpr Colour kContainers = rgb(255, 192, 128);

constexpr const char* kDry = "Frame1"; // "Dry"

// The sizes of the units, each as how many of one unit make one of the next.
// clang-format off
constexpr double kCm3PerDl                = 100;
constexpr double kCm3PerUsDryPint         = 550.6;
constexpr double kCm3PerUkDryPint         = 568.2;
constexpr double kCm3PerCubicInch         = 16.3872;
constexpr double kCm3PerUsGill            = 118;
constexpr double kCm3PerUsBarrel          = 119200;
constexpr double kCm3PerUkGill            = 142;
constexpr double kCm3PerUkBarrel          = 163600;
constexpr double kCm3PerKosaji            = 2.5;
constexpr double kCm3PerNakasaji          = 5;
constexpr double kCm3PerOsaji             = 15;
constexpr double kCm3PerCup               = 180;
constexpr double kCm3PerKeroseneCan       = 18000;
constexpr double kCm3PerOilBarrel         = 159000;
constexpr double kCm3PerDrum              = 200000;
constexpr double kCm3PerGo                = 180.4;
constexpr double kDlPerLitre              = 10;
constexpr double kLitresPerM3             = 1000;
constexpr double kLitresPerKeroseneCan    = 18;
constexpr double kLitresPerDrum           = 200;
constexpr double kM3PerRyuTsubo           = 6.0087;
constexpr double kM3PerSai                = 0.027826;
constexpr double kUsDryPintsPerQuart      = 2;
constexpr double kUsDryQuartsPerPeck      = 8;
constexpr double kUsPecksPerBushel        = 4;
constexpr double kUkDryPintsPerQuart      = 2;
constexpr double kUkDryQuartsPerPeck      = 8;
constexpr double kUkPecksPerBushel        = 4;
constexpr double kCubicInchesPerCubicFoot = 1728;
constexpr double kCubicFeetPerCubicYard   = 27;
constexpr double kCubicFeetPerCord        = 128;
constexpr double kUsGillsPerPint          = 4;
constexpr double kUsPintsPerQuart         = 2;
constexpr double kUsQuartsPerGallon       = 4;
constexpr double kUsGallonsPerBarrel      = 31.5;
constexpr double kUsGallonsPerOilBarrel   = 42;
constexpr double kUkGillsPerPint          = 4;
constexpr double kUkPintsPerQuart         = 2;
constexpr double kUkQuartsPerGallon       = 4;
constexpr double kUkGallonsPerBarrel      = 36;
constexpr double kShakuPerGo              = 10;
constexpr double kGoPerSho                = 10;
constexpr double kShoPerTo                = 10;
constexpr double kToPerHyo                = 4;
constexpr double kToPerKoku               = 10;
// clang-format on

// The groups that the help page's unit table lists the fields in.
constexpr const char* kMetricUnits = "メートル法（水色）";
constexpr const char* kCubicUnits = "立方の単位（黄色）";
constexpr const char* kUKLiquidUnits = "英国の液量（黄色）";
constexpr const char* kUSLiquidUnits = "米国の液量（薄紫）";
constexpr const char* kShakkanUnits = "尺貫法（桃色）";
constexpr const char* kSpoonUnits = "さじとカップ（緑色）";
constexpr const char* kContainerUnits = "容器（橙色）";
constexpr const char* kUKDryUnits = "英国の乾量（「Dry」の枠）";
constexpr const char* kUSDryUnits = "米国の乾量（「Dry」の枠）";

Layout cubicLayout()
{
    Layout layout;
    // Five columns on the window; the dry measures stand relative to the "Dry" frame.
    // clang-format off
    layout.fields = {
        //                   name                  label            Left   Top   tab  colour
        unitFieldUnderLabel(MEZURA_FIELD(txtC1), "cm3, cc, ml",      45,   240,    0, kMetric)
            .unitIs(kMetricUnits, kBaseUnit, "立方センチメートル")
            .alias("mL", "milliliter", "millilitre", "cubic centimeter"),
        unitFieldUnderLabel(MEZURA_FIELD(txtC2), "dl",               45,   795,    1, kMetric)
            .unitIs(kMetricUnits, "1 dl = 100 cm3", "デシリットル")
            .alias("dL", "deciliter", "decilitre"),
        unitFieldUnderLabel(MEZURA_FIELD(txtC3), "l",                45,  1815,    2, kMetric)
            .unitIs(kMetricUnits, "1 l = 1000 cm3", "リットル")
            .alias("L", "liter", "litre", "liters", "litres"),
        unitFieldUnderLabel(MEZURA_FIELD(txtC4), "m3",               60,  3870,    3, kMetric)
            .unitIs(kMetricUnits, "1 m3 = 1000000 cm3", "立方メートル")
            .alias("cubic meter", "cubic metre"),
        unitFieldUnderLabel(MEZURA_FIELD(txtM1), "小匙",           4440,   240,   26, kSpoons)
            .unitIs(kSpoonUnits, "1 小匙 = 2.5 cm3", "こさじ",
                    "今日の料理の小さじは 5 mL です。"),
        unitFieldUnderLabel(MEZURA_FIELD(txtM2), "中匙",           4440,   795,   27, kSpoons)
            .unitIs(kSpoonUnits, "1 中匙 = 5 cm3", "なかさじ",
                    "今日の料理では小さじ（5 mL）の大きさです。"),
        unitFieldUnderLabel(MEZURA_FIELD(txtM3), "大匙",           4440,  1320,   28, kSpoons)
            .unitIs(kSpoonUnits, "1 大匙 = 15 cm3", "おおさじ"),
        unitFieldUnderLabel(MEZURA_FIELD(txtM4), "カップ",         4440,  1830,   29, kSpoons)
            .unitIs(kSpoonUnits, "1 カップ = 180 cm3", "カップ",
                    "米を量るカップ（1 合）です。料理の計量カップは 200 mL です。"),
        unitFieldUnderLabel(MEZURA_FIELD(txtI1), "in3",            1140,   255,    4, kInchAndUK)
            .unitIs(kCubicUnits, "1 in3 = 16.3872 cm3", "立方インチ")
            .alias("cubic inch"),
        unitFieldUnderLabel(MEZURA_FIELD(txtI2), "ft3",            1140,  2880,    9, kInchAndUK)
            .unitIs(kCubicUnits, "1 ft3 = 28317.0816 cm3", "立方フィート")
            .alias("cubic foot", "cubic feet"),
        unitFieldUnderLabel(MEZURA_FIELD(txtI3), "yd3",            1140,  3885,   11, kInchAndUK)
            .unitIs(kCubicUnits, "1 yd3 = 764561.2032 cm3", "立方ヤード")
            .alias("cubic yard"),
        unitFieldUnderLabel(MEZURA_FIELD(txtI4), "cord",           1140,  4410,   12, kInchAndUK)
            .unitIs(kCubicUnits, "1 cord = 3624586.4448 cm3", "コード")
            .alias("cords"),
        unitFieldUnderLabel(MEZURA_FIELD(txtS0), "勺",             3345,   795,   18, kJapanese)
            .unitIs(kShakkanUnits, "1 勺 = 18.04 cm3", "しゃく"),
        unitFieldUnderLabel(MEZURA_FIELD(txtS1), "合",             3345,  1320,   19, kJapanese)
            .unitIs(kShakkanUnits, "1 合 = 180.4 cm3", "ごう"),
        unitFieldUnderLabel(MEZURA_FIELD(txtS2), "升",             3345,  1830,   20, kJapanese)
            .unitIs(kShakkanUnits, "1 升 = 1804 cm3", "しょう"),
        unitFieldUnderLabel(MEZURA_FIELD(txtS3), "斗",             3345,  2355,   21, kJapanese)
            .unitIs(kShakkanUnits, "1 斗 = 18040 cm3", "と"),
        unitFieldUnderLabel(MEZURA_FIELD(txtS4), "俵",             3345,  3345,   23, kJapanese)
            .unitIs(kShakkanUnits, "1 俵 = 72160 cm3", "ひょう"),
        unitFieldUnderLabel(MEZURA_FIELD(txtS5), "石",             3345,  3840,   24, kJapanese)
            .unitIs(kShakkanUnits, "1 石 = 180400 cm3", "こく"),
        unitFieldUnderLabel(MEZURA_FIELD(txtS6), "立坪",           3345,  4365,   25, kJapanese)
            .unitIs(kShakkanUnits, "1 立坪 = 6008700 cm3", "りゅうつぼ"),
        unitFieldUnderLabel(MEZURA_FIELD(txtS7), "才",             3345,  2865,   22, kJapanese)
            .unitIs(kShakkanUnits, "1 才 = 27826 cm3", "さい"),
        unitFieldUnderLabel(MEZURA_FIELD(txtLE1), "UK-gill",       1140,   780,    5, kInchAndUK)
            .unitIs(kUKLiquidUnits, "1 UK-gill = 142 cm3", "英国液量ジル",
                    "1 英国ガロンを 4544 cm3 とした値です（標準の英国ジルは 142.0653125 cm3）。"),
        unitFieldUnderLabel(MEZURA_FIELD(txtLE2), "UK-pint",       1140,  1290,    6, kInchAndUK)
            .unitIs(kUKLiquidUnits, "1 UK-pint = 568 cm3", "英国液量パイント",
                    "1 英国ガロンを 4544 cm3 とした値です（標準の英国パイントは 568.26125 cm3）。")
            .alias("pt"),
        unitFieldUnderLabel(MEZURA_FIELD(txtLE3), "UK-quart",      1140,  1815,    7, kInchAndUK)
            .unitIs(kUKLiquidUnits, "1 UK-quart = 1136 cm3", "英国液量クォート",
                    "1 英国ガロンを 4544 cm3 とした値です（標準の英国クォートは 1136.5225 cm3）。")
            .alias("qt"),
        unitFieldUnderLabel(MEZURA_FIELD(txtLE4), "UK-gallon",     1140,  2340,    8, kInchAndUK)
            .unitIs(kUKLiquidUnits, "1 UK-gallon = 4544 cm3", "英国液量ガロン",
                    "標準の英国ガロンは 4546.09 cm3 です。")
            .alias("gal"),
        unitFieldUnderLabel(MEZURA_FIELD(txtLE5), "UK-barrel",     1140,  3360,   10, kInchAndUK)
            .unitIs(kUKLiquidUnits, "1 UK-barrel = 163600 cm3", "英国液量バレル",
                    "1 英国ガロンを 4544 cm3 とした値です（標準の 36 英国ガロンは 163659.24 cm3）。"),
        unitFieldUnderLabel(MEZURA_FIELD(txtLA1), "US-gill",       2250,   795,   13, kUS)
            .unitIs(kUSLiquidUnits, "1 US-gill = 118 cm3", "米国液量ジル",
                    "1 米国ガロンを 3776 cm3 とした値です（標準の米国ジルは 118.29411825 cm3）。"),
        unitFieldUnderLabel(MEZURA_FIELD(txtLA2), "US-pint",       2250,  1320,   14, kUS)
            .unitIs(kUSLiquidUnits, "1 US-pint = 472 cm3", "米国液量パイント",
                    "1 米国ガロンを 3776 cm3 とした値です（標準の米国パイントは 473.176473 cm3）。")
            .alias("pt"),
        unitFieldUnderLabel(MEZURA_FIELD(txtLA3), "US-quart",      2250,  1845,   15, kUS)
            .unitIs(kUSLiquidUnits, "1 US-quart = 944 cm3", "米国液量クォート",
                    "1 米国ガロンを 3776 cm3 とした値です（標準の米国クォートは 946.352946 cm3）。")
            .alias("qt"),
        unitFieldUnderLabel(MEZURA_FIELD(txtLA4), "US-gallon",     2250,  2400,   16, kUS)
            .unitIs(kUSLiquidUnits, "1 US-gallon = 3776 cm3", "米国液量ガロン",
                    "標準の米国ガロンは 3785.411784 cm3 です。")
            .alias("gal"),
        unitFieldUnderLabel(MEZURA_FIELD(txtLA5), "US-barrel",     2250,  3360,   17, kUS)
            .unitIs(kUSLiquidUnits, "1 US-barrel = 119200 cm3", "米国液量バレル",
                    "1 米国ガロンを 3776 cm3 とした値です（標準の 31.5 米国ガロンは 119240.471196 cm3）。"),
        unitFieldUnderLabel(MEZURA_FIELD(txtO1), "灯油カン",       4440,  2355,   30, kContainers)
            .unitIs(kContainerUnits, "1 灯油カン = 18000 cm3", "とうゆかん"),
        unitFieldUnderLabel(MEZURA_FIELD(txtO2), "barrel (oil)",   4440,  2865,   31, kContainers)
            .unitIs(kContainerUnits, "1 barrel (oil) = 159000 cm3", "石油バレル")
            .alias("bbl"),
        unitFieldUnderLabel(MEZURA_FIELD(txtO3), "ドラムカン",     4440,  3360,   32, kContainers)
            .unitIs(kContainerUnits, "1 ドラムカン = 200000 cm3", "ドラムかん"),
        unitFieldUnderLabel(MEZURA_FIELD(txtDE1), "UK-pint",         90,   450,   33, kInchAndUK, kDry)
            .unitIs(kUKDryUnits, "1 UK-pint = 568.2 cm3", "英国乾量パイント")
            .alias("pt"),
        unitFieldUnderLabel(MEZURA_FIELD(txtDE2), "UK-quart",        90,   975,   34, kInchAndUK, kDry)
            .unitIs(kUKDryUnits, "1 UK-quart = 1136.4 cm3", "英国乾量クォート")
            .alias("qt"),
        unitFieldUnderLabel(MEZURA_FIELD(txtDE3), "UK-peck",         90,  1500,   35, kInchAndUK, kDry)
            .unitIs(kUKDryUnits, "1 UK-peck = 9091.2 cm3", "英国乾量ペック"),
        unitFieldUnderLabel(MEZURA_FIELD(txtDE4), "UK-bushel",       90,  2010,   36, kInchAndUK, kDry)
            .unitIs(kUKDryUnits, "1 UK-bushel = 36364.8 cm3", "英国乾量ブッシェル"),
        unitFieldUnderLabel(MEZURA_FIELD(txtDA1), "US-pint",       1200,   450,   37, kUS, kDry)
            .unitIs(kUSDryUnits, "1 US-pint = 550.6 cm3", "米国乾量パイント")
            .alias("pt"),
        unitFieldUnderLabel(MEZURA_FIELD(txtDA2), "US-quart",      1200,   975,   38, kUS, kDry)
            .unitIs(kUSDryUnits, "1 US-quart = 1101.2 cm3", "米国乾量クォート")
            .alias("qt"),
        unitFieldUnderLabel(MEZURA_FIELD(txtDA3), "US-peck",       1200,  1485,   39, kUS, kDry)
            .unitIs(kUSDryUnits, "1 US-peck = 8809.6 cm3", "米国乾量ペック"),
        unitFieldUnderLabel(MEZURA_FIELD(txtDA4), "US-bushel",     1200,  2010,   40, kUS, kDry)
            .unitIs(kUSDryUnits, "1 US-bushel = 35238.4 cm3", "米国乾量ブッシェル"),
    };
    // clang-format on
    layout.boxes = {{kDry, "Dry", {5550, 840, 2280, 2445}}};
    layout.sliders = {{"HScroll", {60, 4800, 4290, 255}, 0, 100, 41}};
    layout.labels = {{"IndMin", "0", {60, 5085, 255, kLabelHeight}},
                     {"IndMax", "100ml", {3600, 5070, 735, kLabelHeight}}};
    layout.buttons = {{"Command1", "cm3, ml", {60, 5355, 1110, 255}, kHighlight},
                      {"Command2", "dl", {1320, 5355, 795, 255}, kButtonFace},
                      {"Command3", "L", {2265, 5355, 795, 255}, kButtonFace},
                      {"Command4", "m3", {3225, 5355, 735, 255}, kButtonFace},
                      {"Command5", "?", {4110, 5355, 240, 255}, kHelpButton, ButtonRole::Help}};
    return layout;
}

const Call lineC{CubicWindow::kLineC};
const Call lineM{CubicWindow::kLineM};
const Call lineI{CubicWindow::kLineI};
const Call lineS{CubicWindow::kLineS};
const Call lineLE{CubicWindow::kLineLE};
const Call lineLA{CubicWindow::kLineLA};
const Call lineO{CubicWindow::kLineO};
const Call lineDE{CubicWindow::kLineDE};
const Call lineDA{CubicWindow::kLineDA};
const Call tindicator{CubicWindow::kTindicator};

// The group recompute procedures, by procedure number. Each fills its group from the cubic
// centimetres, except 立坪 and 才 (from the cubic metres) and the containers (from the
// litres and the US gallon): the metric fields and the US gallon are current by then.
std::vector<ProcedureRow> groupProcedures()
{
    // clang-format off
    return {
        {kLineC, {S(txtC2, txtC1, Div, kCm3PerDl), S(txtC3, txtC2, Div, kDlPerLitre),
                  S(txtC4, txtC3, Div, kLitresPerM3)}},
        {kLineM, {S(txtM1, txtC1, Div, kCm3PerKosaji), S(txtM2, txtC1, Div, kCm3PerNakasaji),
                  S(txtM3, txtC1, Div, kCm3PerOsaji), S(txtM4, txtC1, Div, kCm3PerCup)}},
        {kLineI, {S(txtI1, txtC1, Div, kCm3PerCubicInch), S(txtI2, txtI1, Div, kCubicInchesPerCubicFoot),
                  S(txtI3, txtI2, Div, kCubicFeetPerCubicYard), S(txtI4, txtI2, Div, kCubicFeetPerCord)}},
        {kLineS, {S(txtS1, txtC1, Div, kCm3PerGo), S(txtS2, txtS1, Div, kGoPerSho), S(txtS3, txtS2, Div, kShoPerTo),
                  S(txtS4, txtS3, Div, kToPerHyo), S(txtS5, txtS3, Div, kToPerKoku),
                  S(txtS6, txtC4, Div, kM3PerRyuTsubo), S(txtS0, txtS1, Mul, kShakuPerGo),
                  S(txtS7, txtC4, Div, kM3PerSai)}},
        {kLineLE, {S(txtLE1, txtC1, Div, kCm3PerUkGill), S(txtLE2, txtLE1, Div, kUkGillsPerPint),
                   S(txtLE3, txtLE2, Div, kUkPintsPerQuart), S(txtLE4, txtLE3, Div, kUkQuartsPerGallon),
                   S(txtLE5, txtLE4, Div, kUkGallonsPerBarrel)}},
        {kLineLA, {S(txtLA1, txtC1, Div, kCm3PerUsGill), S(txtLA2, txtLA1, Div, kUsGillsPerPint),
                   S(txtLA3, txtLA2, Div, kUsPintsPerQuart), S(txtLA4, txtLA3, Div, kUsQuartsPerGallon),
                   S(txtLA5, txtLA4, Div, kUsGallonsPerBarrel)}},
        {kLineO, {S(txtO1, txtC3, Div, kLitresPerKeroseneCan), S(txtO2, txtLA4, Div, kUsGallonsPerOilBarrel),
                  S(txtO3, txtC3, Div, kLitresPerDrum)}},
        {kLineDE, {S(txtDE1, txtC1, Div, kCm3PerUkDryPint), S(txtDE2, txtDE1, Div, kUkDryPintsPerQuart),
                   S(txtDE3, txtDE2, Div, kUkDryQuartsPerPeck), S(txtDE4, txtDE3, Div, kUkPecksPerBushel)}},
        {kLineDA, {S(txtDA1, txtC1, Div, kCm3PerUsDryPint), S(txtDA2, txtDA1, Div, kUsDryPintsPerQuart),
                   S(txtDA3, txtDA2, Div, kUsDryQuartsPerPeck), S(txtDA4, txtDA3, Div, kUsPecksPerBushel)}},
    };
    // clang-format on
}

// What Enter in each field runs: the typed field's own group and the cubic centimetres, then
// the other groups in the fixed order lineC, lineM, lineI, lineS, lineLE, lineLA, lineO,
// lineDE, lineDA. A typed barrel goes to cm3 by its own round figure (163600, 119200 or
// 159000 cm3), not through the gallons it is made of.
std::vector<EnterRow> enterChains()
{
    // clang-format off
    return {
        // Metric: along the ladder from the typed field.
        {txtC1, {lineC, lineM, lineI, lineS, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtC2, {S(txtC1, txtC2, Mul, kCm3PerDl), S(txtC3, txtC2, Div, kDlPerLitre),
                 S(txtC4, txtC3, Div, kLitresPerM3),
                 lineM, lineI, lineS, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtC3, {S(txtC2, txtC3, Mul, kDlPerLitre), S(txtC1, txtC2, Mul, kCm3PerDl),
                 S(txtC4, txtC3, Div, kLitresPerM3),
                 lineM, lineI, lineS, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtC4, {S(txtC3, txtC4, Mul, kLitresPerM3), S(txtC2, txtC3, Mul, kDlPerLitre),
                 S(txtC1, txtC2, Mul, kCm3PerDl),
                 lineM, lineI, lineS, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},

        // Spoons and the cup: cm3 first, the others from it.
        {txtM1, {S(txtC1, txtM1, Mul, kCm3PerKosaji), S(txtM2, txtC1, Div, kCm3PerNakasaji),
                 S(txtM3, txtC1, Div, kCm3PerOsaji), S(txtM4, txtC1, Div, kCm3PerCup),
                 lineC, lineI, lineS, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtM2, {S(txtC1, txtM2, Mul, kCm3PerNakasaji), S(txtM1, txtC1, Div, kCm3PerKosaji),
                 S(txtM3, txtC1, Div, kCm3PerOsaji), S(txtM4, txtC1, Div, kCm3PerCup),
                 lineC, lineI, lineS, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtM3, {S(txtC1, txtM3, Mul, kCm3PerOsaji), S(txtM2, txtC1, Div, kCm3PerNakasaji),
                 S(txtM1, txtC1, Div, kCm3PerKosaji), S(txtM4, txtC1, Div, kCm3PerCup),
                 lineC, lineI, lineS, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtM4, {S(txtC1, txtM4, Mul, kCm3PerCup), S(txtM3, txtC1, Div, kCm3PerOsaji),
                 S(txtM2, txtC1, Div, kCm3PerNakasaji), S(txtM1, txtC1, Div, kCm3PerKosaji),
                 lineC, lineI, lineS, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},

        // Cubic inch to cord: through the cubic foot, then cm3 from the cubic inch.
        {txtI1, {S(txtC1, txtI1, Mul, kCm3PerCubicInch), S(txtI2, txtI1, Div, kCubicInchesPerCubicFoot),
                 S(txtI3, txtI2, Div, kCubicFeetPerCubicYard), S(txtI4, txtI2, Div, kCubicFeetPerCord),
                 lineC, lineM, lineS, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtI2, {S(txtI1, txtI2, Mul, kCubicInchesPerCubicFoot), S(txtI3, txtI2, Div, kCubicFeetPerCubicYard),
                 S(txtI4, txtI2, Div, kCubicFeetPerCord), S(txtC1, txtI1, Mul, kCm3PerCubicInch),
                 lineC, lineM, lineS, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtI3, {S(txtI2, txtI3, Mul, kCubicFeetPerCubicYard), S(txtI1, txtI2, Mul, kCubicInchesPerCubicFoot),
                 S(txtI4, txtI2, Div, kCubicFeetPerCord), S(txtC1, txtI1, Mul, kCm3PerCubicInch),
                 lineC, lineM, lineS, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtI4, {S(txtI2, txtI4, Mul, kCubicFeetPerCord), S(txtI3, txtI2, Div, kCubicFeetPerCubicYard),
                 S(txtI1, txtI2, Mul, kCubicInchesPerCubicFoot), S(txtC1, txtI1, Mul, kCm3PerCubicInch),
                 lineC, lineM, lineS, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},

        // 升 and its family: up to the 合, cm3 from it, the metric group at once (立坪 and 才
        // read the cubic metres), the rest of the group, then the other groups.
        {txtS0, {S(txtS1, txtS0, Div, kShakuPerGo), S(txtS2, txtS1, Div, kGoPerSho), S(txtC1, txtS1, Mul, kCm3PerGo),
                 lineC, S(txtS3, txtS2, Div, kShoPerTo), S(txtS4, txtS3, Div, kToPerHyo),
                 S(txtS5, txtS3, Div, kToPerKoku), S(txtS6, txtC4, Div, kM3PerRyuTsubo),
                 S(txtS7, txtC4, Div, kM3PerSai),
                 lineM, lineI, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtS1, {S(txtS2, txtS1, Div, kGoPerSho), S(txtC1, txtS1, Mul, kCm3PerGo),
                 lineC, S(txtS3, txtS2, Div, kShoPerTo), S(txtS4, txtS3, Div, kToPerHyo),
                 S(txtS5, txtS3, Div, kToPerKoku), S(txtS6, txtC4, Div, kM3PerRyuTsubo),
                 S(txtS7, txtC4, Div, kM3PerSai), S(txtS0, txtS1, Mul, kShakuPerGo),
                 lineM, lineI, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtS2, {S(txtS1, txtS2, Mul, kGoPerSho), S(txtC1, txtS1, Mul, kCm3PerGo),
                 lineC, S(txtS3, txtS2, Div, kShoPerTo), S(txtS4, txtS3, Div, kToPerHyo),
                 S(txtS5, txtS3, Div, kToPerKoku), S(txtS6, txtC4, Div, kM3PerRyuTsubo),
                 S(txtS7, txtC4, Div, kM3PerSai), S(txtS0, txtS1, Mul, kShakuPerGo),
                 lineM, lineI, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtS3, {S(txtS2, txtS3, Mul, kShoPerTo), S(txtS1, txtS2, Mul, kGoPerSho), S(txtC1, txtS1, Mul, kCm3PerGo),
                 lineC, S(txtS4, txtS3, Div, kToPerHyo), S(txtS5, txtS3, Div, kToPerKoku),
                 S(txtS6, txtC4, Div, kM3PerRyuTsubo), S(txtS7, txtC4, Div, kM3PerSai),
                 S(txtS0, txtS1, Mul, kShakuPerGo),
                 lineM, lineI, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtS4, {S(txtS3, txtS4, Mul, kToPerHyo), S(txtS2, txtS3, Mul, kShoPerTo), S(txtS1, txtS2, Mul, kGoPerSho),
                 S(txtC1, txtS1, Mul, kCm3PerGo),
                 lineC, S(txtS5, txtS3, Div, kToPerKoku), S(txtS6, txtC4, Div, kM3PerRyuTsubo),
                 S(txtS7, txtC4, Div, kM3PerSai), S(txtS0, txtS1, Mul, kShakuPerGo),
                 lineM, lineI, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtS5, {S(txtS3, txtS5, Mul, kToPerKoku), S(txtS2, txtS3, Mul, kShoPerTo), S(txtS1, txtS2, Mul, kGoPerSho),
                 S(txtC1, txtS1, Mul, kCm3PerGo),
                 lineC, S(txtS4, txtS3, Div, kToPerHyo), S(txtS6, txtC4, Div, kM3PerRyuTsubo),
                 S(txtS7, txtC4, Div, kM3PerSai), S(txtS0, txtS1, Mul, kShakuPerGo),
                 lineM, lineI, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        // 立坪 and 才 go through the cubic metres down the metric ladder to cm3.
        {txtS6, {S(txtC4, txtS6, Mul, kM3PerRyuTsubo), S(txtC3, txtC4, Mul, kLitresPerM3),
                 S(txtC2, txtC3, Mul, kDlPerLitre), S(txtC1, txtC2, Mul, kCm3PerDl), S(txtS1, txtC1, Div, kCm3PerGo),
                 S(txtS2, txtS1, Div, kGoPerSho), S(txtS3, txtS2, Div, kShoPerTo), S(txtS4, txtS3, Div, kToPerHyo),
                 S(txtS5, txtS3, Div, kToPerKoku), S(txtS7, txtC4, Div, kM3PerSai), S(txtS0, txtS1, Mul, kShakuPerGo),
                 lineM, lineI, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtS7, {S(txtC4, txtS7, Mul, kM3PerSai), S(txtC3, txtC4, Mul, kLitresPerM3),
                 S(txtC2, txtC3, Mul, kDlPerLitre), S(txtC1, txtC2, Mul, kCm3PerDl), S(txtS1, txtC1, Div, kCm3PerGo),
                 S(txtS2, txtS1, Div, kGoPerSho), S(txtS3, txtS2, Div, kShoPerTo), S(txtS4, txtS3, Div, kToPerHyo),
                 S(txtS5, txtS3, Div, kToPerKoku), S(txtS6, txtC4, Div, kM3PerRyuTsubo),
                 S(txtS0, txtS1, Mul, kShakuPerGo),
                 lineM, lineI, lineLE, lineLA, lineO, lineDE, lineDA, tindicator}},

        // UK liquid measures: the ladder from the typed field, cm3 from the gill (142 cm3),
        // from the barrel by 163600 cm3.
        {txtLE1, {S(txtLE2, txtLE1, Div, kUkGillsPerPint), S(txtLE3, txtLE2, Div, kUkPintsPerQuart),
                  S(txtLE4, txtLE3, Div, kUkQuartsPerGallon), S(txtLE5, txtLE4, Div, kUkGallonsPerBarrel),
                  S(txtC1, txtLE1, Mul, kCm3PerUkGill),
                  lineC, lineM, lineI, lineS, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtLE2, {S(txtLE1, txtLE2, Mul, kUkGillsPerPint), S(txtLE3, txtLE2, Div, kUkPintsPerQuart),
                  S(txtLE4, txtLE3, Div, kUkQuartsPerGallon), S(txtLE5, txtLE4, Div, kUkGallonsPerBarrel),
                  S(txtC1, txtLE1, Mul, kCm3PerUkGill),
                  lineC, lineM, lineI, lineS, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtLE3, {S(txtLE2, txtLE3, Mul, kUkPintsPerQuart), S(txtLE1, txtLE2, Mul, kUkGillsPerPint),
                  S(txtLE4, txtLE3, Div, kUkQuartsPerGallon), S(txtLE5, txtLE4, Div, kUkGallonsPerBarrel),
                  S(txtC1, txtLE1, Mul, kCm3PerUkGill),
                  lineC, lineM, lineI, lineS, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtLE4, {S(txtLE3, txtLE4, Mul, kUkQuartsPerGallon), S(txtLE2, txtLE3, Mul, kUkPintsPerQuart),
                  S(txtLE1, txtLE2, Mul, kUkGillsPerPint), S(txtLE5, txtLE4, Div, kUkGallonsPerBarrel),
                  S(txtC1, txtLE1, Mul, kCm3PerUkGill),
                  lineC, lineM, lineI, lineS, lineLA, lineO, lineDE, lineDA, tindicator}},
        {txtLE5, {S(txtLE4, txtLE5, Mul, kUkGallonsPerBarrel), S(txtLE3, txtLE4, Mul, kUkQuartsPerGallon),
                  S(txtLE2, txtLE3, Mul, kUkPintsPerQuart), S(txtLE1, txtLE2, Mul, kUkGillsPerPint),
                  S(txtC1, txtLE5, Mul, kCm3PerUkBarrel),
                  lineC, lineM, lineI, lineS, lineLA, lineO, lineDE, lineDA, tindicator}},

        // US liquid measures: the gill is 118 cm3, the barrel typed in 119200 cm3.
        {txtLA1, {S(txtLA2, txtLA1, Div, kUsGillsPerPint), S(txtLA3, txtLA2, Div, kUsPintsPerQuart),
                  S(txtLA4, txtLA3, Div, kUsQuartsPerGallon), S(txtLA5, txtLA4, Div, kUsGallonsPerBarrel),
                  S(txtC1, txtLA1, Mul, kCm3PerUsGill),
                  lineC, lineM, lineI, lineS, lineLE, lineO, lineDE, lineDA, tindicator}},
        {txtLA2, {S(txtLA1, txtLA2, Mul, kUsGillsPerPint), S(txtLA3, txtLA2, Div, kUsPintsPerQuart),
                  S(txtLA4, txtLA3, Div, kUsQuartsPerGallon), S(txtLA5, txtLA4, Div, kUsGallonsPerBarrel),
                  S(txtC1, txtLA1, Mul, kCm3PerUsGill),
                  lineC, lineM, lineI, lineS, lineLE, lineO, lineDE, lineDA, tindicator}},
        {txtLA3, {S(txtLA2, txtLA3, Mul, kUsPintsPerQuart), S(txtLA1, txtLA2, Mul, kUsGillsPerPint),
                  S(txtLA4, txtLA3, Div, kUsQuartsPerGallon), S(txtLA5, txtLA4, Div, kUsGallonsPerBarrel),
                  S(txtC1, txtLA1, Mul, kCm3PerUsGill),
                  lineC, lineM, lineI, lineS, lineLE, lineO, lineDE, lineDA, tindicator}},
        {txtLA4, {S(txtLA5, txtLA4, Div, kUsGallonsPerBarrel), S(txtLA3, txtLA4, Mul, kUsQuartsPerGallon),
                  S(txtLA2, txtLA3, Mul, kUsPintsPerQuart), S(txtLA1, txtLA2, Mul, kUsGillsPerPint),
                  S(txtC1, txtLA1, Mul, kCm3PerUsGill),
                  lineC, lineM, lineI, lineS, lineLE, lineO, lineDE, lineDA, tindicator}},
        {txtLA5, {S(txtLA4, txtLA5, Mul, kUsGallonsPerBarrel), S(txtLA3, txtLA4, Mul, kUsQuartsPerGallon),
                  S(txtLA2, txtLA3, Mul, kUsPintsPerQuart), S(txtLA1, txtLA2, Mul, kUsGillsPerPint),
                  S(txtC1, txtLA5, Mul, kCm3PerUsBarrel),
                  lineC, lineM, lineI, lineS, lineLE, lineO, lineDE, lineDA, tindicator}},

        // Containers: cm3 first; the two other containers read the litres and the US gallon,
        // so they come after the other groups.
        {txtO1, {S(txtC1, txtO1, Mul, kCm3PerKeroseneCan),
                 lineC, lineM, lineI, lineS, lineLE, lineLA, lineDE, lineDA,
                 S(txtO2, txtLA4, Div, kUsGallonsPerOilBarrel), S(txtO3, txtC3, Div, kLitresPerDrum),
                 tindicator}},
        {txtO2, {S(txtC1, txtO2, Mul, kCm3PerOilBarrel),
                 lineC, lineM, lineI, lineS, lineLE, lineLA, lineDE, lineDA,
                 S(txtO1, txtC3, Div, kLitresPerKeroseneCan), S(txtO3, txtC3, Div, kLitresPerDrum),
                 tindicator}},
        {txtO3, {S(txtC1, txtO3, Mul, kCm3PerDrum),
                 lineC, lineM, lineI, lineS, lineLE, lineLA, lineDE, lineDA,
                 S(txtO1, txtC3, Div, kLitresPerKeroseneCan), S(txtO2, txtLA4, Div, kUsGallonsPerOilBarrel),
                 tindicator}},

        // UK dry measures: the pint is 568.2 cm3.
        {txtDE1, {S(txtDE2, txtDE1, Div, kUkDryPintsPerQuart), S(txtDE3, txtDE2, Div, kUkDryQuartsPerPeck),
                  S(txtDE4, txtDE3, Div, kUkPecksPerBushel), S(txtC1, txtDE1, Mul, kCm3PerUkDryPint),
                  lineC, lineM, lineI, lineS, lineLE, lineLA, lineO, lineDA, tindicator}},
        {txtDE2, {S(txtDE1, txtDE2, Mul, kUkDryPintsPerQuart), S(txtDE3, txtDE2, Div, kUkDryQuartsPerPeck),
                  S(txtDE4, txtDE3, Div, kUkPecksPerBushel), S(txtC1, txtDE1, Mul, kCm3PerUkDryPint),
                  lineC, lineM, lineI, lineS, lineLE, lineLA, lineO, lineDA, tindicator}},
        {txtDE3, {S(txtDE2, txtDE3, Mul, kUkDryQuartsPerPeck), S(txtDE1, txtDE2, Mul, kUkDryPintsPerQuart),
                  S(txtDE4, txtDE3, Div, kUkPecksPerBushel), S(txtC1, txtDE1, Mul, kCm3PerUkDryPint),
                  lineC, lineM, lineI, lineS, lineLE, lineLA, lineO, lineDA, tindicator}},
        {txtDE4, {S(txtDE3, txtDE4, Mul, kUkPecksPerBushel), S(txtDE2, txtDE3, Mul, kUkDryQuartsPerPeck),
                  S(txtDE1, txtDE2, Mul, kUkDryPintsPerQuart), S(txtC1, txtDE1, Mul, kCm3PerUkDryPint),
                  lineC, lineM, lineI, lineS, lineLE, lineLA, lineO, lineDA, tindicator}},

        // US dry measures: the pint is 550.6 cm3.
        {txtDA1, {S(txtDA2, txtDA1, Div, kUsDryPintsPerQuart), S(txtDA3, txtDA2, Div, kUsDryQuartsPerPeck),
                  S(txtDA4, txtDA3, Div, kUsPecksPerBushel), S(txtC1, txtDA1, Mul, kCm3PerUsDryPint),
                  lineC, lineM, lineI, lineS, lineLE, lineLA, lineO, lineDE, tindicator}},
        {txtDA2, {S(txtDA1, txtDA2, Mul, kUsDryPintsPerQuart), S(txtDA3, txtDA2, Div, kUsDryQuartsPerPeck),
                  S(txtDA4, txtDA3, Div, kUsPecksPerBushel), S(txtC1, txtDA1, Mul, kCm3PerUsDryPint),
                  lineC, lineM, lineI, lineS, lineLE, lineLA, lineO, lineDE, tindicator}},
        {txtDA3, {S(txtDA2, txtDA3, Mul, kUsDryQuartsPerPeck), S(txtDA1, txtDA2, Mul, kUsDryPintsPerQuart),
                  S(txtDA4, txtDA3, Div, kUsPecksPerBushel), S(txtC1, txtDA1, Mul, kCm3PerUsDryPint),
                  lineC, lineM, lineI, lineS, lineLE, lineLA, lineO, lineDE, tindicator}},
        {txtDA4, {S(txtDA3, txtDA4, Mul, kUsPecksPerBushel), S(txtDA2, txtDA3, Mul, kUsDryQuartsPerPeck),
                  S(txtDA1, txtDA2, Mul, kUsDryPintsPerQuart), S(txtC1, txtDA1, Mul, kCm3PerUsDryPint),
                  lineC, lineM, lineI, lineS, lineLE, lineLA, lineO, lineDE, tindicator}},
    };
    // clang-format on
}

// The gauge in ml, dl, L and m3, chosen by the litres. Whatever the range, the slider writes
// litres as plain text, passes them once more through the digit limiter and runs the metric
// ladder and every other group; a drag and a change write alike. The clamps write cm3.
GaugeSpec cubicGauge()
{
    const Chain fromCubicCentimetres = {lineC, lineM, lineI, lineS, lineLE, lineLA, lineO, lineDE, lineDA};
    // clang-format off
    const Chain fromLitres = {Step{txtC3, txtC3, {}}, // the litres once more, limited
                              S(txtC2, txtC3, Mul, kDlPerLitre), S(txtC1, txtC2, Mul, kCm3PerDl), S(txtC4, txtC3, Div, kLitresPerM3),
                              lineM, lineI, lineS, lineLE, lineLA, lineO, lineDE, lineDA};
    // clang-format on
    const auto litres = [&](Operations fromPosition) { return WriteBack{txtC3, fromPosition, false, fromLitres}; };
    // Above `limit`, cm3 get `top` and every group follows; the thumb stays.
    const auto clamp = [&](CubicWindow::Field field, double limit, const char* top) {
        return Clamp{Reading{field}, limit, txtC1, top, fromCubicCentimetres, ClampPosition::Keep};
    };

    GaugeSpec gauge;
    gauge.decision = txtC3;
    // clang-format off
    gauge.ranges = {
        // n  button      l bound    Max    caption    thumb    litres <- p        clamp: over what, cm3 text
        {1, "Command1", 0.1,        100,   "100ml",   {txtC1}, litres({{Div, kCm3PerDl * kDlPerLitre}}), clamp(txtC1, 100, "100")},
        {2, "Command2", 1,           10,   "10dl",    {txtC2}, litres({{Div, kDlPerLitre}}),   clamp(txtC2, 10, "1000")},
        {3, "Command3", 1000,      1000,   "1000L",   {txtC3}, litres({}),            clamp(txtC3, 1000, "1000000")},
        {4, "Command4", 30000000, 30000,   "30000m3", {txtC4}, litres({{Mul, kLitresPerM3}})}, // no clamp
    };
    // clang-format on
    gauge.reset = GaugeReset::allFields(CubicWindow::kFieldCount); // every unit field "0"
    return gauge;
}

} // namespace

Layout CubicWindow::controls()
{
    return cubicLayout();
}

CubicWindow::CubicWindow(App& app, const FrameSpec& frame)
    : GaugeWindow(app, frame, controls(), cubicGauge())
{
    install(groupProcedures(), enterChains(), kTindicator);
}

} // namespace mezura
