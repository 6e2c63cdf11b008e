#include "script/runner.h"

#include "framework/app.h"
#include "framework/window.h"
#include "startup/files.h"
#include "startup/settings.h"
#include "startup/startup.h"
#include "windows/catalog.h"

#include <chrono>
#include <ctime>
#include <istream>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
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

    void beep(const std::string& window) override { m_out << "beep " << window << '\n'; }
    void openHelp(int topic) override { m_out << "help " << topic << '\n'; }
    void reportError(const std::string& window, const std::string& message) override
    {
        m_out << "error " << window << ' ' << message << '\n';
    }
    void showPopup(const std::string& window) override { m_out << "popup " << window << '\n'; }
    void bringToFront(const std::string&) override {}
    void quit() override { m_out << "exit\n"; }
    int currentYear() override { return m_year ? *m_year : systemYear(); }
    void setYear(int year) { m_year = year; }

private:
    std::ostream& m_out;
    std::optional<int> m_year;
};

struct BadLine : std::runtime_error {
    using std::runtime_error::runtime_error;
};

int toInt(const std::string& word)
{
    std::size_t used = 0;
    int value = 0;
    try {
        value = std::stoi(word, &used);
    } catch (const std::exception&) {
        throw BadLine("not a whole number: " + word);
    }
    if (used != word.size()) {
        throw BadLine("not a whole number: " + word);
    }
    return value;
}

class Script {
public:
    Script(std::ostream& out, const ScriptOptions& options)
        : m_out(out)
        , m_host(out, options.year)
        , m_app(m_host, windowTable())
    {
    }

    bool ended() const { return m_app.ended(); }
    void execute(const std::string& line);

private:
    Form& form(const std::string& name)
    {
        if (!m_app.isWindowName(name)) {
            throw BadLine("no window named " + name);
        }
        return m_app.form(name);
    }
    // The settings window when `name` is it, else null.
    SettingsWindow* settings(const std::string& name)
    {
        return dynamic_cast<SettingsWindow*>(&form(name));
    }
    ConversionWindow& window(const std::string& name)
    {
        if (auto* window = dynamic_cast<ConversionWindow*>(&form(name))) {
            return *window;
        }
        throw BadLine(name + " is not a conversion window");
    }
    // "temp.txtCels" -> the window and the field's index.
    std::pair<ConversionWindow*, int> field(const std::string& target)
    {
        const auto dot = target.find('.');
        if (dot == std::string::npos) {
            throw BadLine("expected WINDOW.FIELD: " + target);
        }
        ConversionWindow& w = window(target.substr(0, dot));
        const int index = w.fieldIndex(target.substr(dot + 1));
        if (index < 0) {
            throw BadLine("no field " + target);
        }
        return {&w, index};
    }

    void check(const std::string& target, const std::string& value);

    std::ostream& m_out;
    RecordingHost m_host;
    DiskFileSystem m_files; // outlives the windows, which read and write through it
    App m_app;
    bool m_started = false;
};

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
    throw BadLine("no window state " + name);
}

void Script::execute(const std::string& line)
{
    const std::vector<std::string> w = words(line);
    const std::string& command = w[0];
    const auto need = [&](std::size_t count) {
        if (w.size() != count) {
            throw BadLine("wrong number of words for " + command);
        }
    };

    if (command == "year") {
        need(2);
        m_host.setYear(toInt(w[1]));
    } else if (command == "start") {
        // The directory is the rest of the line: it may hold blanks.
        if (w.size() < 2) {
            throw BadLine("start needs a directory");
        }
        if (m_started) {
            throw BadLine("the program has started already");
        }
        m_started = true;
        start(m_app, line.substr(line.find(' ') + 1), m_files);
    } else if (command == "check") {
        need(3);
        check(w[1], w[2]);
    } else if (command == "type") {
        if (w.size() < 2) {
            throw BadLine("type needs WINDOW.FIELD");
        }
        auto [window, index] = field(w[1]);
        window->typeText(index, restAfterTarget(line).value_or(""));
    } else if (command == "enter") {
        if (w.size() < 2) {
            throw BadLine("enter needs WINDOW.FIELD");
        }
        auto [window, index] = field(w[1]);
        if (const auto text = restAfterTarget(line)) {
            window->typeText(index, *text);
        }
        window->keyPress(index, 13);
    } else if (command == "key") {
        need(3);
        if (w[1].find('.') != std::string::npos) {
            auto [window, index] = field(w[1]);
            window->keyPress(index, toInt(w[2]));
        } else if (SettingsWindow* config = settings(w[1])) {
            config->keyPress(toInt(w[2]));
        } else {
            toInt(w[2]); // a key sent to a conversion window itself does nothing
        }
    } else if (command == "click") {
        need(2);
        const auto dot = w[1].find('.');
        if (dot == std::string::npos) {
            throw BadLine("expected WINDOW.CONTROL: " + w[1]);
        }
        const std::string control = w[1].substr(dot + 1);
        if (SettingsWindow* config = settings(w[1].substr(0, dot))) {
            if (!config->clickButton(control)) {
                throw BadLine("no button " + w[1]);
            }
            return;
        }
        ConversionWindow& target = window(w[1].substr(0, dot));
        if (const int index = target.fieldIndex(control); index >= 0) {
            target.clickField(index);
        } else if (const int button = target.buttonIndex(control); button >= 0) {
            target.clickButton(button);
        } else {
            throw BadLine("no control " + w[1]);
        }
    } else if (command == "f1") {
        need(2);
        if (SettingsWindow* config = settings(w[1])) {
            config->f1();
        } else {
            window(w[1]).f1();
        }
    } else if (command == "slide") {
        need(3);
        window(w[1]).slide(toInt(w[2]));
    } else if (command == "drag") {
        if (w.size() < 3) {
            throw BadLine("drag needs positions");
        }
        std::vector<int> positions;
        for (std::size_t i = 2; i < w.size(); ++i) {
            positions.push_back(toInt(w[i]));
        }
        window(w[1]).drag(positions);
    } else if (command == "menu") {
        need(3);
        if (!window(w[1]).menu(w[2])) {
            throw BadLine("no menu item " + w[2]);
        }
    } else if (command == "mouse") {
        need(3);
        window(w[1]).mouseDown(toInt(w[2]));
    } else if (command == "close") {
        need(2);
        if (SettingsWindow* config = settings(w[1])) {
            config->closeRequest();
        } else {
            window(w[1]).closeRequest();
        }
    } else if (command == "state") {
        need(3);
        window(w[1]).setState(stateFromName(w[2]));
    } else if (command == "dump") {
        if (w.size() == 1) {
            for (Form* each : m_app.existingForms()) {
                each->dump(m_out);
            }
        } else {
            need(2);
            form(w[1]).dump(m_out);
        }
    } else {
        throw BadLine("unknown command " + command);
    }
}

