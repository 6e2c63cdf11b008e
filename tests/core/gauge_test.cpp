// The value gauge engine on a small window of its own: four fields a, b = a / 1000,
// c = a * 1000 and t = a / 3, and three ranges "1000c", "1000a" and "30000b" decided by b.
#include "framework/gauge.h"
#include "framework/numtext.h"
#include "test_host.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace mezura {
namespace {

const FrameSpec kFrame{"gaugetest", "試験", 1999, "ｻｲｽﾞ変更", {{3400, 2000}, {3400, 3000}}, 2};

enum Field { txtA, txtB, txtC, txtT };
enum Procedure { kLineA, kTindicator };

Step S(int target, int source, Op op, double k)
{
    return Step{target, source, {{op, k}}};
}

const Call lineA{kLineA};

Layout testLayout()
{
    Layout layout;
    layout.fields = {numbered(txtA, {"txtA", "a", {45, 270, 975, 285}, 45, 75, 0, rgb(192, 255, 255), ""}),
                     numbered(txtB, {"txtB", "b", {45, 790, 975, 285}, 45, 595, 1, rgb(192, 255, 255), ""}),
                     numbered(txtC, {"txtC", "c", {1145, 270, 975, 285}, 1145, 75, 2, rgb(255, 255, 192), ""}),
                     numbered(txtT, {"txtT", "t", {1145, 790, 975, 285}, 1145, 595, 3, rgb(255, 255, 192), ""})};
    layout.sliders = {{"HScroll", {45, 1200, 3180, 255}, 0, 100, 4}};
    layout.labels = {{"IndMin", "0", {45, 1470, 255, 255}}, {"IndMax", "1000c", {2400, 1470, 810, 255}}};
    layout.buttons = {{"Command1", "c", {45, 1700, 600, 255}, kHighlight},
                      {"Command2", "a", {700, 1700, 600, 255}, kButtonFace},
                      {"Command4", "b", {1400, 1700, 600, 255}, kButtonFace},
                      {"Command5", "?", {2985, 1700, 240, 255}, kHelpButton, ButtonRole::Help}};
    return layout;
}

GaugeSpec testGauge()
{
    GaugeSpec gauge;
    gauge.decision = txtB;
    // clang-format off
    gauge.ranges = {
        // The slider writes t (1/3000000 of a c per step, limited); a follows from t.
        {1, "Command1", 0.001, 1000, "1000c", Reading{txtC},
         WriteBack{txtT, {{Op::Div, 3000000}}, true, {S(txtA, txtT, Op::Mul, 3), S(txtB, txtA, Op::Div, 1000),
                                                      S(txtC, txtA, Op::Mul, 1000)}},
         Clamp{Reading{txtC}, 1000, txtA, "1", {lineA}, ClampPosition::Keep},
         Reading{txtA, {{Op::Mul, 1000}}}},
        {2, "Command2", 1, 1000, "1000a", Reading{txtA}, WriteBack{txtA, {}, false, {lineA}},
         Clamp{Reading{txtA}, 1000, txtA, "1000", {lineA}, ClampPosition::AfterChain}},
        {4, "Command4", 30000, 30000, "30000b", Reading{txtB}, WriteBack{txtA, {{Op::Mul, 1000}}, false, {lineA}}},
    };
    // clang-format on
    gauge.reset = {{txtA, txtB, txtC, txtT}};
    return gauge;
}

// Every change handler run goes into the host's event list with what the window showed at
// that moment, so the order of nested handlers is visible.
class TestWindow : public GaugeWindow {
public:
    TestWindow(App& app, test::RecordingHost& host, GaugeSpec gauge)
        : GaugeWindow(app, kFrame, testLayout(), std::move(gauge))
        , m_host(host)
    {
        const Call gaugeUpdate{kTindicator};
        install(
            {{kLineA, {S(txtB, txtA, Op::Div, 1000), S(txtC, txtA, Op::Mul, 1000), S(txtT, txtA, Op::Div, 3)}}},
            // clang-format off
                {{txtA, {lineA, gaugeUpdate}},
                 {txtB, {S(txtA, txtB, Op::Mul, 1000), S(txtC, txtA, Op::Mul, 1000), S(txtT, txtA, Op::Div, 3),
                         gaugeUpdate}},
                 {txtC, {S(txtA, txtC, Op::Div, 1000), S(txtB, txtA, Op::Div, 1000), S(txtT, txtA, Op::Div, 3),
                         gaugeUpdate}}},
            // clang-format on
            kTindicator);
    }

