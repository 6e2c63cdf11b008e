// The area window: its chains, its gauge in cm2, m2, a, ha and km2, and its failures.
#include "framework/numtext.h"
#include "test_host.h"
#include "windows/square.h"

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

constexpr const char* kSquare = "square";

TEST(SquareWindow, EnterConvertsEveryGroupAndPicksTheRange)
{
    // clang-format off
    const test::EnterRow rows[] = {
        // one tsubo: the tsubo group around it, the mats from the square shaku
        {"txtS3", "1",
         {{"txtS3", "1"}, {"txtC1", "33051.24"}, {"txtC2", "3.305124"}, {"txtC3", "0.03305124"},
          {"txtC4", "0.0003305124"}, {"txtC5", "3.305E-06"}, {"txtS2", "36"}, {"txtS1", "3600"}, {"txtS7", "100"},
          {"txtS8", "10"}, {"txtS6", "0.0333333333333333"}, {"txtS4", "0.00333333333333333"},
          {"txtS5", "0.000333333333333333"}, {"txtK1", "2.14030915576694"}, {"txtK2", "2"},
          {"txtK3", "1.8140589569161"}, {"txtI6", "0.000816713926816281"}, {"txtI7", "1.276E-06"}},
         {"100m2", 100, 3, "Command2"}},
        // one acre: the yard-pound ladder, then cm2 from the square inch
        {"txtI6", "1",
         {{"txtI6", "1"}, {"txtI5", "10"}, {"txtI4", "160"}, {"txtI3", "4840"}, {"txtI2", "43560"},
          {"txtI1", "6272640"}, {"txtI7", "0.0015625"}, {"txtC1", "40468564.224"}, {"txtC2", "4046.8564224"},
          {"txtC3", "40.468564224"}, {"txtC4", "0.40468564224"}, {"txtC5", "0.0040468564224"}},
         {"100a", 100, 40, "Command3"}},
        // cm2: the lowest range ends at 100 cm2; 5000 shows 0.5 m2 at the even position 0
        {"txtC1", "100", {{"txtC1", "100"}, {"txtC2", "0.01"}, {"txtC5", "1E-08"}},
         {"10000cm2", 10000, 100, "Command1"}},
        {"txtC1", "5000", {{"txtC1", "5000"}, {"txtC2", "0.5"}, {"txtC5", "5E-07"}}, {"100m2", 100, 0, "Command2"}},
        {"txtC1", "10000", {{"txtC2", "1"}, {"txtC3", "0.01"}, {"txtC4", "0.0001"}, {"txtC5", "1E-06"}},
         {"100m2", 100, 1, "Command2"}},
        // 寸坪: each metric field from the limited text of the one before
        {"txtS1", "1",
         {{"txtS1", "1"}, {"txtC1", "9.1809"}, {"txtC2", "0.00091809"}, {"txtC3", "9.18E-06"}, {"txtC4", "9.18E-08"},
          {"txtC5", "9.18E-10"}, {"txtS2", "0.01"}, {"txtS3", "0.000277777777777778"}, {"txtS6", "9.259E-06"},
          {"txtS4", "9.259E-07"}, {"txtS5", "9.259E-08"}},
         {"10000cm2", 10000, 9, "Command1"}},
        // 畳(中京間): the square shaku first, the other mats and the tsubo group from it
        {"txtK2", "1",
         {{"txtK2", "1"}, {"txtS2", "18"}, {"txtS3", "0.5"}, {"txtC1", "16525.62"}, {"txtS7", "50"}, {"txtS8", "5"},
          {"txtK1", "1.07015457788347"}, {"txtK3", "0.90702947845805"}},
         {"100m2", 100, 2, "Command2"}},
        // 町
        {"txtS5", "1",
         {{"txtS5", "1"}, {"txtS4", "10"}, {"txtS3", "3000"}, {"txtS6", "100"}, {"txtC1", "99153720"},
          {"txtC2", "9915.372"}, {"txtC3", "99.15372"}},
         {"100a", 100, 99, "Command3"}},
        // each bound on the square kilometres is inclusive at its top
        {"txtC5", "1.1E-08", {{"txtC1", "110"}, {"txtC2", "0.011"}}, {"100m2", 100, 0, "Command2"}},
        {"txtC2", "100", {{"txtC1", "1000000"}, {"txtC5", "0.0001"}}, {"100m2", 100, 100, "Command2"}},
        {"txtC3", "100", {{"txtC4", "1"}, {"txtC5", "0.01"}}, {"100a", 100, 100, "Command3"}},
        {"txtC4", "100", {{"txtC1", "10000000000"}, {"txtC5", "1"}}, {"100ha", 100, 100, "Command4"}},
        {"txtC5", "1.0001", {{"txtC4", "100.01"}}, {"30000km2", 30000, 1, "Command5"}},
        {"txtC5", "30000", {{"txtC1", "300000000000000"}, {"txtI7", "11583.0647562733"}},
         {"30000km2", 30000, 30000, "Command5"}},
        {"txtI7", "1", {{"txtI6", "640"}, {"txtC1", "25899881103.36"}, {"txtC5", "2.589988110336"}},
         {"30000km2", 30000, 3, "Command5"}},
        // the typed text stays as typed, read by the number parse
        {"txtC2", "3abc", {{"txtC2", "3abc"}, {"txtC1", "30000"}}, {"100m2", 100, 3, "Command2"}},
        {"txtK1", "", {{"txtK1", ""}, {"txtC1", "0"}, {"txtK3", "0"}, {"txtI7", "0"}},
         {"10000cm2", 10000, 0, "Command1"}},
    };
    // clang-format on
    test::expectEnterRows(kSquare, rows);
}

