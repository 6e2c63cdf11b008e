#include "conv/conv.h"

#include "conv/names.h"
#include "framework/arith.h"
#include "framework/escape.h"
#include "framework/host.h"
#include "framework/numtext.h"
#include "framework/window.h"
#include "startup/commandline.h"
#include "windows/catalog.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace mezura::conv {

namespace {

constexpr const char* kProgram = "mezura-conv: ";
constexpr int kEnter = 13;
constexpr std::size_t kSuggestions = 5;
constexpr std::size_t kLongestJoined = 256;

// Keeps what the window tells the user while Enter runs: the message of a chain that stopped,
// and the beep of a value the window puts back into its range. Nothing else shows. The year is
// read from the clock when a window first asks for it (the calendar window does).
class ConvHost : public QuietHost {
public:
    ConvHost()
        : QuietHost(0)
    {
    }
    int currentYear() override
    {
        if (!m_year) {
            m_year = systemYear();
        }
        return *m_year;
    }
    void beep(const Form&) override { m_beeped = true; }
    void reportError(const Form&, const std::string& message) override
    {
        if (m_message.empty()) {
            m_message = message;
        }
    }

    bool beeped() const { return m_beeped; }
    const std::string& message() const { return m_message; }

private:
    bool m_beeped = false;
    std::string m_message;
    std::optional<int> m_year;
};

struct Options {
    bool unitLabels = false; // -u
    bool json = false;
    bool list = false;
    bool names = false;
    std::string window; // -w
};

// A number as a unit field reads it whole: "3", "１．５", "-40", "2E3", "&H10". One beyond
// the double range is a number too: the window says it is too large.
bool isNumber(const std::string& text)
{
    if (text.find_first_not_of(" \t") == std::string::npos) {
        return false;
    }
    try {
        return readNumber(text).extent == ReadExtent::All;
    } catch (const ArithmeticError&) {
        return true;
    }
}

std::string padded(const std::string& text, std::size_t width)
{
    const std::size_t taken = displayWidth(text);
    return text + std::string(width > taken ? width - taken : 0, ' ');
}

class Converter {
public:
    Converter(std::ostream& out, std::ostream& err)
        : m_out(out)
        , m_err(err)
        , m_app(m_host, windowTable())
        , m_names(m_app)
    {
    }

    int run(const Options& options, const std::vector<std::string>& operands);

private:
    // Says that no window is named `name`, and which windows there are.
    void noWindow(std::string_view name) const
    {
        m_err << kProgram << "「" << name << "」という画面はありません / no window named " << name << '\n';
        m_err << "画面 / windows:\n";
        std::size_t width = 0;
        for (const WindowRow& row : m_app.windows()) {
            width = std::max(width, displayWidth(row.frame.caption));
        }
        for (const WindowRow& row : m_app.windows()) {
            std::string names;
            for (const std::string& english : UnitNames::windowNames(row)) {
                names += (names.empty() ? "" : ", ") + english;
            }
            m_err << "  " << padded(row.frame.caption, width) << "  " << names << '\n';
        }
    }
    int list(const std::vector<std::string>& operands);
    int convert(const Options& options, const std::vector<std::string>& operands);
    // The number, the unit and the targets of the command line: the number and the unit in
    // either order ("3 坪", "令和 8") or in one argument ("3坪", "'3 tsubo'"), the targets
    // after them. False, with the complaint written, when there is no number or no unit.
    struct Request {
        std::string number;
        std::string name;
        std::vector<std::string> targets;
    };
    bool read(const std::vector<std::string>& given, const WindowRow* window, Request& request);
    // The unit `name` names, within `window` when it is not null; else the complaint, and
    // nothing. `targets` (when given) choose among units of several windows: the one whose
    // window has them all.
    std::optional<Unit> unit(const std::string& name, const WindowRow* window,
                             const std::vector<std::string>& targets = {});
    bool hasUnit(const std::string& name, const WindowRow* window) const
    {
        return !m_names.find(name, window).units.empty();
    }
    // Whether a unit that `name` names reads `text` as a number of its own ("元" in an era
    // field), or the text is a number.
    bool readsNumber(const std::string& name, const std::string& text, const WindowRow* window) const
    {
        if (isNumber(text)) {
            return true;
        }
        const std::vector<Unit> units = m_names.find(name, window).units;
        return std::any_of(units.begin(), units.end(), [&](const Unit& unit) {
            return unit.tableRow().reads != nullptr && unit.tableRow().reads(text);
        });
    }
    void candidates(const std::vector<Unit>& units);
    void print(const ConversionWindow& window, const std::vector<Unit>& shown, bool grouped, const Options& options);
    void printJson(const ConversionWindow& window, const Unit& typed, const std::string& number,
                   const std::vector<Unit>& shown);

