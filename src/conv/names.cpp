#include "conv/names.h"

#include "framework/fold.h"
#include "framework/fullwidth.h"
#include "framework/layout.h"
#include "windows/catalog.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

namespace mezura::conv {

namespace {

// The Latin letters of the hiragana U+3041 to U+3096, in order; the small kana ("ぁ", "っ",
// "ゃ") stand for themselves and are joined by romaji().
// clang-format off
constexpr std::array<const char*, 86> kKana{
    "a",  "a",  "i",  "i",  "u",  "u",   "e",  "e",  "o",  "o",     // ぁ あ ぃ い ぅ う ぇ え ぉ お
    "ka", "ga", "ki", "gi", "ku", "gu",  "ke", "ge", "ko", "go",    // か が き ぎ く ぐ け げ こ ご
    "sa", "za", "shi", "ji", "su", "zu", "se", "ze", "so", "zo",    // さ ざ し じ す ず せ ぜ そ ぞ
    "ta", "da", "chi", "ji", "",  "tsu", "zu", "te", "de", "to", "do", // た だ ち ぢ っ つ づ て で と ど
    "na", "ni", "nu", "ne", "no",                                  // な に ぬ ね の
    "ha", "ba", "pa", "hi", "bi", "pi", "fu", "bu", "pu",          // は ば ぱ ひ び ぴ ふ ぶ ぷ
    "he", "be", "pe", "ho", "bo", "po",                            // へ べ ぺ ほ ぼ ぽ
    "ma", "mi", "mu", "me", "mo",                                  // ま み む め も
    "ya", "ya", "yu", "yu", "yo", "yo",                            // ゃ や ゅ ゆ ょ よ
    "ra", "ri", "ru", "re", "ro", "wa", "wa", "i", "e", "o", "n",  // ら り る れ ろ ゎ わ ゐ ゑ を ん
    "vu", "ka", "ke"};                                             // ゔ ゕ ゖ
// clang-format on
constexpr char32_t kFirstKana = 0x3041;
constexpr char32_t kSmallTsu = 0x3063;
// The longest text whose nearest names are looked for.
constexpr std::size_t kLongestNear = 64;

bool isSmallY(char32_t c)
{
    return c == 0x3083 || c == 0x3085 || c == 0x3087;
}

// A name as it is compared: `key` folded, blanks, "^" and the degree sign left out ("m^2" is
// "m2", "°C" is "C"), "℃" and "℉" as "c" and "f"; `cased` the same with its ASCII letters
// (full-width ones too) in their case.
struct Keys {
    std::u32string key;
    std::u32string cased;
};

Keys keysOf(std::string_view text)
{
    // Most names are ASCII letters, digits and signs, which fold alone: no need to decode them.
    if (std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; })) {
        Keys keys;
        keys.key.reserve(text.size());
        keys.cased.reserve(text.size());
        for (const char c : text) {
            if (c != ' ' && c != '^') {
                keys.cased += static_cast<char32_t>(c);
                keys.key += static_cast<char32_t>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            }
        }
        return keys;
    }
    const std::u16string source = utf16(text);
    const FoldedText folded = fold(source);
    Keys keys;
    for (std::size_t i = 0; i < folded.text.size(); ++i) {
        const char32_t c = folded.text[i];
        if (c == U' ' || c == U'^' || c == 0xB0) {
            continue;
        }
        std::size_t at = folded.origin[i];
        const char32_t written = fullWidthTwin(decodeUtf16(source, at));
        const bool capital = (written >= U'A' && written <= U'Z') || c == 0x2103 || c == 0x2109;
        const char32_t lower = c == 0x2103 ? U'c' : c == 0x2109 ? U'f' : c;
        keys.key += lower;
        keys.cased += capital ? lower - U'a' + U'A' : lower;
    }
    return keys;
}

bool isCapital(char32_t c)
{
    return c >= U'A' && c <= U'Z';
}

bool isSmall(char32_t c)
{
    return c >= U'a' && c <= U'z';
}

bool isLetter(char32_t c)
{
    return isCapital(c) || isSmall(c);
}

// The runs of ASCII letters of a cased key: "US-gallon" -> "US", "gallon".
template <class Visit> void forEachRun(const std::u32string& cased, Visit visit)
{
    for (std::size_t at = 0; at < cased.size();) {
        if (!isLetter(cased[at])) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < cased.size() && isLetter(cased[end])) {
            ++end;
        }
        visit(at, end);
        at = end;
    }
}

// The letters that stand before a unit's symbol as a prefix ("m" of "mbar", "k" of "kcal").
constexpr std::u32string_view kPrefixes = U"mcdhkMGnp";