TEST(SquareWindow, OutOfRangeResetsEveryFieldToZero)
{
    // clang-format off
    const char* rows[][2] = {{"txtC5", "30001"}, {"txtC1", "-1"}, {"txtI7", "11584"}, {"txtS5", "-1"},
                             {"txtK3", "-1"}, {"txtS7", "-0.001"}};
    // clang-format on
    test::expectResets(kSquare, {"txtS3", "1"}, rows, {"10000cm2", 10000, 0, "Command1"});
}

// Units in square centimetres, from their definitions: every chain must agree with them to
// the four digits the limiter keeps.
constexpr double kSquareInch = 6.4516;
constexpr double kSquareShaku = 918.09;
constexpr double kTsubo = 36 * kSquareShaku;
const test::UnitSize kUnitSizes[] = {
    {SquareWindow::txtC1, 1},
    {SquareWindow::txtC2, 1e4},
    {SquareWindow::txtC3, 1e6},
    {SquareWindow::txtC4, 1e8},
    {SquareWindow::txtC5, 1e10},
    {SquareWindow::txtI1, kSquareInch},
    {SquareWindow::txtI2, kSquareInch * 144},
    {SquareWindow::txtI3, kSquareInch * 1296},
    {SquareWindow::txtI4, kSquareInch * 1296 * 30.25},
    {SquareWindow::txtI5, kSquareInch * 1296 * 484},
    {SquareWindow::txtI6, kSquareInch * 1296 * 4840},
    {SquareWindow::txtI7, kSquareInch * 1296 * 4840 * 640},
    {SquareWindow::txtS1, kSquareShaku / 100},
    {SquareWindow::txtS2, kSquareShaku},
    {SquareWindow::txtS3, kTsubo},
    {SquareWindow::txtS7, kTsubo / 100},
    {SquareWindow::txtS8, kTsubo / 10},
    {SquareWindow::txtS6, kTsubo * 30},
    {SquareWindow::txtS4, kTsubo * 300},
    {SquareWindow::txtS5, kTsubo * 3000},
    {SquareWindow::txtK1, kSquareShaku * 16.82},
    {SquareWindow::txtK2, kSquareShaku * 18},
    {SquareWindow::txtK3, kSquareShaku * 19.845},
};

TEST(SquareWindow, EveryChainWritesEveryOtherFieldConsistently)
{
    test::expectEveryChainWritesEveryField(kSquare, kUnitSizes);
}

TEST(SquareWindow, SliderWritesAresInTheUnitOfTheRange)
{
    test::TestApp t;
    ConversionWindow& w = t.window(kSquare);
    t.enter(kSquare, "txtS3", "1");
    expectGauge(w, {"100m2", 100, 3, "Command2"}, "1 tsubo");

    // Each move of the drag rewrites the window; the release finds the fields in step.
    w.dragTo(20);
    expectShows(t, kSquare, {{"txtC2", "20"}, {"txtC3", "0.2"}}, "drag at 20");
    w.dragTo(50);
    w.dragRelease();
    expectShows(t, kSquare,
                // clang-format off
                {{"txtC3", "0.5"}, {"txtC2", "50"}, {"txtC1", "500000"}, {"txtC4", "0.005"}, {"txtC5", "5E-05"},
                 {"txtS3", "15.1280254538105"}, {"txtI7", "1.93E-05"}, {"txtK2", "30.256050907621"}},
                // clang-format on
                "drag to 50");
    expectGauge(w, {"100m2", 100, 50, "Command2"}, "drag to 50"); // the range stays

    // clang-format off
    const test::SlideRow slides[] = {
        {nullptr, 100, {{"txtC2", "100"}, {"txtC3", "1"}, {"txtC5", "0.0001"}}, {"100m2", 100, 100, "Command2"}},
        // at the end of the scale the range does not move on
        {nullptr, 100, {{"txtC2", "100"}}, {"100m2", 100, 100, "Command2"}},
        {"Command1", 7, {{"txtC3", "7E-06"}, {"txtC2", "0.0007"}, {"txtC1", "7"}, {"txtC5", "7E-10"}},
         {"10000cm2", 10000, 7, "Command1"}},
        {"Command4", 25, {{"txtC3", "2500"}, {"txtC2", "250000"}, {"txtC1", "2500000000"}, {"txtC4", "25"}},
         {"100ha", 100, 25, "Command4"}},
        {"Command5", 12, {{"txtC3", "120000"}, {"txtC4", "1200"}, {"txtC5", "12"}, {"txtS5", "1210.24203630484"}},
         {"30000km2", 30000, 12, "Command5"}},
    };
    // clang-format on
    test::expectSlides(t, kSquare, slides);
    EXPECT_TRUE(t.host.events.empty());
}

