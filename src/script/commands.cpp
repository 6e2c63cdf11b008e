#include "script/commands.h"

#include "framework/app.h"
#include "framework/window.h"
#include "startup/files.h"
#include "startup/settings.h"
#include "startup/startup.h"
#include "windows/catalog.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <limits>
#include <optional>
#include <ostream>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace mezura {

namespace {

// Prints what the program shows the user, one line an event.
class RecordingHost : public Host {
public:
    RecordingHost(std::ostream& out, std::optional<int> year)
        : m_out(out)
        , m_year(year)
    {
    }

    void beep(const Form& window) override { m_out << "beep " << window.name() << '\n'; }
    void openHelp(int topic) override { m_out << "help " << topic << '\n'; }
    void reportError(const Form& window, const std::string& message) override
    {
        m_out << "error " << window.name() << ' ' << message << '\n';
    }
    void showPopup(const Form& window) override { m_out << "popup " << window.name() << '\n'; }
    void bringToFront(const Form&) override {}
    void quit() override { m_out << "exit\n"; }
    int currentYear() override { return m_year ? *m_year : systemYear(); }
    void setYear(int year) { m_year = year; }

private:
    std::ostream& m_out;
    std::optional<int> m_year;
};

// The years a script may fix as the current one, and the codes of keys: a key gives one
// UTF-16 code unit, as the program's windows receive it.
constexpr int kLatestYear = 9999;
constexpr int kLargestKeyCode = 0xFFFF;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// A whole number as a script writes it: decimal digits, a minus sign before them at most.
// "+5", "5.0", "0x10" and a number beyond int are none.
int toInt(const std::string& word)
{
    const std::size_t digits = word.rfind('-', 0) == 0 ? 1 : 0;
    const bool decimal = word.size() > digits &&
        std::all_of(word.begin() + static_cast<std::ptrdiff_t>(digits), word.end(),
                    [](char c) { return c >= '0' && c <= '9'; });
    // Past the int range the value stays just beyond it, on either side.
    constexpr long long kBeyond = std::numeric_limits<int>::max() + 2LL;
    long long value = 0;
    for (std::size_t i = digits; decimal && i < word.size(); ++i) {
        value = std::min(value * 10 + (word[i] - '0'), kBeyond);
    }
    if (digits != 0) {
        value = -value;
    }
    if (!decimal || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
        throw BadCommand("not a whole number: " + word);
    }
    return static_cast<int>(value);
}

// A whole number from `least` to `most`; `what` says in the complaint what it would be.
int toInt(const std::string& word, int least, int most, const std::string& what)
{
    const int value = toInt(word);
    if (value < least || value > most) {
        throw BadCommand(what + " is " + std::to_string(least) + (most == least + 1 ? " or " : " to ") +
                         std::to_string(most) + ": " + word);
    }
    return value;
}

// The next word at or after `from`: where it begins and ends (both at the line's end when
// there is none). Blanks are spaces and tabs.
std::pair<std::size_t, std::size_t> nextWord(const std::string& line, std::size_t from)
{
    while (from < line.size() && isBlank(line[from])) {
        ++from;
    }
    std::size_t end = from;
    while (end < line.size() && !isBlank(line[end])) {
        ++end;
    }
    return {from, end};
}

std::vector<std::string> words(const std::string& line)
{
    std::vector<std::string> result;
    for (auto [begin, end] = nextWord(line, 0); begin < end; std::tie(begin, end) = nextWord(line, end)) {
        result.push_back(line.substr(begin, end - begin));
    }
    return result;
}

// The rest of the line after its first `count` words, after exactly one blank (so the rest
// may begin with blanks of its own); nothing when no blank follows them.
std::optional<std::string> restAfter(const std::string& line, int count)
{
    std::size_t end = 0;
    for (int i = 0; i < count; ++i) {
        end = nextWord(line, end).second;
    }
    if (end >= line.size()) {
        return std::nullopt;
    }
    return line.substr(end + 1);
}

WindowState stateFromName(const std::string& name)
{
    if (name == "normal") {
        return WindowState::Normal;
    }
    if (name == "minimized") {
        return WindowState::Minimized;
    }
    if (name == "maximized") {
        return WindowState::Maximized;
    }
    throw BadCommand("no window state " + name);
}

// "temp.txtCels" -> "temp" and "txtCels"; `expected` names the form for the complaint.
std::pair<std::string, std::string> splitTarget(const std::string& target, const char* expected)
{
    const auto dot = target.find('.');
    if (dot == std::string::npos) {
        throw BadCommand(std::string("expected ") + expected + ": " + target);
    }
    return {target.substr(0, dot), target.substr(dot + 1)};
}

// One line as the handlers see it: its words, and the whole line for the commands whose
// last argument is the rest of it.
struct Line {
    const std::vector<std::string>& words;
    const std::string& text;
};

} // namespace