// Whether the case of the letters of `run` tells units apart: it does in a symbol ("mJ", "t",
// "MBq", "mbar", "kcal" for the kilo- of "cal"), not in a word ("mile", "Torr", "gallon": three
// letters or more, small but for the first, a vowel among them), nor in an abbreviation in
// capitals ("BTU", "US"). `symbols()`: the runs of letters of every label, sorted, asked for only
// when `run` looks like a word.
template <class Symbols> bool caseMatters(std::u32string_view run, const Symbols& symbols)
{
    if (run.size() >= 2 && std::all_of(run.begin(), run.end(), isCapital)) {
        return false;
    }
    const bool word = run.size() >= 3 && std::all_of(run.begin() + 1, run.end(), isSmall) &&
        run.find_first_of(U"aeiouAEIOU") != std::u32string_view::npos;
    if (!word) {
        return true;
    }
    if (kPrefixes.find(run.front()) == std::u32string_view::npos) {
        return false;
    }
    const std::vector<std::u32string>& sorted = symbols();
    return std::binary_search(sorted.begin(), sorted.end(), run.substr(1),
                              [](std::u32string_view a, std::u32string_view b) { return a < b; });
}

// Whether the character at the start of `text` is a voicing mark, which folding joins to the
// kana before it: U+3099 to U+309C, U+FF9E, U+FF9F.
bool startsWithVoicingMark(std::string_view text)
{
    if (text.size() < 3) {
        return false;
    }
    const auto second = static_cast<unsigned char>(text[1]);
    const auto third = static_cast<unsigned char>(text[2]);
    return (text[0] == '\xE3' && second == 0x82 && third >= 0x99 && third <= 0x9C) ||
        (text[0] == '\xEF' && second == 0xBE && (third == 0x9E || third == 0x9F));
}

// The characters of a key (keysOf), to tell fast whether it has one.
class KeyChars {
public:
    explicit KeyChars(const std::u32string& key)
        : m_key(key)
    {
        for (const char32_t c : key) {
            if (c < 0x80) {
                m_ascii[c >> 6] |= std::uint64_t{1} << (c & 63);
            } else if (c >= 0x3400 && c <= 0x9FFF) {
                m_kanji.emplace_back();
                appendUtf8(m_kanji.back(), c);
            }
        }
    }
    bool has(char32_t c) const
    {
        return c < 0x80 ? (m_ascii[c >> 6] >> (c & 63) & 1) != 0 : std::ranges::find(m_key, c) != m_key.end();
    }
    std::size_t size() const { return m_key.size(); }
    const std::u32string& key() const { return m_key; }
    // The kanji of the key in UTF-8: folding makes a kanji of nothing but itself.
    const std::vector<std::string>& kanji() const { return m_kanji; }

private:
    const std::u32string& m_key;
    std::array<std::uint64_t, 2> m_ascii{};
    std::vector<std::string> m_kanji;
};

// What of a text may fold into a key (keysOf), told without folding it.
struct Fit {
    std::size_t longest = 0; // the most characters in a row that may
    bool whole = true;       // every character may
};

// Folding reads a full-width form as its ASCII character (fullWidthTwin), keeps an ASCII letter,
// digit or sign (in its small form), a kanji, a kana (as katakana) and the signs among them
// (U+3001 to U+9FFF: "、", "ー", "・") as one character of the key, but for blanks and "^",
// which it leaves out, and a kana before a voicing mark, which it joins to the mark; no
// character becomes more than one. So a character that folding keeps so may fold into `key`
// only when `key` has it; of the others (marks, Latin and Greek letters, signs) any may; a
// character left out counts for none. Text that is no UTF-8 may all fold.
Fit fitting(std::string_view text, const KeyChars& key)
{
    constexpr std::array<char32_t, 5> kLowest{0, 0, 0x80, 0x800, 0x10000};
    constexpr Fit kAll{std::numeric_limits<std::size_t>::max(), true};
    Fit fit;
    std::size_t run = 0;
    for (std::size_t at = 0; at < text.size();) {
        const auto lead = static_cast<unsigned char>(text[at]);
        char32_t c = lead;
        if (lead < 0x80) {
            ++at;
        } else {
            const std::size_t length = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            if (lead < 0xC2 || lead >= 0xF5 || at + length > text.size()) {
                return kAll;
            }
            c = length == 2 ? lead & 0x1Fu : length == 3 ? lead & 0x0Fu : lead & 0x07u;
            for (std::size_t i = 1; i < length; ++i) {
                const auto next = static_cast<unsigned char>(text[at + i]);
                if ((next & 0xC0u) != 0x80u) {
                    return kAll;
                }
                c = c << 6 | (next & 0x3Fu);
            }
            if (c < kLowest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
                return kAll;
            }
            at += length;
            c = fullWidthTwin(c);
        }
        char32_t kept = 0; // what folding keeps of it
        if (c < 0x80) {
            if (c == ' ' || c == '^' || (c >= '\t' && c <= '\r')) {
                continue; // left out
            }
            kept = c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
        } else if ((c >= 0x3041 && c <= 0x3096) || (c >= 0x30A1 && c <= 0x30F6)) {
            kept = startsWithVoicingMark(text.substr(at)) ? 0 : c < 0x30A1 ? c + 0x60 : c;
        } else if (c == 0x309D || c == 0x309E) {
            kept = c + 0x60; // the hiragana iteration marks as katakana ones
        } else if (c > 0x3000 && c <= 0x9FFF && (c < 0x3099 || c > 0x309C)) {
            kept = c;
        }
        if (kept != 0 && !key.has(kept)) {
            fit.whole = false;
            run = 0;
        } else {
            fit.longest = std::max(fit.longest, ++run);
        }
    }
    return fit;
}

