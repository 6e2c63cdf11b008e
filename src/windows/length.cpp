#include "windows/length.h"

#include <utility>

namespace mezura {

namespace {

using namespace rows;
using enum LengthWindow::Field;
using enum LengthWindow::Procedure;

constexpr Colour kMetric = rgb(192, 255, 255); // metric, and the nautical mile beside it
constexpr Colour kYardPound = rgb(255, 255, 192);
constexpr Colour kShakuKan = rgb(255, 192, 255);
constexpr Colour kCloth = rgb(192, 255, 192); // cloth shaku and Kyoto ken
constexpr Colour kType = rgb(255, 224, 192);

constexpr const char* kAmerican = "Frame1"; // "米国式活字"
constexpr const char* kEuropean = "Frame2"; // "欧州式活字"

// The sizes of the units, each as how many of one unit make one of the next. The sun is
// 0.33 per centimetre one way; 厘 and 分 go back to centimetres at 3.03 cm per sun, which is
// not quite 1 / 0.33, as the window has always counted them.
// clang-format off
constexpr double kMmPerCm           = 10;
constexpr double kCmPerM            = 100;
constexpr double kCmPerInch         = 2.54;
constexpr double kCmPerSun          = 3.03;
constexpr double kMPerKm            = 1000;
constexpr double kKmPerNauticalMile = 1.852;
constexpr double kInchesPerFoot     = 12;
constexpr double kFeetPerYard       = 3;
constexpr double kYardsPerRod       = 5.5;
constexpr double kRodsPerChain      = 4;
constexpr double kChainsPerFurlong  = 10;
constexpr double kFurlongsPerMile   = 8;
constexpr double kMilesPerLeague    = 3;
constexpr double kPointsPerPica     = 12;
constexpr double kTwipsPerInch      = 1440;
constexpr double kTwipsPerPoint     = 20;
constexpr double kDtpPointsPerInch  = 72;
constexpr double kQPerCm            = 40;
constexpr double kRinPerSun         = 100;
constexpr double kBuPerSun          = 10;
constexpr double kSunPerCm          = 0.33;
constexpr double kSunPerGofukuShaku = 12;
constexpr double kSunPerKujiraShaku = 12.5;
constexpr double kSunPerKyomaKen    = 65;
constexpr double kSunPerShaku       = 10;
constexpr double kShakuPerKen       = 6;
constexpr double kShakuPerJo        = 10;
constexpr double kShakuPerTan       = 36;
constexpr double kKenPerTan         = 6;
constexpr double kKenPerCho         = 60;
constexpr double kChoPerRi          = 36;
// clang-format on
// 83 picas make 35 cm, 80 Didot points 3 cm: each step multiplies and divides by the two.
// clang-format off
constexpr double kPicaRatioPicas    = 83;
constexpr double kPicaRatioCm       = 35;
constexpr double kDidotRatioPoints  = 80;
constexpr double kDidotRatioCm      = 3;
// clang-format on

// The groups that the help page's unit table lists the fields in.
constexpr const char* kMetricUnits = "メートル法（水色）";
constexpr const char* kYardPoundUnits = "ヤード・ポンド法（黄色）";
constexpr const char* kShakkanUnits = "尺貫法（桃色）";
constexpr const char* kClothUnits = "布の尺と京間（緑色）";
constexpr const char* kTypeUnits = "活字の大きさ（橙色）";

FieldSpec field(int id, const char* name, const char* label, int left, int top, int labelLeft, int labelTop, int tab,
                Colour colour, const char* box = "")
{
    return numbered(
        id, FieldSpec{name, label, {left, top, kFieldWidth, kFieldHeight}, labelLeft, labelTop, tab, colour, box});
}

Layout lengthLayout()
{
    Layout layout;
    // Fields in a frame stand relative to it. The labels of the yard-pound fields, of "里"
    // and of "間(京間)" do not stand at their field's Left.
    // clang-format off
    layout.fields = {
        //     name                  label          Left   Top   label at     tab  colour
        field(MEZURA_FIELD(txtC0), "mm",             45,   781,   45,  586,    0, kMetric)
            .unitIs(kMetricUnits, "1 mm = 0.1 cm", "ミリメートル")
            .alias("millimeter", "millimetre", "millimeters", "millimetres"),
        field(MEZURA_FIELD(txtC1), "cm",             45,  1292,   45, 1097,    1, kMetric)
            .unitIs(kMetricUnits, kBaseUnit, "センチメートル")
            .alias("centimeter", "centimetre", "centimeters", "centimetres"),
        field(MEZURA_FIELD(txtC2), "m",              45,  2314,   45, 2119,    2, kMetric)
            .unitIs(kMetricUnits, "1 m = 100 cm", "メートル")
            .alias("meter", "metre", "meters", "metres"),
        field(MEZURA_FIELD(txtC3), "km",             45,  3847,   45, 3652,    3, kMetric)
            .unitIs(kMetricUnits, "1 km = 100000 cm", "キロメートル")
            .alias("kilometer", "kilometre", "kilometers", "kilometres"),
        field(MEZURA_FIELD(txtS7), "海里",           45,  4358,   45, 4170,    4, kMetric)
            .unitIs(kMetricUnits, "1 海里 = 185200 cm", "かいり")
            .alias("nmi", "nautical mile", "nautical miles"),
        field(MEZURA_FIELD(txtI1), "inch",         1145,  1292, 1140, 1097,    5, kYardPound)
            .unitIs(kYardPoundUnits, "1 inch = 2.54 cm", "インチ")
            .alias("in", "inches"),
        field(MEZURA_FIELD(txtI2), "feet",         1145,  1803, 1140, 1608,    6, kYardPound)
            .unitIs(kYardPoundUnits, "1 foot = 30.48 cm", "フィート")
            .alias("ft", "foot"),
        field(MEZURA_FIELD(txtI3), "yards",        1145,  2314, 1140, 2119,    7, kYardPound)
            .unitIs(kYardPoundUnits, "1 yard = 91.44 cm", "ヤード")
            .alias("yd", "yard"),
        field(MEZURA_FIELD(txtI4), "rods",         1145,  2825, 1140, 2630,    8, kYardPound)
            .unitIs(kYardPoundUnits, "1 rod = 502.92 cm", "ロッド")
            .alias("rod"),
        field(MEZURA_FIELD(txtI5), "chains",       1145,  3360, 1140, 3141,    9, kYardPound)
            .unitIs(kYardPoundUnits, "1 chain = 2011.68 cm", "チェーン")
            .alias("chain"),
        field(MEZURA_FIELD(txtI6), "furlong",      1145,  3847, 1140, 3652,   10, kYardPound)
            .unitIs(kYardPoundUnits, "1 furlong = 20116.8 cm", "ハロン")
            .alias("furlongs"),
        field(MEZURA_FIELD(txtI7), "miles",        1145,  4358, 1140, 4163,   11, kYardPound)
            .unitIs(kYardPoundUnits, "1 mile = 160934.4 cm", "マイル")
            .alias("mi", "mile"),
        field(MEZURA_FIELD(txtI8), "leagues",      1145,  4875, 1140, 4680,   12, kYardPound)
            .unitIs(kYardPoundUnits, "1 league = 482803.2 cm", "リーグ")
            .alias("league"),
        field(MEZURA_FIELD(txtS0), "厘",           2245,   270, 2245,   75,   13, kShakuKan)
            .unitIs(kShakkanUnits, "1 厘 = 0.0303 cm", "りん",
                    "1 寸を 3.03 cm として数えた値です（法定の 1 厘は 0.030303… cm）。"),
        field(MEZURA_FIELD(txtS00), "分",          2245,   781, 2245,  586,   14, kShakuKan)
            .unitIs(kShakkanUnits, "1 分 = 0.303 cm", "ぶ",
                    "1 寸を 3.03 cm として数えた値です（法定の 1 分は 0.30303… cm）。"),
        field(MEZURA_FIELD(txtS1), "寸",           2245,  1292, 2245, 1097,   15, kShakuKan)
            .unitIs(kShakkanUnits, "1 寸 = 3.03030303030303 cm", "すん"),
        field(MEZURA_FIELD(txtS2), "尺(曲尺)",     2245,  1803, 2245, 1608,   16, kShakuKan)
            .unitIs(kShakkanUnits, "1 尺(曲尺) = 30.3030303030303 cm", "かねじゃく")
            .readAs("しゃく")
            .alias("尺", "曲尺"),
        field(MEZURA_FIELD(txtS3), "間",           2245,  2314, 2245, 2119,   17, kShakuKan)
            .unitIs(kShakkanUnits, "1 間 = 181.818181818182 cm", "けん"),
        field(MEZURA_FIELD(txtS4), "丈",           2245,  2825, 2245, 2630,   18, kShakuKan)
            .unitIs(kShakkanUnits, "1 丈 = 303.030303030303 cm", "じょう"),
        field(MEZURA_FIELD(txtS5), "段／反",       2245,  3336, 2245, 3141,   19, kShakuKan)
            .unitIs(kShakkanUnits, "1 段／反 = 1090.90909090909 cm", "たん",
                    "ここでは 6 間とします。布の長さの反とは別の単位です。"),
        field(MEZURA_FIELD(txtS6), "町／丁",       2245,  3847, 2245, 3652,   20, kShakuKan)
            .unitIs(kShakkanUnits, "1 町／丁 = 10909.0909090909 cm", "ちょう"),
        field(MEZURA_FIELD(txtS8), "里",           2245,  4395, 2250, 4200,   21, kShakuKan)
            .unitIs(kShakkanUnits, "1 里 = 392727.272727273 cm", "り"),
        field(MEZURA_FIELD(txtK1), "尺(呉服尺)",   3345,  1800, 3345, 1608,   22, kCloth)
            .unitIs(kClothUnits, "1 尺(呉服尺) = 36.3636363636364 cm", "ごふくじゃく")
            .alias("呉服尺"),
        field(MEZURA_FIELD(txtK2), "尺(鯨尺)",     3345,  2310, 3345, 2119,   23, kCloth)
            .unitIs(kClothUnits, "1 尺(鯨尺) = 37.8787878787879 cm", "くじらじゃく")
            .alias("鯨尺"),
        field(MEZURA_FIELD(txtK3), "間(京間)",     3360,  2835, 3345, 2630,   24, kCloth)
            .unitIs(kClothUnits, "1 間(京間) = 196.969696969697 cm", "きょうま"),
        field(MEZURA_FIELD(txtP1), "pt (US)",       120,   435,  120,  240,   25, kType, kAmerican)
            .unitIs(kTypeUnits, "1 pt (US) = 0.035140562248996 cm", "米国式ポイント"),
        field(MEZURA_FIELD(txtP2), "pica",          120,   960,  120,  765,   26, kType, kAmerican)
            .unitIs(kTypeUnits, "1 pica = 0.421686746987952 cm", "パイカ")
            .alias("picas"),
        field(MEZURA_FIELD(txtP3), "twips",         120,   435,  120,  240,   27, kType, kEuropean)
            .unitIs(kTypeUnits, "1 twip = 0.00176388888888889 cm", "トゥイップ")
            .alias("twip"),
        field(MEZURA_FIELD(txtP4), "pt (DTP)",      120,   915,  120,  720,   28, kType, kEuropean)
            .unitIs(kTypeUnits, "1 pt (DTP) = 0.0352777777777778 cm", "DTPポイント"),
        field(MEZURA_FIELD(txtP5), "pt (Didot)",    120,  1440,  120, 1245,   29, kType, kEuropean)
            .unitIs(kTypeUnits, "1 pt (Didot) = 0.0375 cm", "ディドーポイント",
                    "メートル法のディドーポイント（0.375 mm）です。昔のディドーポイントは約 0.376 mm です。"),
        field(MEZURA_FIELD(txtP6), "級（Q）",      4560,  4275, 4560, 4080,   30, kType)
            .unitIs(kTypeUnits, "1 級（Q） = 0.025 cm", "きゅう"),
    };
    // clang-format on
    layout.boxes = {{kAmerican, "米国式活字", {4440, 360, 1215, 1335}},
                    {kEuropean, "欧州式活字", {4440, 1920, 1215, 1815}}};
    layout.sliders = {{"HScroll", {45, 5265, 3180, 255}, 0, 100, 31}};
    layout.labels = {{"IndMin", "0", {45, 5535, 255, kLabelHeight}},
                     {"IndMax", "1000mm", {2400, 5535, 810, kLabelHeight}}};
    layout.buttons = {{"Command1", "mm", {45, 5745, 915, 255}, kHighlight},
                      {"Command2", "m", {1090, 5745, 780, 255}, kButtonFace},
                      {"Command3", "km", {2000, 5745, 855, 255}, kButtonFace},
                      {"Command5", "?", {2985, 5745, 240, 255}, kHelpButton, ButtonRole::Help}};
    return layout;
}

const Call lineC{LengthWindow::kLineC};
const Call lineI{LengthWindow::kLineI};
const Call lineS{LengthWindow::kLineS};
const Call lineK{LengthWindow::kLineK};
const Call lineP{LengthWindow::kLineP};
const Call tindicator{LengthWindow::kTindicator};

// The group recompute procedures, by procedure number. Each fills its group from txtC1 or
// from fields an earlier procedure derived from it. The sun is 0.33 per centimetre.
std::vector<ProcedureRow> groupProcedures()
{
    // clang-format off
    return {
        {kLineC, {S(txtC2, txtC1, Div, kCmPerM), S(txtC3, txtC2, Div, kMPerKm), S(txtC0, txtC1, Mul, kMmPerCm)}},
        {kLineI, {S(txtI1, txtC1, Div, kCmPerInch), S(txtI2, txtI1, Div, kInchesPerFoot),
                  S(txtI3, txtI2, Div, kFeetPerYard), S(txtI4, txtI3, Div, kYardsPerRod),
                  S(txtI5, txtI4, Div, kRodsPerChain), S(txtI6, txtI5, Div, kChainsPerFurlong),
                  S(txtI7, txtI6, Div, kFurlongsPerMile), S(txtI8, txtI7, Div, kMilesPerLeague)}},
        {kLineS, {S(txtS1, txtC1, Mul, kSunPerCm), S(txtS2, txtS1, Div, kSunPerShaku),
                  S(txtS3, txtS2, Div, kShakuPerKen), S(txtS4, txtS2, Div, kShakuPerJo),
                  S(txtS5, txtS3, Div, kKenPerTan), S(txtS6, txtS3, Div, kKenPerCho),
                  S(txtS7, txtC3, Div, kKmPerNauticalMile), S(txtS8, txtS6, Div, kChoPerRi),
                  S(txtS0, txtS1, Mul, kRinPerSun), S(txtS00, txtS1, Mul, kBuPerSun)}},
        {kLineK, {S(txtK1, txtS1, Div, kSunPerGofukuShaku), S(txtK2, txtS1, Div, kSunPerKujiraShaku),
                  S(txtK3, txtS1, Div, kSunPerKyomaKen)}},
        {kLineP, {S(txtP2, txtC1, Mul, kPicaRatioPicas, Div, kPicaRatioCm), S(txtP1, txtP2, Mul, kPointsPerPica),
                  S(txtP3, txtI1, Mul, kTwipsPerInch), S(txtP4, txtI1, Mul, kDtpPointsPerInch),
                  S(txtP5, txtC1, Mul, kDidotRatioPoints, Div, kDidotRatioCm), S(txtP6, txtC1, Mul, kQPerCm)}},
    };
    // clang-format on
}

// What Enter in each field runs. Sun to centimetres divides by 0.33, except from 厘 and 分,
// which multiply by 3.03.
std::vector<EnterRow> enterChains()
{
    // clang-format off
    return {
        {txtC1, {lineC, lineI, lineS, lineK, lineP, tindicator}},
        {txtC0, {S(txtC1, txtC0, Div, kMmPerCm), S(txtC2, txtC1, Div, kCmPerM), S(txtC3, txtC2, Div, kMPerKm),
                 lineI, lineS, lineK, lineP, tindicator}},
        {txtC2, {S(txtC1, txtC2, Mul, kCmPerM), S(txtC3, txtC2, Div, kMPerKm), S(txtC0, txtC1, Mul, kMmPerCm),
                 lineI, lineS, lineK, lineP, tindicator}},
        {txtC3, {S(txtC2, txtC3, Mul, kMPerKm), S(txtC1, txtC2, Mul, kCmPerM), S(txtC0, txtC1, Mul, kMmPerCm),
                 lineI, lineS, lineK, lineP, tindicator}},
        // The nautical mile writes the metric and shaku-kan groups itself, so it keeps its text.
        {txtS7, {S(txtC3, txtS7, Mul, kKmPerNauticalMile), S(txtC2, txtC3, Mul, kMPerKm),
                 S(txtC1, txtC2, Mul, kCmPerM), S(txtC0, txtC1, Mul, kMmPerCm), S(txtS1, txtC1, Mul, kSunPerCm),
                 S(txtS2, txtS1, Div, kSunPerShaku), S(txtS3, txtS2, Div, kShakuPerKen),
                 S(txtS4, txtS2, Div, kShakuPerJo), S(txtS5, txtS3, Div, kKenPerTan),
                 S(txtS6, txtS3, Div, kKenPerCho), S(txtS8, txtS6, Div, kChoPerRi), S(txtS0, txtS1, Mul, kRinPerSun),
                 S(txtS00, txtS1, Mul, kBuPerSun),
                 lineI, lineK, lineP, tindicator}},

        // Yard-pound: down the ladder from the typed field, up to the inch, then centimetres.
        {txtI1, {S(txtI2, txtI1, Div, kInchesPerFoot), S(txtI3, txtI2, Div, kFeetPerYard),
                 S(txtI4, txtI3, Div, kYardsPerRod), S(txtI5, txtI4, Div, kRodsPerChain),
                 S(txtI6, txtI5, Div, kChainsPerFurlong), S(txtI7, txtI6, Div, kFurlongsPerMile),
                 S(txtI8, txtI7, Div, kMilesPerLeague), S(txtC1, txtI1, Mul, kCmPerInch),
                 lineC, lineS, lineK, lineP, tindicator}},
        {txtI2, {S(txtI3, txtI2, Div, kFeetPerYard), S(txtI4, txtI3, Div, kYardsPerRod),
                 S(txtI5, txtI4, Div, kRodsPerChain), S(txtI6, txtI5, Div, kChainsPerFurlong),
                 S(txtI7, txtI6, Div, kFurlongsPerMile), S(txtI8, txtI7, Div, kMilesPerLeague),
                 S(txtI1, txtI2, Mul, kInchesPerFoot), S(txtC1, txtI1, Mul, kCmPerInch),
                 lineC, lineS, lineK, lineP, tindicator}},
        {txtI3, {S(txtI4, txtI3, Div, kYardsPerRod), S(txtI5, txtI4, Div, kRodsPerChain),
                 S(txtI6, txtI5, Div, kChainsPerFurlong), S(txtI7, txtI6, Div, kFurlongsPerMile),
                 S(txtI8, txtI7, Div, kMilesPerLeague), S(txtI2, txtI3, Mul, kFeetPerYard),
                 S(txtI1, txtI2, Mul, kInchesPerFoot), S(txtC1, txtI1, Mul, kCmPerInch),
                 lineC, lineS, lineK, lineP, tindicator}},
        {txtI4, {S(txtI5, txtI4, Div, kRodsPerChain), S(txtI6, txtI5, Div, kChainsPerFurlong),
                 S(txtI7, txtI6, Div, kFurlongsPerMile), S(txtI8, txtI7, Div, kMilesPerLeague),
                 S(txtI3, txtI4, Mul, kYardsPerRod), S(txtI2, txtI3, Mul, kFeetPerYard),
                 S(txtI1, txtI2, Mul, kInchesPerFoot), S(txtC1, txtI1, Mul, kCmPerInch),
                 lineC, lineS, lineK, lineP, tindicator}},
        {txtI5, {S(txtI6, txtI5, Div, kChainsPerFurlong), S(txtI7, txtI6, Div, kFurlongsPerMile),
                 S(txtI8, txtI7, Div, kMilesPerLeague), S(txtI4, txtI5, Mul, kRodsPerChain),
                 S(txtI3, txtI4, Mul, kYardsPerRod), S(txtI2, txtI3, Mul, kFeetPerYard),
                 S(txtI1, txtI2, Mul, kInchesPerFoot), S(txtC1, txtI1, Mul, kCmPerInch),
                 lineC, lineS, lineK, lineP, tindicator}},
        {txtI6, {S(txtI7, txtI6, Div, kFurlongsPerMile), S(txtI8, txtI7, Div, kMilesPerLeague),
                 S(txtI5, txtI6, Mul, kChainsPerFurlong), S(txtI4, txtI5, Mul, kRodsPerChain),
                 S(txtI3, txtI4, Mul, kYardsPerRod), S(txtI2, txtI3, Mul, kFeetPerYard),
                 S(txtI1, txtI2, Mul, kInchesPerFoot), S(txtC1, txtI1, Mul, kCmPerInch),
                 lineC, lineS, lineK, lineP, tindicator}},
        {txtI7, {S(txtI8, txtI7, Div, kMilesPerLeague), S(txtI6, txtI7, Mul, kFurlongsPerMile),
                 S(txtI5, txtI6, Mul, kChainsPerFurlong), S(txtI4, txtI5, Mul, kRodsPerChain),
                 S(txtI3, txtI4, Mul, kYardsPerRod), S(txtI2, txtI3, Mul, kFeetPerYard),
                 S(txtI1, txtI2, Mul, kInchesPerFoot), S(txtC1, txtI1, Mul, kCmPerInch),
                 lineC, lineS, lineK, lineP, tindicator}},
        {txtI8, {S(txtI7, txtI8, Mul, kMilesPerLeague), S(txtI6, txtI7, Mul, kFurlongsPerMile),
                 S(txtI5, txtI6, Mul, kChainsPerFurlong), S(txtI4, txtI5, Mul, kRodsPerChain),
                 S(txtI3, txtI4, Mul, kYardsPerRod), S(txtI2, txtI3, Mul, kFeetPerYard),
                 S(txtI1, txtI2, Mul, kInchesPerFoot), S(txtC1, txtI1, Mul, kCmPerInch),
                 lineC, lineS, lineK, lineP, tindicator}},

        // Shaku-kan: the group from the typed field, centimetres from the sun, the metric
        // group, the nautical mile, 厘 and 分, then the other groups.
        {txtS0, {S(txtS1, txtS0, Div, kRinPerSun), S(txtS2, txtS1, Div, kSunPerShaku),
                 S(txtS3, txtS2, Div, kShakuPerKen), S(txtS4, txtS2, Div, kShakuPerJo),
                 S(txtS5, txtS3, Div, kKenPerTan), S(txtS6, txtS3, Div, kKenPerCho), S(txtS8, txtS6, Div, kChoPerRi),
                 S(txtC1, txtS1, Mul, kCmPerSun),
                 lineC, S(txtS7, txtC3, Div, kKmPerNauticalMile), S(txtS00, txtS1, Mul, kBuPerSun),
                 lineI, lineK, lineP, tindicator}},
        {txtS00, {S(txtS1, txtS00, Div, kBuPerSun), S(txtS2, txtS1, Div, kSunPerShaku),
                  S(txtS3, txtS2, Div, kShakuPerKen), S(txtS4, txtS2, Div, kShakuPerJo),
                  S(txtS5, txtS3, Div, kKenPerTan), S(txtS6, txtS3, Div, kKenPerCho), S(txtS8, txtS6, Div, kChoPerRi),
                  S(txtC1, txtS1, Mul, kCmPerSun),
                  lineC, S(txtS7, txtC3, Div, kKmPerNauticalMile), S(txtS0, txtS1, Mul, kRinPerSun),
                  lineI, lineK, lineP, tindicator}},
        {txtS1, {S(txtS2, txtS1, Div, kSunPerShaku), S(txtS3, txtS2, Div, kShakuPerKen),
                 S(txtS4, txtS2, Div, kShakuPerJo), S(txtS5, txtS3, Div, kKenPerTan),
                 S(txtS6, txtS3, Div, kKenPerCho), S(txtS8, txtS6, Div, kChoPerRi), S(txtC1, txtS1, Div, kSunPerCm),
                 lineC, S(txtS7, txtC3, Div, kKmPerNauticalMile), S(txtS0, txtS1, Mul, kRinPerSun),
                 S(txtS00, txtS1, Mul, kBuPerSun),
                 lineI, lineK, lineP, tindicator}},
        {txtS2, {S(txtS3, txtS2, Div, kShakuPerKen), S(txtS4, txtS2, Div, kShakuPerJo),
                 S(txtS5, txtS3, Div, kKenPerTan), S(txtS6, txtS3, Div, kKenPerCho), S(txtS8, txtS6, Div, kChoPerRi),
                 S(txtS1, txtS2, Mul, kSunPerShaku), S(txtC1, txtS1, Div, kSunPerCm),
                 lineC, S(txtS7, txtC3, Div, kKmPerNauticalMile), S(txtS0, txtS1, Mul, kRinPerSun),
                 S(txtS00, txtS1, Mul, kBuPerSun),
                 lineI, lineK, lineP, tindicator}},
        {txtS3, {S(txtS5, txtS3, Div, kKenPerTan), S(txtS6, txtS3, Div, kKenPerCho), S(txtS8, txtS6, Div, kChoPerRi),
                 S(txtS2, txtS3, Mul, kShakuPerKen), S(txtS1, txtS2, Mul, kSunPerShaku),
                 S(txtS4, txtS2, Div, kShakuPerJo), S(txtC1, txtS1, Div, kSunPerCm),
                 lineC, S(txtS7, txtC3, Div, kKmPerNauticalMile), S(txtS0, txtS1, Mul, kRinPerSun),
                 S(txtS00, txtS1, Mul, kBuPerSun),
                 lineI, lineK, lineP, tindicator}},
        {txtS4, {S(txtS2, txtS4, Mul, kShakuPerJo), S(txtS3, txtS2, Div, kShakuPerKen),
                 S(txtS1, txtS2, Mul, kSunPerShaku), S(txtS5, txtS3, Div, kKenPerTan),
                 S(txtS6, txtS3, Div, kKenPerCho), S(txtS8, txtS6, Div, kChoPerRi), S(txtC1, txtS1, Div, kSunPerCm),
                 lineC, S(txtS7, txtC3, Div, kKmPerNauticalMile), S(txtS0, txtS1, Mul, kRinPerSun),
                 S(txtS00, txtS1, Mul, kBuPerSun),
                 lineI, lineK, lineP, tindicator}},
        {txtS5, {S(txtS3, txtS5, Mul, kKenPerTan), S(txtS2, txtS5, Mul, kShakuPerTan),
                 S(txtS1, txtS2, Mul, kSunPerShaku), S(txtS4, txtS2, Div, kShakuPerJo),
                 S(txtS6, txtS3, Div, kKenPerCho), S(txtS8, txtS6, Div, kChoPerRi), S(txtC1, txtS1, Div, kSunPerCm),
                 lineC, S(txtS7, txtC3, Div, kKmPerNauticalMile), S(txtS0, txtS1, Mul, kRinPerSun),
                 S(txtS00, txtS1, Mul, kBuPerSun),
                 lineI, lineK, lineP, tindicator}},
        {txtS6, {S(txtS3, txtS6, Mul, kKenPerCho), S(txtS2, txtS3, Mul, kShakuPerKen),
                 S(txtS1, txtS2, Mul, kSunPerShaku), S(txtS4, txtS2, Div, kShakuPerJo),
                 S(txtS5, txtS3, Div, kKenPerTan), S(txtS8, txtS6, Div, kChoPerRi), S(txtC1, txtS1, Div, kSunPerCm),
                 lineC, S(txtS7, txtC3, Div, kKmPerNauticalMile), S(txtS0, txtS1, Mul, kRinPerSun),
                 S(txtS00, txtS1, Mul, kBuPerSun),
                 lineI, lineK, lineP, tindicator}},
        {txtS8, {S(txtS6, txtS8, Mul, kChoPerRi), S(txtS3, txtS6, Mul, kKenPerCho), S(txtS5, txtS3, Div, kKenPerTan),
                 S(txtS2, txtS3, Mul, kShakuPerKen), S(txtS4, txtS2, Div, kShakuPerJo),
                 S(txtS1, txtS2, Mul, kSunPerShaku), S(txtC1, txtS1, Div, kSunPerCm),
                 lineC, S(txtS7, txtC3, Div, kKmPerNauticalMile), S(txtS0, txtS1, Mul, kRinPerSun),
                 S(txtS00, txtS1, Mul, kBuPerSun),
                 lineI, lineK, lineP, tindicator}},

        // Cloth shaku and Kyoto ken go through the sun; lineS then rewrites it from centimetres.
        {txtK1, {S(txtS1, txtK1, Mul, kSunPerGofukuShaku), S(txtC1, txtS1, Div, kSunPerCm),
                 S(txtK2, txtS1, Div, kSunPerKujiraShaku), S(txtK3, txtS1, Div, kSunPerKyomaKen),
                 lineC, lineS, lineI, lineP, tindicator}},
        {txtK2, {S(txtS1, txtK2, Mul, kSunPerKujiraShaku), S(txtC1, txtS1, Div, kSunPerCm),
                 S(txtK1, txtS1, Div, kSunPerGofukuShaku), S(txtK3, txtS1, Div, kSunPerKyomaKen),
                 lineC, lineS, lineI, lineP, tindicator}},
        {txtK3, {S(txtS1, txtK3, Mul, kSunPerKyomaKen), S(txtC1, txtS1, Div, kSunPerCm),
                 S(txtK1, txtS1, Div, kSunPerGofukuShaku), S(txtK2, txtS1, Div, kSunPerKujiraShaku),
                 lineC, lineS, lineI, lineP, tindicator}},

        // Type sizes: 83 pica are 35 cm, 80 Didot points 3 cm, 40 Q 1 cm; twips and DTP
        // points go through the inch.
        {txtP1, {S(txtP2, txtP1, Div, kPointsPerPica), S(txtC1, txtP2, Mul, kPicaRatioCm, Div, kPicaRatioPicas),
                 lineC, lineI, lineS, lineK, S(txtP3, txtI1, Mul, kTwipsPerInch),
                 S(txtP4, txtI1, Mul, kDtpPointsPerInch), S(txtP5, txtC1, Mul, kDidotRatioPoints, Div, kDidotRatioCm),
                 S(txtP6, txtC1, Mul, kQPerCm),
                 tindicator}},
        {txtP2, {S(txtP1, txtP2, Mul, kPointsPerPica), S(txtC1, txtP2, Mul, kPicaRatioCm, Div, kPicaRatioPicas),
                 lineC, lineI, lineS, lineK, S(txtP3, txtI1, Mul, kTwipsPerInch),
                 S(txtP4, txtI1, Mul, kDtpPointsPerInch), S(txtP5, txtC1, Mul, kDidotRatioPoints, Div, kDidotRatioCm),
                 S(txtP6, txtC1, Mul, kQPerCm),
                 tindicator}},
        {txtP3, {S(txtI1, txtP3, Div, kTwipsPerInch), S(txtC1, txtI1, Mul, kCmPerInch),
                 S(txtP4, txtP3, Div, kTwipsPerPoint), S(txtP5, txtC1, Mul, kDidotRatioPoints, Div, kDidotRatioCm),
                 S(txtP6, txtC1, Mul, kQPerCm), S(txtP2, txtC1, Mul, kPicaRatioPicas, Div, kPicaRatioCm),
                 S(txtP1, txtP2, Mul, kPointsPerPica),
                 lineC, lineI, lineS, lineK, tindicator}},
        {txtP4, {S(txtI1, txtP4, Div, kDtpPointsPerInch), S(txtC1, txtI1, Mul, kCmPerInch),
                 S(txtP3, txtP4, Mul, kTwipsPerPoint), S(txtP5, txtC1, Mul, kDidotRatioPoints, Div, kDidotRatioCm),
                 S(txtP6, txtC1, Mul, kQPerCm), S(txtP2, txtC1, Mul, kPicaRatioPicas, Div, kPicaRatioCm),
                 S(txtP1, txtP2, Mul, kPointsPerPica),
                 lineC, lineI, lineS, lineK, tindicator}},
        {txtP5, {S(txtC1, txtP5, Mul, kDidotRatioCm, Div, kDidotRatioPoints),
                 lineC, lineI, lineS, lineK, S(txtP4, txtI1, Mul, kDtpPointsPerInch),
                 S(txtP3, txtI1, Mul, kTwipsPerInch), S(txtP2, txtC1, Mul, kPicaRatioPicas, Div, kPicaRatioCm),
                 S(txtP1, txtP2, Mul, kPointsPerPica), S(txtP6, txtC1, Mul, kQPerCm),
                 tindicator}},
        {txtP6, {S(txtC1, txtP6, Div, kQPerCm),
                 lineC, lineI, lineS, lineK, S(txtP5, txtC1, Mul, kDidotRatioPoints, Div, kDidotRatioCm),
                 S(txtP4, txtI1, Mul, kDtpPointsPerInch), S(txtP3, txtI1, Mul, kTwipsPerInch),
                 S(txtP2, txtC1, Mul, kPicaRatioPicas, Div, kPicaRatioCm), S(txtP1, txtP2, Mul, kPointsPerPica),
                 tindicator}},
    };
    // clang-format on
}

// The gauge in millimetres, metres and kilometres, chosen by the kilometre field. The slider
// writes metres as plain text; the clamps write centimetres.
GaugeSpec lengthGauge()
{
    // clang-format off
    const Chain fromMetres = {S(txtC3, txtC2, Div, kMPerKm), S(txtC1, txtC2, Mul, kCmPerM), S(txtC0, txtC1, Mul, kMmPerCm),
                              lineI, lineS, lineK, lineP};
    // clang-format on
    const Chain fromCentimetres = {lineC, lineI, lineS, lineK, lineP};
    auto clamp = [&](Reading test, double limit, const char* centimetres) {
        return Clamp{test, limit, txtC1, centimetres, fromCentimetres, ClampPosition::Keep};
    };

    GaugeSpec gauge;
    gauge.decision = txtC3;
    // clang-format off
    gauge.ranges = {
        // n  button      km bound  Max   caption   thumb   metres <- p          clamp: over what, cm text
        {1, "Command1", 0.001, 1000, "1000mm", {txtC0}, {txtC2, {{Div, kMmPerCm * kCmPerM}}, false, fromMetres},
         clamp({txtC1}, 100, "100"), Reading{txtC1, {{Mul, kMmPerCm}}}}, // the button's thumb: cm x 10
        {2, "Command2", 1, 1000, "1000m", {txtC2}, {txtC2, {}, false, fromMetres},
         clamp({txtC2}, 1000, "100000")},
        {3, "Command3", 1000, 1000, "1000km", {txtC3}, {txtC2, {{Mul, kMPerKm}}, false, fromMetres},
         clamp({txtC3}, 1000, "100000000")},
    };
    // clang-format on
    gauge.reset = GaugeReset::allFields(LengthWindow::kFieldCount); // every unit field "0"
    return gauge;
}

} // namespace

Layout LengthWindow::controls()
{
    return lengthLayout();
}

LengthWindow::LengthWindow(App& app, const FrameSpec& frame)
    : GaugeWindow(app, frame, controls(), lengthGauge())
{
    install(groupProcedures(), enterChains(), kTindicator);
}

} // namespace mezura
