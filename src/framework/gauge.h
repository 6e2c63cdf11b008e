// The value gauge: a slider with a scale under the unit fields, a range caption IndMax and a
// row of range buttons.
//
// After every Enter the gauge update `tindicator` picks the smallest range that holds the
// window's decision value and moves the thumb to it; a value outside every range beeps and
// resets the window to 0. Moving the slider writes the value back into the fields; a range
// button chooses a scale and may clamp the value to its top. The caption IndMax names the
// active range: the slider handlers find their range by comparing it with the range captions.
//
// The engine is written once; a window supplies a GaugeSpec (ranges, reset, comparison)
// and its own chains and procedures, and lists `tindicator` among its procedures.
#pragma once

#include "framework/chain.h"
#include "framework/rows.h"
#include "framework/window.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mezura {

// A field's value as the gauge reads it: the number parse of the field, then the operations
// in order ("txtS3 × 1000" is {txtS3, {{Op::Mul, 1000}}}).
struct Reading {
    // Not an aggregate, so that rows can write {txtC1}: GCC 12 warns of a member that
    // brace-initialised aggregates with a default vector "may be used uninitialized".
    Reading(int source = -1, Operations operations = {}) // NOLINT(google-explicit-constructor)
        : field(source)
        , ops(operations)
    {
    }
    int field;
    Operations ops;
};

// What the slider writes when the user moves it: target <- p op constant ..., as plain number
// text or through the digit limiter, then the chain.
struct WriteBack {
    int target = -1;
    Operations ops = {};
    bool limited = false;
    Chain chain = {};                      // after a drag move, and after a change
    std::optional<Chain> changeChain = {}; // after a change, where it differs from `chain`
};

// When the slider position is taken from the position reading after a clamp.
enum class ClampPosition {
    Keep,        // the thumb stays where the new maximum leaves it
    BeforeChain, // right after the clamp text is written
    AfterChain,  // after the chain that follows it
};

// A range button's clamp: when `test` reads above `limit`, `text` (an integer's text, not
// limited) goes into `target` and `chain` follows.
struct Clamp {
    Reading test;
    double limit = 0;
    int target = -1;
    std::string text;
    Chain chain = {};
    ClampPosition position = ClampPosition::Keep;
};

struct GaugeRange {
    int n = 0;           // the range number Bcolor highlights it by
    std::string button;  // "Command1"
    double bound = 0;    // inclusive upper bound of the decision value
    int max = 0;         // slider maximum
    std::string caption; // IndMax text; names the active range
    Reading field;       // the thumb position in this range, and what the change handler compares
    WriteBack writeBack;
    std::optional<Clamp> clamp = {};            // none: the button only takes the position
    std::optional<Reading> buttonPosition = {}; // where the button reads the position, if not `field`
};

// The out-of-range reset: the fields set to "0" in this order, then `recompute`, then
// `tindicator` once more unless `again` is false (then the gauge keeps its state).
struct GaugeReset {
    // Every unit field of a window of `count` fields, in table order, nothing recomputed.
    static GaugeReset allFields(int count);

    std::vector<int> fields;
    Chain recompute = {};
    bool again = true;
};

// The integer width the change handler converts the range field to before comparing it
// with the position.
enum class Compare { Int16, Int32 };

struct GaugeSpec {
    int decision = -1;              // the field whose value picks the range
    std::vector<GaugeRange> ranges; // ascending bounds
    GaugeReset reset;
    Compare compare = Compare::Int16;
    // The top of the largest range as the window's note names it ("1000bar"), where the
    // largest range's caption, which names the end of its scale, says otherwise; empty: the
    // caption ("1000km").
    std::string top = {};
};

// What every window with range buttons shares, the calendar's era ruler included: the range
// highlight `Bcolor`.
class GaugeBase : public ConversionWindow {
public:
    // The range buttons by range number: {n, button name}.
    struct RangeButton {
        int n;
        std::string button;
    };

    GaugeBase(App& app, const FrameSpec& frame, Layout layout, const std::vector<RangeButton>& buttons);

protected:
    // Every range button gets the button face, the button of range n the highlight; a number
    // of no range only resets the buttons.
    void bcolor(int n);
    // The range number of button index `button`, or 0 for none.
    int rangeOf(int button) const;

private:
    struct Resolved {
        int n;
        int button;
    };
    std::vector<Resolved> m_rangeButtons;
};

// A window with the value gauge. Thumb positions are 16-bit slider values: one that the
// program would set outside the slider's range (a negative field, a value typed without
// Enter above a range, a value beyond 16 bits) puts the thumb at that end of the slider
// without raising the change handler, so no field is rewritten.
class GaugeWindow : public GaugeBase {
public:
    // Throws std::invalid_argument when the gauge table names a button or field the layout lacks.
    GaugeWindow(App& app, const FrameSpec& frame, Layout layout, GaugeSpec gauge);

    const GaugeSpec& gaugeSpec() const { return m_gauge; }
    // Also every chain of the gauge table.
    void checkTables() const override;
    std::vector<int> resetFields() const override { return m_gauge.reset.fields; }

protected:
    // The window's group procedures in the order of their numbers, the gauge update
    // `tindicator` under the number `tindicatorNumber` after them, and the chain Enter runs
    // in each field.
    void install(std::vector<rows::ProcedureRow> procedures, std::vector<rows::EnterRow> enterRows,
                 int tindicatorNumber);
    using ConversionWindow::install;

    // The gauge update; windows list it among their procedures.
    void tindicator();

    void rangeButton(int button) override;
    void sliderChange() override;
    void sliderScroll() override;

private:
    // Shows the range that holds the decision value; false when none does.
    bool showRange();
    // A value outside every range: beep, reset the fields, and show the range of the reset
    // value once more (should that be out of range too, the gauge stays as it is).
    void resetOutOfRange();
    const GaugeRange* current() const; // by the IndMax caption
    double read(const Reading& reading) const;
    void assignPosition(double value);
    // The slider's value into the range's write-back field (the chain that follows is the
    // caller's).
    void writeSliderValue(const GaugeRange& range);

    GaugeSpec m_gauge;
};

// The range buttons of a table of ranges, in its order, for GaugeBase: every row names its
// range number `n` and its `button`.
template <typename Rows> std::vector<GaugeBase::RangeButton> rangeButtons(const Rows& rows)
{
    std::vector<GaugeBase::RangeButton> buttons;
    buttons.reserve(std::size(rows));
    for (const auto& row : rows) {
        buttons.push_back({row.n, row.button});
    }
    return buttons;
}

} // namespace mezura
