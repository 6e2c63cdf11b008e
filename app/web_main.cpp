// The web page's view of the program: the very windows of the desktop program, driven by the
// page's script through a few C functions. Each function runs one user event to completion
// and answers as JSON with the state of the windows it changed (mz_start and mz_state: of
// every window); the page draws what it is told and holds no conversion of its own.
//
// The settings file lives in memory here: the page hands its stored text to mz_start and
// stores the text that the answer's "cfg" gives back whenever a save has changed it.
#include "framework/app.h"
#include "framework/escape.h"
#include "framework/fitnumber.h"
#include "framework/frame.h"
#include "framework/host.h"
#include "framework/layout.h"
#include "framework/menu.h"
#include "framework/window.h"
#include "startup/cfgfile.h"
#include "startup/files.h"
#include "startup/settings.h"
#include "startup/startup.h"
#include "windows/catalog.h"

#include <cstdio>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#define MEZURA_EXPORT extern "C" EMSCRIPTEN_KEEPALIVE
#else
#define MEZURA_EXPORT extern "C"
#endif

namespace {

using namespace mezura;

// The page's program directory; no install prefix contains it, so the settings are kept
// beside the program, in the one file the page stores.
constexpr const char* kProgramDirectory = "/mezura/";
constexpr const char* kNoPrefix = "/nowhere";

// A folder of files in memory.
class MemoryFiles final : public FileSystem {
public:
    std::map<std::string, std::string> files;

    std::optional<std::vector<std::string>> regularFiles(const std::string& directory, std::string&) override
    {
        std::vector<std::string> names;
        for (const auto& [path, bytes] : files) {
            if (path.starts_with(directory) && path.find('/', directory.size()) == std::string::npos) {
                names.push_back(path.substr(directory.size()));
            }
        }
        return names;
    }
    std::optional<std::string> readFile(const std::string& path, std::size_t limit, std::string& error) override
    {
        const auto found = files.find(path);
        if (found == files.end()) {
            error = "ファイルがありません。";
            return std::nullopt;
        }
        if (found->second.size() > limit) {
            error = "ファイルが大きすぎます。";
            return std::nullopt;
        }
        return found->second;
    }
    bool writeFile(const std::string& path, const std::string& bytes, std::string&) override
    {
        files[path] = bytes;
        return true;
    }
    bool exists(const std::string& path) override { return path == kProgramDirectory || files.contains(path); }
    bool writableDirectory(const std::string&) override { return true; }
    bool makeDirectories(const std::string&, std::string&) override { return true; }
    std::string configHome() override { return {}; }
};

// A message in the page's words: the settings file is what the browser keeps for the page,
// no file in a folder; one that could not be read is replaced by the next save.
std::string pageWords(std::string message)
{
    const std::string file = std::string("設定ファイル ") + kProgramDirectory + kSettingsFileName + " ";
    bool unreadable = false;
    for (std::size_t at = message.find(file); at != std::string::npos; at = message.find(file, at)) {
        message.replace(at, file.size(), "このブラウザーに保存した起動時の画面の選択");
        unreadable = unreadable || message.find("を読み込めません", at) != std::string::npos;
    }
    if (unreadable) {
        message += "。設定の画面で選び直して OK を押すと、保存した選択が置き換わります。";
    }
    return message;
}

// What the windows asked of the world during one event, for the page to show.
class PageHost final : public Host {
public:
    std::vector<std::string> beeps; // window names
    std::vector<int> help;          // topics
    std::vector<std::pair<std::string, std::string>> errors;
    std::string front; // the window brought to the front last
    std::string popup; // the window whose pop-up menu shows
    bool ended = false;
    int year = 2000;

