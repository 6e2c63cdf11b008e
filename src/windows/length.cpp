#include "windows/length.h"

#include <utility>

// clang-format off

namespace mezura {

namespace {

using namespace rows;
using enum LengthWindow::Field;
using enum LengthWindow::Procedure;

constexpr Colour kMetric = rgb(192, 255, 255);   // metric, and the nautical mile beside it
constexpr Colour kYardPound = rgb(255, 255, 192);
constexpr Colour kShakuKan = rgb(255, 192, 255);
constexpr Colour kCloth = rgb(192, 255, 192);    // cloth shaku and Kyoto ken
constexpr Colour kType = rgb(255, 224, 192);

constexpr const char* kAmerican = "Frame1"; // "米国式活字"
constexpr const char* kEuropean = "Frame2"; // "欧州式活字"

FieldSpec field(int id, const char* name, const char* label, int left, int top, int labelLeft, int labelTop, int tab,
                Colour colour, const char* box = "")
{
    return numbered(id, FieldSpec{name, label, {left, top, kFieldWidth, kFieldHeight}, labelLeft, labelTop, tab, colour, box});
}

Layout lengthLayout()
{
    Layout layout;
    // Fields in a frame stand relative to it. The labels of the yard-pound fields, of "里"
    // and of "間(京間)" do not stand at their field's Left.
    layout.fields = {
        //     name                  label          Left   Top   label at     tab  colour
        field(MEZURA_FIELD(txtC0), "mm",             45,   781,   45,  586,    0, kMetric),
        field(MEZURA_FIELD(txtC1), "cm",             45,  1292,   45, 1097,    1, kMetric),
        field(MEZURA_FIELD(txtC2), "m",              45,  2314,   45, 2119,    2, kMetric),
        field(MEZURA_FIELD(txtC3), "km",             45,  3847,   45, 3652,    3, kMetric),
        field(MEZURA_FIELD(txtS7), "海里",           45,  4358,   45, 4170,    4, kMetric),
        field(MEZURA_FIELD(txtI1), "inch",         1145,  1292, 1140, 1097,    5, kYardPound),
        field(MEZURA_FIELD(txtI2), "feet",         1145,  1803, 1140, 1608,    6, kYardPound),
        field(MEZURA_FIELD(txtI3), "yards",        1145,  2314, 1140, 2119,    7, kYardPound),
        field(MEZURA_FIELD(txtI4), "rods",         1145,  2825, 1140, 2630,    8, kYardPound),
        field(MEZURA_FIELD(txtI5), "chains",       1145,  3360, 1140, 3141,    9, kYardPound),
        field(MEZURA_FIELD(txtI6), "furlong",      1145,  3847, 1140, 3652,   10, kYardPound),
        field(MEZURA_FIELD(txtI7), "miles",        1145,  4358, 1140, 4163,   11, kYardPound),
        field(MEZURA_FIELD(txtI8), "leagues",      1145,  4875, 1140, 4680,   12, kYardPound),
        field(MEZURA_FIELD(txtS0), "厘",           2245,   270, 2245,   75,   13, kShakuKan),
        field(MEZURA_FIELD(txtS00), "分",          2245,   781, 2245,  586,   14, kShakuKan),
        field(MEZURA_FIELD(txtS1), "寸",           2245,  1292, 2245, 1097,   15, kShakuKan),
        field(MEZURA_FIELD(txtS2), "尺(曲尺)",     2245,  1803, 2245, 1608,   16, kShakuKan),
        field(MEZURA_FIELD(txtS3), "間",           2245,  2314, 2245, 2119,   17, kShakuKan),
        field(MEZURA_FIELD(txtS4), "丈",           2245,  2825, 2245, 2630,   18, kShakuKan),
        field(MEZURA_FIELD(txtS5), "段／反",       2245,  3336, 2245, 3141,   19, kShakuKan),
        field(MEZURA_FIELD(txtS6), "町／丁",       2245,  3847, 2245, 3652,   20, kShakuKan),
        field(MEZURA_FIELD(txtS8), "里",           2245,  4395, 2250, 4200,   21, kShakuKan),
        field(MEZURA_FIELD(txtK1), "尺(呉服尺)",   3345,  1800, 3345, 1608,   22, kCloth),
        field(MEZURA_FIELD(txtK2), "尺(鯨尺)",     3345,  2310, 3345, 2119,   23, kCloth),
        field(MEZURA_FIELD(txtK3), "間(京間)",     3360,  2835, 3345, 2630,   24, kCloth),
        field(MEZURA_FIELD(txtP1), "pt (US)",       120,   435,  120,  240,   25, kType, kAmerican),
        field(MEZURA_FIELD(txtP2), "pica",          120,   960,  120,  765,   26, kType, kAmerican),
        field(MEZURA_FIELD(txtP3), "twips",         120,   435,  120,  240,   27, kType, kEuropean),
        field(MEZURA_FIELD(txtP4), "pt (DTP)",      120,   915,  120,  720,   28, kType, kEuropean),
        field(MEZURA_FIELD(txtP5), "pt (Didot)",    120,  1440,  120, 1245,   29, kType, kEuropean),
        field(MEZURA_FIELD(txtP6), "級（Q）",      4560,  4275, 4560, 4080,   30, kType),
    };
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
    return {
        {kLineC, {S(txtC2, txtC1, Div, 100), S(txtC3, txtC2, Div, 1000), S(txtC0, txtC1, Mul, 10)}},
        {kLineI, {S(txtI1, txtC1, Div, 2.54), S(txtI2, txtI1, Div, 12), S(txtI3, txtI2, Div, 3),
                  S(txtI4, txtI3, Div, 5.5), S(txtI5, txtI4, Div, 4), S(txtI6, txtI5, Div, 10),
                  S(txtI7, txtI6, Div, 8), S(txtI8, txtI7, Div, 3)}},
        {kLineS, {S(txtS1, txtC1, Mul, 0.33), S(txtS2, txtS1, Div, 10), S(txtS3, txtS2, Div, 6),
                  S(txtS4, txtS2, Div, 10), S(txtS5, txtS3, Div, 6), S(txtS6, txtS3, Div, 60),
                  S(txtS7, txtC3, Div, 1.852), S(txtS8, txtS6, Div, 36), S(txtS0, txtS1, Mul, 100),
                  S(txtS00, txtS1, Mul, 10)}},
        {kLineK, {S(txtK1, txtS1, Div, 12), S(txtK2, txtS1, Div, 12.5), S(txtK3, txtS1, Div, 65)}},
        {kLineP, {S(txtP2, txtC1, Mul, 83, Div, 35), S(txtP1, txtP2, Mul, 12), S(txtP3, txtI1, Mul, 1440),
                  S(txtP4, txtI1, Mul, 72), S(txtP5, txtC1, Mul, 80, Div, 3), S(txtP6, txtC1, Mul, 40)}},
    };
}

// What Enter in each field runs. Sun to centimetres divides by 0.33, except from 厘 and 分,
// which multiply by 3.03.
std::vector<EnterRow> enterChains()
{
    return {
        {txtC1, {lineC, lineI, lineS, lineK, lineP, tindicator}},
        {txtC0, {S(txtC1, txtC0, Div, 10), S(txtC2, txtC1, Div, 100), S(txtC3, txtC2, Div, 1000),
                 lineI, lineS, lineK, lineP, tindicator}},
        {txtC2, {S(txtC1, txtC2, Mul, 100), S(txtC3, txtC2, Div, 1000), S(txtC0, txtC1, Mul, 10),
                 lineI, lineS, lineK, lineP, tindicator}},
        {txtC3, {S(txtC2, txtC3, Mul, 1000), S(txtC1, txtC2, Mul, 100), S(txtC0, txtC1, Mul, 10),
                 lineI, lineS, lineK, lineP, tindicator}},
        // The nautical mile writes the metric and shaku-kan groups itself, so it keeps its text.
        {txtS7, {S(txtC3, txtS7, Mul, 1.852), S(txtC2, txtC3, Mul, 1000), S(txtC1, txtC2, Mul, 100),
                 S(txtC0, txtC1, Mul, 10), S(txtS1, txtC1, Mul, 0.33), S(txtS2, txtS1, Div, 10),
                 S(txtS3, txtS2, Div, 6), S(txtS4, txtS2, Div, 10), S(txtS5, txtS3, Div, 6),
                 S(txtS6, txtS3, Div, 60), S(txtS8, txtS6, Div, 36), S(txtS0, txtS1, Mul, 100),
                 S(txtS00, txtS1, Mul, 10), lineI, lineK, lineP, tindicator}},

        // Yard-pound: down the ladder from the typed field, up to the inch, then centimetres.
        {txtI1, {S(txtI2, txtI1, Div, 12), S(txtI3, txtI2, Div, 3), S(txtI4, txtI3, Div, 5.5),
                 S(txtI5, txtI4, Div, 4), S(txtI6, txtI5, Div, 10), S(txtI7, txtI6, Div, 8),
                 S(txtI8, txtI7, Div, 3), S(txtC1, txtI1, Mul, 2.54),
                 lineC, lineS, lineK, lineP, tindicator}},
        {txtI2, {S(txtI3, txtI2, Div, 3), S(txtI4, txtI3, Div, 5.5), S(txtI5, txtI4, Div, 4),
                 S(txtI6, txtI5, Div, 10), S(txtI7, txtI6, Div, 8), S(txtI8, txtI7, Div, 3),
                 S(txtI1, txtI2, Mul, 12), S(txtC1, txtI1, Mul, 2.54),
                 lineC, lineS, lineK, lineP, tindicator}},
        {txtI3, {S(txtI4, txtI3, Div, 5.5), S(txtI5, txtI4, Div, 4), S(txtI6, txtI5, Div, 10),
                 S(txtI7, txtI6, Div, 8), S(txtI8, txtI7, Div, 3),
                 S(txtI2, txtI3, Mul, 3), S(txtI1, txtI2, Mul, 12), S(txtC1, txtI1, Mul, 2.54),
                 lineC, lineS, lineK, lineP, tindicator}},
        {txtI4, {S(txtI5, txtI4, Div, 4), S(txtI6, txtI5, Div, 10), S(txtI7, txtI6, Div, 8),
                 S(txtI8, txtI7, Div, 3),
                 S(txtI3, txtI4, Mul, 5.5), S(txtI2, txtI3, Mul, 3), S(txtI1, txtI2, Mul, 12),
                 S(txtC1, txtI1, Mul, 2.54),
                 lineC, lineS, lineK, lineP, tindicator}},
        {txtI5, {S(txtI6, txtI5, Div, 10), S(txtI7, txtI6, Div, 8), S(txtI8, txtI7, Div, 3),
                 S(txtI4, txtI5, Mul, 4), S(txtI3, txtI4, Mul, 5.5), S(txtI2, txtI3, Mul, 3),
                 S(txtI1, txtI2, Mul, 12), S(txtC1, txtI1, Mul, 2.54),
                 lineC, lineS, lineK, lineP, tindicator}},
        {txtI6, {S(txtI7, txtI6, Div, 8), S(txtI8, txtI7, Div, 3),
                 S(txtI5, txtI6, Mul, 10), S(txtI4, txtI5, Mul, 4), S(txtI3, txtI4, Mul, 5.5),
                 S(txtI2, txtI3, Mul, 3), S(txtI1, txtI2, Mul, 12), S(txtC1, txtI1, Mul, 2.54),
                 lineC, lineS, lineK, lineP, tindicator}},
        {txtI7, {S(txtI8, txtI7, Div, 3),
                 S(txtI6, txtI7, Mul, 8), S(txtI5, txtI6, Mul, 10), S(txtI4, txtI5, Mul, 4),
                 S(txtI3, txtI4, Mul, 5.5), S(txtI2, txtI3, Mul, 3), S(txtI1, txtI2, Mul, 12),
                 S(txtC1, txtI1, Mul, 2.54),
                 lineC, lineS, lineK, lineP, tindicator}},
        {txtI8, {S(txtI7, txtI8, Mul, 3), S(txtI6, txtI7, Mul, 8), S(txtI5, txtI6, Mul, 10),
                 S(txtI4, txtI5, Mul, 4), S(txtI3, txtI4, Mul, 5.5), S(txtI2, txtI3, Mul, 3),
                 S(txtI1, txtI2, Mul, 12), S(txtC1, txtI1, Mul, 2.54),
                 lineC, lineS, lineK, lineP, tindicator}},

        // Shaku-kan: the group from the typed field, centimetres from the sun, the metric
        // group, the nautical mile, 厘 and 分, then the other groups.
        {txtS0, {S(txtS1, txtS0, Div, 100), S(txtS2, txtS1, Div, 10), S(txtS3, txtS2, Div, 6),
                 S(txtS4, txtS2, Div, 10), S(txtS5, txtS3, Div, 6), S(txtS6, txtS3, Div, 60),
                 S(txtS8, txtS6, Div, 36), S(txtC1, txtS1, Mul, 3.03), lineC,
                 S(txtS7, txtC3, Div, 1.852), S(txtS00, txtS1, Mul, 10),
                 lineI, lineK, lineP, tindicator}},
        {txtS00, {S(txtS1, txtS00, Div, 10), S(txtS2, txtS1, Div, 10), S(txtS3, txtS2, Div, 6),
                  S(txtS4, txtS2, Div, 10), S(txtS5, txtS3, Div, 6), S(txtS6, txtS3, Div, 60),
                  S(txtS8, txtS6, Div, 36), S(txtC1, txtS1, Mul, 3.03), lineC,
                  S(txtS7, txtC3, Div, 1.852), S(txtS0, txtS1, Mul, 100),
                  lineI, lineK, lineP, tindicator}},
        {txtS1, {S(txtS2, txtS1, Div, 10), S(txtS3, txtS2, Div, 6), S(txtS4, txtS2, Div, 10),
                 S(txtS5, txtS3, Div, 6), S(txtS6, txtS3, Div, 60), S(txtS8, txtS6, Div, 36),
                 S(txtC1, txtS1, Div, 0.33), lineC,
                 S(txtS7, txtC3, Div, 1.852), S(txtS0, txtS1, Mul, 100), S(txtS00, txtS1, Mul, 10),
                 lineI, lineK, lineP, tindicator}},
        {txtS2, {S(txtS3, txtS2, Div, 6), S(txtS4, txtS2, Div, 10), S(txtS5, txtS3, Div, 6),
                 S(txtS6, txtS3, Div, 60), S(txtS8, txtS6, Div, 36), S(txtS1, txtS2, Mul, 10),
                 S(txtC1, txtS1, Div, 0.33), lineC,
                 S(txtS7, txtC3, Div, 1.852), S(txtS0, txtS1, Mul, 100), S(txtS00, txtS1, Mul, 10),
                 lineI, lineK, lineP, tindicator}},
        {txtS3, {S(txtS5, txtS3, Div, 6), S(txtS6, txtS3, Div, 60), S(txtS8, txtS6, Div, 36),
                 S(txtS2, txtS3, Mul, 6), S(txtS1, txtS2, Mul, 10), S(txtS4, txtS2, Div, 10),
                 S(txtC1, txtS1, Div, 0.33), lineC,
                 S(txtS7, txtC3, Div, 1.852), S(txtS0, txtS1, Mul, 100), S(txtS00, txtS1, Mul, 10),
                 lineI, lineK, lineP, tindicator}},
        {txtS4, {S(txtS2, txtS4, Mul, 10), S(txtS3, txtS2, Div, 6), S(txtS1, txtS2, Mul, 10),
                 S(txtS5, txtS3, Div, 6), S(txtS6, txtS3, Div, 60), S(txtS8, txtS6, Div, 36),
                 S(txtC1, txtS1, Div, 0.33), lineC,
                 S(txtS7, txtC3, Div, 1.852), S(txtS0, txtS1, Mul, 100), S(txtS00, txtS1, Mul, 10),
                 lineI, lineK, lineP, tindicator}},
        {txtS5, {S(txtS3, txtS5, Mul, 6), S(txtS2, txtS5, Mul, 36), S(txtS1, txtS2, Mul, 10),
                 S(txtS4, txtS2, Div, 10), S(txtS6, txtS3, Div, 60), S(txtS8, txtS6, Div, 36),
                 S(txtC1, txtS1, Div, 0.33), lineC,
                 S(txtS7, txtC3, Div, 1.852), S(txtS0, txtS1, Mul, 100), S(txtS00, txtS1, Mul, 10),
                 lineI, lineK, lineP, tindicator}},
        {txtS6, {S(txtS3, txtS6, Mul, 60), S(txtS2, txtS3, Mul, 6), S(txtS1, txtS2, Mul, 10),
                 S(txtS4, txtS2, Div, 10), S(txtS5, txtS3, Div, 6), S(txtS8, txtS6, Div, 36),
                 S(txtC1, txtS1, Div, 0.33), lineC,
                 S(txtS7, txtC3, Div, 1.852), S(txtS0, txtS1, Mul, 100), S(txtS00, txtS1, Mul, 10),
                 lineI, lineK, lineP, tindicator}},
        {txtS8, {S(txtS6, txtS8, Mul, 36), S(txtS3, txtS6, Mul, 60), S(txtS5, txtS3, Div, 6),
                 S(txtS2, txtS3, Mul, 6), S(txtS4, txtS2, Div, 10), S(txtS1, txtS2, Mul, 10),
                 S(txtC1, txtS1, Div, 0.33), lineC,
                 S(txtS7, txtC3, Div, 1.852), S(txtS0, txtS1, Mul, 100), S(txtS00, txtS1, Mul, 10),
                 lineI, lineK, lineP, tindicator}},

        // Cloth shaku and Kyoto ken go through the sun; lineS then rewrites it from centimetres.
        {txtK1, {S(txtS1, txtK1, Mul, 12), S(txtC1, txtS1, Div, 0.33), S(txtK2, txtS1, Div, 12.5),
                 S(txtK3, txtS1, Div, 65), lineC, lineS, lineI, lineP, tindicator}},
        {txtK2, {S(txtS1, txtK2, Mul, 12.5), S(txtC1, txtS1, Div, 0.33), S(txtK1, txtS1, Div, 12),
                 S(txtK3, txtS1, Div, 65), lineC, lineS, lineI, lineP, tindicator}},
        {txtK3, {S(txtS1, txtK3, Mul, 65), S(txtC1, txtS1, Div, 0.33), S(txtK1, txtS1, Div, 12),
                 S(txtK2, txtS1, Div, 12.5), lineC, lineS, lineI, lineP, tindicator}},

        // Type sizes: 83 pica are 35 cm, 80 Didot points 3 cm, 40 Q 1 cm; twips and DTP
        // points go through the inch.
        {txtP1, {S(txtP2, txtP1, Div, 12), S(txtC1, txtP2, Mul, 35, Div, 83),
                 lineC, lineI, lineS, lineK,
                 S(txtP3, txtI1, Mul, 1440), S(txtP4, txtI1, Mul, 72), S(txtP5, txtC1, Mul, 80, Div, 3),
                 S(txtP6, txtC1, Mul, 40), tindicator}},
        {txtP2, {S(txtP1, txtP2, Mul, 12), S(txtC1, txtP2, Mul, 35, Div, 83),
                 lineC, lineI, lineS, lineK,
                 S(txtP3, txtI1, Mul, 1440), S(txtP4, txtI1, Mul, 72), S(txtP5, txtC1, Mul, 80, Div, 3),
                 S(txtP6, txtC1, Mul, 40), tindicator}},
        {txtP3, {S(txtI1, txtP3, Div, 1440), S(txtC1, txtI1, Mul, 2.54), S(txtP4, txtP3, Div, 20),
                 S(txtP5, txtC1, Mul, 80, Div, 3), S(txtP6, txtC1, Mul, 40),
                 S(txtP2, txtC1, Mul, 83, Div, 35), S(txtP1, txtP2, Mul, 12),
                 lineC, lineI, lineS, lineK, tindicator}},
        {txtP4, {S(txtI1, txtP4, Div, 72), S(txtC1, txtI1, Mul, 2.54), S(txtP3, txtP4, Mul, 20),
                 S(txtP5, txtC1, Mul, 80, Div, 3), S(txtP6, txtC1, Mul, 40),
                 S(txtP2, txtC1, Mul, 83, Div, 35), S(txtP1, txtP2, Mul, 12),
                 lineC, lineI, lineS, lineK, tindicator}},
        {txtP5, {S(txtC1, txtP5, Mul, 3, Div, 80),
                 lineC, lineI, lineS, lineK,
                 S(txtP4, txtI1, Mul, 72), S(txtP3, txtI1, Mul, 1440), S(txtP2, txtC1, Mul, 83, Div, 35),
                 S(txtP1, txtP2, Mul, 12), S(txtP6, txtC1, Mul, 40), tindicator}},
        {txtP6, {S(txtC1, txtP6, Div, 40),
                 lineC, lineI, lineS, lineK,
                 S(txtP5, txtC1, Mul, 80, Div, 3), S(txtP4, txtI1, Mul, 72), S(txtP3, txtI1, Mul, 1440),
                 S(txtP2, txtC1, Mul, 83, Div, 35), S(txtP1, txtP2, Mul, 12), tindicator}},
    };
}

// The gauge in millimetres, metres and kilometres, chosen by the kilometre field. The slider
// writes metres as plain text; the clamps write centimetres.
GaugeSpec lengthGauge()
{
    const Chain fromMetres = {S(txtC3, txtC2, Div, 1000), S(txtC1, txtC2, Mul, 100), S(txtC0, txtC1, Mul, 10),
                              lineI, lineS, lineK, lineP};
    const Chain fromCentimetres = {lineC, lineI, lineS, lineK, lineP};
    auto clamp = [&](Reading test, double limit, const char* centimetres) {
        return Clamp{std::move(test), limit, txtC1, centimetres, fromCentimetres, ClampPosition::Keep};
    };

    GaugeSpec gauge;
    gauge.decision = txtC3;
    gauge.ranges = {
        // n  button      km bound  Max   caption   thumb   metres <- p          clamp: over what, cm text
        {1, "Command1", 0.001, 1000, "1000mm", {txtC0}, {txtC2, {{Div, 1000}}, false, fromMetres},
         clamp({txtC1}, 100, "100"), Reading{txtC1, {{Mul, 10}}}}, // the button's thumb: cm x 10
        {2, "Command2", 1, 1000, "1000m", {txtC2}, {txtC2, {}, false, fromMetres},
         clamp({txtC2}, 1000, "100000")},
        {3, "Command3", 1000, 1000, "1000km", {txtC3}, {txtC2, {{Mul, 1000}}, false, fromMetres},
         clamp({txtC3}, 1000, "100000000")},
    };
    gauge.reset = GaugeReset::allFields(LengthWindow::kFieldCount); // every unit field "0"
    return gauge;
}

} // namespace

LengthWindow::LengthWindow(App& app, const FrameSpec& frame)
    : GaugeWindow(app, frame, lengthLayout(), lengthGauge())
{
    install(groupProcedures(), enterChains(), kTindicator);
}

} // namespace mezura
// clang-format on