class Commands::Session {
public:
    Session(std::ostream& out, const ScriptOptions& options)
        : m_out(out)
        , m_host(out, options.year)
        , m_app(m_host, windowTable())
    {
    }

    bool ended() const { return m_app.ended(); }
    void execute(const std::string& text);

private:
    using Handler = void (Session::*)(const Line&);
    static constexpr std::size_t kAny = std::numeric_limits<std::size_t>::max();

    // A command: its word, how many words the line holds with it, what it lacks when it
    // holds fewer (none: only the count is wrong), and what runs it.
    struct Command {
        std::string_view name;
        std::size_t least;
        std::size_t most;
        const char* needs;
        Handler run;
    };
    static const std::array<Command, 15> kCommands;

    Form& form(const std::string& name)
    {
        if (!m_app.isWindowName(name)) {
            throw BadCommand("no window named " + name);
        }
        return m_app.form(name);
    }
    ConversionWindow& window(const std::string& name)
    {
        if (const WindowRow* row = m_app.row(name)) {
            return m_app.window(*row);
        }
        form(name);
        throw BadCommand(name + " is not a conversion window");
    }
    // "temp.txtCels" -> the window and the field's index.
    std::pair<ConversionWindow*, int> field(const std::string& target)
    {
        const auto [windowName, fieldName] = splitTarget(target, "WINDOW.FIELD");
        ConversionWindow& w = window(windowName);
        const int index = w.fieldIndex(fieldName);
        if (index < 0) {
            throw BadCommand("no field " + target);
        }
        return {&w, index};
    }

    void year(const Line& line) { m_host.setYear(toInt(line.words[1], 1, kLatestYear, "a year")); }
    void start(const Line& line);
    void check(const Line& line);
    void type(const Line& line);
    void enter(const Line& line);
    void key(const Line& line);
    void click(const Line& line);
    void f1(const Line& line) { form(line.words[1]).f1(); }
    void slide(const Line& line)
    {
        const int position = toInt(line.words[2]);
        window(line.words[1]).slide(position);
    }
    void drag(const Line& line);
    void menu(const Line& line);
    void mouse(const Line& line)
    {
        const int button = toInt(line.words[2], 1, 2, "a mouse button");
        window(line.words[1]).mouseDown(button);
    }
    void close(const Line& line) { form(line.words[1]).closeRequest(); }
    void state(const Line& line)
    {
        const WindowState state = stateFromName(line.words[2]);
        window(line.words[1]).setState(state);
    }
    void dump(const Line& line);

    std::ostream& m_out;
    RecordingHost m_host;
    DiskFileSystem m_files; // outlives the windows, which read and write through it
    App m_app;
    bool m_started = false;
};

// clang-format off
const std::array<Commands::Session::Command, 15> Commands::Session::kCommands{{
    //  word     words   at most  what fewer words lack   handler
    {"year",     2,      2,       nullptr,                &Session::year},
    {"start",    2,      kAny,    "a directory",          &Session::start},
    {"check",    3,      3,       nullptr,                &Session::check},
    {"type",     2,      kAny,    "WINDOW.FIELD",         &Session::type},
    {"enter",    2,      kAny,    "WINDOW.FIELD",         &Session::enter},
    {"key",      3,      3,       nullptr,                &Session::key},
    {"click",    2,      2,       nullptr,                &Session::click},
    {"f1",       2,      2,       nullptr,                &Session::f1},
    {"slide",    3,      3,       nullptr,                &Session::slide},
    {"drag",     3,      kAny,    "positions",            &Session::drag},
    {"menu",     3,      3,       nullptr,                &Session::menu},
    {"mouse",    3,      3,       nullptr,                &Session::mouse},
    {"close",    2,      2,       nullptr,                &Session::close},
    {"state",    3,      3,       nullptr,                &Session::state},
    {"dump",     1,      2,       nullptr,                &Session::dump},
}};
// clang-format on

