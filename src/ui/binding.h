// The binding of the program's windows to Qt: owns the windows (the App) and one view per
// window, forwards the user's events to the windows and brings the views in line after each.
//
// Every window exists from its first reference, as the registry has it; the widgets of a
// conversion window are built only when the window first shows, and from then on follow it.
// A view that neither shows nor is about to show is left alone until it does: its first sync
// on showing brings it wholly in line with its window.
#pragma once

#include "framework/app.h"
#include "ui/qthost.h"
#include "ui/view.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
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
    // in front of them. `files` must outlive the binding. Before they first show, the windows
    // are placed on the screen that holds the settings window (placeAtStart).
    void start(const std::string& dir, FileSystem& files);

    // Runs one user event on the windows, then syncs the views. Events raised while another
    // runs or while the views sync are dropped: they come from the program, not the user.
    void forward(const std::function<void()>& event);
    // Syncs every view that shows or is to show or hide, building the views of conversion
    // windows that show for the first time.
    void syncAll();

    // The view of a window, once built (a conversion window's when it has shown), else null.
    View* view(const Form& form) const;
    ConversionView* conversionView(const Form& form) const;
    // The same for a window named as a script or a test names it; null while it does not exist.
    View* view(std::string_view name) const;
    ConversionView* conversionView(std::string_view name) const;

    // Every view closes (the program ends).
    void closeAll();

private:
    struct Entry {
        Form* form = nullptr;
        ConversionWindow* window = nullptr;       // the same window when it is a conversion window
        std::unique_ptr<View> view;               // null until built
        ConversionView* conversionView = nullptr; // the same view when it is a conversion view
    };

    const Entry* entry(const Form& form) const;
    void created(Form& form);
    void build(Entry& entry);
    // Runs one event on the windows, without syncing the views.
    void run(const std::function<void()>& event);
    // The conversion windows about to show, in the order they were opened, and the settings
    // window last, placed side by side or in columns on the settings window's screen so that
    // every title bar stays in view. A window that shows later is placed by the desktop.
    void placeAtStart();

    QtHost m_host;
    App m_app;
    std::vector<Entry> m_views; // in the order the windows were created
    bool m_busy = false;
};

} // namespace mezura::ui