TEST(SquareWindow, RangeButtonsClampTheirOwnField)
{
    // clang-format off
    const test::ButtonRow rows[] = {
        // over the top: the field gets the range's top as integer text, the rest follows;
        // the thumb stays
        {"txtC2", "150", true, {"Command2"},
         {{"txtC2", "100"}, {"txtC1", "1000000"}, {"txtC3", "1"}, {"txtC4", "0.01"}, {"txtC5", "0.0001"},
          {"txtI1", "155000.31000062"}, {"txtS3", "30.2560509076211"}, {"txtK1", "64.7573027749322"}},
         {"100m2", 100, 2, "Command2"}},
        {"txtC2", "3", true, {"Command1"},
         {{"txtC1", "10000"}, {"txtC2", "1"}, {"txtC5", "1E-06"}, {"txtS2", "10.8921783267436"}},
         {"10000cm2", 10000, 3, "Command1"}},
        {"txtC4", "5", true, {"Command3"},
         {{"txtC3", "100"}, {"txtC2", "10000"}, {"txtC1", "100000000"}, {"txtC4", "1"}, {"txtC5", "0.01"}},
         {"100a", 100, 5, "Command3"}},
        {"txtC5", "20", true, {"Command4"},
         {{"txtC4", "100"}, {"txtC3", "10000"}, {"txtC2", "1000000"}, {"txtC1", "10000000000"}, {"txtC5", "1"},
          {"txtI7", "0.386102158542445"}},
         {"100ha", 100, 20, "Command4"}},
        {"txtC1", "20000", false, {"Command1"}, {{"txtC1", "10000"}, {"txtC2", "1"}},
         {"10000cm2", 10000, 0, "Command1"}},
        // km2 has no clamp: a value above its scale puts the thumb at the end, fields stay
        {"txtC5", "40000", false, {"Command5"}, {{"txtC5", "40000"}, {"txtC1", ""}},
         {"30000km2", 30000, 30000, "Command5"}},
        // within the range: only the thumb moves, and the fields keep their text
        {"txtC2", "150", true, {"Command4"}, {{"txtC2", "150"}, {"txtC4", "0.015"}}, {"100ha", 100, 0, "Command4"}},
        // cm2 clamps above its own top of 10000, not above the 100 cm2 that picks the range
        {"txtC1", "9000", true, {"Command1"}, {{"txtC1", "9000"}, {"txtC2", "0.9"}},
         {"10000cm2", 10000, 9000, "Command1"}},
        {"txtS5", "1", true, {"Command3"}, {{"txtC3", "99.15372"}, {"txtS5", "1"}}, {"100a", 100, 99, "Command3"}},
    };
    // clang-format on
    test::expectButtonRows(kSquare, rows);
}

TEST(SquareWindow, StartsEmptyWithTheDesignGauge)
{
    test::TestApp t;
    const ConversionWindow& w = t.window(kSquare);
    EXPECT_EQ(w.title(), "ヨモギの単位計算－面積");
    EXPECT_EQ(w.frame().mode(), 3);
    EXPECT_EQ(w.caption("IndMin"), "0");
    expectGauge(w, {"10000cm2", 100, 0, "Command1"}, "design");
    for (int field = 0; field < SquareWindow::kFieldCount; ++field) {
        EXPECT_EQ(w.text(field), "");
    }
    test::expectTabOrderByColumns(w);
}

TEST(SquareWindow, OverflowStopsTheChainAtTheFailingStep)
{
    test::TestApp t;
    const ConversionWindow& w = t.window(kSquare);
    t.enter(kSquare, "txtC2", "1"); // 1 m2
    // ha, a and m2 are written, cm2 overflows: the rest keep 1 m2, the gauge stays.
    t.enter(kSquare, "txtC5", "1E300");
    expectShows(t, kSquare,
                // clang-format off
                {{"txtC4", "1E+302"}, {"txtC3", "1E+304"}, {"txtC2", "1E+306"}, {"txtC1", "10000"},
                 {"txtI1", "1550.0031000062"}},
                // clang-format on
                "overflow");
    expectGauge(w, {"100m2", 100, 1, "Command2"}, "overflow");
    ASSERT_EQ(t.host.events.size(), 1u);
    EXPECT_EQ(t.host.events[0].rfind("error square ", 0), 0u);
}

} // namespace
} // namespace mezura