    void clear()
    {
        beeps.clear();
        help.clear();
        errors.clear();
        front.clear();
        popup.clear();
    }
    void beep(const Form& window) override { beeps.push_back(window.name()); }
    void openHelp(int topic) override { help.push_back(topic); }
    void reportError(const Form& window, const std::string& message) override
    {
        errors.emplace_back(window.name(), pageWords(message));
    }
    void showPopup(const Form& window) override { popup = window.name(); }
    void bringToFront(const Form& window) override { front = window.name(); }
    void quit() override { ended = true; }
    int currentYear() override { return year; }
};

// A little JSON writer: values in, text out.
class Json {
public:
    // A value or a part of one: the next key or item takes a comma.
    Json& raw(std::string_view text)
    {
        m_out += text;
        m_first = false;
        return *this;
    }
    Json& str(std::string_view text)
    {
        m_out += jsonString(text);
        m_first = false;
        return *this;
    }
    Json& num(long long value) { return raw(std::to_string(value)); }
    Json& key(std::string_view name)
    {
        comma();
        str(name);
        m_out += ':';
        m_first = true; // the value that follows takes no comma
        return *this;
    }
    Json& open(char bracket)
    {
        comma();
        m_out += bracket;
        m_first = true;
        return *this;
    }
    Json& close(char bracket) { return raw(std::string_view(&bracket, 1)); }
    // A value in a list, after a comma unless it is the first.
    Json& item()
    {
        comma();
        return *this;
    }
    Json& field(std::string_view name, std::string_view text)
    {
        key(name).str(text);
        return *this;
    }
    Json& field(std::string_view name, long long value)
    {
        key(name).num(value);
        return *this;
    }
    Json& flag(std::string_view name, bool value)
    {
        key(name).raw(value ? "true" : "false");
        return *this;
    }
    Json& rect(std::string_view name, const Rect& r)
    {
        key(name).raw("[").num(r.left).raw(",").num(r.top).raw(",").num(r.width).raw(",").num(r.height).raw("]");
        return *this;
    }
    const std::string& text() const { return m_out; }

private:
    void comma()
    {
        if (!m_first) {
            m_out += ',';
        }
        m_first = false;
    }
    std::string m_out;
    bool m_first = true;
};

// A colour as CSS writes it; the system button face is left to the page's own style.
std::string cssColour(Colour colour)
{
    if (colour == kButtonFace) {
        return "";
    }
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFFu, colour >> 8 & 0xFFu, colour >> 16 & 0xFFu);
    return text;
}

const char* roleName(ButtonRole role)
{
    switch (role) {
    case ButtonRole::Range:
        return "range";
    case ButtonRole::Help:
        return "help";
    case ButtonRole::Ok:
        return "ok";
    case ButtonRole::Cancel:
        return "cancel";
    case ButtonRole::Quit:
        return "quit";
    }
    return "";
}

void writeLayout(Json& json, const Layout& layout)
{
    json.key("fields").open('[');
    for (const FieldSpec& row : layout.fields) {
        json.open('{')
            .field("name", row.name)
            .field("label", row.label)
            .field("shown", shownLabel(row.label))
            .field("words", row.unit.words)
            .field("relation", row.unit.relation)
            .rect("rect", row.field)
            .rect("labelRect", {row.labelLeft, row.labelTop, row.field.width, row.labelHeight})
            .field("tab", row.tabIndex)
            .field("box", row.box)
            .flag("typing", row.typing)
            .close('}');
    }
    json.close(']');
    json.key("buttons").open('[');
    for (const ButtonSpec& row : layout.buttons) {
        json.open('{')
            .field("name", row.name)
            .field("caption", row.caption)
            .rect("rect", row.rect)
            .field("role", roleName(row.role))
            .field("colour", cssColour(row.colour))
            .field("box", row.box)
            .flag("bold", row.bold)
            .close('}');
    }
    json.close(']');
    json.key("labels").open('[');
    for (const LabelSpec& row : layout.labels) {
        json.open('{')
            .field("name", row.name)
            .field("caption", row.caption)
            .rect("rect", row.rect)
            .field("points10", static_cast<long long>(row.points * 10))
            .close('}');
    }
    json.close(']');
    json.key("boxes").open('[');
    for (const BoxSpec& row : layout.boxes) {
        json.open('{').field("name", row.name).field("caption", row.caption).rect("rect", row.rect).close('}');
    }
    json.close(']');
    json.key("sliders").open('[');
    for (const SliderSpec& row : layout.sliders) {
        json.open('{').field("name", row.name).rect("rect", row.rect).field("tab", row.tabIndex).close('}');
    }
    json.close(']');
    json.key("checks").open('[');
    for (const CheckSpec& row : layout.checks) {
        json.open('{')
            .field("index", row.index)
            .field("caption", row.caption)
            .rect("rect", row.rect)
            .field("box", row.box)
            .close('}');
    }
    json.close(']');
    json.key("images").open('[');
    for (const ImageSpec& row : layout.images) {
        json.open('{').field("name", row.name).rect("rect", row.rect).close('}');
    }
    json.close(']');
}

