// The window registry and the program's life: every window a single instance, created on
// first reference and never destroyed while the program runs.
#pragma once

#include "framework/form.h"
#include "framework/host.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mezura {

class ConversionWindow;

// The ten conversion windows in menu order ("全て", the settings file, the dump).
inline constexpr std::array<const char*, 10> kConversionWindows{
    "length", "square", "cubic", "weight", "velocity", "press", "heat", "temp", "radio", "year"};
inline constexpr const char* kSettingsWindow = "config";

class App {
public:
    using Factory = std::function<std::unique_ptr<Form>(App&, std::string_view name)>;

    App(Host& host, Factory factory);
    ~App();

    Host& host() { return m_host; }

    static bool isWindowName(std::string_view name);
    // The window, created (its load run) on first reference. Throws for an unknown name.
    Form& form(std::string_view name);
    ConversionWindow& window(std::string_view name);
    // The window when it exists already, else null.
    Form* existing(std::string_view name) const;
    // Existing windows in dump order: config, then the conversion windows in menu order.
    std::vector<Form*> existingForms() const;

    // Shows a window (creating it first) and brings it to the front.
    void showAndFocus(std::string_view name);
    // "全て": every conversion window in menu order; the calendar ends in front.
    void showAll();
    // The close box of a conversion window: hide it while another conversion window is
    // visible, else end the program. Counting refers to all ten, so it creates any that
    // does not exist yet (hidden).
    void closeRequest(std::string_view name);
    // Visible conversion windows among those that exist; creates none.
    int visibleConversionWindows() const;

    void quit();
    bool ended() const { return m_ended; }

    // Called after a window is created (the binding builds its view here).
    std::function<void(Form&)> onCreated;

private:
    Host& m_host;
    Factory m_factory;
    std::vector<std::pair<std::string, std::unique_ptr<Form>>> m_forms;
    bool m_ended = false;
};

} // namespace mezura
