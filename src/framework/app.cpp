#include "framework/app.h"

#include "framework/window.h"

#include <stdexcept>

namespace mezura {

App::App(Host& host, const WindowTable& table)
    : m_host(host)
    , m_table(table)
    , m_windows(table.windows.size())
{
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
        window = row.make(*this, row.frame);
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
    m_host.bringToFront(shown.name());
}

void App::showAndFocus(std::string_view name)
{
    Form& shown = form(name);
    shown.setVisible(true);
    m_host.bringToFront(shown.name());
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
    const int others = visibleConversionWindows() - (closing.visible() ? 1 : 0);
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