void writeMenu(Json& json, const MenuEntry& entry)
{
    json.open('{').field("name", entry.name).field("caption", entry.caption);
    if (!entry.items.empty()) {
        json.key("items").open('[');
        for (const MenuEntry& item : entry.items) {
            writeMenu(json, item);
        }
        json.close(']');
    }
    json.close('}');
}

class Page {
public:
    Page()
        : m_app(m_host, windowTable())
    {
    }

    PageHost& host() { return m_host; }
    App& app() { return m_app; }
    MemoryFiles& files() { return m_files; }
    bool started() const { return m_started; }

    void start(const std::string& cfg)
    {
        if (!cfg.empty()) {
            m_files.files[std::string(kProgramDirectory) + kSettingsFileName] = cfg;
        }
        m_stored = cfg;
        m_started = true;
        mezura::start(m_app, kProgramDirectory, m_files, kNoPrefix);
    }

    // The settings file's text when a save has changed it since it was last handed out.
    std::optional<std::string> changedSettings()
    {
        const std::vector<std::string> names = m_files.regularFiles(kProgramDirectory, m_unused).value();
        const std::optional<std::string> name = findSettingsFile(names);
        if (!name) {
            return std::nullopt;
        }
        const std::string& text = m_files.files[kProgramDirectory + *name];
        if (text == m_stored) {
            return std::nullopt;
        }
        m_stored = text;
        return text;
    }

private:
    PageHost m_host;
    MemoryFiles m_files;
    App m_app;
    std::string m_stored;
    std::string m_unused;
    bool m_started = false;
};

Page& page()
{
    static Page instance;
    return instance;
}

std::string g_answer;

// The state of a conversion window, as an object.
void writeWindowState(Json& json, const ConversionWindow& window)
{
    const FrameModel& frame = window.frame();
    json.open('{');
    json.flag("visible", window.visible()).field("title", window.title()).field("mode", frame.mode());
    json.key("size").raw("[").num(frame.size().width).raw(",").num(frame.size().height).raw("]");
    json.field("state", stateName(frame.state()));
    // What the last Enter did with the typed text, and the field it was typed into (-1: none).
    json.field("windowNote", window.windowNote()).field("noteField", window.windowNoteField());
    const Layout& layout = window.layout();
    json.key("fields").open('[');
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
        const int index = static_cast<int>(i);
        const FieldSpec& row = layout.fields[i];
        json.open('{')
            .field("text", window.text(index))
            .field("note", window.inputNote(index))
            .field("colour", cssColour(window.fieldColour(index)))
            .field("tip", fieldTip(window.text(index), shownLabel(row.label), row.unit.relation))
            .close('}');
    }
    json.close(']');
    json.key("buttons").open('[');
    for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
        const Colour colour = window.buttonColour(static_cast<int>(i));
        json.open('{').field("colour", cssColour(colour)).flag("highlight", colour == kHighlight).close('}');
    }
    json.close(']');
    json.key("labels").open('[');
    for (const LabelSpec& row : layout.labels) {
        json.item().str(window.caption(row.name));
    }
    json.close(']');
    if (window.hasGauge()) {
        const Slider& slider = window.slider();
        json.key("slider").open('{');
        json.field("min", slider.min()).field("max", slider.max()).field("value", slider.value());
        json.field("small", slider.smallChange()).field("large", slider.largeChange()).close('}');
    }
    json.key("reset").open('[');
    for (const int field : window.resetFields()) {
        json.item().num(field);
    }
    json.close(']');
    json.close('}');
}

// The state of the settings window, as an object.
void writeSettingsState(Json& json, const SettingsWindow& config)
{
    json.open('{').flag("visible", config.visible());
    json.key("checks").open('[');
    for (const int value : config.checks()) {
        json.item().num(value);
    }
    json.close(']').flag("hint", config.choiceHint()).close('}');
}

// What the page was last told of each window: its state's text and whether it showed. An
// event changes the state of its own window and of the settings window; any other window
// changes only by being created, shown or hidden (a menu of another window, the settings'
// OK, quitting). So an answer writes those windows alone, and tells of them only where
// their text differs from the last told: an Enter in one window costs the same however many
// windows are open.
struct Told {
    std::string text;
    bool visible = false;
};
std::map<std::string, Told, std::less<>> g_told;