void Commands::Session::execute(const std::string& text)
{
    const std::vector<std::string> w = words(text);
    const std::string& name = w.at(0);
    for (const Command& command : kCommands) {
        if (command.name != name) {
            continue;
        }
        if (w.size() < command.least && command.needs != nullptr) {
            throw BadCommand(name + " needs " + command.needs);
        }
        if (w.size() < command.least || w.size() > command.most) {
            throw BadCommand("wrong number of words for " + name);
        }
        (this->*command.run)(Line{w, text});
        return;
    }
    throw BadCommand("unknown command " + name);
}

void Commands::Session::start(const Line& line)
{
    if (m_started) {
        throw BadCommand("the program has started already");
    }
    m_started = true;
    // The directory is the rest of the line: it may hold blanks.
    mezura::start(m_app, restAfter(line.text, 1).value_or(""), m_files);
}

// "config.Check1(3)" and "2": the user sets the box to the state.
void Commands::Session::check(const Line& line)
{
    const std::string& target = line.words[1];
    const std::string& value = line.words[2];
    const std::string prefix = std::string(kSettingsWindow) + ".Check1(";
    if (target.rfind(prefix, 0) != 0 || target.back() != ')') {
        throw BadCommand("expected config.Check1(I): " + target);
    }
    const int index = toInt(target.substr(prefix.size(), target.size() - prefix.size() - 1));
    if (index < 1 || index > kCheckCount) {
        throw BadCommand("no check box " + target);
    }
    const int state = toInt(value);
    if (state < 0 || state > 2) {
        throw BadCommand("a check box holds 0, 1 or 2: " + value);
    }
    settingsWindow(m_app).setCheck(index, state);
}

void Commands::Session::type(const Line& line)
{
    auto [window, index] = field(line.words[1]);
    window->typeText(index, restAfter(line.text, 2).value_or(""));
}

void Commands::Session::enter(const Line& line)
{
    auto [window, index] = field(line.words[1]);
    if (const auto text = restAfter(line.text, 2)) {
        window->typeText(index, *text);
    }
    window->keyPress(index, 13);
}

void Commands::Session::key(const Line& line)
{
    const int code = toInt(line.words[2], 0, kLargestKeyCode, "a key code");
    if (line.words[1].find('.') != std::string::npos) {
        auto [window, index] = field(line.words[1]);
        window->keyPress(index, code);
        return;
    }
    form(line.words[1]).key(code);
}

void Commands::Session::click(const Line& line)
{
    const auto [windowName, control] = splitTarget(line.words[1], "WINDOW.CONTROL");
    if (!form(windowName).click(control)) {
        throw BadCommand("no control " + line.words[1]);
    }
}

void Commands::Session::drag(const Line& line)
{
    std::vector<int> positions;
    for (std::size_t i = 2; i < line.words.size(); ++i) {
        positions.push_back(toInt(line.words[i]));
    }
    window(line.words[1]).drag(positions);
}

void Commands::Session::menu(const Line& line)
{
    if (!window(line.words[1]).menu(line.words[2])) {
        throw BadCommand("no menu item " + line.words[2]);
    }
}

void Commands::Session::dump(const Line& line)
{
    if (line.words.size() == 1) {
        for (Form* each : m_app.existingForms()) {
            each->dump(m_out);
        }
    } else {
        form(line.words[1]).dump(m_out);
    }
}

Commands::Commands(std::ostream& out, const ScriptOptions& options)
    : m_session(std::make_unique<Session>(out, options))
{
}

Commands::~Commands() = default;

bool Commands::ended() const
{
    return m_session->ended();
}

void Commands::execute(const std::string& line)
{
    m_session->execute(line);
}

} // namespace mezura