// "config.Check1(3)" and "2": the user sets the box to the state.
void Script::check(const std::string& target, const std::string& value)
{
    const std::string prefix = std::string(kSettingsWindow) + ".Check1(";
    if (target.rfind(prefix, 0) != 0 || target.back() != ')') {
        throw BadLine("expected config.Check1(I): " + target);
    }
    const int index = toInt(target.substr(prefix.size(), target.size() - prefix.size() - 1));
    const int state = toInt(value);
    if (index < 1 || index > kCheckCount) {
        throw BadLine("no check box " + target);
    }
    if (state < 0 || state > 2) {
        throw BadLine("a check box holds 0, 1 or 2: " + value);
    }
    settings(kSettingsWindow)->setCheck(index, state);
}

} // namespace

namespace {

// Whether `text` is UTF-8 text: every sequence complete and shortest, no surrogate, nothing
// beyond U+10FFFF.
bool isUtf8(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        int more = 0;
        char32_t code = 0;
        if (byte < 0x80) {
            ++i;
            continue;
        }
        if (byte >= 0xC2 && byte <= 0xDF) {
            more = 1;
            code = byte & 0x1Fu;
        } else if (byte >= 0xE0 && byte <= 0xEF) {
            more = 2;
            code = byte & 0x0Fu;
        } else if (byte >= 0xF0 && byte <= 0xF4) {
            more = 3;
            code = byte & 0x07u;
        } else {
            return false;
        }
        if (text.size() - i <= static_cast<std::size_t>(more)) {
            return false;
        }
        for (int k = 1; k <= more; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0u) != 0x80u) {
                return false;
            }
            code = (code << 6) | (next & 0x3Fu);
        }
        static constexpr char32_t kShortest[] = {0, 0x80, 0x800, 0x10000};
        if (code < kShortest[more] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

// What makes a line no command at all, or empty when nothing does. Blanks are spaces and
// tabs; any other control character (a vertical tab, a form feed, a CR inside the line, a
// NUL ...) is no script text.
std::string lineFault(const std::string& line, bool tooLong)
{
    if (tooLong) {
        return "line longer than " + std::to_string(kLongestScriptLine) + " bytes";
    }
    for (const char c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            return std::string("control character 0x") + kHex[byte >> 4] + kHex[byte & 0xF];
        }
    }
    if (!isUtf8(line)) {
        return "bytes that are not UTF-8 text";
    }
    return {};
}

} // namespace

std::optional<std::vector<ScriptLine>> readScript(std::istream& in, std::ostream& err)
{
    std::vector<ScriptLine> lines;
    bool sound = true;
    std::streambuf* source = in.rdbuf();
    std::string line;
    bool tooLong = false;
    int number = 0;
    // Ends the line read so far; a CR before its LF belongs to the line end.
    const auto finish = [&] {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.size() > kLongestScriptLine) {
            tooLong = true;
        }
        const std::string fault = lineFault(line, tooLong);
        if (!fault.empty()) {
            err << "mezura-script: line " << number << ": " << fault << '\n';
            sound = false;
        } else if (const auto first = line.find_first_not_of(" \t");
                   first != std::string::npos && line[first] != '#') {
            lines.push_back({number, line.substr(first)});
        }
        line.clear();
        tooLong = false;
    };
    bool pending = false; // bytes after the last line end
    for (int c = source != nullptr ? source->sbumpc() : EOF; c != EOF; c = source->sbumpc()) {
        if (c == '\n') {
            finish();
            pending = false;
            continue;
        }
        pending = true;
        // One byte beyond the limit is kept, so that a CR that ends the longest line still fits.
        if (line.size() <= kLongestScriptLine) {
            line.push_back(static_cast<char>(c));
        } else {
            tooLong = true;
        }
    }
    if (pending) {
        finish();
    }
    if (!sound) {
        return std::nullopt;
    }
    return lines;
}

int runScript(std::istream& in, std::ostream& out, std::ostream& err, const ScriptOptions& options)
{
    // Every line is read and checked first: a script holding lines that are no text runs not
    // at all, and each of them is reported.
    const std::optional<std::vector<ScriptLine>> lines = readScript(in, err);
    if (!lines) {
        return 2;
    }
    Script script(out, options);
    for (const ScriptLine& line : *lines) {
        if (script.ended()) {
            break;
        }
        try {
            script.execute(line.text);
        } catch (const BadLine& bad) {
            out.flush();
            err << "mezura-script: line " << line.number << ": " << bad.what() << ": " << line.text << '\n';
            return 2;
        }
    }
    out.flush();
    return 0;
}

} // namespace mezura
