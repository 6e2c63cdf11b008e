#include "ui/binding.h"

#include "framework/placement.h"
#include "framework/window.h"
#include "startup/settings.h"
#include "startup/startup.h"
#include "ui/conversionview.h"
#include "ui/messages.h"
#include "ui/settingsview.h"
#include "windows/catalog.h"

#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <algorithm>
#include <exception>

namespace mezura::ui {

namespace {
// The pixels between two windows placed side by side at the start.
constexpr int kWindowGap = 4;

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
    Entry entry;
    entry.form = &form;
    if (const WindowRow* row = m_app.row(form.name())) {
        entry.window = &m_app.window(*row); // stored already: this creates nothing
    }
    m_views.push_back(std::move(entry));
    if (m_views.back().window != nullptr) {
        return; // built when it first shows
    }
    const std::size_t index = m_views.size() - 1;
    Busy busy(m_busy);
    build(m_views[index]);
    m_views[index].view->sync();
}

void Binding::build(Entry& entry)
{
    if (entry.window != nullptr) {
        auto view = std::make_unique<ConversionView>(*this, *entry.window);
        entry.conversionView = view.get();
        entry.view = std::move(view);
    } else {
        entry.view = std::make_unique<SettingsView>(*this, settingsWindow(m_app));
    }
}

void Binding::start(const std::string& dir, FileSystem& files)
{
    if (m_busy || m_app.ended()) {
        return;
    }
    run([this, &dir, &files] { mezura::start(m_app, dir, files); });
    placeAtStart();
    syncAll();
}

void Binding::forward(const std::function<void()>& event)
{
    if (m_busy || m_app.ended()) {
        return;
    }
    run(event);
    syncAll();
}

void Binding::run(const std::function<void()>& event)
{
    Busy busy(m_busy);
    try {
        event();
    } catch (const std::exception& error) {
        // A fault of the program itself; the windows stay as the event left them.
        showMessage({MessageKind::Critical, QStringLiteral("ヨモギの単位計算"), QString::fromUtf8(error.what())});
    }
}

void Binding::placeAtStart()
{
    if (m_app.ended()) {
        return;
    }
    Busy busy(m_busy);
    std::vector<QWidget*> windows;
    std::vector<QSize> clients;
    QWidget* settings = nullptr;
    for (std::size_t i = 0; i < m_views.size(); ++i) { // by index: building a view may create a window
        Entry& entry = m_views[i];
        if (!entry.form->visible()) {
            continue;
        }
        if (entry.view == nullptr) {
            build(entry);
        }
        if (entry.conversionView != nullptr) {
            windows.push_back(entry.conversionView);
            clients.push_back(entry.conversionView->pixelSize());
        } else {
            settings = entry.view->widget();
        }
    }
    if (windows.empty() || settings == nullptr) {
        return; // the settings window alone stays where it was put: in the middle of its screen
    }
    windows.push_back(settings);
    clients.push_back(settings->size());
    const QScreen* screen = settings->screen();
    // The frame the desktop puts around each window, as far as the program can tell before it
    // shows: a title bar as high as the style's (never lower than a line of text with some
    // room) and thin borders.
    const QStyle* style = settings->style();
    const int titleBar = std::max(style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, settings),
                                  settings->fontMetrics().height() + 10);
    const int border = std::max(1, style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, settings));
    std::vector<PixelSize> frames;
    frames.reserve(clients.size());
    for (const QSize& client : clients) {
        frames.push_back({client.width() + 2 * border, client.height() + titleBar + border});
    }
    const QRect room = screen->availableGeometry();
    const std::vector<PixelRect> placed =
        placeWindows({room.x(), room.y(), room.width(), room.height()}, frames, titleBar, kWindowGap);
    // A window not yet shown has no frame: it is moved by its client area's corner, which
    // lies one title bar and one border inside the frame's.
    for (std::size_t i = 0; i < windows.size(); ++i) {
        windows[i]->move(placed[i].x + border, placed[i].y + titleBar);
    }
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
            build(entry);
        } else if (!entry.form->visible() && !entry.view->widget()->isVisible()) {
            continue; // hidden and staying hidden: it catches up when it shows
        }
        entry.view->sync();
    }
}

const Binding::Entry* Binding::entry(const Form& form) const
{
    for (const Entry& each : m_views) {
        if (each.form == &form) {
            return &each;
        }
    }
    return nullptr;
}

View* Binding::view(const Form& form) const
{
    const Entry* found = entry(form);
    return found != nullptr ? found->view.get() : nullptr;
}

ConversionView* Binding::conversionView(const Form& form) const
{
    const Entry* found = entry(form);
    return found != nullptr ? found->conversionView : nullptr;
}

View* Binding::view(std::string_view name) const
{
    const Form* form = m_app.existing(name);
    return form != nullptr ? view(*form) : nullptr;
}

ConversionView* Binding::conversionView(std::string_view name) const
{
    const Form* form = m_app.existing(name);
    return form != nullptr ? conversionView(*form) : nullptr;
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
