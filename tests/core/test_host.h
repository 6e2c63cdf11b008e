// A recording host for core tests: every platform call becomes a line in `events`.
#pragma once

#include "framework/app.h"
#include "framework/numtext.h"
#include "framework/host.h"
#include "framework/window.h"
#include "windows/catalog.h"

#include <gtest/gtest.h>

#include <span>
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

// A unit field and the size of its unit in the window's base unit.
struct UnitSize {
    int field;
    double size;
};

// Enter 7.0 in each unit field of a fresh window in turn: the typed field keeps its text
// and every other field shows the same quantity, to the four digits the limiter keeps.
inline void expectEveryChainWritesEveryField(const char* window, std::span<const UnitSize> units)
{
    for (const UnitSize& typed : units) {
        TestApp t;
        ConversionWindow& w = t.window(window);
        ASSERT_EQ(units.size(), w.layout().fields.size()) << window;
        w.typeText(typed.field, "7.0");
        w.keyPress(typed.field, 13);
        const std::string where = "7.0 in " + w.layout().fields[static_cast<std::size_t>(typed.field)].name;
        EXPECT_EQ(w.text(typed.field), "7.0") << where;
        const double quantity = 7 * typed.size;
        for (const UnitSize& other : units) {
            if (other.field == typed.field) {
                continue;
            }
            const std::string& text = w.text(other.field);
            const std::string what =
                where + ": " + w.layout().fields[static_cast<std::size_t>(other.field)].name + "=" + text;
            EXPECT_FALSE(text.empty()) << what;
            EXPECT_NE(text, "7") << what;
            EXPECT_NEAR(parseNumber(text) * other.size / quantity, 1.0, 2e-3) << what;
        }
        EXPECT_TRUE(t.host.events.empty()) << where;
    }
}

} // namespace mezura::test
