#include "framework/gauge.h"

#include "framework/numtext.h"

#include <climits>
#include <stdexcept>
#include <utility>

namespace mezura {

namespace {
constexpr const char* kIndMax = "IndMax";
} // namespace

GaugeBase::GaugeBase(App& app, const FrameSpec& frame, Layout layout, const std::vector<RangeButton>& buttons)
    : ConversionWindow(app, frame, std::move(layout))
{
    for (const RangeButton& each : buttons) {
        const int index = buttonIndex(each.button);
        if (index < 0) {
            throw std::invalid_argument(frame.name + ": no range button " + each.button);
        }
        m_rangeButtons.push_back({each.n, index});
    }
}

void GaugeBase::bcolor(int n)
{
    for (const Resolved& each : m_rangeButtons) {
        setButtonColour(each.button, each.n == n ? kHighlight : kButtonFace);
    }
}

int GaugeBase::rangeOf(int button) const
{
    for (const Resolved& each : m_rangeButtons) {
        if (each.button == button) {
            return each.n;
        }
    }
    return 0;
}

namespace {

// A data error in a window's gauge table shows when the window is created, not on some
// later slider move.
void check(const ConversionWindow& window, const GaugeSpec& gauge)
{
    const int fields = static_cast<int>(window.layout().fields.size());
    const auto field = [&](int index, const char* what) {
        if (index < 0 || index >= fields) {
            throw std::invalid_argument(window.name() + ": gauge " + what + " is no field");
        }
    };
    field(gauge.decision, "decision field");
    if (gauge.ranges.empty()) {
        throw std::invalid_argument(window.name() + ": gauge without ranges");
    }
    for (std::size_t i = 0; i < gauge.ranges.size(); ++i) {
        const GaugeRange& range = gauge.ranges[i];
        if (i > 0 && !(gauge.ranges[i - 1].bound < range.bound)) {
            throw std::invalid_argument(window.name() + ": gauge bounds not ascending at " + range.caption);
        }
        if (range.n <= 0) {
            throw std::invalid_argument(window.name() + ": gauge range " + range.caption + " without a number");
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (gauge.ranges[j].n == range.n || gauge.ranges[j].caption == range.caption) {
                throw std::invalid_argument(window.name() + ": two gauge ranges named " + range.caption);
            }
        }
        field(range.field.field, "range field");
        field(range.writeBack.target, "write-back field");
        if (range.clamp) {
            field(range.clamp->test.field, "clamp test field");
            field(range.clamp->target, "clamp field");
        }
        if (range.buttonPosition) {
            field(range.buttonPosition->field, "button position field");
        }
    }
    for (int reset : gauge.reset.fields) {
        field(reset, "reset field");
    }
}

} // namespace

GaugeWindow::GaugeWindow(App& app, const FrameSpec& frame, Layout layout, GaugeSpec gauge)
    : GaugeBase(app, frame, std::move(layout), rangeButtons(gauge.ranges))
    , m_gauge(std::move(gauge))
{
    check(*this, m_gauge);
}

double GaugeWindow::read(const Reading& reading) const
{
    return applyOperations(parseNumber(text(reading.field)), reading.ops, false);
}

void GaugeWindow::assignPosition(double value)
{
    if (const std::optional<std::int16_t> position = toInt16(value)) {
        gauge().setValue(*position); // outside [min, max] the slider limits it silently
        return;
    }
    // Beyond 16 bits: the same silent limit, to the end the value lies beyond.
    gauge().setValue(value > 0 ? INT_MAX : INT_MIN);
}

const GaugeRange* GaugeWindow::current() const
{
    const std::string& active = caption(kIndMax);
    for (const GaugeRange& range : m_gauge.ranges) {
        if (range.caption == active) {
            return &range;
        }
    }
    return nullptr;
}

void GaugeWindow::tindicator()
{
    if (!showRange()) {
        const std::string& top = m_gauge.top.empty() ? m_gauge.ranges.back().caption : m_gauge.top;
        noteChange(read(Reading{m_gauge.decision}) < 0 ? ValueChange{ValueChange::Kind::Negative}
                                                       : ValueChange{ValueChange::Kind::AboveRange, top});
        resetOutOfRange();
    }
}

bool GaugeWindow::showRange()
{
    const double d = read(Reading{m_gauge.decision});
    if (d < 0) {
        return false;
    }
    for (const GaugeRange& range : m_gauge.ranges) {
        if (d <= range.bound) {
            gauge().setMax(range.max);
            // The caption before the position: the change handler that the position
            // raises finds its range by the caption.
            setCaption(kIndMax, range.caption);
            assignPosition(read(range.field));
            bcolor(range.n);
            return true;
        }
    }
    return false;
}

void GaugeWindow::resetOutOfRange()
{
    beep();
    for (int field : m_gauge.reset.fields) {
        setText(field, "0");
    }
    run(m_gauge.reset.recompute);
    // Should a window's reset leave its decision value out of range, the gauge stops here
    // rather than reset forever.
    if (m_gauge.reset.again) {
        showRange();
    }
}

void GaugeWindow::rangeButton(int button)
{
    const int n = rangeOf(button);
    for (const GaugeRange& range : m_gauge.ranges) {
        if (range.n != n) {
            continue;
        }
        gauge().setMax(range.max);
        setCaption(kIndMax, range.caption);
        const Reading& position = range.buttonPosition ? *range.buttonPosition : range.field;
        if (range.clamp && read(range.clamp->test) > range.clamp->limit) {
            const Clamp& clamp = *range.clamp;
            setText(clamp.target, clamp.text);
            if (clamp.position == ClampPosition::BeforeChain) {
                assignPosition(read(position));
            }
            run(clamp.chain);
            if (clamp.position == ClampPosition::AfterChain) {
                assignPosition(read(position));
            }
        } else {
            assignPosition(read(position));
        }
        bcolor(range.n);
        return;
    }
}

void GaugeWindow::writeSliderValue(const GaugeRange& range)
{
    const WriteBack& back = range.writeBack;
    setText(back.target, numberText(applyOperations(gauge().value(), back.ops, back.limited)));
}

void GaugeWindow::sliderChange()
{
    const GaugeRange* range = current();
    if (range == nullptr) {
        return; // a caption of no range: nothing to write
    }
    const double k = read(range->field);
    const std::optional<int> whole =
        m_gauge.compare == Compare::Int16 ? std::optional<int>(toInt16(k)) : std::optional<int>(toInt32(k));
    // A field beyond the integer range cannot match the position: the user moved the thumb.
    if (whole && *whole == gauge().value()) {
        return; // the position came from the fields; the typed text stays
    }
    writeSliderValue(*range);
    const WriteBack& back = range->writeBack;
    run(back.changeChain ? *back.changeChain : back.chain);
}

void GaugeWindow::sliderScroll()
{
    if (const GaugeRange* range = current()) {
        writeSliderValue(*range);
        run(range->writeBack.chain);
    }
}

GaugeReset GaugeReset::allFields(int count)
{
    GaugeReset reset;
    for (int field = 0; field < count; ++field) {
        reset.fields.push_back(field);
    }
    return reset;
}

void GaugeWindow::install(std::vector<rows::ProcedureRow> procedures, std::vector<rows::EnterRow> enterRows,
                          int tindicatorNumber)
{
    std::vector<Procedure> installed;
    installed.reserve(procedures.size() + 1);
    for (rows::ProcedureRow& procedure : procedures) {
        installed.push_back({procedure.number, [this, steps = std::move(procedure.chain)] { run(steps); }});
    }
    installed.push_back({tindicatorNumber, [this] { tindicator(); }});
    install(std::move(installed), std::move(enterRows));
}

void GaugeWindow::checkTables() const
{
    ConversionWindow::checkTables();
    const int fields = static_cast<int>(layout().fields.size());
    const int procedures = procedureCount();
    const auto chain = [&](const Chain& steps, const std::string& what) {
        checkChain(steps, fields, procedures, name() + ": " + what);
    };
    for (const GaugeRange& range : m_gauge.ranges) {
        chain(range.writeBack.chain, "slider chain of " + range.caption);
        if (range.writeBack.changeChain) {
            chain(*range.writeBack.changeChain, "slider change chain of " + range.caption);
        }
        if (range.clamp) {
            chain(range.clamp->chain, "clamp chain of " + range.caption);
        }
    }
    chain(m_gauge.reset.recompute, "reset chain");
}

} // namespace mezura
