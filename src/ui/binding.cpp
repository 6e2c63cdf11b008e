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
    std::unique_ptr<View> view;
    if (auto* window = dynamic_cast<ConversionWindow*>(&form)) {
        view = std::make_unique<ConversionView>(*this, *window);
    } else if (auto* settings = dynamic_cast<SettingsWindow*>(&form)) {
        view = std::make_unique<SettingsView>(*this, *settings);
    } else {
        return;
    }
    View& added = *m_views.emplace_back(form.name(), std::move(view)).second;
    Busy busy(m_busy);
    added.sync();
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
    for (const auto& entry : m_views) {
        entry.second->sync();
    }
}

View* Binding::view(std::string_view name) const
{
    for (const auto& [viewName, view] : m_views) {
        if (viewName == name) {
            return view.get();
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
    for (const auto& entry : m_views) {
        entry.second->widget()->close();
    }
}

} // namespace mezura::ui
