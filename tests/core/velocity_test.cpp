// The velocity window: its chains, its gauge in m/s, km/h and the speed of light, and its
// failures.
#include "test_host.h"
#include "windows/velocity.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace mezura {
namespace {

using test::expectGauge;
using test::expectShows;
using test::Gauge;
using test::highlighted;
using test::Shows;

constexpr const char* kVelocity = "velocity";

constexpr Gauge kMetres{"100m/s", 100, 0, "Command1"}; // at creation
constexpr Gauge kLight0{"光速", 1000, 0, "Command4"};

TEST(VelocityWindow, EnterConvertsEveryGroupAndPicksTheRange)
{
    // clang-format off
    const test::EnterRow rows[] = {
        // 36 km/h in every unit; light is cut to four digits by the limiter
        {"txtC2", "36",
         {{"txtC2", "36"}, {"txtC1", "10"}, {"txtC3", "0.6"}, {"txtC4", "0.01"}, {"txtC0", "1000"},
          {"txtI1", "10.9361329833771"}, {"txtI2", "22.3699745230846"}, {"txtS1", "19.4401244167963"},
          {"txtS2", "0.0338753387533875"}, {"txtS3", "3.335E-08"}},
         {"100m/s", 100, 10, "Command1"}},
        // the mile goes through km/h: lineC then rewrites km/h with the round trip
        {"txtI2", "3",
         {{"txtI2", "3"}, {"txtC1", "1.34108333333333"}, {"txtC2", "4.82789999999999"}, {"txtI1", "1.46662656751239"},
          {"txtC3", "0.0804649999999998"}, {"txtS3", "4.473E-09"}},
         {"100m/s", 100, 1, "Command1"}},
        {"txtI1", "100",
         {{"txtI1", "100"}, {"txtC1", "91.44"}, {"txtC2", "329.184"}, {"txtI2", "204.551047039085"},
          {"txtS1", "177.760497667185"}, {"txtS3", "3.05E-07"}},
         {"100m/s", 100, 91, "Command1"}},
        {"txtS1", "100",
         {{"txtS1", "100"}, {"txtC1", "51.44"}, {"txtS2", "0.174254742547425"}, {"txtS3", "1.715E-07"},
          {"txtC0", "5144"}, {"txtC2", "185.184"}, {"txtC4", "0.05144"}, {"txtI2", "115.071148946747"}},
         {"100m/s", 100, 51, "Command1"}},
        {"txtC3", "1",
         {{"txtC3", "1"}, {"txtC2", "60"}, {"txtC1", "16.6666666666667"}, {"txtC4", "0.0166666666666667"},
          {"txtC0", "1666.66666666667"}, {"txtS2", "0.0564588979223127"}},
         {"100m/s", 100, 17, "Command1"}},
        // the bounds are inclusive: 100 m/s is the top of "100m/s", 277 m/s of "1000km/h"
        {"txtC1", "100", {{"txtC2", "360"}, {"txtS3", "3.335E-07"}}, {"100m/s", 100, 100, "Command1"}},
        {"txtC1", "100.5", {{"txtC2", "361.8"}}, {"1000km/h", 1000, 362, "Command2"}},
        {"txtC1", "277", {{"txtC2", "997.2"}, {"txtS3", "9.239E-07"}}, {"1000km/h", 1000, 997, "Command2"}},
        {"txtC1", "278", {{"txtC2", "1000.8"}, {"txtS3", "9.273E-07"}}, kLight0},
        {"txtS2", "1", {{"txtS2", "1"}, {"txtC1", "295.2"}, {"txtS1", "573.872472783826"}, {"txtS3", "9.846E-07"}},
         kLight0},
        {"txtC4", "1",
         {{"txtC4", "1"}, {"txtC3", "60"}, {"txtC2", "3600"}, {"txtC1", "1000"}, {"txtC0", "100000"},
          {"txtS3", "3.335E-06"}},
         kLight0},
        {"txtC1", "299792458",
         {{"txtS3", "1"}, {"txtC2", "1079252848.8"}, {"txtS1", "582800268.273717"}, {"txtS2", "1015557.10704607"}},
         {"光速", 1000, 1000, "Command4"}},
        // the typed text stays as typed although the thumb moved to its value
        {"txtS3", "0.5abc", {{"txtS3", "0.5abc"}, {"txtC1", "149896229"}, {"txtC4", "149896.229"}},
         {"光速", 1000, 500, "Command4"}},
        // cm/s: km/s from the cut km/min, not from km/h (which would give 7.769E-09)
        {"txtC0", "0.000777",
         {{"txtC1", "7.77E-06"}, {"txtC2", "2.797E-05"}, {"txtC3", "4.661E-07"}, {"txtC4", "7.768E-09"}}, kMetres},
        {"txtC0", "12abc", {{"txtC0", "12abc"}, {"txtC1", "0.12"}, {"txtC2", "0.432"}, {"txtS3", "4.002E-10"}},
         {"100m/s", 100, 0, "Command1"}},
        {"txtC1", "", {{"txtC1", ""}, {"txtC0", "0"}, {"txtI2", "0"}, {"txtS3", "0"}}, kMetres},
    };
    // clang-format on
    test::expectEnterRows(kVelocity, rows);
}

TEST(VelocityWindow, OutOfRangeResetsEveryFieldButLeavesTheGaugeAsItWas)
{
    struct Row {
        const char* before; // m/s entered first
        Gauge gauge;        // what the gauge shows then, and still after the reset
        const char* field;
        const char* typed;
    };
    const Row rows[] = {
        {"10", {"100m/s", 100, 10, "Command1"}, "txtC1", "299792459"},
        {"10", {"100m/s", 100, 10, "Command1"}, "txtS3", "1.0001"},
        {"277", {"1000km/h", 1000, 997, "Command2"}, "txtC4", "300000"},
        {"150000000", {"光速", 1000, 500, "Command4"}, "txtS1", "-1"},
        {"10", {"100m/s", 100, 10, "Command1"}, "txtC0", "-1"},
        {"10", {"100m/s", 100, 10, "Command1"}, "txtC2", "-1"},
        {"10", {"100m/s", 100, 10, "Command1"}, "txtC3", "-1"},
        {"10", {"100m/s", 100, 10, "Command1"}, "txtI1", "-1"},
        {"10", {"100m/s", 100, 10, "Command1"}, "txtI2", "-1"},
        {"10", {"100m/s", 100, 10, "Command1"}, "txtS2", "-1"},
        {"10", {"100m/s", 100, 10, "Command1"}, "txtS3", "-1"},
    };
    for (const Row& row : rows) {
        test::TestApp t;
        const ConversionWindow& w = t.window(kVelocity);
        t.enter(kVelocity, "txtC1", row.before);
        const std::string where = std::string(row.field) + " <- " + row.typed;
        expectGauge(w, row.gauge, where + " (before)");
        t.enter(kVelocity, row.field, row.typed);
        for (int field = 0; field < VelocityWindow::kFieldCount; ++field) {
            EXPECT_EQ(w.text(field), "0") << where << ": " << w.layout().fields[field].name;
        }
        expectGauge(w, row.gauge, where);
        EXPECT_EQ(t.host.events, std::vector<std::string>{"beep velocity"}) << where;
    }
}

// Units in metres per second, from their definitions: every chain must agree with them to
// the four digits the limiter keeps. 0.70 is typed, since 7 times light lies beyond the gauge.
constexpr double kKilometrePerHour = 1000.0 / 3600;
const test::UnitSize kUnitSizes[] = {
    {VelocityWindow::txtC0, 0.01},
    {VelocityWindow::txtC1, 1},
    {VelocityWindow::txtC2, kKilometrePerHour},
    {VelocityWindow::txtC3, 60 * kKilometrePerHour},
    {VelocityWindow::txtC4, 1000},
    {VelocityWindow::txtI1, 0.9144},
    {VelocityWindow::txtI2, 1.6093 * kKilometrePerHour},
    {VelocityWindow::txtS1, 0.5144},
    {VelocityWindow::txtS2, 295.2},
    {VelocityWindow::txtS3, 299792458},
};

TEST(VelocityWindow, EveryChainWritesEveryOtherFieldConsistently)
{
    test::expectEveryChainWritesEveryField(kVelocity, kUnitSizes, "0.70");
}

TEST(VelocityWindow, SliderWritesMetresPerSecondInTheUnitOfTheRange)
{
    test::TestApp t;
    ConversionWindow& w = t.window(kVelocity);
    t.enter(kVelocity, "txtC1", "50");

    // Each move of the drag rewrites the window; the release finds the fields in step.
    w.dragTo(20);
    expectShows(t, kVelocity, {{"txtC1", "20"}, {"txtC2", "72"}}, "drag at 20");
    w.dragTo(70);
    w.dragRelease();
    expectShows(t, kVelocity,
                // clang-format off
                {{"txtC1", "70"}, {"txtC0", "7000"}, {"txtC2", "252"}, {"txtC3", "4.2"}, {"txtC4", "0.07"},
                 {"txtI1", "76.5529308836395"}, {"txtI2", "156.589821661592"}, {"txtS1", "136.080870917574"},
                 {"txtS2", "0.237127371273713"}, {"txtS3", "2.334E-07"}},
                // clang-format on
                "drag to 70");
    expectGauge(w, {"100m/s", 100, 70, "Command1"}, "drag to 70");

    // clang-format off
    const test::SlideRow slides[] = {
        {nullptr, 71, {{"txtC1", "71"}, {"txtC2", "255.6"}, {"txtS3", "2.368E-07"}}, {"100m/s", 100, 71, "Command1"}},
        // km/h: m/s is p / 3.6 as plain text, and km/h shows its round trip
        {"Command2", 640,
         {{"txtC1", "177.777777777778"}, {"txtC2", "640.000000000001"}, {"txtC0", "17777.7777777778"},
          {"txtI2", "397.688435965949"}},
         {"1000km/h", 1000, 640, "Command2"}},
        // at the end of the scale the range does not move on, although 1000 km/h is above 277 m/s
        {nullptr, 1000, {{"txtC1", "277.777777777778"}, {"txtC2", "1000"}}, {"1000km/h", 1000, 1000, "Command2"}},
        // light: p thousandths of 299792458 m/s
        {"Command4", 321,
         {{"txtC1", "96233379.018"}, {"txtS3", "0.321"}, {"txtC2", "346440164.4648"}, {"txtS1", "187078886.115863"}},
         {"光速", 1000, 321, "Command4"}},
        {nullptr, 1, {{"txtC1", "299792.458"}, {"txtS3", "0.001"}, {"txtC4", "299.792458"}}, {"光速", 1000, 1, "Command4"}},
    };
    // clang-format on
    test::expectSlides(t, kVelocity, slides);
    EXPECT_TRUE(t.host.events.empty());
}

TEST(VelocityWindow, APositionTakenFromTheLightFieldLeavesTheTypedValue)
{
    test::TestApp t;
    t.enter(kVelocity, "txtS3", "0.0004"); // the thumb at 0
    t.enter(kVelocity, "txtS3", "0.0006"); // 0.6 rounds to 1: the thumb moves, nothing is rewritten
    expectShows(t, kVelocity, {{"txtS3", "0.0006"}, {"txtC1", "179875.4748"}, {"txtC2", "647551.70928"}},
                "0.0006 light");
    expectGauge(t.window(kVelocity), {"光速", 1000, 1, "Command4"}, "0.0006 light");
}

TEST(VelocityWindow, RangeButtonsClampTheirRangeFieldAndSetTheThumbToTheTop)
{
    // clang-format off
    const test::ButtonRow rows[] = {
        // over the top: the range field gets the top as integer text, the thumb the top of the
        // scale, and the field's chain follows
        {"txtC2", "1200", true, {"Command2"},
         {{"txtC2", "1000"}, {"txtC1", "277.777777777778"}, {"txtC0", "27777.7777777778"},
          {"txtC3", "16.6666666666667"}, {"txtC4", "0.277777777777778"}, {"txtI1", "303.781471760475"},
          {"txtI2", "621.388181196794"}, {"txtS1", "540.003456022119"}, {"txtS2", "0.940981632038543"},
          {"txtS3", "9.265E-07"}},
         {"1000km/h", 1000, 1000, "Command2"}},
        {"txtS3", "2", false, {"Command4"},
         {{"txtS3", "1"}, {"txtC1", "299792458"}, {"txtS1", "582800268.273717"}, {"txtS2", "1015557.10704607"},
          {"txtC2", "1079252848.8"}, {"txtI2", "670634964.76729"}},
         {"光速", 1000, 1000, "Command4"}},
        {"txtC1", "150", true, {"Command1"},
         {{"txtC1", "100"}, {"txtC2", "360"}, {"txtI1", "109.361329833771"}, {"txtS3", "3.335E-07"}},
         {"100m/s", 100, 100, "Command1"}},
        // within the range: only the thumb moves, and the fields keep their text
        {"txtC2", "36", true, {"Command2"}, {{"txtC2", "36"}, {"txtC1", "10"}}, {"1000km/h", 1000, 36, "Command2"}},
        {"txtC2", "36", true, {"Command4"}, {{"txtC2", "36"}, {"txtS3", "3.335E-08"}}, kLight0},
        {"txtC1", "50", true, {"Command1"}, {{"txtC1", "50"}}, {"100m/s", 100, 50, "Command1"}},
        {"txtS3", "0.5", true, {"Command1"}, {{"txtC1", "100"}, {"txtS3", "3.335E-07"}}, {"100m/s", 100, 100, "Command1"}},
        // a negative value typed without Enter puts the thumb at 0 and writes nothing
        {"txtC1", "-5", false, {"Command1"}, {{"txtC1", "-5"}, {"txtC2", ""}}, kMetres},
        {"txtS3", "-0.5", false, {"Command2", "Command4"}, {{"txtS3", "-0.5"}, {"txtC1", ""}}, kLight0},
    };
    // clang-format on
    test::expectButtonRows(kVelocity, rows);
}

TEST(VelocityWindow, StartsEmptyWithTheDesignGauge)
{
    test::TestApp t;
    ConversionWindow& w = t.window(kVelocity);
    EXPECT_EQ(w.title(), "ヨモギの単位計算－速度");
    EXPECT_EQ(w.frame().mode(), 2);
    EXPECT_EQ(w.frame().size().width, 3400);
    EXPECT_EQ(w.frame().size().height, 4620);
    EXPECT_EQ(w.caption("IndMin"), "0");
    expectGauge(w, kMetres, "design");
    // The field numbers the chains use are the rows of the field table.
    const char* names[] = {"txtC0", "txtC1", "txtC2", "txtC3", "txtC4", "txtI1", "txtI2", "txtS1", "txtS2", "txtS3"};
    ASSERT_EQ(std::size(names), static_cast<std::size_t>(VelocityWindow::kFieldCount));
    ASSERT_EQ(w.layout().fields.size(), std::size(names));
    for (std::size_t i = 0; i < std::size(names); ++i) {
        EXPECT_EQ(w.fieldIndex(names[i]), static_cast<int>(i)) << names[i];
        EXPECT_EQ(w.text(static_cast<int>(i)), "") << names[i];
    }
    // The tab order runs column by column, top to bottom, and the slider comes last.
    std::vector<FieldSpec> byTab = w.layout().fields;
    std::sort(byTab.begin(), byTab.end(),
              [](const FieldSpec& a, const FieldSpec& b) { return a.tabIndex < b.tabIndex; });
    for (std::size_t i = 1; i < byTab.size(); ++i) {
        EXPECT_EQ(byTab[i].tabIndex, static_cast<int>(i));
        if (byTab[i].field.left == byTab[i - 1].field.left) {
            EXPECT_GT(byTab[i].field.top, byTab[i - 1].field.top) << byTab[i].name;
        } else {
            EXPECT_GT(byTab[i].field.left, byTab[i - 1].field.left) << byTab[i].name;
        }
    }
    EXPECT_EQ(w.layout().sliders.front().tabIndex, VelocityWindow::kFieldCount);
    // The help button is no range button: it opens the window's topic and keeps its colour.
    const int help = w.buttonIndex("Command5");
    w.clickButton(help);
    EXPECT_EQ(t.host.events, std::vector<std::string>{"help 1080"});
    EXPECT_EQ(w.buttonColour(help), kHelpButton);
    expectGauge(w, kMetres, "after help");
}

TEST(VelocityWindow, OverflowStopsTheChainAtTheFailingStep)
{
    test::TestApp t;
    const ConversionWindow& w = t.window(kVelocity);
    t.enter(kVelocity, "txtC2", "36"); // 10 m/s
    // km/min is written, km/h overflows: the rest keep 10 m/s, the gauge stays.
    t.enter(kVelocity, "txtC4", "1E306");
    expectShows(t, kVelocity,
                {{"txtC4", "1E306"}, {"txtC3", "6E+307"}, {"txtC2", "36"}, {"txtC1", "10"}, {"txtS3", "3.335E-08"}},
                "overflow");
    expectGauge(w, {"100m/s", 100, 10, "Command1"}, "overflow");
    ASSERT_EQ(t.host.events.size(), 1u);
    EXPECT_EQ(t.host.events[0].rfind("error velocity ", 0), 0u);
}

} // namespace
} // namespace mezura
