#include "windows/weight.h"

#include <utility>

namespace mezura {

namespace {

using namespace rows;
using enum WeightWindow::Field;
using enum WeightWindow::Procedure;

constexpr Colour kMetric = rgb(192, 255, 255);
constexpr Colour kAvoirdupois = rgb(255, 255, 192);
constexpr Colour kJapanese = rgb(255, 192, 255);
constexpr Colour kTroy = rgb(192, 255, 192);
constexpr Colour kApothecaries = rgb(255, 224, 192);

constexpr const char* kTroyBox = "Frame1";         // "金衡系"
constexpr const char* kApothecariesBox = "Frame2"; // "薬局系"

// The sizes of the units, each as how many of one unit make one of the next.
// clang-format off
constexpr double kMgPerG                     = 1000;
constexpr double kGPerKg                     = 1000;
constexpr double kGPerPound                  = 453.59237;
constexpr double kGPerMonme                  = 3.75;
constexpr double kKgPerTon                   = 1000;
constexpr double kGrainsPerScruple           = 20;
constexpr double kGrainsPerApothecariesDram  = 60;
constexpr double kGrainsPerApothecariesOunce = 480;
constexpr double kGrainsPerApothecariesPound = 5760;
constexpr double kGrainsPerPound             = 7000;
constexpr double kGrainsPerPennyweight       = 24;
constexpr double kGrainsPerTroyOunce         = 480;
constexpr double kGrainsPerTroyPound         = 5760;
constexpr double kDramsPerPound              = 256;
constexpr double kOuncesPerPound             = 16;
constexpr double kPoundsPerUsHundredweight   = 100;
constexpr double kPoundsPerUkHundredweight   = 112;
constexpr double kPoundsPerShortTon          = 2000;
constexpr double kPoundsPerLongTon           = 2240;
constexpr double kMonmePerKin                = 160;
constexpr double kMonmePerKan                = 1000;
// clang-format on

// The groups that the help page's unit table lists the fields in.
constexpr const char* kMetricUnits = "メートル法（水色）";
constexpr const char* kAvoirdupoisUnits = "常衡（黄色）";
constexpr const char* kShakkanUnits = "尺貫法（桃色）";
constexpr const char* kTroyUnits = "金衡系（緑色の枠、貴金属）";
constexpr const char* kApothecariesUnits = "薬局系（橙色の枠、薬の調合）";

Layout weightLayout()
{
    Layout layout;
    // The troy and apothecaries' fields stand relative to their frame.
    // clang-format off
    layout.fields = {
        //                   name                 label                  Left   Top  tab  colour
        unitFieldUnderLabel(MEZURA_FIELD(txtC1), "mg",                     45,   270,   0, kMetric)
            .unitIs(kMetricUnits, "1 mg = 0.001 g", "ミリグラム")
            .alias("milligram", "milligrams"),
        unitFieldUnderLabel(MEZURA_FIELD(txtC2), "g",                      45,  1310,   1, kMetric)
            .unitIs(kMetricUnits, kBaseUnit, "グラム")
            .alias("gram", "grams"),
        unitFieldUnderLabel(MEZURA_FIELD(txtC3), "kg",                     45,  2350,   2, kMetric)
            .unitIs(kMetricUnits, "1 kg = 1000 g", "キログラム")
            .alias("kilogram", "kilograms", "kilo"),
        unitFieldUnderLabel(MEZURA_FIELD(txtC4), "ton (t)",                45,  3360,   3, kMetric)
            .unitIs(kMetricUnits, "1 ton (t) = 1000000 g", "トン")
            .alias("tonne", "tonnes", "metric ton"),
        unitFieldUnderLabel(MEZURA_FIELD(txtI1), "grain",                1145,   240,   4, kAvoirdupois)
            .unitIs(kAvoirdupoisUnits, "1 grain = 0.06479891 g", "常衡グレーン")
            .alias("gr", "grains"),
        unitFieldUnderLabel(MEZURA_FIELD(txtI2), "dram",                 1145,   790,   5, kAvoirdupois)
            .unitIs(kAvoirdupoisUnits, "1 dram = 1.7718451953125 g", "常衡ドラム"),
        unitFieldUnderLabel(MEZURA_FIELD(txtI3), "ounce (oz)",           1145,  1310,   6, kAvoirdupois)
            .unitIs(kAvoirdupoisUnits, "1 ounce (oz) = 28.349523125 g", "常衡オンス")
            .alias("ounces"),
        unitFieldUnderLabel(MEZURA_FIELD(txtI4), "pound (lb)",           1145,  1830,   7, kAvoirdupois)
            .unitIs(kAvoirdupoisUnits, "1 pound (lb) = 453.59237 g", "常衡ポンド")
            .alias("lbs", "pounds"),
        unitFieldUnderLabel(MEZURA_FIELD(txtI5), "hundredweight(USA)",   1145,  2350,   8, kAvoirdupois)
            .unitIs(kAvoirdupoisUnits, "1 hundredweight(USA) = 45359.237 g", "米国ハンドレッドウェイト")
            .alias("cwt"),
        unitFieldUnderLabel(MEZURA_FIELD(txtI6), "hundredweight(UK)",    1145,  2880,   9, kAvoirdupois)
            .unitIs(kAvoirdupoisUnits, "1 hundredweight(UK) = 50802.34544 g", "英国ハンドレッドウェイト")
            .alias("cwt"),
        unitFieldUnderLabel(MEZURA_FIELD(txtI7), "short ton",            1145,  3390,  10, kAvoirdupois)
            .unitIs(kAvoirdupoisUnits, "1 short ton = 907184.74 g", "ショートトン"),
        unitFieldUnderLabel(MEZURA_FIELD(txtI8), "long ton",             1145,  3910,  11, kAvoirdupois)
            .unitIs(kAvoirdupoisUnits, "1 long ton = 1016046.9088 g", "ロングトン"),
        unitFieldUnderLabel(MEZURA_FIELD(txtS1), "匁",                   2245,   270,  12, kJapanese)
            .unitIs(kShakkanUnits, "1 匁 = 3.75 g", "もんめ")
            .alias("momme"),
        unitFieldUnderLabel(MEZURA_FIELD(txtS2), "斤",                   2245,   790,  13, kJapanese)
            .unitIs(kShakkanUnits, "1 斤 = 600 g", "きん"),
        unitFieldUnderLabel(MEZURA_FIELD(txtS3), "貫",                   2245,  1310,  14, kJapanese)
            .unitIs(kShakkanUnits, "1 貫 = 3750 g", "かん")
            .alias("kwan"),
        unitFieldUnderLabel(MEZURA_FIELD(txtT1), "grain",                 120,   435,  15, kTroy, kTroyBox)
            .unitIs(kTroyUnits, "1 grain = 0.06479891 g", "トロイグレーン"),
        unitFieldUnderLabel(MEZURA_FIELD(txtT2), "pennyweight",           120,   960,  16, kTroy, kTroyBox)
            .unitIs(kTroyUnits, "1 pennyweight = 1.55517384 g", "ペニーウェイト"),
        unitFieldUnderLabel(MEZURA_FIELD(txtT3), "ounce",                 120,  1995,  17, kTroy, kTroyBox)
            .unitIs(kTroyUnits, "1 ounce = 31.1034768 g", "トロイオンス"),
        unitFieldUnderLabel(MEZURA_FIELD(txtT4), "pound",                 120,  2520,  18, kTroy, kTroyBox)
            .unitIs(kTroyUnits, "1 pound = 373.2417216 g", "トロイポンド"),
        unitFieldUnderLabel(MEZURA_FIELD(txtA1), "grain",                 120,   435,  19, kApothecaries, kApothecariesBox)
            .unitIs(kApothecariesUnits, "1 grain = 0.06479891 g", "薬用グレーン"),
        unitFieldUnderLabel(MEZURA_FIELD(txtA2), "scruple",               120,   945,  20, kApothecaries, kApothecariesBox)
            .unitIs(kApothecariesUnits, "1 scruple = 1.2959782 g", "スクループル"),
        unitFieldUnderLabel(MEZURA_FIELD(txtA3), "dram",                  120,  1470,  21, kApothecaries, kApothecariesBox)
            .unitIs(kApothecariesUnits, "1 dram = 3.8879346 g", "薬用ドラム"),
        unitFieldUnderLabel(MEZURA_FIELD(txtA4), "ounce",                 120,  1995,  22, kApothecaries, kApothecariesBox)
            .unitIs(kApothecariesUnits, "1 ounce = 31.1034768 g", "薬用オンス"),
        unitFieldUnderLabel(MEZURA_FIELD(txtA5), "pound",                 120,  2505,  23, kApothecaries, kApothecariesBox)
            .unitIs(kApothecariesUnits, "1 pound = 373.2417216 g", "薬用ポンド"),
    };
    // clang-format on
    layout.boxes = {{kTroyBox, "金衡系", {3360, 360, 1215, 2895}},
                    {kApothecariesBox, "薬局系", {4635, 360, 1215, 2895}}};
    layout.sliders = {{"HScroll", {60, 4320, 3180, 255}, 0, 100, 24}};
    layout.labels = {{"IndMin", "0", {375, 4590, 255, kLabelHeight}},
                     {"IndMax", "1000mg", {2505, 4575, 735, kLabelHeight}}};
    layout.buttons = {{"Command1", "mg", {60, 4785, 555, 255}, kHighlight},
                      {"Command2", "g", {750, 4785, 525, 255}, kButtonFace},
                      {"Command3", "kg", {1425, 4785, 600, 255}, kButtonFace},
                      {"Command4", "ton", {2175, 4785, 630, 255}, kButtonFace},
                      {"Command5", "?", {2940, 4785, 270, 255}, kHelpButton, ButtonRole::Help}};
    return layout;
}

const Call lineC{WeightWindow::kLineC};
const Call lineS{WeightWindow::kLineS};
const Call lineI{WeightWindow::kLineI};
const Call lineT{WeightWindow::kLineT};
const Call lineA{WeightWindow::kLineA};
const Call lineI2{WeightWindow::kLineI2};
const Call tindicator{WeightWindow::kTindicator};

// The group recompute procedures, by procedure number. lineC, lineS and lineI fill their
// groups from the grams; lineT and lineA from the grain, whose text the troy and
// apothecaries' grains copy unchanged; lineI2 from the grain, ending with the grams. A pound
// is 453.59237 g and 7000 grains, a 匁 3.75 g.
std::vector<ProcedureRow> groupProcedures()
{
    // clang-format off
    return {
        {kLineC, {S(txtC1, txtC2, Mul, kMgPerG), S(txtC3, txtC2, Div, kGPerKg), S(txtC4, txtC3, Div, kKgPerTon)}},
        {kLineS, {S(txtS1, txtC2, Div, kGPerMonme), S(txtS2, txtS1, Div, kMonmePerKin),
                  S(txtS3, txtS1, Div, kMonmePerKan)}},
        {kLineI, {S(txtI4, txtC2, Div, kGPerPound), S(txtI1, txtI4, Mul, kGrainsPerPound),
                  S(txtI2, txtI4, Mul, kDramsPerPound), S(txtI3, txtI4, Mul, kOuncesPerPound),
                  S(txtI5, txtI4, Div, kPoundsPerUsHundredweight), S(txtI6, txtI4, Div, kPoundsPerUkHundredweight),
                  S(txtI7, txtI4, Div, kPoundsPerShortTon), S(txtI8, txtI4, Div, kPoundsPerLongTon)}},
        {kLineT, {TextOf(txtT1, txtI1), S(txtT2, txtI1, Div, kGrainsPerPennyweight),
                  S(txtT3, txtI1, Div, kGrainsPerTroyOunce), S(txtT4, txtI1, Div, kGrainsPerTroyPound)}},
        {kLineA, {TextOf(txtA1, txtI1), S(txtA2, txtI1, Div, kGrainsPerScruple),
                  S(txtA3, txtI1, Div, kGrainsPerApothecariesDram), S(txtA4, txtI1, Div, kGrainsPerApothecariesOunce),
                  S(txtA5, txtI1, Div, kGrainsPerApothecariesPound)}},
        {kLineI2, {S(txtI4, txtI1, Div, kGrainsPerPound), S(txtI2, txtI4, Mul, kDramsPerPound),
                   S(txtI3, txtI4, Mul, kOuncesPerPound), S(txtI5, txtI4, Div, kPoundsPerUsHundredweight),
                   S(txtI6, txtI4, Div, kPoundsPerUkHundredweight), S(txtI7, txtI4, Div, kPoundsPerShortTon),
                   S(txtI8, txtI4, Div, kPoundsPerLongTon), S(txtC2, txtI4, Mul, kGPerPound)}},
    };
    // clang-format on
}

// Enter in an avoirdupois field: the pound from the typed field, then the pound fan-out in
// its order, leaving out the typed field, then the other groups.
Chain fromPound(WeightWindow::Field typed, Chain toPound)
{
    // clang-format off
    const Step fanOut[] = {S(txtI1, txtI4, Mul, kGrainsPerPound), S(txtI2, txtI4, Mul, kDramsPerPound), S(txtI3, txtI4, Mul, kOuncesPerPound),
                           S(txtI5, txtI4, Div, kPoundsPerUsHundredweight),  S(txtI6, txtI4, Div, kPoundsPerUkHundredweight), S(txtI7, txtI4, Div, kPoundsPerShortTon),
                           S(txtI8, txtI4, Div, kPoundsPerLongTon), S(txtC2, txtI4, Mul, kGPerPound)};
    // clang-format on
    Chain chain = std::move(toPound);
    for (const Step& step : fanOut) {
        if (step.target != typed) {
            chain.emplace_back(step);
        }
    }
    chain.insert(chain.end(), {lineC, lineS, lineT, lineA, tindicator});
    return chain;
}

// What Enter in each field runs: the typed field's own group first, then the other groups.
// Only the milligrams are rewritten: lineC writes them back from the grams.
std::vector<EnterRow> enterChains()
{
    // clang-format off
    return {
        // Metric: along the ladder to the grams.
        {txtC1, {S(txtC2, txtC1, Div, kMgPerG), S(txtC3, txtC2, Div, kGPerKg), S(txtC4, txtC3, Div, kKgPerTon),
                 lineC, lineI, lineS, lineT, lineA, tindicator}},
        {txtC2, {lineC, lineI, lineS, lineT, lineA, tindicator}},
        {txtC3, {S(txtC2, txtC3, Mul, kGPerKg), S(txtC1, txtC2, Mul, kMgPerG), S(txtC4, txtC3, Div, kKgPerTon),
                 lineI, lineS, lineT, lineA, tindicator}},
        {txtC4, {S(txtC3, txtC4, Mul, kKgPerTon), S(txtC2, txtC3, Mul, kGPerKg), S(txtC1, txtC2, Mul, kMgPerG),
                 lineI, lineS, lineT, lineA, tindicator}},

        // Avoirdupois: everything through the pound.
        {txtI1, fromPound(txtI1, {S(txtI4, txtI1, Div, kGrainsPerPound)})},
        {txtI2, fromPound(txtI2, {S(txtI4, txtI2, Div, kDramsPerPound)})},
        {txtI3, fromPound(txtI3, {S(txtI4, txtI3, Div, kOuncesPerPound)})},
        {txtI4, fromPound(txtI4, {})},
        {txtI5, fromPound(txtI5, {S(txtI4, txtI5, Mul, kPoundsPerUsHundredweight)})},
        {txtI6, fromPound(txtI6, {S(txtI4, txtI6, Mul, kPoundsPerUkHundredweight)})},
        {txtI7, fromPound(txtI7, {S(txtI4, txtI7, Mul, kPoundsPerShortTon)})},
        {txtI8, fromPound(txtI8, {S(txtI4, txtI8, Mul, kPoundsPerLongTon)})},

        // 匁, 斤 and 貫: the grams from the 匁.
        {txtS1, {S(txtC2, txtS1, Mul, kGPerMonme), S(txtS2, txtS1, Div, kMonmePerKin),
                 S(txtS3, txtS1, Div, kMonmePerKan),
                 lineC, lineI, lineT, lineA, tindicator}},
        {txtS2, {S(txtS1, txtS2, Mul, kMonmePerKin), S(txtS3, txtS1, Div, kMonmePerKan),
                 S(txtC2, txtS1, Mul, kGPerMonme),
                 lineC, lineI, lineT, lineA, tindicator}},
        {txtS3, {S(txtS1, txtS3, Mul, kMonmePerKan), S(txtS2, txtS1, Div, kMonmePerKin),
                 S(txtC2, txtS1, Mul, kGPerMonme),
                 lineC, lineI, lineT, lineA, tindicator}},

        // Troy: the grain first, the grams through the pound (lineI2).
        {txtT1, {TextOf(txtI1, txtT1), S(txtT2, txtI1, Div, kGrainsPerPennyweight),
                 S(txtT3, txtI1, Div, kGrainsPerTroyOunce), S(txtT4, txtI1, Div, kGrainsPerTroyPound),
                 lineI2, lineC, lineS, lineA, tindicator}},
        {txtT2, {S(txtI1, txtT2, Mul, kGrainsPerPennyweight),
                 TextOf(txtT1, txtI1), S(txtT3, txtI1, Div, kGrainsPerTroyOunce),
                 S(txtT4, txtI1, Div, kGrainsPerTroyPound),
                 lineI2, lineC, lineS, lineA, tindicator}},
        {txtT3, {S(txtI1, txtT3, Mul, kGrainsPerTroyOunce),
                 TextOf(txtT1, txtI1), S(txtT2, txtI1, Div, kGrainsPerPennyweight),
                 S(txtT4, txtI1, Div, kGrainsPerTroyPound),
                 lineI2, lineC, lineS, lineA, tindicator}},
        {txtT4, {S(txtI1, txtT4, Mul, kGrainsPerTroyPound),
                 TextOf(txtT1, txtI1), S(txtT2, txtI1, Div, kGrainsPerPennyweight),
                 S(txtT3, txtI1, Div, kGrainsPerTroyOunce),
                 lineI2, lineC, lineS, lineA, tindicator}},

        // Apothecaries': likewise.
        {txtA1, {TextOf(txtI1, txtA1), S(txtA2, txtI1, Div, kGrainsPerScruple),
                 S(txtA3, txtI1, Div, kGrainsPerApothecariesDram), S(txtA4, txtI1, Div, kGrainsPerApothecariesOunce),
                 S(txtA5, txtI1, Div, kGrainsPerApothecariesPound),
                 lineI2, lineC, lineS, lineT, tindicator}},
        {txtA2, {S(txtI1, txtA2, Mul, kGrainsPerScruple),
                 TextOf(txtA1, txtI1), S(txtA3, txtI1, Div, kGrainsPerApothecariesDram),
                 S(txtA4, txtI1, Div, kGrainsPerApothecariesOunce), S(txtA5, txtI1, Div, kGrainsPerApothecariesPound),
                 lineI2, lineC, lineS, lineT, tindicator}},
        {txtA3, {S(txtI1, txtA3, Mul, kGrainsPerApothecariesDram),
                 TextOf(txtA1, txtI1), S(txtA2, txtI1, Div, kGrainsPerScruple),
                 S(txtA4, txtI1, Div, kGrainsPerApothecariesOunce), S(txtA5, txtI1, Div, kGrainsPerApothecariesPound),
                 lineI2, lineC, lineS, lineT, tindicator}},
        {txtA4, {S(txtI1, txtA4, Mul, kGrainsPerApothecariesOunce),
                 TextOf(txtA1, txtI1), S(txtA2, txtI1, Div, kGrainsPerScruple),
                 S(txtA3, txtI1, Div, kGrainsPerApothecariesDram), S(txtA5, txtI1, Div, kGrainsPerApothecariesPound),
                 lineI2, lineC, lineS, lineT, tindicator}},
        {txtA5, {S(txtI1, txtA5, Mul, kGrainsPerApothecariesPound),
                 TextOf(txtA1, txtI1), S(txtA2, txtI1, Div, kGrainsPerScruple),
                 S(txtA3, txtI1, Div, kGrainsPerApothecariesDram), S(txtA4, txtI1, Div, kGrainsPerApothecariesOunce),
                 lineI2, lineC, lineS, lineT, tindicator}},
    };
    // clang-format on
}

// The gauge in mg, g, kg and t, chosen by the kilograms. The first three ranges take over
// at one unit of their own (1 mg, 1 g, 1 kg), the last holds up to its top of 30000 t. The
// slider always writes kilograms as plain text, then passes them once through the digit
// limiter; the clamps write grams.
GaugeSpec weightGauge()
{
    // clang-format off
    const Chain fromKilograms = {Step{txtC3, txtC3, {}}, S(txtC2, txtC3, Mul, kGPerKg), S(txtC1, txtC2, Mul, kMgPerG),
                                 S(txtC4, txtC3, Div, kKgPerTon), lineS, lineI, lineT, lineA};
    // clang-format on
    const Chain fromGrams = {lineC, lineS, lineI, lineT, lineA};
    const auto kilograms = [&](Operations fromPosition) {
        return WriteBack{txtC3, fromPosition, false, fromKilograms};
    };
    // Above `limit` in the range's own field, the grams get `grams` and every group follows;
    // the thumb stays.
    const auto clamp = [&](WeightWindow::Field test, double limit, const char* grams) {
        return Clamp{Reading{test}, limit, txtC2, grams, fromGrams, ClampPosition::Keep};
    };

    GaugeSpec gauge;
    gauge.decision = txtC3;
    // clang-format off
    gauge.ranges = {
        // n  button     kg bound    Max   caption   thumb    kg <- p                        clamp: over, grams
        {1, "Command1", 0.000001,  1000, "1000mg", {txtC1}, kilograms({{Div, kMgPerG * kGPerKg}}), clamp(txtC1, 1000, "1")},
        {2, "Command2", 0.001,     1000, "1000g",  {txtC2}, kilograms({{Div, kGPerKg}}),   clamp(txtC2, 1000, "1000")},
        {3, "Command3", 1,         1000, "1000kg", {txtC3}, kilograms({}),               clamp(txtC3, 1000, "1000000")},
        {4, "Command4", 30000000, 30000, "30000t", {txtC4}, kilograms({{Mul, kKgPerTon}})}, // no clamp
    };
    // clang-format on
    gauge.reset = GaugeReset::allFields(WeightWindow::kFieldCount); // every unit field "0"
    return gauge;
}

} // namespace

Layout WeightWindow::controls()
{
    return weightLayout();
}

WeightWindow::WeightWindow(App& app, const FrameSpec& frame)
    : GaugeWindow(app, frame, controls(), weightGauge())
{
    install(groupProcedures(), enterChains(), kTindicator);
}

} // namespace mezura
