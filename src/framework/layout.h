// What a window looks like, as data: controls with their names, captions, positions in
// twips and colours. The toolkit binding builds every window from these rows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mezura {

// A colour value &H00BBGGRR: blue, green and red bytes.
using Colour = std::uint32_t;

constexpr Colour rgb(int red, int green, int blue)
{
    return static_cast<Colour>(blue) << 16 | static_cast<Colour>(green) << 8 | static_cast<Colour>(red);
}

inline constexpr Colour kButtonFace = 0x8000000F;        // the system button-face colour
inline constexpr Colour kHighlight = rgb(255, 224, 192); // the highlighted range button
inline constexpr Colour kHelpButton = rgb(255, 192, 192);

// A unit label as a reader quotes it, without the blanks that pad it on the screen:
// shownLabel("摂氏(C)　") -> "摂氏(C)".
std::string shownLabel(const std::string& label);

// "&HFFFFC0": six upper-case hex digits in blue, green, red order (system colours in full).
std::string colourText(Colour colour);

// Left, top, width and height in twips; inside a frame box, relative to the box.
struct Rect {
    int left;
    int top;
    int width;
    int height;
};

// The relation of a window's base unit, from which the others are counted.
inline constexpr const char* kBaseUnit = "この画面の基準の単位";

// What a unit field's unit is. One set of facts serves the field's tooltip, its name for
// assistive technology and the unit table of the window's help page (with the keyword
// index that leads to its row), so that they cannot disagree.
struct UnitFacts {
    const char* group = "";    // the help table's group: "ジュール（水色）"
    const char* relation = ""; // "1 erg = 1E-07 J": what Enter with 1 in the field writes
                               // into the base field; kBaseUnit for the base field itself
    const char* words = "";    // the unit in words, said after the label: "エルグ"
    // Where the program's own definition differs from today's standard one, a line that
    // says so ("標準の米国ガロンは 3785.411784 cm3 です。"); empty otherwise.
    const char* note = "";
    // How the label is read, where `words` does not say it: "しゃく" for 尺(曲尺), whose words
    // are "かねじゃく"; empty otherwise. A unit is found by its reading too.
    const char* reading = "";
    // Other names a person types for the unit: "ft" and "foot" for feet, "たたみ" for a 畳,
    // "尺" for 尺(曲尺) (the one that the bare 尺 means among the 尺 of its window). A name in
    // hiragana is found by its Latin spelling too ("たたみ", "tatami").
    std::vector<const char*> aliases = {};
};

// What a field's tooltip says: its whole text, its unit and the unit's relation:
// fieldTip("36000000000", "erg", "1 erg = 1E-07 J") -> "36000000000 erg — 1 erg = 1E-07 J".
std::string fieldTip(std::string_view text, std::string_view label, std::string_view relation);

inline constexpr int kFieldWidth = 975;
inline constexpr int kFieldHeight = 285;
inline constexpr int kLabelHeight = 255;

// One unit field with its unit label above it.
struct FieldSpec {
    std::string name;  // "txtC1"
    std::string label; // "cm"
    Rect field;
    int labelLeft;
    int labelTop;
    int tabIndex;
    Colour colour;
    std::string box;    // name of the frame box that holds it, or empty
    bool typing = true; // false: display only, no key or click handlers
    int labelHeight = kLabelHeight;
    int id = -1; // its number in the window's Field enum: its place in the table
    UnitFacts unit = {};
    // Besides numbers, what the field's chain reads in a text, when anything: 1 for "元".
    std::optional<double> (*reads)(std::string_view text) = nullptr;

    // The row with its unit's facts, as a window's field table writes them.
    FieldSpec unitIs(const char* group, const char* relation, const char* words, const char* note = "") &&
    {
        unit = {group, relation, words, note, unit.reading, std::move(unit.aliases)};
        return std::move(*this);
    }
    // The row with the reading of its label (UnitFacts::reading).
    FieldSpec readAs(const char* reading) &&
    {
        unit.reading = reading;
        return std::move(*this);
    }
    // The row with other names of its unit (UnitFacts::aliases): .alias("ft", "foot").
    template <class... More> FieldSpec alias(const char* other, More... more) &&
    {
        unit.aliases.insert(unit.aliases.end(), {other, more...});
        return std::move(*this);
    }
    // The row with a reading of the field's text besides numbers (the first year of an era,
    // "元"), for the window's own chain and for whoever asks whether the field reads a text.
    FieldSpec readsAlso(std::optional<double> (*reading)(std::string_view text)) &&
    {
        reads = reading;
        return std::move(*this);
    }
};

// A field's number in its window's Field enum and its name, both from the one identifier:
// MEZURA_FIELD(txtC1) is `txtC1, "txtC1"`. The window checks the number against the
// field's place in its table when it is built.
#define MEZURA_FIELD(id) id, #id

// `field` with its number in the window's Field enum.
inline FieldSpec numbered(int id, FieldSpec field)
{
    field.id = id;
    return field;
}

// A unit field of the usual size, numbered, with its label at the field's left and its
// label's top at `labelTop`.
inline FieldSpec unitField(int id, const char* name, const char* label, int left, int top, int labelTop, int tab,
                           Colour colour, const char* box = "")
{
    return numbered(id,
                    FieldSpec{name, label, {left, top, kFieldWidth, kFieldHeight}, left, labelTop, tab, colour, box});
}

// The same with its label directly above it.
inline FieldSpec unitFieldUnderLabel(int id, const char* name, const char* label, int left, int top, int tab,
                                     Colour colour, const char* box = "")
{
    return unitField(id, name, label, left, top, top - kLabelHeight, tab, colour, box);
}

// What a click on a button does. Range: a gauge range button; Help: the "?" button; Ok,
// Cancel, Quit: the settings window's "OK", "cancel" and "quit".
enum class ButtonRole { Range, Help, Ok, Cancel, Quit };

struct ButtonSpec {
    std::string name;    // "Command1"
    std::string caption; // "300K"
    Rect rect;
    Colour colour; // at creation
    ButtonRole role = ButtonRole::Range;
    std::string box = {}; // name of the frame box that holds it, or empty
    bool bold = false;    // a bold caption in the window's font size
};

inline constexpr const char* kNoBox = "";
inline constexpr bool kBoldCaption = true;

struct LabelSpec {
    std::string name;    // "IndMax"
    std::string caption; // at creation
    Rect rect;
    double points = 0; // a font size of its own, in points; 0: the window's font
};

struct BoxSpec {
    std::string name;    // "Frame1"
    std::string caption; // "米国式活字"
    Rect rect;
};

// One check box of a control array: Check1(1) ... Check1(10).
struct CheckSpec {
    std::string name;    // "Check1"
    int index;           // 1 ...
    std::string caption; // "長さ"
    Rect rect;
    std::string box; // name of the frame box that holds it, or empty
};

// A picture: the program's icon.
struct ImageSpec {
    std::string name; // "Image1"
    Rect rect;
};

struct SliderSpec {
    std::string name; // "HScroll" ("HScroll1" in the temperature window)
    Rect rect;
    int min;
    int max;
    int tabIndex;
};

struct Layout {
    std::vector<FieldSpec> fields; // in the order of the window's field table
    std::vector<ButtonSpec> buttons;
    std::vector<LabelSpec> labels;
    std::vector<BoxSpec> boxes;
    std::vector<SliderSpec> sliders; // none for a window whose fields come later, else one
    std::vector<CheckSpec> checks;
    std::vector<ImageSpec> images;
};

} // namespace mezura
