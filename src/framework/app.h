// The window registry and the program's life: every window a single instance, created on
// first reference and never destroyed while the program runs.
#pragma once

#include "framework/form.h"
#include "framework/frame.h"
#include "framework/host.h"
#include "framework/layout.h"

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mezura {

class ConversionWindow;
class App;

// One conversion window: everything the program knows of it outside the window itself.
struct WindowRow {
    FrameSpec frame;      // module name, caption, help topic, size modes
    std::string menuItem; // its item under "他の単位": "mnuUL"
    std::string label;    // that item's caption and the settings check box's: "壊変"
    int checkBox;         // Check1(i), and the line i of the settings file
    bool groupEnds;       // a separator follows its menu item
    std::unique_ptr<ConversionWindow> (*make)(App& app, const FrameSpec& frame);
    // Its controls as the window is built with them, read without making the window.
    Layout (*controls)();
    std::string english; // the name a person types for it in English beside its module's: "area"
};

// The program's windows: the conversion windows in menu order ("全て", the settings file,
// the dump) and the settings window.
struct WindowTable {
    std::span<const WindowRow> windows;
    std::unique_ptr<Form> (*makeSettings)(App& app);
};

inline constexpr const char* kSettingsWindow = "config";

class App {
public:
    App(Host& host, const WindowTable& table);
    ~App();

    Host& host() { return m_host; }
    std::span<const WindowRow> windows() const { return m_table.windows; }

    // The row of conversion window `name`, or null.
    const WindowRow* row(std::string_view name) const;
    bool isWindowName(std::string_view name) const;

    // The window, created (its load run) on first reference.
    ConversionWindow& window(const WindowRow& row);
    Form& settings();
    // By module name, as a script or a test names it. Throws std::invalid_argument for an
    // unknown name (and for the settings window asked as a conversion window).
    Form& form(std::string_view name);
    ConversionWindow& window(std::string_view name);
    // The window when it exists already, else null.
    Form* existing(std::string_view name) const;
    // Existing windows in dump order: config, then the conversion windows in menu order.
    std::vector<Form*> existingForms() const;

    // Shows a window (creating it first) and brings it to the front.
    void showAndFocus(const WindowRow& row);
    void showAndFocus(std::string_view name);
    // "全て": every conversion window in menu order; the calendar ends in front.
    void showAll();
    // The close box of a conversion window: hide it while another conversion window is
    // visible, else end the program. Counting refers to all ten, so it creates any that
    // does not exist yet (hidden).
    void closeRequest(Form& closing);
    // Visible conversion windows among those that exist; creates none.
    int visibleConversionWindows() const;

    void quit();
    bool ended() const { return m_ended; }

    // Called after a window is created (the binding builds its view here).
    std::function<void(Form&)> onCreated;

private:
    std::size_t slot(const WindowRow& row) const;
    Form& created(Form& form);

    Host& m_host;
    WindowTable m_table;
    std::vector<std::unique_ptr<ConversionWindow>> m_windows; // by row
    std::unique_ptr<Form> m_settings;
    bool m_ended = false;
};

// The builder of a table row: the window class `W` constructed from its frame.
template <typename W> std::unique_ptr<ConversionWindow> make(App& app, const FrameSpec& frame)
{
    return std::make_unique<W>(app, frame);
}

} // namespace mezura
