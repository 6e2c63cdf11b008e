#include "script/commands.h"

#include "framework/app.h"
#include "framework/window.h"
#include "startup/files.h"
#include "startup/settings.h"
#include "startup/startup.h"
#include "windows/catalog.h"

#include <array>
#include <ctime>
#include <limits>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

namespace mezura {

namespace {

int systemYear()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

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

int toInt(const std::string& word)
{
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(word, &used);
    } catch (const std::exception&) {
        throw BadCommand("not a whole number: " + word);
    }
    if (used != word.size()) {
        throw BadCommand("not a whole number: " + word);
    }
    return value;
}

std::vector<std::string> words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> result;
    for (std::string word; in >> word;) {
        result.push_back(word);
    }
    return result;
}

// The rest of the line after the command word and its target, after exactly one blank.
std::optional<std::string> restAfterTarget(const std::string& line)
{
    const auto first = line.find(' ');
    if (first == std::string::npos) {
        return std::nullopt;
    }
    const auto second = line.find(' ', first + 1);
    if (second == std::string::npos) {
        return std::nullopt;
    }
    return line.substr(second + 1);
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

    void year(const Line& line) { m_host.setYear(toInt(line.words[1])); }
    void start(const Line& line);
    void check(const Line& line);
    void type(const Line& line);
    void enter(const Line& line);
    void key(const Line& line);
    void click(const Line& line);
    void f1(const Line& line) { form(line.words[1]).f1(); }
    void slide(const Line& line) { window(line.words[1]).slide(toInt(line.words[2])); }
    void drag(const Line& line);
    void menu(const Line& line);
    void mouse(const Line& line) { window(line.words[1]).mouseDown(toInt(line.words[2])); }
    void close(const Line& line) { form(line.words[1]).closeRequest(); }
    void state(const Line& line) { window(line.words[1]).setState(stateFromName(line.words[2])); }
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
    mezura::start(m_app, line.text.substr(line.text.find(' ') + 1), m_files);
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
    const int state = toInt(value);
    if (index < 1 || index > kCheckCount) {
        throw BadCommand("no check box " + target);
    }
    if (state < 0 || state > 2) {
        throw BadCommand("a check box holds 0, 1 or 2: " + value);
    }
    settingsWindow(m_app).setCheck(index, state);
}

void Commands::Session::type(const Line& line)
{
    auto [window, index] = field(line.words[1]);
    window->typeText(index, restAfterTarget(line.text).value_or(""));
}

void Commands::Session::enter(const Line& line)
{
    auto [window, index] = field(line.words[1]);
    if (const auto text = restAfterTarget(line.text)) {
        window->typeText(index, *text);
    }
    window->keyPress(index, 13);
}

void Commands::Session::key(const Line& line)
{
    if (line.words[1].find('.') != std::string::npos) {
        auto [window, index] = field(line.words[1]);
        window->keyPress(index, toInt(line.words[2]));
        return;
    }
    Form& target = form(line.words[1]);
    target.key(toInt(line.words[2]));
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
