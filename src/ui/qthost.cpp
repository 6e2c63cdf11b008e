#include "ui/qthost.h"

#include "framework/app.h"
#include "startup/settings.h"
#include "startup/startup.h"
#include "ui/binding.h"
#include "ui/conversionview.h"
#include "ui/messages.h"

#include <QApplication>
#include <QCursor>
#include <QDate>
#include <QTimer>
#include <QWidget>
#include <utility>

namespace mezura::ui {

QtHost::QtHost(Binding& binding)
    : m_binding(binding)
    , m_openHelp([this](int topic) { m_help.open(helpFile(), topic); })
{
}

std::string QtHost::helpFile() const
{
    if (m_binding.app().existing(kSettingsWindow) == nullptr) {
        return {};
    }
    return settingsWindow(m_binding.app()).helpFile();
}

void QtHost::beep(const Form& window)
{
    QApplication::beep();
    // Most desktops do not sound the beep: the window asks for attention as well, and
    // flashes what the beep concerns.
    if (View* view = m_binding.view(window)) {
        QApplication::alert(view->widget());
        view->flashCue();
    }
}

void QtHost::openHelp(int topic)
{
    QTimer::singleShot(0, &m_queue, [this, topic] { m_openHelp(topic); });
}

void QtHost::setHelpOpener(std::function<void(int)> opener)
{
    m_openHelp = std::move(opener);
}

void QtHost::reportError(const Form& window, const std::string& message)
{
    const QString title = QString::fromStdString(window.title());
    View* view = m_binding.view(window);
    showMessage({MessageKind::Warning, title, QString::fromStdString(message)},
                view != nullptr ? view->widget() : nullptr);
}

void QtHost::showPopup(const Form& window)
{
    if (ConversionView* view = m_binding.conversionView(window)) {
        view->popup(QCursor::pos());
    }
}

void QtHost::bringToFront(const Form& window)
{
    m_binding.syncAll(); // builds the view of a window that shows for the first time
    View* view = m_binding.view(window);
    if (view == nullptr) {
        return;
    }
    QWidget* widget = view->widget();
    widget->show();
    widget->raise();
    // Only the last window brought to the front is activated. A window that is mapped for
    // the first time takes an activation when the display has mapped it, which comes after
    // the handler: activated one by one, the last window mapped would take the focus from
    // the window in front.
    const bool queued = !m_front.isNull();
    m_front = widget;
    if (!queued) {
        QTimer::singleShot(0, &m_queue, [this] {
            if (QWidget* front = std::exchange(m_front, nullptr); front != nullptr && front->isVisible()) {
                front->activateWindow();
            }
        });
    }
}

void QtHost::quit()
{
    QTimer::singleShot(0, &m_queue, [this] {
        m_binding.closeAll();
        m_help.close();
        QCoreApplication::quit();
    });
}

int QtHost::currentYear()
{
    return QDate::currentDate().year();
}

} // namespace mezura::ui
