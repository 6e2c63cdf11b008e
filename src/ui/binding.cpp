#include "ui/binding.h"

#include "framework/window.h"
#include "startup/settings.h"
#include "startup/startup.h"
#include "ui/conversionview.h"
#include "ui/messages.h"
#include "ui/settingsview.h"
#include "windows/catalog.h"

#include <QWidget>
#include <exception>

namespace mezura::ui {

namespace {
// Sets a flag for a scope and gives it back its value after, also after an exception.
class Busy {
public:
    explicit Busy(bool& flag)
        : m_flag(flag)
        , m_was(flag)
    {
        m_flag = true;
    }
    ~Busy() { m_flag = m_was; }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;

private:
    bool& m_flag;
    bool m_was;
};
} // namespace

Binding::Binding()
    : m_host(*this)
    , m_app(m_host, windowTable())
{
    m_app.onCreated = [this](Form& form) { created(form); };
}

Binding::~Binding()
{
    m_app.onCreated = nullptr;
    m_views.clear(); // the views refer to the windows, so they go first
}

void Binding::created(Form& form)
{
    const std::size_t index = m_views.size();
    m_views.push_back(Entry { &form, nullptr });
    if (dynamic_cast<ConversionWindow*>(&form) != nullptr) {
        return; // built when it first shows
    }
    std::unique_ptr<View> view = build(form);
    if (view != nullptr) {
        Busy busy(m_busy);
        view->sync();
        m_views[index].view = std::move(view);
    }
}

std::unique_ptr<View> Binding::build(Form& form)
{
    if (auto* window = dynamic_cast<ConversionWindow*>(&form)) {
        return std::make_unique<ConversionView>(*this, *window);
    }
    if (auto* settings = dynamic_cast<SettingsWindow*>(&form)) {
        return std::make_unique<SettingsView>(*this, *settings);
    }
    return nullptr;
}

void Binding::start(const std::string& dir, FileSystem& files)
{
    forward([this, &dir, &files] { mezura::start(m_app, dir, files); });
}

void Binding::forward(const std::function<void()>& event)
{
    if (m_busy || m_app.ended()) {
        return;
    }
    {
        Busy busy(m_busy);
        try {
            event();
        } catch (const std::exception& error) {
            // A fault of the program itself; the windows stay as the event left them.
            showMessage({ MessageKind::Critical, QStringLiteral("ヨモギの単位計算"), QString::fromUtf8(error.what()) });
        }
    }
    syncAll();
}

void Binding::syncAll()
{
    if (m_app.ended()) {
        return; // the windows are closing
    }
    Busy busy(m_busy);
    for (std::size_t i = 0; i < m_views.size(); ++i) { // by index: building a view may create a window
        Entry& entry = m_views[i];
        if (entry.view == nullptr) {
            if (!entry.form->visible()) {
                continue;
            }
            entry.view = build(*entry.form);
            if (entry.view == nullptr) {
                continue;
            }
        } else if (!entry.form->visible() && !entry.view->widget()->isVisible()) {
            continue; // hidden and staying hidden: it catches up when it shows
        }
        entry.view->sync();
    }
}

View* Binding::view(std::string_view name) const
{
    for (const Entry& entry : m_views) {
        if (entry.form->name() == name) {
            return entry.view.get();
        }
    }
    return nullptr;
}

ConversionView* Binding::conversionView(std::string_view name) const
{
    return dynamic_cast<ConversionView*>(view(name));
}

void Binding::closeAll()
{
    for (const Entry& entry : m_views) {
        if (entry.view != nullptr) {
            entry.view->widget()->close();
        }
    }
}

} // namespace mezura::ui
