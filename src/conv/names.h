// The names a unit is found by from a terminal, all taken from the windows' own field rows:
// its label ("pound (lb)"), the main part of the label and a symbol that stands whole in it
// ("pound", "lb", "Torr", "N/m2"), the name its relation gives it ("1 mile = 160934.4 cm"),
// its words ("常衡ポンド"), its reading ("つぼ") with the reading in Latin letters ("tsubo"),
// and the aliases of its row ("ft", "たたみ"). A piece of a compound symbol is no name ("N" of
// "N/m2", "min" of "km/min"), nor a note that tells variants apart ("US" of "pt (US)").
//
// Names compare folded as the help's search folds words (full- and half-width, hiragana and
// katakana alike), with blanks left out, so that "ｍ２", "m²" and "m2" are one name. Case is
// folded in words ("Mile", "TSUBO") and in abbreviations in capitals ("btu" for "BTU"), but
// never in a symbol, where it tells units apart: "MJ" is not "mJ", "T" not "t".
#pragma once

#include "framework/app.h"
#include "framework/layout.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mezura::conv {

// One unit field of one window.
struct Unit {
    const WindowRow* row;
    int field;
    const FieldSpec* fieldRow;

    bool operator==(const Unit& other) const { return row == other.row && field == other.field; }
    // The field's row in its window's table: label, place, unit facts.
    const FieldSpec& tableRow() const { return *fieldRow; }
};

// The heading of a field's group as a window shows it: the group up to its note in brackets,
// heading("メートル法（水色）") -> "メートル法".
std::string heading(const std::string& group);

// The columns `text` takes on a terminal: East Asian wide and full-width characters take two.
std::size_t displayWidth(std::string_view text);

// A reading in hiragana written in Latin letters: "つぼ" -> "tsubo", "しゃく" -> "shaku",
// "じっかん" -> "jikkan". Empty when `reading` holds anything but hiragana.
std::string romaji(std::string_view reading);

// A name that a unit's row gives it besides its label: its words, its reading, their Latin
// spellings, its aliases and the Latin spellings of those in hiragana, each once, in that
// order: 坪（歩） has "つぼ", "tsubo", "ぶ", "bu"; feet "フィート", "ft", "foot". `reading`: a
// reading or a Latin spelling, in which case tells nothing; `alias`: from the row's aliases.
struct RowName {
    std::string text;
    bool reading;
    bool alias;
};
std::vector<RowName> rowNames(const UnitFacts& unit);

class UnitNames {
public:
    // The names of every unit field of every window of `app`, read from each window's field
    // rows (WindowRow::controls) when a name is first looked for among them: no window is made.
    explicit UnitNames(const App& app);
    ~UnitNames();

    // What a name finds: the units, or none with `unknownWindow` set when it names a window
    // ("重さ:grain") that there is not, or none with `caseOnly` set when units have the name
    // in another case of its symbol ("MJ": mJ). `others`: the variants of its window that the
    // name leaves aside for the one it means ("尺" means 尺(曲尺), not 尺(鯨尺)).
    struct Found {
        std::vector<Unit> units;
        std::string unknownWindow;
        bool caseOnly = false;
        std::vector<Unit> others;
    };
    // The units `name` names, within `window` when it is not null. Names written exactly as
    // `name` count before names that only fold alike ("Cal" is the kilocalorie, "cal" the
    // calorie, "CAL" either), and of those the best kind only: a whole label before a part of
    // one, a reading or an alias, those before a piece of a label or a label that others of
    // its window share ("pound" is the pound (lb), not the troy or apothecaries' pound). Of
    // variants that share a name ("尺"), the one whose row has the name as an alias is the one
    // meant. "WINDOW:NAME" looks within that window. Only the fields whose texts may hold
    // `name` have their names made and folded; with a window given, the other windows' are
    // looked at only when none of its names is written exactly so, as their case may count.
    Found find(std::string_view name, const WindowRow* window) const;
    // The window named `name`, by its caption ("重さ"), its menu item's caption, its module
    // name ("weight") or its English names ("mass"); null when none is.
    const WindowRow* window(std::string_view name) const;
    // The module name and the English names of a window: {"weight", "mass"}.
    static std::vector<std::string> windowNames(const WindowRow& row);
    // Up to `most` units whose names are nearest to `name` (a few letters apart at most), first
    // those that differ only in case and those whose label has `name` as a piece ("N": Pa
    // (N/m2)); for a name that differs only in case, the units of that window.
    std::vector<Unit> nearest(std::string_view name, const WindowRow* window, std::size_t most) const;