// The state of the windows that changed since the last answer (of every window that exists
// when `everything`), and what the last event asked of the page.
const char* answer(std::string_view acting = {}, bool everything = false)
{
    Page& p = page();
    PageHost& host = p.host();
    Json json;
    json.open('{').flag("ended", host.ended || p.app().ended());
    json.key("beeps").open('[');
    for (const std::string& name : host.beeps) {
        json.item().str(name);
    }
    json.close(']');
    json.key("help").open('[');
    for (const int topic : host.help) {
        json.item().num(topic);
    }
    json.close(']');
    json.key("errors").open('[');
    for (const auto& [name, message] : host.errors) {
        json.open('{').field("window", name).field("message", message).close('}');
    }
    json.close(']');
    json.field("front", host.front).field("popup", host.popup);
    if (const std::optional<std::string> cfg = p.changedSettings()) {
        json.field("cfg", *cfg);
    }
    json.key("windows").open('{');
    for (const Form* form : p.app().existingForms()) {
        const std::string& name = form->name();
        const bool settings = name == kSettingsWindow;
        const auto told = g_told.find(name);
        const bool changed =
            everything || settings || name == acting || told == g_told.end() || told->second.visible != form->visible();
        if (!changed) {
            continue;
        }
        Json state;
        if (settings) {
            writeSettingsState(state, settingsWindow(p.app()));
        } else {
            writeWindowState(state, p.app().window(name));
        }
        Told& now = g_told[name];
        if (everything || now.text != state.text()) {
            json.key(name).raw(state.text());
        }
        now = {state.text(), form->visible()};
    }
    json.close('}').close('}');
    g_answer = json.text();
    host.clear();
    return g_answer.c_str();
}

// Runs one user event of the page; a fault of the program itself is told as an error of
// `window` and leaves the windows as the event left them.
template <typename F> const char* event(const char* window, F&& run)
{
    Page& p = page();
    if (p.started() && !p.app().ended()) {
        try {
            run();
        } catch (const std::exception& error) {
            p.host().errors.emplace_back(window != nullptr ? window : "", error.what());
        }
    }
    return answer(window != nullptr ? window : "");
}

ConversionWindow& windowNamed(const char* name)
{
    return page().app().window(std::string_view(name));
}

} // namespace

// The windows' table: every conversion window with its frame and menus, and the settings
// window, as JSON. Creates no window.
MEZURA_EXPORT const char* mz_catalog()
{
    App& app = page().app();
    Json json;
    json.open('{').key("windows").open('[');
    for (const WindowRow& row : app.windows()) {
        json.open('{')
            .field("name", row.frame.name)
            .field("caption", row.frame.caption)
            .field("label", row.label)
            .field("check", row.checkBox)
            .field("helpTopic", row.frame.helpTopic)
            .field("sizeItem", row.frame.sizeItem)
            .field("title", kTitlePrefix + row.frame.caption);
        json.key("modes").open('[');
        for (const Size& size : row.frame.modes) {
            json.item().raw("[").num(size.width).raw(",").num(size.height).raw("]");
        }
        json.close(']');
        json.close('}');
    }
    json.close(']');
    json.key("frame").open('{');
    json.field("width", kFrameWidthTwips).field("height", kFrameHeightTwips).field("menuBar", kMenuBarTwips);
    json.close('}');
    json.field("commonHelpTopic", kCommonHelpTopic);
    json.key("config").open('{');
    const Size size = SettingsWindow::size();
    json.field("title", std::string(kTitlePrefix) + "設定");
    json.key("size").raw("[").num(size.width).raw(",").num(size.height).raw("]");
    json.field("hint", SettingsWindow::kChoiceHint);
    json.close('}');
    json.close('}');
    g_answer = json.text();
    return g_answer.c_str();
}