// Whether `text` may fold to `key`: false for one that cannot, which most names of a table
// cannot; one that may is folded to tell.
bool mayFoldTo(std::string_view text, const KeyChars& key)
{
    const Fit fit = fitting(text, key);
    return fit.whole && key.size() <= fit.longest;
}

// The unit as its relation names it: "mile" of "1 mile = 160934.4 cm"; empty for a relation of
// another form.
std::string_view relationName(const UnitFacts& unit)
{
    const std::string_view relation = unit.relation;
    if (!relation.starts_with("1 ")) {
        return {};
    }
    return relation.substr(2, relation.find(" = ") - 2);
}

// A character a shell reads in an argument, so that the argument needs quotes.
bool shellReads(char c)
{
    return std::string_view(" \t\n'\"\\$`!&|;<>()[]{}*?#~").find(c) != std::string_view::npos;
}

// Where the note in brackets of a label or group starts: "pound (lb)", "メートル法（水色）".
std::size_t bracketAt(std::string_view text)
{
    return std::min(text.find("（"), text.find('('));
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

// `text` cut at each of `separators` (UTF-8 strings), the pieces trimmed, empty ones left out.
std::vector<std::string> split(std::string_view text, std::initializer_list<std::string_view> separators)
{
    std::vector<std::string> pieces;
    std::size_t start = 0;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t length = 0;
        if (at == text.size()) {
            length = 1;
        } else {
            for (const std::string_view separator : separators) {
                if (text.substr(at).starts_with(separator)) {
                    length = separator.size();
                    break;
                }
            }
        }
        if (length == 0) {
            ++at;
            continue;
        }
        if (std::string piece = trimmed(text.substr(start, at - start)); !piece.empty()) {
            pieces.push_back(std::move(piece));
        }
        at += length;
        start = at;
    }
    return pieces;
}

// A reading's Latin form with its long vowels written short: "shou" -> "sho", "kyuusei" ->
// "kyusei", as they are often typed.
std::string shortVowels(std::string latin)
{
    for (const std::string_view pair : {"ou", "uu"}) {
        for (std::size_t at = latin.find(pair); at != std::string::npos; at = latin.find(pair, at + 1)) {
            latin.erase(at + 1, 1);
        }
    }
    return latin;
}

// "grain(金衡系)": a label that fields of a window share, told apart by the group.
std::string withGroup(std::string label, const std::string& group)
{
    label += '(';
    label += heading(group);
    label += ')';
    return label;
}

// Whether a name of a field's own row may fold to `key`, told from the texts of the row without
// making its names, which are pieces of its label (as shown), of the name its relation gives
// it, its words, its reading or an alias, or the Latin spelling of one of those in hiragana.
// False for most fields.
bool mayName(const UnitFacts& unit, std::string_view label, const KeyChars& key)
{
    const auto holds = [&](std::string_view text) {
        return std::ranges::all_of(
                   key.kanji(), [&](const std::string& kanji) { return text.find(kanji) != std::string_view::npos; }) &&
            fitting(text, key).longest >= key.size();
    };
    if (holds(label) || holds(relationName(unit)) || holds(unit.words) || holds(unit.reading) ||
        std::any_of(unit.aliases.begin(), unit.aliases.end(), holds)) {
        return true;
    }
    // A Latin spelling is small letters only.
    const std::u32string& letters = key.key();
    if (!std::all_of(letters.begin(), letters.end(), [](char32_t c) { return c >= U'a' && c <= U'z'; })) {
        return false;
    }
    const auto spells = [&](const char* text) {
        const std::string latin = romaji(text);
        return !latin.empty() &&
            (std::ranges::equal(letters, latin) || std::ranges::equal(letters, shortVowels(latin)));
    };
    return spells(unit.words) || spells(unit.reading) || std::any_of(unit.aliases.begin(), unit.aliases.end(), spells);
}

