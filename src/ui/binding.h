// The binding of the program's windows to Qt: owns the windows (the App) and one view per
// window, forwards the user's events to the windows and brings the views in line after each.
#pragma once

#include "framework/app.h"
#include "ui/qthost.h"
#include "ui/view.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mezura {
class FileSystem;
}

namespace mezura::ui {

class ConversionView;

class Binding {
public:
    Binding();
    ~Binding();
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;

    App& app() { return m_app; }
    QtHost& host() { return m_host; }

    // The start of the program: the settings window runs the start-up with `dir` as the
    // program directory, opens the conversion windows chosen in its settings file and stands
    // in front of them. `files` must outlive the binding.
    void start(const std::string& dir, FileSystem& files);

    // Runs one user event on the windows, then syncs every view. Events raised while another
    // runs or while the views sync are dropped: they come from the program, not the user.
    void forward(const std::function<void()>& event);
    void syncAll();

    // The view of a window that exists, else null.
    View* view(std::string_view name) const;
    ConversionView* conversionView(std::string_view name) const;

    // Every view closes (the program ends).
    void closeAll();

private:
    void created(Form& form);

    QtHost m_host;
    App m_app;
    std::vector<std::pair<std::string, std::unique_ptr<View>>> m_views;
    bool m_busy = false;
};

} // namespace mezura::ui
