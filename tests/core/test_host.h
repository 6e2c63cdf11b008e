// A recording host for core tests: every platform call becomes a line in `events`.
#pragma once

#include "framework/app.h"
#include "framework/host.h"
#include "framework/numtext.h"
#include "framework/window.h"
#include "windows/catalog.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <span>
#include <string>
#include <vector>

namespace mezura::test {

class RecordingHost : public Host {
public:
    void beep(const Form& window) override { events.push_back("beep " + window.name()); }
    void openHelp(int topic) override { events.push_back("help " + std::to_string(topic)); }
    void reportError(const Form& window, const std::string& message) override
    {
        events.push_back("error " + window.name() + ' ' + message);
    }
    void showPopup(const Form& window) override { events.push_back("popup " + window.name()); }
    void bringToFront(const Form& window) override { events.push_back("front " + window.name()); }
    void quit() override { events.push_back("exit"); }
    int currentYear() override { return year; }

    std::vector<std::string> events;
    int year = 2026;
};

// The program's windows over a recording host.
struct TestApp {
    RecordingHost host;
    App app{host, windowTable()};

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
    bool keepsTyped = true; // false: its own chain rewrites it as the number text of its value
};

// Enter 7.0 (or `typed`, where 7 of some unit lies beyond the window's gauge) in each unit
// field of a fresh window in turn: the typed field keeps its text (unless its unit says its
// chain rewrites it) and every other field shows the same quantity, to the four digits the
// limiter keeps (or to `tolerance`, where a window's units have two definitions that differ).
inline void expectEveryChainWritesEveryField(const char* window, std::span<const UnitSize> units,
                                             const std::string& typed = "7.0", double tolerance = 2e-3)
{
    const double amount = parseNumber(typed);
    const std::string copied = numberText(amount); // what a step that forgot to convert writes
    for (const UnitSize& unit : units) {
        TestApp t;
        ConversionWindow& w = t.window(window);
        ASSERT_EQ(units.size(), w.layout().fields.size()) << window;
        w.typeText(unit.field, typed);
        w.keyPress(unit.field, 13);
        const std::string where = typed + " in " + w.layout().fields[static_cast<std::size_t>(unit.field)].name;
        EXPECT_EQ(w.text(unit.field), unit.keepsTyped ? typed : copied) << where;
        const double quantity = amount * unit.size;
        for (const UnitSize& other : units) {
            if (other.field == unit.field) {
                continue;
            }
            const std::string& text = w.text(other.field);
            const std::string what =
                where + ": " + w.layout().fields[static_cast<std::size_t>(other.field)].name + "=" + text;
            EXPECT_FALSE(text.empty()) << what;
            if (other.size != unit.size) { // a unit of the same size rightly shows the typed number
                EXPECT_NE(text, copied) << what;
            }
            EXPECT_NEAR(parseNumber(text) * other.size / quantity, 1.0, tolerance) << what;
        }
        EXPECT_TRUE(t.host.events.empty()) << where;
    }
}

// The range button painted with the highlight colour, or "none".
inline std::string highlighted(const ConversionWindow& w)
{
    for (std::size_t i = 0; i < w.layout().buttons.size(); ++i) {
        if (w.buttonColour(static_cast<int>(i)) == kHighlight) {
            return w.layout().buttons[i].name;
        }
    }
    return "none";
}

// A field and the text it must show.
struct Shows {
    const char* field;
    const char* text;
};

// What the gauge must show: the range caption, the slider maximum and position, the
// highlighted button.
struct Gauge {
    const char* indMax;
    int max;
    int value;
    const char* highlight;
};

inline void expectShows(TestApp& t, const char* window, const std::vector<Shows>& shows, const std::string& where)
{
    for (const Shows& each : shows) {
        EXPECT_EQ(t.text(window, each.field), each.text) << where << ": " << each.field;
    }
}

inline void expectGauge(const ConversionWindow& w, const Gauge& gauge, const std::string& where)
{
    EXPECT_EQ(w.caption("IndMax"), gauge.indMax) << where;
    EXPECT_EQ(w.slider().max(), gauge.max) << where;
    EXPECT_EQ(w.slider().value(), gauge.value) << where;
    EXPECT_EQ(highlighted(w), gauge.highlight) << where;
}

// Text in a field, with Enter or without, then range buttons clicked in order: the fields
// and the gauge must show what the row says, with no beep and no message.
struct ButtonRow {
    const char* field;
    const char* typed;
    bool enter; // false: typed without Enter
    std::vector<const char*> buttons;
    std::vector<Shows> shows;
    Gauge gauge;
};

inline void expectButtonRows(const char* window, std::span<const ButtonRow> rows)
{
    for (const ButtonRow& row : rows) {
        TestApp t;
        ConversionWindow& w = t.window(window);
        if (row.enter) {
            t.enter(window, row.field, row.typed);
        } else {
            w.typeText(w.fieldIndex(row.field), row.typed);
        }
        std::string where = std::string(row.typed) + " in " + row.field;
        for (const char* button : row.buttons) {
            w.clickButton(w.buttonIndex(button));
            where += std::string(", ") + button;
        }
        expectShows(t, window, row.shows, where);
        expectGauge(w, row.gauge, where);
        EXPECT_TRUE(t.host.events.empty()) << where;
    }
}

// A range button clicked first (or none), then the slider moved to a position by an arrow
// or a track click: the fields and the gauge must show what the row says.
struct SlideRow {
    const char* button; // range chosen first, or null
    int position;
    std::vector<Shows> shows;
    Gauge gauge;
};

// The rows one after another in the same window.
inline void expectSlides(TestApp& t, const char* window, std::span<const SlideRow> slides)
{
    ConversionWindow& w = t.window(window);
    for (const SlideRow& slide : slides) {
        std::string where = "slide to " + std::to_string(slide.position);
        if (slide.button != nullptr) {
            w.clickButton(w.buttonIndex(slide.button));
            where += std::string(" after ") + slide.button;
        }
        w.slide(slide.position);
        expectShows(t, window, slide.shows, where);
        expectGauge(w, slide.gauge, where);
    }
}

// Text typed into a field of a fresh window and Enter: the fields and the gauge must show
// what the row says, with no beep and no message.
struct EnterRow {
    const char* field;
    const char* typed;
    std::vector<Shows> shows;
    Gauge gauge;
};

inline void expectEnterRows(const char* window, std::span<const EnterRow> rows)
{
    for (const EnterRow& row : rows) {
        TestApp t;
        t.enter(window, row.field, row.typed);
        const std::string where = std::string(row.field) + " <- \"" + row.typed + '"';
        expectShows(t, window, row.shows, where);
        expectGauge(t.window(window), row.gauge, where);
        EXPECT_TRUE(t.host.events.empty()) << where;
    }
}

// A value typed into a field, with Enter.
struct Typed {
    const char* field = nullptr; // none: nothing typed
    const char* text = nullptr;
};

// Each row {field, text} typed with Enter into a fresh window, after `before`: the value lies
// outside every range, so there is one beep, every unit field reads "0", and the gauge shows
// `gauge`.
inline void expectResets(const char* window, Typed before, std::span<const char* const[2]> rows, const Gauge& gauge)
{
    for (const auto& row : rows) {
        TestApp t;
        if (before.field != nullptr) {
            t.enter(window, before.field, before.text);
        }
        t.enter(window, row[0], row[1]);
        const std::string where = std::string(row[0]) + " <- " + row[1];
        const ConversionWindow& w = t.window(window);
        for (std::size_t field = 0; field < w.layout().fields.size(); ++field) {
            EXPECT_EQ(w.text(static_cast<int>(field)), "0") << where << ": " << w.layout().fields[field].name;
        }
        expectGauge(w, gauge, where);
        EXPECT_EQ(t.host.events, std::vector<std::string>{"beep " + std::string(window)}) << where;
    }
}

// The tab order runs column by column, top to bottom, and the slider comes last.
inline void expectTabOrderByColumns(const ConversionWindow& w)
{
    std::vector<FieldSpec> byTab = w.layout().fields;
    std::sort(byTab.begin(), byTab.end(),
              [](const FieldSpec& a, const FieldSpec& b) { return a.tabIndex < b.tabIndex; });
    for (std::size_t i = 0; i < byTab.size(); ++i) {
        EXPECT_EQ(byTab[i].tabIndex, static_cast<int>(i));
        if (i > 0 && byTab[i].field.left == byTab[i - 1].field.left) {
            EXPECT_GT(byTab[i].field.top, byTab[i - 1].field.top) << byTab[i].name;
        } else if (i > 0) {
            EXPECT_GT(byTab[i].field.left, byTab[i - 1].field.left) << byTab[i].name;
        }
    }
    EXPECT_EQ(w.layout().sliders.front().tabIndex, static_cast<int>(byTab.size()));
}

} // namespace mezura::test
