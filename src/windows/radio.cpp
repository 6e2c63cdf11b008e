#include "windows/radio.h"

#include <utility>

namespace mezura {

namespace {

using namespace rows;
using enum RadioWindow::Field;
using enum RadioWindow::Procedure;

constexpr Colour kBecquerel = rgb(192, 255, 255);
constexpr Colour kCurie = rgb(255, 255, 192);
constexpr Colour kMache = rgb(255, 192, 255);

// The sizes of the units, each as how many of one unit make one of the next.
// clang-format off
constexpr double kBqPerKBq                 = 1000;
constexpr double kBqPerNanocurie           = 37;
constexpr double kBqPerMacheUnit           = 13.3;
constexpr double kKBqPerMBq                = 1000;
constexpr double kMBqPerGBq                = 1000;
constexpr double kNanocuriesPerMicrocurie  = 1000;
constexpr double kMicrocuriesPerMillicurie = 1000;
constexpr double kMillicuriesPerCurie      = 1000;
// clang-format on

// The groups that the help page's unit table lists the fields in.
constexpr const char* kBecquerelUnits = "ベクレル（水色）";
constexpr const char* kCurieUnits = "キュリー（黄色）";
constexpr const char* kMacheUnits = "マッヘ（桃色、1 リットルあたりの濃度）";

Layout radioLayout()
{
    Layout layout;
    // clang-format off
    layout.fields = {
        //         name                 label        Left   Top  label at  tab  colour
        unitField(MEZURA_FIELD(txtB1), "Bq (dps)",     30,   315,   120,    0, kBecquerel)
            .unitIs(kBecquerelUnits, kBaseUnit, "ベクレル")
            .alias("becquerel", "becquerels"),
        unitField(MEZURA_FIELD(txtB2), "kBq",          30,   840,   660,    1, kBecquerel)
            .unitIs(kBecquerelUnits, "1 kBq = 1000 Bq", "キロベクレル"),
        unitField(MEZURA_FIELD(txtB3), "MBq (Rd)",     30,  1350,  1185,    2, kBecquerel)
            .unitIs(kBecquerelUnits, "1 MBq (Rd) = 1000000 Bq", "メガベクレル")
            .alias("rutherford"),
        unitField(MEZURA_FIELD(txtB4), "GBq",          30,  1845,  1650,    3, kBecquerel)
            .unitIs(kBecquerelUnits, "1 GBq = 1000000000 Bq", "ギガベクレル"),
        unitField(MEZURA_FIELD(txtC1), "nCi",        1110,   315,   135,    4, kCurie)
            .unitIs(kCurieUnits, "1 nCi = 37 Bq", "ナノキュリー"),
        unitField(MEZURA_FIELD(txtC2), "μCi",        1110,   840,   645,    5, kCurie)
            .unitIs(kCurieUnits, "1 μCi = 37000 Bq", "マイクロキュリー")
            .alias("uCi"),
        unitField(MEZURA_FIELD(txtC3), "mCi",        1110,  1350,  1155,    6, kCurie)
            .unitIs(kCurieUnits, "1 mCi = 37000000 Bq", "ミリキュリー"),
        unitField(MEZURA_FIELD(txtC4), "Ci",         1110,  1845,  1650,    7, kCurie)
            .unitIs(kCurieUnits, "1 Ci = 37000000000 Bq", "キュリー")
            .alias("curie", "curies"),
        unitField(MEZURA_FIELD(txtM1), "M.E.",       2205,   315,   135,    8, kMache)
            .unitIs(kMacheUnits, "1 M.E. = 13.3 Bq", "マッヘ単位",
                    "ここでは 1 リットルあたり 13.3 Bq とします。13.468 Bq/L とする定義もあります。")
            .alias("ME", "mache", "マッヘ"),
    };
    // clang-format on
    layout.sliders = {{"HScroll", {45, 2280, 3195, 255}, 0, 1000, 9}};
    layout.labels = {{"IndMin", "0", {45, 2550, 255, kLabelHeight}},
                     {"IndMax", "1000Bq", {1845, 2550, 1410, kLabelHeight}},
                     // Under the Mache field: its value is a concentration per litre. The
                     // design shows this note in a smaller font (8.25 point).
                     {"Label7", "(↑1Lあたりの濃度）", {2280, 720, 855, 375}, 8.25}};
    layout.buttons = {{"Command1", "Bq", {45, 2760, 660, 255}, kHighlight},
                      {"Command2", "kBq", {840, 2790, 540, 255}, kButtonFace},
                      {"Command3", "MBq", {1560, 2790, 540, 255}, kButtonFace},
                      {"Command4", "GBq", {2280, 2790, 540, 255}, kButtonFace},
                      {"Command6", "?", {3000, 2790, 255, 255}, kHelpButton, ButtonRole::Help, kNoBox, kBoldCaption}};
    return layout;
}

const Call lineB{RadioWindow::kLineB};
const Call lineC{RadioWindow::kLineC};
const Call lineM{RadioWindow::kLineM};
const Call tindicator{RadioWindow::kTindicator};

// The group recompute procedures, by procedure number; each fills its group from the
// becquerels. A nanocurie is 37 Bq exactly, a Mache unit 13.3 Bq in a litre.
std::vector<ProcedureRow> groupProcedures()
{
    // clang-format off
    return {
        {kLineB, {S(txtB2, txtB1, Div, kBqPerKBq), S(txtB3, txtB2, Div, kKBqPerMBq),
                  S(txtB4, txtB3, Div, kMBqPerGBq)}},
        {kLineC, {S(txtC1, txtB1, Div, kBqPerNanocurie), S(txtC2, txtC1, Div, kNanocuriesPerMicrocurie),
                  S(txtC3, txtC2, Div, kMicrocuriesPerMillicurie), S(txtC4, txtC3, Div, kMillicuriesPerCurie)}},
        {kLineM, {S(txtM1, txtB1, Div, kBqPerMacheUnit)}},
    };
    // clang-format on
}

// What Enter in each field runs: the typed field's own group first, the becquerels with it
// or from the nanocuries, then the other groups.
std::vector<EnterRow> enterChains()
{
    // clang-format off
    return {
        {txtB1, {lineB, lineC, lineM, tindicator}},
        {txtB2, {S(txtB1, txtB2, Mul, kBqPerKBq), S(txtB3, txtB2, Div, kKBqPerMBq), S(txtB4, txtB3, Div, kMBqPerGBq),
                 lineC, lineM, tindicator}},
        {txtB3, {S(txtB2, txtB3, Mul, kKBqPerMBq), S(txtB1, txtB2, Mul, kBqPerKBq), S(txtB4, txtB3, Div, kMBqPerGBq),
                 lineC, lineM, tindicator}},
        {txtB4, {S(txtB3, txtB4, Mul, kMBqPerGBq), S(txtB2, txtB3, Mul, kKBqPerMBq), S(txtB1, txtB2, Mul, kBqPerKBq),
                 lineC, lineM, tindicator}},

        {txtC1, {S(txtB1, txtC1, Mul, kBqPerNanocurie), S(txtC2, txtC1, Div, kNanocuriesPerMicrocurie),
                 S(txtC3, txtC2, Div, kMicrocuriesPerMillicurie), S(txtC4, txtC3, Div, kMillicuriesPerCurie),
                 lineB, lineM, tindicator}},
        {txtC2, {S(txtC1, txtC2, Mul, kNanocuriesPerMicrocurie), S(txtC3, txtC2, Div, kMicrocuriesPerMillicurie),
                 S(txtC4, txtC3, Div, kMillicuriesPerCurie), S(txtB1, txtC1, Mul, kBqPerNanocurie),
                 lineB, lineM, tindicator}},
        {txtC3, {S(txtC2, txtC3, Mul, kMicrocuriesPerMillicurie), S(txtC1, txtC2, Mul, kNanocuriesPerMicrocurie),
                 S(txtC4, txtC3, Div, kMillicuriesPerCurie), S(txtB1, txtC1, Mul, kBqPerNanocurie),
                 lineB, lineM, tindicator}},
        {txtC4, {S(txtC3, txtC4, Mul, kMillicuriesPerCurie), S(txtC2, txtC3, Mul, kMicrocuriesPerMillicurie),
                 S(txtC1, txtC2, Mul, kNanocuriesPerMicrocurie), S(txtB1, txtC1, Mul, kBqPerNanocurie),
                 lineB, lineM, tindicator}},

        {txtM1, {S(txtB1, txtM1, Mul, kBqPerMacheUnit),
                 lineB, lineC, tindicator}},
    };
    // clang-format on
}

// The gauge in Bq, kBq, MBq and GBq, chosen by the megabecquerels, every range 1000 wide.
// The slider writes kilobecquerels as plain text. A button whose field holds more than 1000
// writes "1000" there, recomputes from it and then takes the thumb from it.
GaugeSpec radioGauge()
{
    const Chain fromBecquerels = {lineB, lineC, lineM};
    const Chain fromKilobecquerels = {S(txtB1, txtB2, Mul, kBqPerKBq), S(txtB3, txtB2, Div, kKBqPerMBq),
                                      S(txtB4, txtB3, Div, kMBqPerGBq), lineC, lineM};
    const Chain fromMegabecquerels = {S(txtB2, txtB3, Mul, kKBqPerMBq), S(txtB1, txtB2, Mul, kBqPerKBq),
                                      S(txtB4, txtB3, Div, kMBqPerGBq), lineC, lineM};
    const Chain fromGigabecquerels = {S(txtB3, txtB4, Mul, kMBqPerGBq), S(txtB2, txtB3, Mul, kKBqPerMBq),
                                      S(txtB1, txtB2, Mul, kBqPerKBq), lineC, lineM};
    const auto kilobecquerels = [&](Operations fromPosition) {
        return WriteBack{txtB2, fromPosition, false, fromKilobecquerels};
    };
    const auto clamp = [](RadioWindow::Field field, const Chain& chain) {
        return Clamp{Reading{field}, 1000, field, "1000", chain, ClampPosition::AfterChain};
    };

    GaugeSpec gauge;
    gauge.decision = txtB3;
    // clang-format off
    gauge.ranges = {
        // n  button      MBq bound  Max   caption    thumb    kBq <- p            clamp above 1000
        {1, "Command1", 0.001,     1000, "1000Bq",  {txtB1}, kilobecquerels({{Div, kBqPerKBq}}),
         clamp(txtB1, fromBecquerels)},
        {2, "Command2", 1,         1000, "1000kBq", {txtB2}, kilobecquerels({}),
         clamp(txtB2, fromKilobecquerels)},
        {3, "Command3", 1000,      1000, "1000MBq", {txtB3}, kilobecquerels({{Mul, kKBqPerMBq}}),
         clamp(txtB3, fromMegabecquerels)},
        {4, "Command4", 1000000,   1000, "1000GBq", {txtB4}, kilobecquerels({{Mul, kKBqPerMBq * kMBqPerGBq}}),
         clamp(txtB4, fromGigabecquerels)},
    };
    // clang-format on
    gauge.reset = GaugeReset::allFields(RadioWindow::kFieldCount); // every unit field "0"
    return gauge;
}

} // namespace

Layout RadioWindow::controls()
{
    return radioLayout();
}

RadioWindow::RadioWindow(App& app, const FrameSpec& frame)
    : GaugeWindow(app, frame, controls(), radioGauge())
{
    install(groupProcedures(), enterChains(), kTindicator);
}

} // namespace mezura
