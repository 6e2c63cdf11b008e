// A recording host for core tests: every platform call becomes a line in `events`.
#pragma once

#include "framework/app.h"
#include "framework/host.h"
#include "framework/window.h"
#include "windows/catalog.h"

#include <string>
#include <vector>

namespace mezura::test {

class RecordingHost : public Host {
public:
    void beep(const std::string& window) override { events.push_back("beep " + window); }
    void openHelp(int topic) override { events.push_back("help " + std::to_string(topic)); }
    void reportError(const std::string& window, const std::string& message) override
    {
        events.push_back("error " + window + ' ' + message);
    }
    void showPopup(const std::string& window) override { events.push_back("popup " + window); }
    void bringToFront(const std::string& window) override { events.push_back("front " + window); }
    void quit() override { events.push_back("exit"); }
    int currentYear() override { return year; }

    std::vector<std::string> events;
    int year = 2026;
};

// The program's windows over a recording host.
struct TestApp {
    RecordingHost host;
    App app{host, makeForm};

    ConversionWindow& window(const char* name) { return app.window(name); }
    // Types `text` into field `field` of `window` and presses Enter.
    void enter(const char* name, const char* field, const std::string& text)
    {
        ConversionWindow& w = window(name);
        const int index = w.fieldIndex(field);
        w.typeText(index, text);
        w.keyPress(index, 13);
    }
    const std::string& text(const char* name, const char* field)
    {
        ConversionWindow& w = window(name);
        return w.text(w.fieldIndex(field));
    }
};

} // namespace mezura::test
