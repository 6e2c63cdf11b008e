#include "windows/temp.h"

#include "framework/numtext.h"

#include <array>
#include <optional>

namespace mezura {

namespace {

constexpr Colour kCold = rgb(192, 255, 255); // below 4 degrees Celsius
constexpr Colour kMild = rgb(255, 255, 192); // from 4 to below 100
constexpr Colour kHot = rgb(255, 192, 192);  // from 100

using enum TempWindow::Field;

enum Procedure { kTindicator };

// A field in the one row of the window, its label above it.
// The groups that the help page's unit table lists the fields in.
constexpr const char* kTemperatureUnits = "摂氏・華氏・絶対温度（色は温度で変わります）";

FieldSpec field(int id, const char* name, const char* label, int left, int tab)
{
    return numbered(id, FieldSpec{name, label, {left, 270, 980, 285}, left, 75, tab, kMild, ""});
}

Layout tempLayout()
{
    Layout layout;
    //                     name                      label          Left  tab
    // clang-format off
    layout.fields = {field(MEZURA_FIELD(txtCels),   "摂氏(C)　",    45,   0)
                         .unitIs(kTemperatureUnits, "基準の温度（摂氏）", "セルシウス度")
                         .readAs("せっし")
                         .alias("Celsius", "centigrade"),
                     field(MEZURA_FIELD(txtFahr),   "華氏(F)　",    1145, 1)
                         .unitIs(kTemperatureUnits, "F = C × 9 / 5 + 32", "ファーレンハイト度")
                         .readAs("かし")
                         .alias("Fahrenheit"),
                     field(MEZURA_FIELD(txtKervin), "絶対温度(K)",  2245, 2)
                         .unitIs(kTemperatureUnits, "K = C + 273.15", "ケルビン")
                         .readAs("ぜったいおんど")
                         .alias("kelvin")};
    // clang-format on
    layout.sliders = {{"HScroll1", {45, 680, 3180, 255}, 0, 3000, 3}};
    layout.labels = {{"IndMin", "0", {285, 945, 255, 255}}, {"IndMax", "300K", {2685, 945, 615, 255}}};
    layout.buttons = {{"Command1", "300K", {45, 1200, 555, 255}, kHighlight},
                      {"Command2", "1000K", {720, 1200, 660, 255}, kButtonFace},
                      {"Command3", "3000K", {1440, 1200, 645, 255}, kButtonFace},
                      {"Command5", "30000K", {2151, 1200, 720, 255}, kButtonFace},
                      {"Command4", "?", {2955, 1200, 270, 255}, kHelpButton, ButtonRole::Help}};
    return layout;
}

// Range: highlight number, button, upper kelvin bound (inclusive), slider maximum, caption
// that the button writes.
struct Range {
    int n;
    const char* button;
    double bound;
    int max;
    const char* caption;
};
constexpr std::array<Range, 4> kRanges{{
    {1, "Command1", 300, 300, "300K"},
    {2, "Command2", 1000, 1000, "1000K"},
    {3, "Command3", 3000, 3000, "3000K"},
    {5, "Command5", 30000, 30000, "30000K"},
}};

// 9 Fahrenheit degrees make 5 Celsius degrees; water freezes at 32 °F, 0 °C and 273.15 K.
constexpr double kFahrenheitDegrees = 9;
constexpr double kCelsiusDegrees = 5;
constexpr double kFahrenheitAtFreezing = 32;
constexpr double kKelvinAtFreezing = 273.15;

Step step(int target, int source, Operations ops)
{
    return Step{target, source, ops, false}; // this window never limits digits
}

} // namespace

Layout TempWindow::controls()
{
    return tempLayout();
}

TempWindow::TempWindow(App& app, const FrameSpec& frame)
    : GaugeBase(app, frame, controls(), rangeButtons(kRanges))
{
    const Operations fahrenheit = {
        {Op::Mul, kFahrenheitDegrees}, {Op::Div, kCelsiusDegrees}, {Op::Add, kFahrenheitAtFreezing}};
    const Step celsiusFromKelvin = step(txtCels, txtKervin, {{Op::Sub, kKelvinAtFreezing}});
    const Step fahrenheitFromCelsius = step(txtFahr, txtCels, fahrenheit);
    const Step kelvinFromCelsius = step(txtKervin, txtCels, {{Op::Add, kKelvinAtFreezing}});
    const Step celsiusFromFahrenheit =
        step(txtCels, txtFahr,
             {{Op::Sub, kFahrenheitAtFreezing}, {Op::Mul, kCelsiusDegrees}, {Op::Div, kFahrenheitDegrees}});

    m_fromKelvin = {celsiusFromKelvin, fahrenheitFromCelsius};
    // clang-format off
    install({{kTindicator, [this] { tindicator(); }}},
            {{txtCels,   {fahrenheitFromCelsius, kelvinFromCelsius, Call{kTindicator}}},
             {txtFahr,   {celsiusFromFahrenheit, kelvinFromCelsius, Call{kTindicator}}},
             {txtKervin, {celsiusFromKelvin, fahrenheitFromCelsius, Call{kTindicator}}}});
    // clang-format on
}

void TempWindow::tindicator()
{
    const double kelvin = parseNumber(text(txtKervin));
    const Range* range = nullptr;
    if (kelvin >= 0) {
        for (const Range& candidate : kRanges) {
            if (kelvin <= candidate.bound) {
                range = &candidate;
                break;
            }
        }
    }
    if (range == nullptr) {
        noteChange(kelvin < 0 ? ValueChange{ValueChange::Kind::BelowAbsoluteZero}
                              : ValueChange{ValueChange::Kind::AboveRange, kRanges.back().caption});
        outOfRange();
    } else {
        gauge().setMax(range->max);
        bcolor(range->n);
    }
    indicatorTail();
}

// After the range choice, and after a reset: colours, thumb, and the maximum as the label.
void TempWindow::indicatorTail()
{
    colorChg();
    const std::optional<std::int16_t> position = toInt16(parseNumber(text(txtKervin)));
    gauge().setValue(position ? *position : gauge().max());
    setCaption("IndMax", paddedNumberText(gauge().max()));
}

void TempWindow::outOfRange()
{
    beep();
    setText(txtKervin, "0");
    run(m_fromKelvin);
    tindicator();
}

void TempWindow::colorChg()
{
    const double celsius = parseNumber(text(txtCels));
    const Colour colour = celsius < 4 ? kCold : celsius < 100 ? kMild : kHot;
    for (int field : {txtCels, txtFahr, txtKervin}) {
        setFieldColour(field, colour);
    }
}

void TempWindow::rangeButton(int button)
{
    for (const Range& range : kRanges) {
        if (buttonIndex(range.button) == button) {
            // A thumb above the new maximum goes to the right end; no field changes.
            gauge().setMax(range.max);
            setCaption("IndMax", range.caption);
            bcolor(range.n);
        }
    }
}

// The slider writes the kelvin field, and Celsius and Fahrenheit follow it.
void TempWindow::fromSlider()
{
    setText(txtKervin, numberText(gauge().value()));
    run(m_fromKelvin);
}

void TempWindow::sliderChange()
{
    const std::optional<std::int16_t> k = toInt16(parseNumber(text(txtKervin)));
    if (!k || *k != gauge().value()) {
        fromSlider();
    }
    colorChg();
}

void TempWindow::sliderScroll()
{
    fromSlider();
    colorChg();
}

void TempWindow::dumpExtra(std::ostream& out) const
{
    out << name() << ".color=" << colourText(colour()) << '\n';
}

} // namespace mezura