std::size_t distance(const std::u32string& a, const std::u32string& b)
{
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

std::string heading(const std::string& group)
{
    return trimmed(std::string_view(group).substr(0, bracketAt(group)));
}

std::size_t displayWidth(std::string_view text)
{
    std::size_t width = 0;
    for (const char16_t c : utf16(text)) {
        if ((c >= 0xDC00 && c <= 0xDFFF) || (c >= 0x0300 && c <= 0x036F) || c == 0x3099 || c == 0x309A) {
            continue; // the second half of a pair, a combining mark
        }
        const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
            (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
            (c >= 0xA000 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
            (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) ||
            (c >= 0xD800 && c <= 0xDBFF); // beyond the first plane: the ideographs of planes 2 and 3
        width += wide ? 2 : 1;
    }
    return width;
}

std::string romaji(std::string_view reading)
{
    // The hiragana U+3041 to U+3096 are E3 81 81 to E3 82 96 in UTF-8.
    std::u32string kana;
    for (std::size_t at = 0; at < reading.size(); at += 3) {
        const std::string_view c = reading.substr(at, 3);
        const auto second = c.size() == 3 ? static_cast<unsigned char>(c[1]) : 0u;
        const auto third = c.size() == 3 ? static_cast<unsigned char>(c[2]) : 0u;
        if (c.size() < 3 || c[0] != '\xE3' ||
            !((second == 0x81 && third >= 0x81 && third <= 0xBF) ||
              (second == 0x82 && third >= 0x80 && third <= 0x96))) {
            return {};
        }
        kana += static_cast<char32_t>(0x3000 + ((second & 0x3Fu) << 6) + (third & 0x3Fu));
    }
    std::string latin;
    bool doubled = false; // after "っ": the next consonant twice
    for (std::size_t i = 0; i < kana.size(); ++i) {
        if (kana[i] == kSmallTsu) {
            doubled = true;
            continue;
        }
        std::string syllable = kKana[kana[i] - kFirstKana];
        // "き" and "ゃ" make "kya"; "し" and "ゃ" make "sha".
        if (i + 1 < kana.size() && isSmallY(kana[i + 1]) && syllable.size() >= 2 && syllable.back() == 'i') {
            syllable.pop_back();
            const std::string y = kKana[kana[++i] - kFirstKana];
            syllable += syllable == "sh" || syllable == "ch" || syllable == "j" ? y.substr(1) : y;
        }
        if (doubled && !syllable.empty() && syllable.front() != 'a' && syllable.front() != 'i' &&
            syllable.front() != 'u' && syllable.front() != 'e' && syllable.front() != 'o') {
            latin += syllable.starts_with("ch") ? 't' : syllable.front();
        }
        doubled = false;
        latin += syllable;
    }
    return latin;
}

std::vector<RowName> rowNames(const UnitFacts& unit)
{
    std::vector<RowName> names;
    const auto add = [&](const std::string& text, bool reading, bool alias) {
        if (!text.empty() &&
            std::none_of(names.begin(), names.end(), [&](const RowName& name) { return name.text == text; })) {
            names.push_back({text, reading, alias});
        }
    };
    add(unit.words, false, false);
    add(unit.reading, true, false);
    for (const char* spoken : {unit.words, unit.reading}) {
        if (const std::string latin = romaji(spoken); !latin.empty()) {
            add(latin, true, false);
            add(shortVowels(latin), true, false);
        }
    }
    for (const char* alias : unit.aliases) {
        add(alias, false, true);
        if (const std::string latin = romaji(alias); !latin.empty()) {
            add(latin, true, true);
            add(shortVowels(latin), true, true);
        }
    }
    return names;
}

// The field rows of one window and the names they give its units, not folded yet: first the
// names of each field's own row, made when the field is first looked at, then those that tell
// fields with one label apart ("grain", "grain(金衡系)"), which count after the names of every
// window.
struct UnitNames::WindowNames {
    const WindowRow* row;
    std::vector<FieldSpec> fields;
    std::vector<std::string> labels;      // as shown
    std::vector<bool> shared;             // the label is also another field's of the window
    std::vector<bool> first;              // the first of those
    std::vector<bool> variant;            // a variant of a unit, told by its note ("pt (US)")
    std::vector<std::vector<Name>> names; // by field, once made
    std::vector<bool> named;              // by field: its names are made
    std::vector<Name> sharedNames;
    std::vector<signed char> qualified; // label() adds the group: 1, 0, or -1 not known yet

    Unit unit(int field) const { return {row, field, &fields[static_cast<std::size_t>(field)]}; }
};

UnitNames::UnitNames(const App& app)
    : m_app(app)
    , m_windows(app.windows().size())
{
}

UnitNames::~UnitNames() = default;

std::size_t UnitNames::index(const WindowRow& row) const
{
    return static_cast<std::size_t>(&row - m_app.windows().data());
}

UnitNames::WindowNames& UnitNames::names(std::size_t index) const
{
    std::unique_ptr<WindowNames>& made = m_windows[index];
    if (made) {
        return *made;
    }
    made = std::make_unique<WindowNames>();
    WindowNames& window = *made;
    window.row = &m_app.windows()[index];
    window.fields = window.row->controls().fields;
    const std::size_t count = window.fields.size();
    std::vector<std::string>& labels = window.labels;
    std::vector<std::optional<std::string>> headings; // of the labels with a note in brackets
    for (const FieldSpec& field : window.fields) {
        labels.push_back(shownLabel(field.label));
        headings.push_back(bracketAt(labels.back()) != std::string::npos ? std::optional(heading(labels.back()))
                                                                         : std::nullopt);
    }
    // By field: its label is also another field's of its window; the first such field. Its
    // note in brackets tells it from variants of its window ("pt (US)", "pt (DTP)"): the note
    // is no name of it.
    window.shared.assign(count, false);
    window.first.assign(count, false);
    window.variant.assign(count, false);
    window.names.resize(count);
    window.named.assign(count, false);
    window.qualified.assign(count, -1);
    for (std::size_t i = 0; i < count; ++i) {
        bool earlier = false; // a field before it has its label
        for (std::size_t j = 0; j < i; ++j) {
            if (labels[j].size() == labels[i].size() && labels[j] == labels[i]) {
                window.shared[i] = true;
                window.shared[j] = true;
                earlier = true;
            }
            if (headings[i] && headings[j] == headings[i]) {
                window.variant[i] = true;
                window.variant[j] = true;
            }
        }
        window.first[i] = !earlier;
    }
    for (std::size_t i = 0; i < count; ++i) {
        window.first[i] = window.first[i] && window.shared[i];
    }
    // Of the fields that share a label, the first in the window's table keeps the label within
    // its window ("重さ:grain"), unless it names another unit there already ("pound" is the
    // pound (lb)); the others, and that one without a window, are the label with their group:
    // "grain(金衡系)".
    for (std::size_t i = 0; i < count; ++i) {
        if (window.shared[i]) {
            if (window.first[i]) {
                window.sharedNames.push_back({static_cast<int>(i), labels[i], kFirstShared});
            }
            window.sharedNames.push_back(
                {static_cast<int>(i), withGroup(labels[i], window.fields[i].unit.group), kWhole});
        }
    }
    return window;
}

const std::vector<UnitNames::Name>& UnitNames::fieldNames(WindowNames& window, std::size_t i) const
{
    std::vector<Name>& names = window.names[i];
    if (window.named[i]) {
        return names;
    }
    window.named[i] = true;
    const FieldSpec& field = window.fields[i];
    const int at = static_cast<int>(i);
    const auto add = [&](const std::string& text, int rank, Kind kind = Kind::Written) {
        names.push_back({at, text, rank, kind});
    };
    // Each name is a piece of the label, of the relation's name, of the words, the reading or an
    // alias, or the Latin spelling of one of those in hiragana, as mayName() expects of them.
    const std::string& full = window.labels[i];
    const int part = window.shared[i] ? kPiece : kPart;
    add(full, window.shared[i] ? kPiece : kWhole);
    // "pound (lb)": "pound" and "lb"; "cm3, cc, ml" and "段／反": each of them; "Pa (N/m2)":
    // "Pa" and "N/m2", but not "N"; "pt (US)": "pt" alone, "US" tells it from "pt (DTP)".
    const std::size_t bracket = bracketAt(full);
    const std::string main = heading(full);
    add(main, part);
    for (const std::string& piece : split(main, {",", "、", "／"})) {
        add(piece, part);
    }
    if (bracket != std::string::npos) {
        for (const std::string& piece :
             split(std::string_view(full).substr(bracket), {"(", ")", "（", "）", ",", "、"})) {
            add(piece, window.variant[i] ? kFragment : part);
            for (const std::string& fragment : split(piece, {"/"})) {
                add(fragment, kFragment);
            }
        }
    }
    // "km/min", "mile/h": their symbols are no names alone, but near them.
    for (const std::string& fragment : split(main, {"/"})) {
        add(fragment, kFragment);
    }
    // "UK-gallon", "short ton", "音速 mach": their words alone find them when nothing else
    // does; "UK" and the pieces of symbols do not.
    for (const std::string& piece : split(main, {" ", "-", ",", "、", "\xE3\x80\x80"})) {
        add(piece, kWordPiece);
    }
    // The unit as its relation names it, "1 mile = 160934.4 cm": "mile" for "miles".
    if (const std::string_view name = relationName(field.unit); !name.empty()) {
        add(std::string(name), part);
    }
    // Its words, its reading, its aliases, and those in hiragana in Latin letters too. An
    // alias that is the main of a variant's label ("尺" of "尺(曲尺)") names that variant
    // before the others.
    for (const RowName& name : rowNames(field.unit)) {
        const bool plain =
            name.alias && !name.reading && window.variant[i] && keysOf(name.text).key == keysOf(main).key;
        add(name.text, kPart, name.reading ? Kind::Word : plain ? Kind::Plain : Kind::Written);
    }
    return names;
}

const std::vector<std::u32string>& UnitNames::symbols() const
{
    if (m_symbols.empty()) {
        for (std::size_t window = 0; window < m_windows.size(); ++window) {
            for (const std::string& label : names(window).labels) {
                const std::u32string cased = keysOf(label).cased;
                forEachRun(cased, [&](std::size_t from, std::size_t to) {
                    m_symbols.push_back(cased.substr(from, to - from));
                });
            }
        }
        std::sort(m_symbols.begin(), m_symbols.end());
        m_symbols.erase(std::unique(m_symbols.begin(), m_symbols.end()), m_symbols.end());
    }
    return m_symbols;
}

std::vector<UnitNames::Entry> UnitNames::collect(const std::vector<std::size_t>& windows, const std::u32string* key,
                                                 std::vector<Unit>* plainLabels) const
{
    const auto allSymbols = [this]() -> const std::vector<std::u32string>& { return symbols(); };
    std::optional<KeyChars> chars;
    if (key != nullptr) {
        chars.emplace(*key);
    }
    // Every field's own names, window by window, then the names of the labels that fields
    // share: the order of the whole table, in which the first of equally good names counts first.
    std::vector<Entry> entries;
    for (const bool sharedLabels : {false, true}) {
        for (const std::size_t window : windows) {
            WindowNames& made = names(window);
            std::vector<const Name*> candidates;
            if (sharedLabels) {
                for (const Name& name : made.sharedNames) {
                    candidates.push_back(&name);
                }
            } else {
                for (std::size_t field = 0; field < made.fields.size(); ++field) {
                    if (!chars || mayName(made.fields[field].unit, made.labels[field], *chars)) {
                        for (const Name& name : fieldNames(made, field)) {
                            candidates.push_back(&name);
                        }
                    }
                }
            }
            for (const Name* candidate : candidates) {
                const Name& name = *candidate;
                if (key != nullptr && (name.rank == kFragment || !mayFoldTo(name.text, *chars))) {
                    continue;
                }
                Keys keys = keysOf(name.text);
                if (keys.key.empty() || (key != nullptr && keys.key != *key)) {
                    continue;
                }
                const Unit unit = made.unit(name.field);
                int rank = name.rank;
                if (rank == kWordPiece) {
                    bool word = name.text.find('/') == std::string::npos;
                    forEachRun(keys.cased, [&](std::size_t from, std::size_t to) {
                        const std::u32string_view run = std::u32string_view(keys.cased).substr(from, to - from);
                        word = word && run.size() >= 3 && !std::all_of(run.begin(), run.end(), isCapital) &&
                            !caseMatters(run, allSymbols);
                    });
                    rank = word ? kPiece : kFragment;
                    if (rank == kFragment && key != nullptr) {
                        continue;
                    }
                }
                if (rank == kFirstShared) {
                    const bool taken = std::any_of(entries.begin(), entries.end(), [&](const Entry& entry) {
                        return entry.unit != unit && entry.key == keys.key && entry.rank <= kPart &&
                            entry.unit.row == unit.row;
                    });
                    if (taken) {
                        continue;
                    }
                    if (plainLabels != nullptr) {
                        plainLabels->push_back(unit);
                    }
                }
                add(entries, unit, std::move(keys.key), std::move(keys.cased), name.text, rank, name.kind);
            }
        }
    }
    return entries;
}

void UnitNames::add(std::vector<Entry>& entries, const Unit& unit, std::u32string key, std::u32string cased,
                    const std::string& text, int rank, Kind kind) const
{
    std::vector<bool> matters(cased.size(), false);
    if (kind != Kind::Word) {
        const auto allSymbols = [this]() -> const std::vector<std::u32string>& { return symbols(); };
        forEachRun(cased, [&](std::size_t from, std::size_t to) {
            if (caseMatters(std::u32string_view(cased).substr(from, to - from), allSymbols)) {
                std::fill(matters.begin() + static_cast<std::ptrdiff_t>(from),
                          matters.begin() + static_cast<std::ptrdiff_t>(to), true);
            }
        });
    }
    // A unit's names are added together: only the last ones can be the same. A name it has
    // already, as well told and as strict in case, adds nothing (but that it is the plain one).
    for (auto entry = entries.rbegin(); entry != entries.rend() && entry->unit == unit; ++entry) {
        if (entry->cased == cased && entry->rank <= rank && entry->caseMatters == matters) {
            entry->plain = entry->plain || kind == Kind::Plain;
            return;
        }
    }
    entries.push_back({unit, std::move(key), std::move(cased), std::move(matters), text, rank, kind == Kind::Plain});
}

std::vector<std::size_t> UnitNames::indexes(const WindowRow* within) const
{
    std::vector<std::size_t> windows;
    for (std::size_t i = 0; i < m_windows.size(); ++i) {
        if (within == nullptr || i == index(*within)) {
            windows.push_back(i);
        }
    }
    return windows;
}

const std::vector<UnitNames::Entry>& UnitNames::all() const
{
    if (m_all.empty()) {
        m_all = collect(indexes(nullptr), nullptr);
    }
    return m_all;
}

std::vector<Unit> UnitNames::units(const WindowRow& row) const
{
    const WindowNames& made = names(index(row));
    std::vector<Unit> units;
    for (std::size_t field = 0; field < made.fields.size(); ++field) {
        units.push_back(made.unit(static_cast<int>(field)));
    }
    return units;
}

std::vector<std::string> UnitNames::windowNames(const WindowRow& row)
{
    std::vector<std::string> names{row.frame.name};
    if (!row.english.empty()) {
        names.push_back(row.english);
    }
    return names;
}

const WindowRow* UnitNames::window(std::string_view name) const
{
    const std::u32string key = keysOf(name).key;
    if (key.empty()) {
        return nullptr;
    }
    for (const WindowRow& row : m_app.windows()) {
        if (key == keysOf(row.frame.caption).key || key == keysOf(row.label).key) {
            return &row;
        }
        for (const std::string& english : windowNames(row)) {
            if (key == keysOf(english).key) {
                return &row;
            }
        }
    }
    return nullptr;
}

bool UnitNames::windowBefore(std::string_view& name, const WindowRow*& within, std::string& unknownWindow) const
{
    // "重さ:grain" or "重さ：grain".
    std::size_t colon = name.find(':');
    std::size_t after = colon + 1;
    if (const std::size_t wide = name.find("："); wide < colon) {
        colon = wide;
        after = wide + std::string_view("：").size();
    }
    if (colon == std::string_view::npos) {
        return true;
    }
    const WindowRow* named = window(name.substr(0, colon));
    if (named == nullptr) {
        unknownWindow = trimmed(name.substr(0, colon));
        return false;
    }
    if (within != nullptr && within != named) {
        return false;
    }
    within = named;
    name = name.substr(after);
    return true;
}

UnitNames::Found UnitNames::find(std::string_view name, const WindowRow* within) const
{
    Found found;
    if (!windowBefore(name, within, found.unknownWindow)) {
        return found;
    }
    const Keys typed = keysOf(name);
    if (typed.key.empty()) {
        return found;
    }
    const auto inWindow = [&](const Entry& entry) {
        return entry.rank != kFragment && (within == nullptr || entry.unit.row == within) &&
            (entry.rank != kFirstShared || within != nullptr);
    };
    std::vector<Entry> entries = collect(indexes(within), &typed.key);
    // Names written exactly so come first ("Cal" is not "cal"), then names that fold alike
    // where case tells nothing; of either, those of the best rank.
    for (const bool exactly : {true, false}) {
        if (!exactly) {
            // Names of two units that differ only in case are symbols whatever their letters:
            // "cal" is the calorie, "Cal" the kilocalorie; in whatever window they are.
            if (within != nullptr) {
                // No name of the window folds so: none is found, whatever the case.
                if (entries.empty()) {
                    return found;
                }
                entries = collect(indexes(nullptr), &typed.key);
            }
            for (Entry& one : entries) {
                for (const Entry& other : entries) {
                    if (one.unit != other.unit && one.cased != other.cased) {
                        for (std::size_t c = 0; c < one.cased.size(); ++c) {
                            one.caseMatters[c] = one.caseMatters[c] || isLetter(one.cased[c]);
                        }
                    }
                }
            }
        }
        int best = std::numeric_limits<int>::max();
        std::vector<std::pair<Unit, bool>> matches; // unit, named by its plain name
        for (const Entry& entry : entries) {
            if (entry.rank > best || !inWindow(entry)) {
                continue;
            }
            bool fits = entry.cased == typed.cased;
            if (!exactly) {
                fits = true;
                for (std::size_t i = 0; i < entry.cased.size(); ++i) {
                    fits = fits && (!entry.caseMatters[i] || entry.cased[i] == typed.cased[i]);
                }
            }
            if (!fits) {
                continue;
            }
            if (entry.rank < best) {
                best = entry.rank;
                matches.clear();
            }
            const auto at = std::find_if(matches.begin(), matches.end(),
                                         [&](const auto& match) { return match.first == entry.unit; });
            if (at == matches.end()) {
                matches.emplace_back(entry.unit, entry.plain);
            } else {
                at->second = at->second || entry.plain;
            }
        }
        if (matches.empty()) {
            continue;
        }
        // Of the variants of one window that the name finds, the one it is the plain name of.
        for (const auto& [unit, plain] : matches) {
            const WindowRow* window = unit.row; // a binding itself is no capture for every compiler
            const auto fellow = [window](const auto& match) { return match.second && match.first.row == window; };
            const auto plainOnes = std::count_if(matches.begin(), matches.end(), fellow);
            if (plainOnes == 1 && !plain) {
                found.others.push_back(unit);
            } else {
                found.units.push_back(unit);
            }
        }
        return found;
    }
    found.caseOnly = std::any_of(entries.begin(), entries.end(), inWindow);
    return found;
}

std::vector<Unit> UnitNames::nearest(std::string_view name, const WindowRow* within, std::size_t most) const
{
    std::string unknownWindow;
    if (!windowBefore(name, within, unknownWindow)) {
        return {};
    }
    const Keys typed = keysOf(name);
    // No name is near an empty text or one much longer than the longest label.
    if (typed.key.empty() || typed.key.size() > kLongestNear) {
        return {};
    }
    const std::vector<Entry>& entries = all();
    // A name that differs only in case from names of one window is nearest to that window's.
    const WindowRow* caseWindow = nullptr;
    bool oneWindow = true;
    for (const Entry& entry : entries) {
        if (entry.key == typed.key && entry.rank != kFragment && (within == nullptr || entry.unit.row == within)) {
            oneWindow = oneWindow && (caseWindow == nullptr || caseWindow == entry.unit.row);
            caseWindow = entry.unit.row;
        }
    }
    if (caseWindow != nullptr && oneWindow) {
        within = caseWindow;
    }
    const std::size_t limit = typed.key.size() <= 3 ? 1 : std::max<std::size_t>(2, typed.key.size() / 3);
    // Every unit in table order, and where each window's units start among them.
    std::vector<Unit> units;
    std::vector<std::size_t> starts;
    for (const WindowRow& row : m_app.windows()) {
        starts.push_back(units.size());
        const std::vector<Unit> ofWindow = this->units(row);
        units.insert(units.end(), ofWindow.begin(), ofWindow.end());
    }
    std::vector<std::size_t> closest(units.size(), std::numeric_limits<std::size_t>::max());
    for (const Entry& entry : entries) {
        if (within == nullptr || entry.unit.row == within) {
            std::size_t& unit = closest[starts[index(*entry.unit.row)] + static_cast<std::size_t>(entry.unit.field)];
            unit = std::min(unit, distance(typed.key, entry.key));
        }
    }
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (closest[i] <= limit) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return closest[a] < closest[b]; });
    std::vector<Unit> near;
    for (std::size_t i = 0; i < order.size() && i < most; ++i) {
        near.push_back(units[order[i]]);
    }
    return near;
}

std::string UnitNames::label(const Unit& unit) const
{
    const FieldSpec& field = unit.tableRow();
    const std::size_t window = index(*unit.row);
    WindowNames& made = names(window);
    const auto at = static_cast<std::size_t>(unit.field);
    signed char& qualified = made.qualified[at];
    if (qualified < 0) {
        // The first of the fields that share a label is the label alone unless another unit of
        // its window has that name already.
        qualified = made.shared[at] ? 1 : 0;
        if (made.shared[at] && made.first[at]) {
            const std::u32string key = keysOf(made.labels[at]).key;
            std::vector<Unit> plainLabels;
            collect({window}, &key, &plainLabels);
            qualified = std::find(plainLabels.begin(), plainLabels.end(), unit) == plainLabels.end() ? 1 : 0;
        }
    }
    return qualified != 0 ? withGroup(shownLabel(field.label), field.unit.group) : shownLabel(field.label);
}

std::string UnitNames::qualified(const Unit& unit) const
{
    return unit.row->frame.caption + ":" + label(unit);
}

std::string UnitNames::argument(const Unit& unit) const
{
    const std::string name = qualified(unit);
    if (std::none_of(name.begin(), name.end(), shellReads)) {
        return name;
    }
    return "'" + name + "'"; // no label holds a quote
}

std::string UnitNames::readings(const Unit& unit) const
{
    const UnitFacts& facts = unit.tableRow().unit;
    std::string text = facts.reading;
    for (const char* reading : {facts.words, facts.reading}) {
        if (const std::string latin = romaji(reading); !latin.empty()) {
            text += (text.empty() ? "" : " ") + latin;
        }
    }
    return text;
}

std::vector<std::string> UnitNames::words() const
{
    std::vector<std::string> names;
    for (const Entry& entry : all()) {
        if (entry.rank != kFragment && entry.text.find(' ') == std::string::npos &&
            std::find(names.begin(), names.end(), entry.text) == names.end()) {
            names.push_back(entry.text);
        }
    }
    return names;
}

} // namespace mezura::conv
