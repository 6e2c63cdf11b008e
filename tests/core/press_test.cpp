// The pressure window: its chains, its gauge in Pa, hPa and bar, and its failures.
#include "test_host.h"
#include "windows/press.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// clang-format off

namespace mezura {
namespace {

using test::expectGauge;
using test::expectShows;
using test::Gauge;
using test::highlighted;
using test::Shows;

constexpr const char* kPress = "press";

const std::vector<Shows> kOneAtmosphere = {
    {"txtP1", "101325"}, {"txtP2", "1013.25"}, {"txtP3", "1.01325"},
    {"txtA1", "10332.2745279989"}, {"txtA2", "10.3322745279989"}, {"txtA3", "1.03322745279989"},
    {"txtH1", "760"}, {"txtH2", "1"}, {"txtH3", "0.76"}};

TEST(PressWindow, EnterConvertsEveryGroupAndPicksTheRange)
{
    struct Row {
        const char* field;
        const char* typed;
        std::vector<Shows> shows;
        Gauge gauge;
    };
    const Row rows[] = {
        // one standard atmosphere, typed in pascals, atmospheres or mmHg
        {"txtP1", "101325", kOneAtmosphere, {"10000bar", 10000, 1, "Command3"}},
        {"txtH2", "1", kOneAtmosphere, {"10000bar", 10000, 1, "Command3"}},
        {"txtH1", "760", kOneAtmosphere, {"10000bar", 10000, 1, "Command3"}},
        // a metre of mercury: the pascals from the atmospheres as the field shows them
        {"txtH3", "1",
         {{"txtH1", "1000"}, {"txtH2", "1.31578947368421"}, {"txtP1", "133322.368421053"},
          {"txtP3", "1.33322368421053"}, {"txtA2", "13.5950980631564"}},
         {"10000bar", 10000, 1, "Command3"}},
        // water columns: 10 mAq to the technical atmosphere, 9806.65 Pa to the metre
        {"txtA3", "1",
         {{"txtA3", "1"}, {"txtA2", "10"}, {"txtA1", "10000"}, {"txtP1", "98066.5"}, {"txtP2", "980.665"},
          {"txtP3", "0.980665"}, {"txtH2", "0.967841105354059"}, {"txtH1", "735.559240069085"}},
         {"10000hPa", 10000, 981, "Command2"}},
        {"txtA2", "1",
         {{"txtA1", "1000"}, {"txtA3", "0.1"}, {"txtP1", "9806.65"}, {"txtP3", "0.0980665"},
          {"txtH3", "0.0735559240069085"}},
         {"10000hPa", 10000, 98, "Command2"}},
        // small values: the limiter keeps four digits, and the next step reads them
        {"txtP1", "1",
         {{"txtP2", "0.01"}, {"txtP3", "1E-05"}, {"txtA2", "0.000101971621297793"}, {"txtA1", "0.101971621297793"},
          {"txtA3", "1.019E-05"}, {"txtH2", "9.869E-06"}, {"txtH1", "0.00750044"}, {"txtH3", "7.5E-06"}},
         {"10000Pa", 10000, 1, "Command1"}},
        {"txtA1", "1", {{"txtP1", "9.80665"}, {"txtP3", "9.806E-05"}, {"txtH2", "9.678E-05"}, {"txtH3", "7.355E-05"}},
         {"10000Pa", 10000, 10, "Command1"}},
        // each bound on the bars is inclusive at its top
        {"txtP1", "1000", {{"txtP2", "10"}, {"txtP3", "0.01"}}, {"10000Pa", 10000, 1000, "Command1"}},
        {"txtP1", "1001", {{"txtP2", "10.01"}, {"txtP3", "0.01001"}}, {"10000hPa", 10000, 10, "Command2"}},
        {"txtP3", "1", {{"txtP2", "1000"}, {"txtP1", "100000"}}, {"10000hPa", 10000, 1000, "Command2"}},
        {"txtP3", "1000", {{"txtP2", "1000000"}, {"txtP1", "100000000"}, {"txtH2", "986.923266716013"}},
         {"10000bar", 10000, 1000, "Command3"}},
        {"txtH2", "986.923266716013", {{"txtP3", "1000"}}, {"10000bar", 10000, 1000, "Command3"}},
        // the thumb takes the pascals with halves to even
        {"txtP2", "0.125", {{"txtP1", "12.5"}, {"txtP3", "0.000125"}}, {"10000Pa", 10000, 12, "Command1"}},
        {"txtP2", "0.375", {{"txtP1", "37.5"}, {"txtP3", "0.000375"}}, {"10000Pa", 10000, 38, "Command1"}},
        // the typed text stays as typed, read by the number parse
        {"txtP3", "2bar", {{"txtP3", "2bar"}, {"txtP2", "2000"}, {"txtP1", "200000"}}, {"10000bar", 10000, 2, "Command3"}},
        {"txtH3", "", {{"txtH3", ""}, {"txtH1", "0"}, {"txtP1", "0"}, {"txtA3", "0"}}, {"10000Pa", 10000, 0, "Command1"}},
    };
    for (const Row& row : rows) {
        test::TestApp t;
        t.enter(kPress, row.field, row.typed);
        const std::string where = std::string(row.field) + " <- \"" + row.typed + '"';
        expectShows(t, kPress, row.shows, where);
        expectGauge(t.window(kPress), row.gauge, where);
        EXPECT_EQ(t.text(kPress, row.field), row.typed) << where;
        EXPECT_TRUE(t.host.events.empty()) << where;
    }
}

TEST(PressWindow, OutOfRangeResetsEveryFieldToZero)
{
    const char* rows[][2] = {{"txtP3", "1001"}, {"txtP1", "-1"}, {"txtH2", "986.92326671602"},
                             {"txtA3", "-0.5"}, {"txtP2", "1000001"}, {"txtA1", "1E10"}, {"txtH3", "-1"}};
    test::expectResets(kPress, {"txtP3", "5"}, rows, {"10000Pa", 10000, 0, "Command1"});
}

// Units in pascals, from their definitions: every chain must agree with them to the four
// digits the limiter keeps.
constexpr double kMetreOfWater = 9806.65;
constexpr double kAtmosphere = 101325;
const test::UnitSize kUnitSizes[] = {
    {PressWindow::txtP1, 1},
    {PressWindow::txtP2, 100},
    {PressWindow::txtP3, 100000},
    {PressWindow::txtA1, kMetreOfWater / 1000},
    {PressWindow::txtA2, kMetreOfWater},
    {PressWindow::txtA3, kMetreOfWater * 10},
    {PressWindow::txtH1, kAtmosphere / 760},
    {PressWindow::txtH2, kAtmosphere},
    {PressWindow::txtH3, kAtmosphere / 760 * 1000},
};

TEST(PressWindow, EveryChainWritesEveryOtherFieldConsistently)
{
    test::expectEveryChainWritesEveryField(kPress, kUnitSizes);
}

TEST(PressWindow, SliderWritesBarsInTheUnitOfTheRange)
{
    test::TestApp t;
    ConversionWindow& w = t.window(kPress);
    t.enter(kPress, "txtP1", "101325");

    // Each move of the drag rewrites the window; the release finds the fields in step.
    w.dragTo(2);
    expectShows(t, kPress, {{"txtP3", "2"}, {"txtP2", "2000"}, {"txtP1", "200000"}}, "drag at 2");
    w.dragTo(5);
    w.dragRelease();
    expectShows(t, kPress,
                {{"txtP3", "5"}, {"txtP2", "5000"}, {"txtP1", "500000"}, {"txtA2", "50.9858106488964"},
                 {"txtH2", "4.93461633358006"}, {"txtH3", "3.75030841352085"}},
                "drag to 5");
    expectGauge(w, {"10000bar", 10000, 5, "Command3"}, "drag to 5");

    const test::SlideRow slides[] = {
        {nullptr, 6, {{"txtP3", "6"}, {"txtP2", "6000"}, {"txtP1", "600000"}}, {"10000bar", 10000, 6, "Command3"}},
        {"Command2", 6001, {{"txtP3", "6.001"}, {"txtP2", "6001"}, {"txtP1", "600100"}, {"txtA1", "61193.1699408055"}},
         {"10000hPa", 10000, 6001, "Command2"}},
        // the Pa button clamps 600100 Pa to 10000 first
        {"Command1", 5000,
         {{"txtP3", "0.05"}, {"txtP2", "50"}, {"txtP1", "5000"}, {"txtH1", "37.5030841352085"}},
         {"10000Pa", 10000, 5000, "Command1"}},
        {nullptr, 3,
         {{"txtP3", "3E-05"}, {"txtP2", "0.03"}, {"txtP1", "3"}, {"txtH2", "2.96E-05"}, {"txtH1", "0.022496"}},
         {"10000Pa", 10000, 3, "Command1"}},
        // at the end of the scale the range does not move on, though 0.1 bar lies above it
        {nullptr, 10000, {{"txtP3", "0.1"}, {"txtP1", "10000"}}, {"10000Pa", 10000, 10000, "Command1"}},
    };
    test::expectSlides(t, kPress, slides);
    EXPECT_TRUE(t.host.events.empty());
}

TEST(PressWindow, RangeButtonsClampTheirOwnFieldAndTakeTheThumbFromIt)
{
    const test::ButtonRow rows[] = {
        // over 10000: the field gets "10000", the rest follows, the thumb goes to 10000
        {"txtP1", "20000", false, {"Command1"},
         {{"txtP1", "10000"}, {"txtP2", "100"}, {"txtP3", "0.1"}, {"txtA1", "1019.71621297793"},
          {"txtH2", "0.0986923266716013"}},
         {"10000Pa", 10000, 10000, "Command1"}},
        {"txtP2", "20000", true, {"Command2"},
         {{"txtP2", "10000"}, {"txtP1", "1000000"}, {"txtP3", "10"}, {"txtA2", "101.971621297793"},
          {"txtH1", "7500.6168270417"}},
         {"10000hPa", 10000, 10000, "Command2"}},
        {"txtP3", "20000", false, {"Command3"},
         {{"txtP3", "10000"}, {"txtP2", "10000000"}, {"txtP1", "1000000000"}, {"txtA3", "10197.1621297793"},
          {"txtH3", "7500.6168270417"}},
         {"10000bar", 10000, 10000, "Command3"}},
        // at 10000 no clamp: only the thumb moves
        {"txtP2", "10000", false, {"Command2"}, {{"txtP2", "10000"}, {"txtP1", ""}}, {"10000hPa", 10000, 10000, "Command2"}},
        // within the range: only the thumb moves, and the fields keep their text
        {"txtP1", "5000", true, {"Command1"}, {{"txtP1", "5000"}, {"txtP2", "50"}}, {"10000Pa", 10000, 5000, "Command1"}},
        {"txtP1", "5000", true, {"Command3"}, {{"txtP1", "5000"}, {"txtP3", "0.05"}}, {"10000bar", 10000, 0, "Command3"}},
        {"txtA3", "1", true, {"Command3", "Command2"}, {{"txtA3", "1"}, {"txtP2", "980.665"}},
         {"10000hPa", 10000, 981, "Command2"}},
    };
    test::expectButtonRows(kPress, rows);

    // A negative value typed without Enter puts the thumb at 0 and rewrites nothing.
    test::TestApp t;
    ConversionWindow& w = t.window(kPress);
    t.enter(kPress, "txtP1", "5000");
    w.typeText(PressWindow::txtP1, "-5");
    w.clickButton(w.buttonIndex("Command1"));
    expectShows(t, kPress, {{"txtP1", "-5"}, {"txtP2", "50"}, {"txtP3", "0.05"}}, "-5 in txtP1, Command1");
    expectGauge(w, {"10000Pa", 10000, 0, "Command1"}, "-5 in txtP1, Command1");
    EXPECT_TRUE(t.host.events.empty());
}

TEST(PressWindow, StartsEmptyWithTheDesignGauge)
{
    test::TestApp t;
    ConversionWindow& w = t.window(kPress);
    EXPECT_EQ(w.title(), "ヨモギの単位計算－圧力");
    EXPECT_EQ(w.frame().mode(), 2);
    EXPECT_EQ(w.caption("IndMin"), "0");
    expectGauge(w, {"10000Pa", 10000, 0, "Command1"}, "design");
    for (int field = 0; field < PressWindow::kFieldCount; ++field) {
        EXPECT_EQ(w.text(field), "");
    }
    // The tab order runs column by column, top to bottom, and the slider comes last.
    std::vector<FieldSpec> byTab = w.layout().fields;
    std::sort(byTab.begin(), byTab.end(),
              [](const FieldSpec& a, const FieldSpec& b) { return a.tabIndex < b.tabIndex; });
    for (std::size_t i = 1; i < byTab.size(); ++i) {
        EXPECT_EQ(byTab[i].tabIndex, static_cast<int>(i));
        if (byTab[i].field.left - byTab[i - 1].field.left < 100) { // the mercury column stands 15 apart
            EXPECT_GT(byTab[i].field.top, byTab[i - 1].field.top) << byTab[i].name;
        } else {
            EXPECT_LT(byTab[i].field.top, byTab[i - 1].field.top) << byTab[i].name;
        }
    }
    EXPECT_EQ(w.layout().sliders.front().tabIndex, PressWindow::kFieldCount);

    // The help button opens the window's topic and is no range button.
    w.clickButton(w.buttonIndex("Command6"));
    EXPECT_EQ(t.host.events, std::vector<std::string>{"help 1050"});
    expectGauge(w, {"10000Pa", 10000, 0, "Command1"}, "after help");
}

TEST(PressWindow, OverflowStopsTheChainAtTheFailingStep)
{
    test::TestApp t;
    const ConversionWindow& w = t.window(kPress);
    t.enter(kPress, "txtP1", "101325");
    // The technical atmosphere and mmAq are written, the pascals overflow: the rest keep one
    // atmosphere, the gauge stays.
    t.enter(kPress, "txtA2", "1E305");
    expectShows(t, kPress,
                {{"txtA2", "1E305"}, {"txtA3", "1E+304"}, {"txtA1", "1E+308"}, {"txtP1", "101325"},
                 {"txtP3", "1.01325"}, {"txtH2", "1"}},
                "overflow");
    expectGauge(w, {"10000bar", 10000, 1, "Command3"}, "overflow");
    ASSERT_EQ(t.host.events.size(), 1u);
    EXPECT_EQ(t.host.events[0].rfind("error press ", 0), 0u);
}

} // namespace
} // namespace mezura
// clang-format on
