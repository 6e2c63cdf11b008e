// The desktop's side of the windows' platform seam.
#pragma once

#include "framework/host.h"
#include "ui/helpclient.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace mezura::ui {

class Binding;

class QtHost : public Host {
public:
    explicit QtHost(Binding& binding);

    void beep(const Form& window) override;
    // Opens help once the running handler has returned.
    void openHelp(int topic) override;
    void reportError(const Form& window, const std::string& message) override;
    void showPopup(const Form& window) override;
    // Shows and raises the window at once; it takes the focus once the running handler has
    // returned, unless another window was brought to the front after it (全て brings ten).
    void bringToFront(const Form& window) override;
    // Closes every window and leaves the event loop, once the running handler has returned.
    void quit() override;
    int currentYear() override;

    // Where help requests go; the help viewer unless replaced (the tests record them).
    void setHelpOpener(std::function<void(int topic)> opener);
    // The help viewer's program, which shows the settings window's help file.
    HelpClient& helpClient() { return m_help; }

private:
    // The help file that the start-up set, or empty before it.
    std::string helpFile() const;

    Binding& m_binding;
    HelpClient m_help;
    std::function<void(int)> m_openHelp;
    QObject m_queue;           // owns the queued calls, so none outlives the host
    QPointer<QWidget> m_front; // the window to take the focus, while its activation is queued
};

} // namespace mezura::ui