// The layout of window `name` ("length" ..., or "config"), with its menus; creates it.
MEZURA_EXPORT const char* mz_layout(const char* name)
{
    App& app = page().app();
    Json json;
    json.open('{');
    try {
        if (std::string_view(name) == kSettingsWindow) {
            writeLayout(json, settingsWindow(app).layout());
        } else {
            const ConversionWindow& window = windowNamed(name);
            writeLayout(json, window.layout());
            json.key("menus").open('[');
            for (const MenuEntry& entry : window.menus()) {
                writeMenu(json, entry);
            }
            json.close(']');
            json.key("popup");
            writeMenu(json, window.popup());
            json.field("helpTopic", window.helpTopic());
        }
    } catch (const std::exception& error) {
        json = Json();
        json.open('{').field("error", error.what());
    }
    json.close('}');
    g_answer = json.text();
    return g_answer.c_str();
}

// Sets the year the calendar window counts from (the page passes today's).
MEZURA_EXPORT void mz_year(int year)
{
    page().host().year = year;
}

// The program's start with the stored settings text (empty: none stored).
MEZURA_EXPORT const char* mz_start(const char* cfg)
{
    Page& p = page();
    if (!p.started()) {
        try {
            p.start(cfg);
        } catch (const std::exception& error) {
            p.host().errors.emplace_back(kSettingsWindow, error.what());
        }
    }
    return answer({}, true);
}

// The state of every window that exists.
MEZURA_EXPORT const char* mz_state()
{
    return answer({}, true);
}

// The user replaces the text of field `field` of `window` (an edit, no key).
MEZURA_EXPORT const char* mz_type(const char* window, int field, const char* text)
{
    return event(window, [&] { windowNamed(window).typeText(field, text); });
}

// A key that produces character `code` in a field (13 is Enter).
MEZURA_EXPORT const char* mz_key(const char* window, int field, int code)
{
    return event(window, [&] { windowNamed(window).keyPress(field, code); });
}

MEZURA_EXPORT const char* mz_click_field(const char* window, int field)
{
    return event(window, [&] { windowNamed(window).clickField(field); });
}

// A click on a button or a settings button, by name.
MEZURA_EXPORT const char* mz_click(const char* window, const char* control)
{
    return event(window, [&] { page().app().form(window).click(control); });
}

// The gauge moved by an arrow key or a track click.
MEZURA_EXPORT const char* mz_slide(const char* window, int position)
{
    return event(window, [&] { windowNamed(window).slide(position); });
}

// One move of a drag of the gauge's thumb; mz_release ends it.
MEZURA_EXPORT const char* mz_drag(const char* window, int position)
{
    return event(window, [&] { windowNamed(window).dragTo(position); });
}

MEZURA_EXPORT const char* mz_release(const char* window)
{
    return event(window, [&] { windowNamed(window).dragRelease(); });
}

MEZURA_EXPORT const char* mz_menu(const char* window, const char* item)
{
    return event(window, [&] { windowNamed(window).menu(item); });
}

// A mouse button pressed on a window's background: 1 left (the next size mode), 2 right
// (the pop-up menu).
MEZURA_EXPORT const char* mz_mouse(const char* window, int button)
{
    return event(window, [&] { windowNamed(window).mouseDown(button); });
}

// The close box of a window; the F1 key.
MEZURA_EXPORT const char* mz_close(const char* window)
{
    return event(window, [&] { page().app().form(window).closeRequest(); });
}

MEZURA_EXPORT const char* mz_f1(const char* window)
{
    return event(window, [&] { page().app().form(window).f1(); });
}

// A key sent to a window itself (the settings window's Esc).
MEZURA_EXPORT const char* mz_window_key(const char* window, int code)
{
    return event(window, [&] { page().app().form(window).key(code); });
}

// The forms a field's text can be shown in where it is wider than the field, finest first
// (roundedForms): [{"text": "4860503.51", "digits": 9, "rounded": true}, ...]; none for a
// text that is no number. The page shows the first that fits.
MEZURA_EXPORT const char* mz_forms(const char* text)
{
    Json json;
    json.open('[');
    for (const RoundedForm& form : roundedForms(text)) {
        json.open('{').field("text", form.text).field("digits", form.digits).flag("rounded", form.rounded).close('}');
    }
    json.close(']');
    g_answer = json.text();
    return g_answer.c_str();
}

// A click on settings check box `index` (1 to 10).
MEZURA_EXPORT const char* mz_check(int index)
{
    return event(kSettingsWindow, [&] { settingsWindow(page().app()).clickCheck(index); });
}

int main()
{
    return 0;
}
