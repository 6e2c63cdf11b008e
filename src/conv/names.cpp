#include "conv/names.h"

#include "framework/fold.h"
#include "framework/fullwidth.h"
#include "framework/layout.h"
#include "framework/window.h"

#include <algorithm>
#include <array>
#include <limits>
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

// The English names of each window beside its module name, as a person types them.
struct EnglishNames {
    std::string_view module;
    std::array<std::string_view, 2> names;
};
// clang-format off
constexpr std::array<EnglishNames, 10> kEnglish{{
    {"length",   {"", ""}},
    {"square",   {"area", ""}},
    {"cubic",    {"volume", ""}},
    {"weight",   {"mass", ""}},
    {"velocity", {"speed", ""}},
    {"press",    {"pressure", ""}},
    {"heat",     {"energy", ""}},
    {"temp",     {"temperature", ""}},
    {"radio",    {"radioactivity", ""}},
    {"year",     {"calendar", ""}},
}};
// clang-format on

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
// capitals ("BTU", "US"). `symbols`: the runs of letters of every label, sorted.
bool caseMatters(std::u32string_view run, const std::vector<std::u32string>& symbols)
{
    if (run.size() >= 2 && std::all_of(run.begin(), run.end(), isCapital)) {
        return false;
    }
    const bool word = run.size() >= 3 && std::all_of(run.begin() + 1, run.end(), isSmall) &&
        run.find_first_of(U"aeiouAEIOU") != std::u32string_view::npos;
    if (!word) {
        return true;
    }
    return kPrefixes.find(run.front()) != std::u32string_view::npos &&
        std::binary_search(symbols.begin(), symbols.end(), run.substr(1),
                           [](std::u32string_view a, std::u32string_view b) { return a < b; });
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

const FieldSpec& Unit::spec() const
{
    return window->layout().fields[static_cast<std::size_t>(field)];
}

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
    std::u32string kana;
    for (const char16_t c : utf16(reading)) {
        if (c < kFirstKana || c >= kFirstKana + kKana.size()) {
            return {};
        }
        kana += c;
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

UnitNames::UnitNames(App& app)
    : m_app(app)
{
    std::vector<std::string> labels; // by unit, as shown
    for (const WindowRow& row : app.windows()) {
        ConversionWindow& window = app.window(row);
        const std::vector<FieldSpec>& fields = window.layout().fields;
        for (int field = 0; field < static_cast<int>(fields.size()); ++field) {
            m_units.push_back({&row, &window, field});
            labels.push_back(shownLabel(fields[static_cast<std::size_t>(field)].label));
        }
    }
    for (const std::string& label : labels) {
        const std::u32string cased = keysOf(label).cased;
        forEachRun(cased,
                   [&](std::size_t from, std::size_t to) { m_symbols.push_back(cased.substr(from, to - from)); });
    }
    std::sort(m_symbols.begin(), m_symbols.end());
    m_symbols.erase(std::unique(m_symbols.begin(), m_symbols.end()), m_symbols.end());
    // By unit: its label is also another field's of its window; the first such field. Its
    // note in brackets tells it from variants of its window ("pt (US)", "pt (DTP)"): the
    // note is no name of it.
    std::vector<bool> shared(m_units.size());
    std::vector<bool> first(m_units.size());
    std::vector<bool> variant(m_units.size());
    for (std::size_t i = 0; i < m_units.size(); ++i) {
        const bool bracketed = bracketAt(labels[i]) != std::string::npos;
        for (std::size_t j = 0; j < m_units.size(); ++j) {
            if (j == i || m_units[j].row != m_units[i].row) {
                continue;
            }
            if (labels[j] == labels[i] && !shared[i]) {
                shared[i] = true;
                first[i] = j > i;
            }
            if (bracketed && bracketAt(labels[j]) != std::string::npos && heading(labels[j]) == heading(labels[i])) {
                variant[i] = true;
            }
        }
    }
    for (std::size_t i = 0; i < m_units.size(); ++i) {
        const FieldSpec& field = m_units[i].spec();
        const std::string& full = labels[i];
        const int part = shared[i] ? kPiece : kPart;
        add(i, full, shared[i] ? kPiece : kWhole);
        // "pound (lb)": "pound" and "lb"; "cm3, cc, ml" and "段／反": each of them; "Pa (N/m2)":
        // "Pa" and "N/m2", but not "N"; "pt (US)": "pt" alone, "US" tells it from "pt (DTP)".
        const std::size_t bracket = bracketAt(full);
        const std::string main = heading(full);
        add(i, main, part);
        for (const std::string& piece : split(main, {",", "、", "／"})) {
            add(i, piece, part);
        }
        if (bracket != std::string::npos) {
            for (const std::string& piece :
                 split(std::string_view(full).substr(bracket), {"(", ")", "（", "）", ",", "、"})) {
                add(i, piece, variant[i] ? kFragment : part);
                for (const std::string& fragment : split(piece, {"/"})) {
                    add(i, fragment, kFragment);
                }
            }
        }
        // "km/min", "mile/h": their symbols are no names alone, but near them.
        for (const std::string& fragment : split(main, {"/"})) {
            add(i, fragment, kFragment);
        }
        // "UK-gallon", "short ton", "音速 mach": their words alone find them when nothing else
        // does; "UK" and the pieces of symbols do not.
        for (const std::string& piece : split(main, {" ", "-", ",", "、", "\xE3\x80\x80"})) {
            const Keys keys = keysOf(piece);
            bool word = piece.find('/') == std::string::npos;
            forEachRun(keys.cased, [&](std::size_t from, std::size_t to) {
                const std::u32string_view run = std::u32string_view(keys.cased).substr(from, to - from);
                word = word && run.size() >= 3 && !std::all_of(run.begin(), run.end(), isCapital) &&
                    !caseMatters(run, m_symbols);
            });
            add(i, piece, word ? kPiece : kFragment);
        }
        // The unit as its relation names it, "1 mile = 160934.4 cm": "mile" for "miles".
        if (const std::string_view relation = field.unit.relation; relation.starts_with("1 ")) {
            add(i, std::string(relation.substr(2, relation.find(" = ") - 2)), part);
        }
        // Its words, its reading, its aliases, and those in hiragana in Latin letters too. An
        // alias that is the main of a variant's label ("尺" of "尺(曲尺)") names that variant
        // before the others.
        const std::u32string mainKey = keysOf(main).key;
        for (const RowName& name : rowNames(field.unit)) {
            const bool plain = name.alias && !name.reading && variant[i] && keysOf(name.text).key == mainKey;
            add(i, name.text, kPart, name.reading ? Kind::Word : plain ? Kind::Plain : Kind::Written);
        }
    }
    // Of the fields that share a label, the first in the window's table keeps the label within
    // its window ("重さ:grain"), unless it names another unit there already ("pound" is the
    // pound (lb)); the others, and that one without a window, are the label with their group:
    // "grain(金衡系)".
    m_qualified = shared;
    for (std::size_t i = 0; i < m_units.size(); ++i) {
        if (!shared[i]) {
            continue;
        }
        const FieldSpec& field = m_units[i].spec();
        const std::string& full = labels[i];
        const std::u32string key = keysOf(full).key;
        const bool taken = first[i] && std::any_of(m_entries.begin(), m_entries.end(), [&](const Entry& entry) {
                               return entry.unit != i && entry.key == key && entry.rank <= kPart &&
                                   m_units[entry.unit].row == m_units[i].row;
                           });
        if (first[i] && !taken) {
            m_qualified[i] = false;
            add(i, full, kFirstShared);
        }
        add(i, withGroup(full, field.unit.group), kWhole);
    }
    // Names of two units that differ only in case are symbols whatever their letters: "cal"
    // is the calorie, "Cal" the kilocalorie.
    std::vector<std::size_t> order(m_entries.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return m_entries[a].key < m_entries[b].key; });
    for (std::size_t from = 0; from < order.size();) {
        std::size_t to = from + 1;
        while (to < order.size() && m_entries[order[to]].key == m_entries[order[from]].key) {
            ++to;
        }
        for (std::size_t a = from; a < to; ++a) {
            for (std::size_t b = from; b < to; ++b) {
                Entry& one = m_entries[order[a]];
                const Entry& other = m_entries[order[b]];
                if (one.unit != other.unit && one.cased != other.cased && one.rank != kFragment &&
                    other.rank != kFragment) {
                    for (std::size_t c = 0; c < one.cased.size(); ++c) {
                        one.caseMatters[c] = one.caseMatters[c] || isLetter(one.cased[c]);
                    }
                }
            }
        }
        from = to;
    }
}

void UnitNames::add(std::size_t unit, const std::string& text, int rank, Kind kind)
{
    Keys keys = keysOf(text);
    if (keys.key.empty()) {
        return;
    }
    std::vector<bool> matters(keys.cased.size(), false);
    if (kind != Kind::Word) {
        forEachRun(keys.cased, [&](std::size_t from, std::size_t to) {
            if (caseMatters(std::u32string_view(keys.cased).substr(from, to - from), m_symbols)) {
                std::fill(matters.begin() + static_cast<std::ptrdiff_t>(from),
                          matters.begin() + static_cast<std::ptrdiff_t>(to), true);
            }
        });
    }
    // A unit's names are added together: only the last ones can be the same. A name it has
    // already, as well told and as strict in case, adds nothing (but that it is the plain one).
    for (auto entry = m_entries.rbegin(); entry != m_entries.rend() && entry->unit == unit; ++entry) {
        if (entry->cased == keys.cased && entry->rank <= rank && entry->caseMatters == matters) {
            entry->plain = entry->plain || kind == Kind::Plain;
            return;
        }
    }
    m_entries.push_back(
        {unit, std::move(keys.key), std::move(keys.cased), std::move(matters), text, rank, kind == Kind::Plain});
}

std::vector<std::string> UnitNames::windowNames(const WindowRow& row)
{
    std::vector<std::string> names{row.frame.name};
    for (const EnglishNames& english : kEnglish) {
        if (english.module == row.frame.name) {
            for (const std::string_view name : english.names) {
                if (!name.empty()) {
                    names.emplace_back(name);
                }
            }
        }
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
    const auto inWindow = [&](const Entry& entry) {
        return entry.rank != kFragment && (within == nullptr || m_units[entry.unit].row == within) &&
            (entry.rank != kFirstShared || within != nullptr);
    };
    // Names written exactly so come first ("Cal" is not "cal"), then names that fold alike
    // where case tells nothing; of either, those of the best rank.
    for (const bool exactly : {true, false}) {
        int best = std::numeric_limits<int>::max();
        std::vector<std::pair<std::size_t, bool>> matches; // unit, named by its plain name
        for (const Entry& entry : m_entries) {
            if (entry.key != typed.key || entry.rank > best || !inWindow(entry)) {
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
            const auto fellow = [&](const auto& match) {
                return match.second && m_units[match.first].row == m_units[unit].row;
            };
            const auto plainOnes = std::count_if(matches.begin(), matches.end(), fellow);
            if (plainOnes == 1 && !plain) {
                found.others.push_back(m_units[unit]);
            } else {
                found.units.push_back(m_units[unit]);
            }
        }
        return found;
    }
    found.caseOnly = std::any_of(m_entries.begin(), m_entries.end(),
                                 [&](const Entry& entry) { return entry.key == typed.key && inWindow(entry); });
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
    // A name that differs only in case from names of one window is nearest to that window's.
    const WindowRow* caseWindow = nullptr;
    bool oneWindow = true;
    for (const Entry& entry : m_entries) {
        if (entry.key == typed.key && entry.rank != kFragment &&
            (within == nullptr || m_units[entry.unit].row == within)) {
            oneWindow = oneWindow && (caseWindow == nullptr || caseWindow == m_units[entry.unit].row);
            caseWindow = m_units[entry.unit].row;
        }
    }
    if (caseWindow != nullptr && oneWindow) {
        within = caseWindow;
    }
    const std::size_t limit = typed.key.size() <= 3 ? 1 : std::max<std::size_t>(2, typed.key.size() / 3);
    std::vector<std::size_t> closest(m_units.size(), std::numeric_limits<std::size_t>::max());
    for (const Entry& entry : m_entries) {
        if (within == nullptr || m_units[entry.unit].row == within) {
            closest[entry.unit] = std::min(closest[entry.unit], distance(typed.key, entry.key));
        }
    }
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < m_units.size(); ++i) {
        if (closest[i] <= limit) {
            order.push_back(i);
        }
    }
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return closest[a] < closest[b]; });
    std::vector<Unit> units;
    for (std::size_t i = 0; i < order.size() && i < most; ++i) {
        units.push_back(m_units[order[i]]);
    }
    return units;
}

std::string UnitNames::label(const Unit& unit) const
{
    const FieldSpec& field = unit.spec();
    const auto at = std::find(m_units.begin(), m_units.end(), unit);
    const bool qualified = at != m_units.end() && m_qualified[static_cast<std::size_t>(at - m_units.begin())];
    return qualified ? withGroup(shownLabel(field.label), field.unit.group) : shownLabel(field.label);
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
    const UnitFacts& facts = unit.spec().unit;
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
    for (const Entry& entry : m_entries) {
        if (entry.rank != kFragment && entry.text.find(' ') == std::string::npos &&
            std::find(names.begin(), names.end(), entry.text) == names.end()) {
            names.push_back(entry.text);
        }
    }
    return names;
}

} // namespace mezura::conv
