#include "framework/app.h"

#include "framework/window.h"

#include <stdexcept>

namespace mezura {

namespace {

// The window table is data: a wrong row fails here, at the start, rather than when a menu
// item or a settings file line meets it.
void checkTable(const WindowTable& table)
{
    const auto fail = [](const std::string& what) { throw std::invalid_argument("window table: " + what); };
    if (table.makeSettings == nullptr) {
        fail("no settings window");
    }
    const auto count = static_cast<int>(table.windows.size());
    for (std::size_t i = 0; i < table.windows.size(); ++i) {
        const WindowRow& row = table.windows[i];
        const FrameSpec& frame = row.frame;
        if (frame.name.empty() || frame.name == kSettingsWindow || row.menuItem.empty() || row.make == nullptr) {
            fail("row " + std::to_string(i) + " (" + frame.name + ") without a name, a menu item or a builder");
        }
        if (frame.modes.empty() || frame.initialMode < 1 || frame.initialMode > static_cast<int>(frame.modes.size())) {
            fail(frame.name + ": no size mode " + std::to_string(frame.initialMode));
        }
        if (row.checkBox < 1 || row.checkBox > count) {
            fail(frame.name + ": no check box " + std::to_string(row.checkBox));
        }
        for (std::size_t j = 0; j < i; ++j) {
            const WindowRow& other = table.windows[j];
            if (other.frame.name == frame.name || other.menuItem == row.menuItem || other.checkBox == row.checkBox) {
                fail(frame.name + " and " + other.frame.name + " share a name, a menu item or a check box");
            }
        }
    }
}

} // namespace

App::App(Host& host, const WindowTable& table)
    : m_host(host)
    , m_table(table)
    , m_windows(table.windows.size())
{
    checkTable(m_table);
}

App::~App() = default;

const WindowRow* App::row(std::string_view name) const
{
    for (const WindowRow& each : m_table.windows) {
        if (each.frame.name == name) {
            return &each;
        }
    }
    return nullptr;
}

bool App::isWindowName(std::string_view name) const
{
    return name == kSettingsWindow || row(name) != nullptr;
}

std::size_t App::slot(const WindowRow& row) const
{
    const auto index = static_cast<std::size_t>(&row - m_table.windows.data());
    if (index >= m_table.windows.size()) {
        throw std::invalid_argument(row.frame.name + " is no row of this program's table");
    }
    return index;
}

Form& App::created(Form& form)
{
    if (onCreated) {
        onCreated(form);
    }
    return form;
}

ConversionWindow& App::window(const WindowRow& row)
{
    std::unique_ptr<ConversionWindow>& window = m_windows[slot(row)];
    if (!window) {
        std::unique_ptr<ConversionWindow> made = row.make(*this, row.frame);
        made->checkTables();
        window = std::move(made);
        created(*window);
    }
    return *window;
}

Form& App::settings()
{
    if (!m_settings) {
        m_settings = m_table.makeSettings(*this);
        created(*m_settings);
    }
    return *m_settings;
}

Form& App::form(std::string_view name)
{
    if (name == kSettingsWindow) {
        return settings();
    }
    return window(name);
}

ConversionWindow& App::window(std::string_view name)
{
    if (const WindowRow* found = row(name)) {
        return window(*found);
    }
    if (name == kSettingsWindow) {
        throw std::invalid_argument(std::string(name) + " is not a conversion window");
    }
    throw std::invalid_argument("no window named " + std::string(name));
}

Form* App::existing(std::string_view name) const
{
    if (name == kSettingsWindow) {
        return m_settings.get();
    }
    const WindowRow* found = row(name);
    return found != nullptr ? m_windows[slot(*found)].get() : nullptr;
}

std::vector<Form*> App::existingForms() const
{
    std::vector<Form*> forms;
    if (m_settings) {
        forms.push_back(m_settings.get());
    }
    for (const auto& window : m_windows) {
        if (window) {
            forms.push_back(window.get());
        }
    }
    return forms;
}

void App::showAndFocus(const WindowRow& row)
{
    ConversionWindow& shown = window(row);
    shown.setVisible(true);
    m_host.bringToFront(shown);
}

void App::showAndFocus(std::string_view name)
{
    Form& shown = form(name);
    shown.setVisible(true);
    m_host.bringToFront(shown);
}

void App::showAll()
{
    for (const WindowRow& each : m_table.windows) {
        showAndFocus(each);
    }
}

int App::visibleConversionWindows() const
{
    int count = 0;
    for (const auto& window : m_windows) {
        if (window && window->visible()) {
            ++count;
        }
    }
    return count;
}

void App::closeRequest(Form& closing)
{
    // The count asks each of the ten whether it is visible, and asking creates a window
    // that does not exist yet, hidden, as any other reference does.
    int visible = 0;
    for (const WindowRow& each : m_table.windows) {
        visible += window(each).visible() ? 1 : 0;
    }
    const int others = visible - (closing.visible() ? 1 : 0);
    if (others > 0) {
        closing.setVisible(false);
    } else {
        quit();
    }
}

void App::quit()
{
    if (!m_ended) {
        m_ended = true;
        m_host.quit();
    }
}

} // namespace mezura
