#include "framework/app.h"

#include "framework/window.h"

#include <algorithm>
#include <stdexcept>

namespace mezura {

App::App(Host& host, Factory factory)
    : m_host(host)
    , m_factory(std::move(factory))
{
}

App::~App() = default;

bool App::isWindowName(std::string_view name)
{
    return name == kSettingsWindow ||
           std::find(kConversionWindows.begin(), kConversionWindows.end(), name) != kConversionWindows.end();
}

Form* App::existing(std::string_view name) const
{
    for (const auto& [formName, form] : m_forms) {
        if (formName == name) {
            return form.get();
        }
    }
    return nullptr;
}

Form& App::form(std::string_view name)
{
    if (Form* found = existing(name)) {
        return *found;
    }
    if (!isWindowName(name)) {
        throw std::invalid_argument("no window named " + std::string(name));
    }
    std::unique_ptr<Form> created = m_factory(*this, name);
    Form& form = *created;
    m_forms.emplace_back(std::string(name), std::move(created));
    if (onCreated) {
        onCreated(form);
    }
    return form;
}

ConversionWindow& App::window(std::string_view name)
{
    auto* window = dynamic_cast<ConversionWindow*>(&form(name));
    if (window == nullptr) {
        throw std::invalid_argument(std::string(name) + " is not a conversion window");
    }
    return *window;
}

std::vector<Form*> App::existingForms() const
{
    std::vector<Form*> forms;
    if (Form* config = existing(kSettingsWindow)) {
        forms.push_back(config);
    }
    for (const char* name : kConversionWindows) {
        if (Form* form = existing(name)) {
            forms.push_back(form);
        }
    }
    return forms;
}

void App::showAndFocus(std::string_view name)
{
    Form& shown = form(name);
    shown.setVisible(true);
    m_host.bringToFront(shown.name());
}

void App::showAll()
{
    for (const char* name : kConversionWindows) {
        showAndFocus(name);
    }
}

int App::visibleConversionWindows() const
{
    int count = 0;
    for (const char* name : kConversionWindows) {
        if (const Form* form = existing(name); form != nullptr && form->visible()) {
            ++count;
        }
    }
    return count;
}

void App::closeRequest(std::string_view name)
{
    Form& closing = form(name);
    // The count asks each of the ten whether it is visible, and asking creates a window
    // that does not exist yet, hidden, as any other reference does.
    int visible = 0;
    for (const char* each : kConversionWindows) {
        visible += form(each).visible() ? 1 : 0;
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