    std::ostream& m_out;
    std::ostream& m_err;
    ConvHost m_host;
    App m_app;
    UnitNames m_names;
};

int Converter::run(const Options& options, const std::vector<std::string>& operands)
{
    if (options.names) {
        for (const std::string& name : m_names.words()) {
            m_out << name << '\n';
        }
        return 0;
    }
    if (options.list) {
        return list(operands);
    }
    return convert(options, operands);
}

int Converter::list(const std::vector<std::string>& operands)
{
    if (operands.size() > 1) {
        m_err << kProgram << "--list は画面を 1 つだけ取ります / --list takes one window at most\n";
        return 2;
    }
    const WindowRow* only = nullptr;
    if (!operands.empty() && (only = m_names.window(operands.front())) == nullptr) {
        noWindow(operands.front());
        return 2;
    }
    for (const WindowRow& row : m_app.windows()) {
        if (only != nullptr && only != &row) {
            continue;
        }
        std::vector<Unit> units;
        std::size_t width = 0;
        std::size_t wordsWidth = 0;
        for (const Unit& unit : m_names.units(row)) {
            units.push_back(unit);
            width = std::max(width, displayWidth(m_names.label(unit)));
            wordsWidth = std::max(wordsWidth, displayWidth(unit.tableRow().unit.words));
        }
        std::string names;
        for (const std::string& english : UnitNames::windowNames(row)) {
            names += (names.empty() ? "" : ", ") + english;
        }
        m_out << row.frame.caption << " (" << names << ")\n";
        for (const Unit& unit : units) {
            const std::string readings = m_names.readings(unit);
            const std::string line = "  " + padded(m_names.label(unit), width) + "  " +
                (readings.empty() ? std::string(unit.tableRow().unit.words)
                                  : padded(unit.tableRow().unit.words, wordsWidth) + "  " + readings);
            m_out << line << '\n';
        }
    }
    return 0;
}

void Converter::candidates(const std::vector<Unit>& units)
{
    std::size_t width = 0;
    for (const Unit& unit : units) {
        width = std::max(width, displayWidth(m_names.argument(unit)));
    }
    for (const Unit& unit : units) {
        m_err << "  " << padded(m_names.argument(unit), width) << "  " << unit.tableRow().unit.words << '\n';
    }
}

std::optional<Unit> Converter::unit(const std::string& name, const WindowRow* window,
                                    const std::vector<std::string>& targets)
{
    UnitNames::Found found = m_names.find(name, window);
    if (!found.unknownWindow.empty()) {
        noWindow(found.unknownWindow);
        return std::nullopt;
    }
    // "3 勺 m2": the 勺 of the window that has m2.
    if (found.units.size() > 1 && !targets.empty()) {
        std::vector<Unit> fitting;
        for (const Unit& unit : found.units) {
            if (std::all_of(targets.begin(), targets.end(),
                            [&](const std::string& target) { return hasUnit(target, unit.row); })) {
                fitting.push_back(unit);
            }
        }
        if (!fitting.empty()) {
            found.units = fitting;
        }
    }
    if (found.units.size() == 1) {
        // "尺": 尺(曲尺), and how to give the other 尺.
        if (!found.others.empty()) {
            const std::string label = m_names.label(found.units.front());
            m_err << kProgram << "「" << name << "」を" << label << "として換算しました。ほかは次のとおり指定します / "
                  << name << " is taken as " << label << "; give the others as:\n";
            candidates(found.others);
        }
        return found.units.front();
    }
    if (found.units.empty()) {
        if (window != nullptr) {
            m_err << kProgram << "「" << name << "」は" << window->frame.caption << "の画面の単位ではありません / "
                  << name << " is no unit of the " << window->frame.caption << " window\n";
        } else {
            m_err << kProgram << "「" << name << "」という単位はありません / no unit named " << name << '\n';
        }
        const std::vector<Unit> near = m_names.nearest(name, window, kSuggestions);
        if (!near.empty()) {
            m_err << (found.caseOnly ? "大文字と小文字で単位が変わります。近い名前 / letter case tells units apart; "
                                       "nearest names:\n"
                                     : "近い名前 / nearest names:\n");
            candidates(near);
        }
        return std::nullopt;
    }
    m_err << kProgram << "「" << name << "」は " << found.units.size()
          << " つの単位の名前です。次のどれかを指定してください / " << name << " names " << found.units.size()
          << " units; give one of these:\n";
    candidates(found.units);
    return std::nullopt;
}

bool Converter::read(const std::vector<std::string>& given, const WindowRow* window, Request& request)
{
    // "3 坪", "令和 8", "令和 元".
    for (const bool numberFirst : {true, false}) {
        if (given.size() >= 2 &&
            (isNumber(given[numberFirst ? 0 : 1]) ||
             readsNumber(given[numberFirst ? 1 : 0], given[numberFirst ? 0 : 1], window))) {
            request.number = given[numberFirst ? 0 : 1];
            request.name = given[numberFirst ? 1 : 0];
            request.targets.assign(given.begin() + 2, given.end());
            return true;
        }
    }
    const std::string& joined = given[0];
    const auto boundary = [&](std::size_t cut) {
        return cut == joined.size() || (static_cast<unsigned char>(joined[cut]) & 0xC0u) != 0x80u;
    };
    // A number and a unit in one argument are short; a longer argument is neither, and is not
    // cut at every place, each cut reading the rest for a unit's name.
    const std::size_t longest = joined.size() <= kLongestJoined ? joined.size() : 0;
    for (std::size_t cut = longest; cut > 0 && request.number.empty(); --cut) {
        // "3坪": a number, then a unit, cut between characters, never inside one.
        if (boundary(cut) && cut < joined.size() && isNumber(joined.substr(0, cut)) &&
            hasUnit(joined.substr(cut), window)) {
            request.number = joined.substr(0, cut);
            request.name = joined.substr(cut);
        }
    }
    // "令和 8": a unit, a blank, then a number.
    if (const std::size_t blank = joined.rfind(' '); request.number.empty() && blank != std::string::npos &&
        hasUnit(joined.substr(0, blank), window) &&
        readsNumber(joined.substr(0, blank), joined.substr(blank + 1), window)) {
        request.name = joined.substr(0, blank);
        request.number = joined.substr(blank + 1);
    }
    // "令和8", "令和元年": a unit written in Japanese, then its number ("m2" stays a unit).
    for (std::size_t cut = 1; cut < std::min(joined.size(), kLongestJoined) && request.number.empty(); ++cut) {
        if (boundary(cut) && static_cast<unsigned char>(joined[cut - 1]) >= 0x80u &&
            hasUnit(joined.substr(0, cut), window) && readsNumber(joined.substr(0, cut), joined.substr(cut), window)) {
            request.name = joined.substr(0, cut);
            request.number = joined.substr(cut);
        }
    }
    if (request.number.empty()) {
        // "西暦 元": the unit is there, its number is none.
        const std::string& none = given.size() >= 2 && hasUnit(given[0], window) ? given[1] : joined;
        if (isNumber(joined)) {
            m_err << kProgram << "「" << joined << "」の単位を指定してください / " << joined
                  << " of which unit? (mezura-conv 3 坪)\n";
        } else {
            m_err << kProgram << "「" << none << "」は数値として読めません / not a number: " << none << '\n';
        }
        return false;
    }
    request.targets.assign(given.begin() + 1, given.end());
    return true;
}

int Converter::convert(const Options& options, const std::vector<std::string>& given)
{
    const WindowRow* window = nullptr;
    if (!options.window.empty() && (window = m_names.window(options.window)) == nullptr) {
        noWindow(options.window);
        return 2;
    }
    if (given.empty()) {
        m_err << kProgram << "数値と単位を指定してください / a number and a unit, please (mezura-conv --help)\n";
        return 2;
    }
    Request request;
    if (!read(given, window, request)) {
        return 2;
    }
    const std::string& number = request.number;
    const std::vector<std::string>& targets = request.targets;
    const std::optional<Unit> typed = unit(request.name, window, targets);
    if (!typed) {
        return 2;
    }
    if (!typed->tableRow().typing) {
        m_err << kProgram << "「" << shownLabel(typed->tableRow().label) << "」は表示だけの欄で、入力はできません / "
              << shownLabel(typed->tableRow().label) << " only shows a value, it takes none\n";
        return 2;
    }
    std::vector<Unit> shown;
    for (const std::string& target : targets) {
        const std::optional<Unit> found = unit(target, typed->row);
        if (!found) {
            return 2;
        }
        shown.push_back(*found);
    }
    // The user types the number into the field and presses Enter: the one window made.
    ConversionWindow& made = m_app.window(*typed->row);
    made.typeText(typed->field, number);
    made.keyPress(typed->field, kEnter);
    if (!m_host.message().empty()) {
        m_err << kProgram << m_host.message() << '\n';
        return 1;
    }
    if (m_host.beeped()) {
        m_err << kProgram << "「" << number << "」は" << typed->row->frame.caption
              << "の画面で扱える範囲の外です。画面はすべての欄を戻しました。 / " << number << " is out of the "
              << typed->row->frame.caption << " window's range: the window reset its fields\n";
        return 1;
    }
    const bool grouped = shown.empty();
    if (grouped) {
        shown = m_names.units(*typed->row);
    }
    if (options.json) {
        printJson(made, *typed, number, shown);
    } else {
        print(made, shown, grouped, options);
    }
    return 0;
}

void Converter::print(const ConversionWindow& window, const std::vector<Unit>& shown, bool grouped,
                      const Options& options)
{
    if (!grouped) {
        for (const Unit& unit : shown) {
            m_out << window.text(unit.field);
            if (options.unitLabels) {
                m_out << ' ' << shownLabel(unit.tableRow().label);
            }
            m_out << '\n';
        }
        return;
    }
    // The groups in the order the field table first names each, as the help's table lists them.
    std::vector<std::string> groups;
    std::size_t width = 0;
    for (const Unit& unit : shown) {
        if (std::find(groups.begin(), groups.end(), unit.tableRow().unit.group) == groups.end()) {
            groups.emplace_back(unit.tableRow().unit.group);
        }
        width = std::max(width, displayWidth(shownLabel(unit.tableRow().label)));
    }
    for (const std::string& group : groups) {
        m_out << heading(group) << '\n';
        for (const Unit& unit : shown) {
            if (unit.tableRow().unit.group == group) {
                m_out << "  " << padded(shownLabel(unit.tableRow().label), width) << "  " << window.text(unit.field)
                      << '\n';
            }
        }
    }
}

void Converter::printJson(const ConversionWindow& window, const Unit& typed, const std::string& number,
                          const std::vector<Unit>& shown)
{
    m_out << "{\"window\": " << jsonString(typed.row->frame.caption)
          << ", \"unit\": " << jsonString(shownLabel(typed.tableRow().label)) << ", \"number\": " << jsonString(number)
          << ", \"fields\": [";
    const char* separator = "\n";
    for (const Unit& unit : shown) {
        const FieldSpec& field = unit.tableRow();
        m_out << separator << "  {\"group\": " << jsonString(heading(field.unit.group))
              << ", \"label\": " << jsonString(shownLabel(field.label))
              << ", \"words\": " << jsonString(field.unit.words)
              << ", \"value\": " << jsonString(window.text(unit.field)) << "}";
        separator = ",\n";
    }
    m_out << "\n]}\n";
}

} // namespace

int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    int status = 0;
    std::vector<GivenOption> given;
    const auto operands = readCommandLine(kConvCommand, argc, argv, out, err, status, &given);
    if (!operands) {
        return status;
    }
    Options options;
    for (const GivenOption& option : given) {
        options.unitLabels = options.unitLabels || option.name == "u";
        options.json = options.json || option.name == "json";
        options.list = options.list || option.name == "list";
        options.names = options.names || option.name == "names";
        if (option.name == "w") {
            options.window = option.value;
        }
    }
    Converter converter(out, err);
    const int result = converter.run(options, *operands);
    out.flush();
    return result;
}

} // namespace mezura::conv