    // The unit fields of the window of `row`, in the order of its field table.
    std::vector<Unit> units(const WindowRow& row) const;
    // The label that tells the unit from the others of its window: the label, or for a label
    // that several fields share, the label with its group ("grain(金衡系)") but for the first
    // of them, which the label alone names within its window ("grain").
    std::string label(const Unit& unit) const;
    // "重さ:grain(金衡系)": what finds exactly this unit.
    std::string qualified(const Unit& unit) const;
    // qualified() as one argument on a shell's command line: in quotes when it holds a blank
    // or a character the shell reads ("'長さ:尺(鯨尺)'").
    std::string argument(const Unit& unit) const;
    // The reading and the Latin forms of the unit's readings: "しゃく shaku".
    std::string readings(const Unit& unit) const;
    // Every name of one word (no blank) a unit is found by, once each, in table order.
    std::vector<std::string> words() const;

private:
    struct Entry {
        Unit unit;
        std::u32string key;
        std::u32string cased;          // the key with its ASCII letters in their case
        std::vector<bool> caseMatters; // by character of `cased`: its case tells units apart
        std::string text;              // as written
        int rank;                      // kWhole ... kFragment
        bool plain = false;            // the name the row gives the one of its variants meant
    };
    // How well a name tells its unit: the best found are the candidates.
    static constexpr int kWhole = 0;       // a label no other field of its window has, "grain(金衡系)"
    static constexpr int kPart = 1;        // a part of a label, its words, its reading, an alias
    static constexpr int kFirstShared = 2; // the first of a window's fields that share a label,
                                           // when the window is given
    static constexpr int kPiece = 3;       // a word of a label ("gallon"), a label fields share
    static constexpr int kFragment = 4;    // a piece of a compound symbol or a variant's note
                                           // ("N", "US"): no name, but near one
    static constexpr int kWordPiece = 5;   // a piece between blanks or hyphens: kPiece when its
                                           // letters make words ("UK-gallon"), else kFragment
    // How an entry's case is compared: as its symbols tell (Written), never (Word: a reading),
    // or as written and as the one variant meant (Plain).
    enum class Kind { Written, Word, Plain };
    // A name of a unit as its row gives it, not folded yet.
    struct Name {
        int field;
        std::string text;
        int rank;
        Kind kind = Kind::Written;
    };
    struct WindowNames;

    // The field rows of the `index`-th window and the names of its shared labels, made when
    // first asked for.
    WindowNames& names(std::size_t index) const;
    // The names of the `field`-th field's own row in `window`, made when first asked for.
    const std::vector<Name>& fieldNames(WindowNames& window, std::size_t field) const;
    std::size_t index(const WindowRow& row) const;
    // The indexes of every window, or of `within` alone when it is not null.
    std::vector<std::size_t> indexes(const WindowRow* within) const;
    // The runs of letters of every label of every window, as written, sorted.
    const std::vector<std::u32string>& symbols() const;
    // The names of the windows `windows` (by index), in table order, that fold to `key`, or
    // every name with `key` null. The units whose shared label alone names them within their
    // window are added to `plainLabels` when it is given.
    std::vector<Entry> collect(const std::vector<std::size_t>& windows, const std::u32string* key,
                               std::vector<Unit>* plainLabels = nullptr) const;
    void add(std::vector<Entry>& entries, const Unit& unit, std::u32string key, std::u32string cased,
             const std::string& text, int rank, Kind kind) const;
    // Every name of every window, fragments included.
    const std::vector<Entry>& all() const;
    // "重さ:grain": `name` becomes "grain" and `within` the window; false when the window is
    // none (named in `unknownWindow`) or not `within` already.
    bool windowBefore(std::string_view& name, const WindowRow*& within, std::string& unknownWindow) const;

    const App& m_app;
    mutable std::vector<std::unique_ptr<WindowNames>> m_windows; // by window, once made
    mutable std::vector<std::u32string> m_symbols;               // empty until asked for
    mutable std::vector<Entry> m_all;                            // empty until asked for
};

} // namespace mezura::conv