    std::string highlighted() const
    {
        for (const ButtonSpec& button : layout().buttons) {
            if (buttonColour(buttonIndex(button.name)) == kHighlight) {
                return button.name;
            }
        }
        return "none";
    }

    void enter(Field field, const std::string& text)
    {
        typeText(field, text);
        keyPress(field, 13);
    }
    void click(const char* button) { clickButton(buttonIndex(button)); }
    std::vector<std::string> texts() const { return {text(txtA), text(txtB), text(txtC), text(txtT)}; }

protected:
    void sliderChange() override
    {
        m_host.events.push_back("change " + caption("IndMax") + ' ' + std::to_string(slider().max()) + ' ' +
                                std::to_string(slider().value()) + ' ' + highlighted());
        GaugeWindow::sliderChange();
    }

private:
    test::RecordingHost& m_host;
};

struct Fixture : ::testing::Test {
    test::TestApp t;
    std::unique_ptr<TestWindow> window;

    TestWindow& make(GaugeSpec gauge = testGauge())
    {
        window = std::make_unique<TestWindow>(t.app, t.host, std::move(gauge));
        return *window;
    }
    std::vector<std::string>& events() { return t.host.events; }
};

using Texts = std::vector<std::string>;

// What the gauge shows: caption, maximum, position, highlighted button.
struct Shown {
    std::string caption;
    int max;
    int value;
    std::string highlight;
    bool operator==(const Shown&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Shown& s)
{
    return out << s.caption << ' ' << s.max << ' ' << s.value << ' ' << s.highlight;
}
Shown shown(const TestWindow& w)
{
    return {w.caption("IndMax"), w.slider().max(), w.slider().value(), w.highlighted()};
}

TEST_F(Fixture, AutoRangeTakesTheFirstRangeWhoseInclusiveBoundHoldsTheValue)
{
    struct Row {
        Field field;
        const char* text;
        Shown gauge;
    };
    // clang-format off
    const Row rows[] = {
        {txtA, "", {"1000c", 1000, 0, "Command1"}},
        {txtB, "0.001", {"1000c", 1000, 1000, "Command1"}},   // a bound selects its own range
        {txtB, "0.0010001", {"1000a", 1000, 1, "Command2"}},
        {txtA, "1.5", {"1000a", 1000, 2, "Command2"}},        // halves go to the even position
        {txtA, "2.5", {"1000a", 1000, 2, "Command2"}},
        {txtA, "3.5", {"1000a", 1000, 4, "Command2"}},
        {txtB, "1", {"1000a", 1000, 1000, "Command2"}},
        {txtB, "1.0000001", {"30000b", 30000, 1, "Command4"}},
        {txtC, "2.5E+7", {"30000b", 30000, 25, "Command4"}},
        {txtB, "30000", {"30000b", 30000, 30000, "Command4"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        TestWindow& w = make();
        w.enter(row.field, row.text);
        EXPECT_EQ(shown(w), row.gauge) << "typed " << row.text;
        EXPECT_EQ(w.text(row.field), row.text) << "the typed field keeps its text";
        for (const std::string& event : events()) {
            EXPECT_NE(event.rfind("beep", 0), 0u) << "typed " << row.text;
        }
    }
}

TEST_F(Fixture, TheChangeHandlerSeesTheNewRangeBeforeTheHighlightAndLeavesTheTypedTextAlone)
{
    TestWindow& w = make();
    w.enter(txtB, "5.0");
    // Setting the position ran the change handler before tindicator went on to Bcolor.
    EXPECT_EQ(events(), std::vector<std::string>{"change 30000b 30000 5 Command1"});
    EXPECT_EQ(w.texts(), (Texts{"5000", "5.0", "5000000", "1666.66666666667"}));
    EXPECT_EQ(w.highlighted(), "Command4");

    events().clear();
    w.enter(txtA, "12.4abc"); // 12.4 rounds to the position 12: k = p, nothing written
    EXPECT_EQ(events(), std::vector<std::string>{"change 1000a 1000 12 Command4"});
    EXPECT_EQ(w.texts(), (Texts{"12.4abc", "0.0124", "12400", "4.13333333333333"}));

    events().clear();
    w.enter(txtA, "12.45"); // same position: no change at all
    EXPECT_TRUE(events().empty());
    EXPECT_EQ(w.text(txtA), "12.45");
}

TEST_F(Fixture, OutOfRangeBeepsResetsAndRunsTheGaugeOnceMoreUnlessTheWindowSaysNot)
{
    struct Row {
        const char* text;
        bool again;
        Shown gauge;
        std::vector<std::string> events;
    };
    const Row rows[] = {
        {"-1", true, {"1000c", 1000, 0, "Command1"}, {"beep gaugetest", "change 1000c 1000 0 Command2"}},
        {"30000.5", true, {"1000c", 1000, 0, "Command1"}, {"beep gaugetest", "change 1000c 1000 0 Command2"}},
        {"1E300", true, {"1000c", 1000, 0, "Command1"}, {"beep gaugetest", "change 1000c 1000 0 Command2"}},
        {"-1", false, {"1000a", 1000, 500, "Command2"}, {"beep gaugetest"}},
        {"30001", false, {"1000a", 1000, 500, "Command2"}, {"beep gaugetest"}},
    };
    for (const Row& row : rows) {
        GaugeSpec gauge = testGauge();
        gauge.reset.again = row.again;
        TestWindow& w = make(gauge);
        w.enter(txtA, "500");
        events().clear();
        w.enter(txtB, row.text);
        EXPECT_EQ(w.texts(), (Texts{"0", "0", "0", "0"})) << row.text;
        EXPECT_EQ(shown(w), row.gauge) << row.text;
        EXPECT_EQ(events(), row.events) << row.text;
    }
}

TEST_F(Fixture, AResetThatLeavesTheValueOutOfRangeStopsAfterOneBeep)
{
    GaugeSpec gauge = testGauge();
    gauge.reset.fields = {txtA}; // b, the decision field, stays out of range
    TestWindow& w = make(gauge);
    w.enter(txtB, "-1");
    EXPECT_EQ(events(), std::vector<std::string>{"beep gaugetest"});
    EXPECT_EQ(shown(w), (Shown{"1000c", 100, 0, "Command1"}));
}

TEST_F(Fixture, RangeButtonsClampToTheirTopOrTakeThePosition)
{
    struct Row {
        const char* entered; // into a, with Enter
        const char* button;
        Texts texts;
        Shown gauge;
    };
    const Row rows[] = {
        // Above the top: the clamp text and its chain; "1000a" then takes the position.
        {"1500", "Command2", {"1000", "1", "1000000", "333.333333333333"}, {"1000a", 1000, 1000, "Command2"}},
        // "1000c" leaves the thumb where the lower maximum puts it.
        {"1500", "Command1", {"1", "0.001", "1000", "0.333333333333333"}, {"1000c", 1000, 2, "Command1"}},
        {"1500000", "Command1", {"1", "0.001", "1000", "0.333333333333333"}, {"1000c", 1000, 1000, "Command1"}},
        // Within the range: only the position, the fields stay.
        {"0.7", "Command2", {"0.7", "0.0007", "700", "0.233333333333333"}, {"1000a", 1000, 1, "Command2"}},
        {"0.7", "Command1", {"0.7", "0.0007", "700", "0.233333333333333"}, {"1000c", 1000, 700, "Command1"}},
        {"1500", "Command4", {"1500", "1.5", "1500000", "500"}, {"30000b", 30000, 2, "Command4"}},
        {"1000", "Command2", {"1000", "1", "1000000", "333.333333333333"}, {"1000a", 1000, 1000, "Command2"}},
    };
    for (const Row& row : rows) {
        TestWindow& w = make();
        w.enter(txtA, row.entered);
        w.click(row.button);
        EXPECT_EQ(w.texts(), row.texts) << row.entered << ' ' << row.button;
        EXPECT_EQ(shown(w), row.gauge) << row.entered << ' ' << row.button;
    }
}

TEST_F(Fixture, AButtonReadsItsPositionFromItsOwnReading)
{
    TestWindow& w = make();
    w.enter(txtA, "0.2"); // "1000c" at 200
    w.typeText(txtA, "0.3");
    w.click("Command2");
    w.click("Command1"); // a * 1000, not c
    EXPECT_EQ(w.slider().value(), 300);
    // c still says 200: the change handler finds k != p and writes the position back.
    EXPECT_EQ(w.texts(), (Texts{"0.0003", "3E-07", "0.3", "0.0001"}));
}

TEST_F(Fixture, PositionsOutsideTheSliderStopAtItsEndWithoutRewritingAField)
{
    struct Row {
        Field field;
        const char* typed; // without Enter
        const char* button;
        int value;
    };
    // clang-format off
    const Row rows[] = {
        {txtB, "31000", "Command4", 30000},  // above the range, no clamp
        {txtB, "40000", "Command4", 30000},  // beyond 16 bits
        {txtB, "1E10", "Command4", 30000},   // beyond 32 bits
        {txtB, "-5", "Command4", 0},
        {txtB, "-1E10", "Command4", 0},
        {txtA, "-3", "Command2", 0},
        {txtA, "-70000", "Command2", 0},
        {txtC, "-5", "Command1", 1000},     // no clamp; a * 1000 = 500000 is beyond 16 bits
    };
    // clang-format on
    for (const Row& row : rows) {
        TestWindow& w = make();
        w.enter(txtA, "500");
        w.typeText(row.field, row.typed);
        const Texts before = w.texts();
        events().clear();
        w.click(row.button);
        EXPECT_EQ(w.slider().value(), row.value) << row.typed;
        EXPECT_EQ(w.texts(), before) << row.typed;
        EXPECT_TRUE(events().empty()) << row.typed << ": " << (events().empty() ? "" : events().front());
    }
}

TEST_F(Fixture, MovingTheSliderWritesTheRangesValueBackAndKeepsTheRange)
{
    struct Row {
        const char* entered; // into a
        bool limited;        // the "1000c" write-back
        int slide;
        Texts texts;
        Shown gauge;
    };
    // clang-format off
    const Row rows[] = {
        {"500", true, 250, {"250", "0.25", "250000", "83.3333333333333"}, {"1000a", 1000, 250, "Command2"}},
        {"500", true, 5000, {"1000", "1", "1000000", "333.333333333333"}, {"1000a", 1000, 1000, "Command2"}},
        {"0.5", true, 1, {"9.999E-07", "9.999E-10", "0.0009999", "3.333E-07"}, {"1000c", 1000, 1, "Command1"}},
        {"0.5", false, 1, {"9.999E-07", "9.999E-10", "0.0009999", "3.33333333333333E-07"}, {"1000c", 1000, 1, "Command1"}},
        {"20000", true, 21, {"21000", "21", "21000000", "7000"}, {"30000b", 30000, 21, "Command4"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        GaugeSpec gauge = testGauge();
        gauge.ranges[0].writeBack.limited = row.limited;
        TestWindow& w = make(gauge);
        w.enter(txtA, row.entered);
        w.slide(row.slide);
        EXPECT_EQ(w.texts(), row.texts) << row.entered << " slid to " << row.slide;
        EXPECT_EQ(shown(w), row.gauge) << row.entered << " slid to " << row.slide;
    }
}

TEST_F(Fixture, ADragWritesAtEveryMoveAndTheReleaseFindsTheFieldsInStep)
{
    GaugeSpec gauge = testGauge();
    gauge.ranges[1].writeBack.changeChain = Chain{}; // a change writes a alone
    TestWindow& w = make(gauge);
    w.enter(txtA, "500");
    w.dragTo(300);
    EXPECT_EQ(w.texts(), (Texts{"300", "0.3", "300000", "100"}));
    w.dragTo(301);
    EXPECT_EQ(w.texts(), (Texts{"301", "0.301", "301000", "100.333333333333"}));
    w.dragRelease();
    EXPECT_EQ(w.texts(), (Texts{"301", "0.301", "301000", "100.333333333333"}));

    w.slide(302); // a change runs the change chain only
    EXPECT_EQ(w.texts(), (Texts{"302", "0.301", "301000", "100.333333333333"}));
}

TEST_F(Fixture, TheChangeHandlerComparesIn16Or32BitsAndAFieldBeyondThemDoesNotMatch)
{
    struct Row {
        Compare compare;
        const char* typed; // into a, without Enter
        const char* after; // a after the slider moved to 10
    };
    // clang-format off
    const Row rows[] = {
        {Compare::Int16, "10.4", "10.4"}, {Compare::Int32, "10.4", "10.4"},
        {Compare::Int16, "40000", "10"},  {Compare::Int32, "40000", "10"},
        {Compare::Int16, "5E9", "10"},    {Compare::Int32, "5E9", "10"},
        {Compare::Int16, "-1E300", "10"}, {Compare::Int32, "-1E300", "10"},
    };
    // clang-format on
    for (const Row& row : rows) {
        GaugeSpec gauge = testGauge();
        gauge.compare = row.compare;
        TestWindow& w = make(gauge);
        w.enter(txtA, "500");
        w.typeText(txtA, row.typed);
        w.slide(10);
        EXPECT_EQ(w.text(txtA), row.after) << row.typed;
        EXPECT_EQ(w.slider().value(), 10);
    }
}

TEST_F(Fixture, ArithmeticFailuresAreReportedAndStopTheHandler)
{
    TestWindow& w = make();
    w.enter(txtB, "1E999");
    EXPECT_EQ(events(), std::vector<std::string>{"error gaugetest " + faultMessage(ArithmeticFault::Overflow)});

    events().clear();
    w.typeText(txtA, "1E306");
    w.click("Command1"); // c is 0, so no clamp; a * 1000 overflows
    ASSERT_EQ(events().size(), 1u);
    EXPECT_EQ(events().front(), "error gaugetest " + faultMessage(ArithmeticFault::Overflow));
}

TEST_F(Fixture, AGaugeTableThatDoesNotFitTheWindowIsRefused)
{
    std::vector<std::function<void(GaugeSpec&)>> faults = {
        [](GaugeSpec& g) { g.ranges[1].button = "Command3"; },
        [](GaugeSpec& g) { g.ranges[1].bound = 0.001; },
        [](GaugeSpec& g) { g.ranges[2].caption = "1000c"; },
        [](GaugeSpec& g) { g.ranges[2].n = 1; },
        [](GaugeSpec& g) { g.ranges[0].writeBack.target = 9; },
        [](GaugeSpec& g) { g.reset.fields.push_back(-1); },
        [](GaugeSpec& g) { g.decision = 4; },
    };
    for (std::size_t i = 0; i < faults.size(); ++i) {
        GaugeSpec gauge = testGauge();
        faults[i](gauge);
        EXPECT_THROW(make(gauge), std::invalid_argument) << "fault " << i;
    }
}

// A text copy in a chain carries the source's text as it stands: no parse, no limiter; the
// next step reads the copy.
TEST(ChainCopy, ATextCopyCarriesTheTextUnchanged)
{
    struct FieldTexts : Fields {
        std::vector<std::string> texts{"", "", "", ""};
        const std::string& text(int field) const override { return texts.at(static_cast<std::size_t>(field)); }
        void setText(int field, const std::string& text) override { texts.at(static_cast<std::size_t>(field)) = text; }
    };
    const char* cases[][2] = {{"12abc", "12"}, {"1.23456789E+20", "1.234E+20"}, {"", "0"}, {" 7 ", "7"}};
    for (const auto& row : cases) {
        FieldTexts fields;
        fields.texts[txtA] = row[0];
        runChain(fields, {rows::TextOf(txtB, txtA), S(txtC, txtB, Op::Mul, 1), rows::TextOf(txtT, txtB)},
                 [](int) { FAIL() << "no procedure is called"; });
        EXPECT_EQ(fields.texts[txtB], row[0]);
        EXPECT_EQ(fields.texts[txtT], row[0]);
        EXPECT_EQ(fields.texts[txtC], row[1]) << row[0]; // the step reads the copy
    }
}

} // namespace
} // namespace mezura
