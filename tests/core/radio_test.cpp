// The radioactivity window: its chains, its gauge in Bq, kBq, MBq and GBq, and its failures.
#include "framework/numtext.h"
#include "test_host.h"
#include "windows/radio.h"

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

constexpr const char* kRadio = "radio";

TEST(RadioWindow, EnterConvertsEveryGroupAndPicksTheRange)
{
    // clang-format off
    const test::EnterRow rows[] = {
        // one curie: down the curie ladder, 37 Bq per nanocurie, then the becquerels
        {"txtC4", "1",
         {{"txtC4", "1"}, {"txtC3", "1000"}, {"txtC2", "1000000"}, {"txtC1", "1000000000"}, {"txtB1", "37000000000"},
          {"txtB2", "37000000"}, {"txtB3", "37000"}, {"txtB4", "37"}, {"txtM1", "2781954887.21804"}},
         {"1000GBq", 1000, 37, "Command4"}},
        // 100 Mache units in a litre: millicuries cut to four digits, curies from that cut text
        {"txtM1", "100",
         {{"txtM1", "100"}, {"txtB1", "1330"}, {"txtB2", "1.33"}, {"txtB3", "0.00133"}, {"txtB4", "1.33E-06"},
          {"txtC1", "35.9459459459459"}, {"txtC2", "0.0359459459459459"}, {"txtC3", "3.594E-05"},
          {"txtC4", "3.594E-08"}},
         {"1000kBq", 1000, 1, "Command2"}},
        {"txtC1", "1",
         {{"txtB1", "37"}, {"txtB2", "0.037"}, {"txtB3", "3.7E-05"}, {"txtB4", "3.7E-08"}, {"txtC2", "0.001"},
          {"txtC3", "1E-06"}, {"txtC4", "1E-09"}, {"txtM1", "2.78195488721805"}},
         {"1000Bq", 1000, 37, "Command1"}},
        {"txtC2", "1",
         {{"txtC1", "1000"}, {"txtC3", "0.001"}, {"txtC4", "1E-06"}, {"txtB1", "37000"}, {"txtB2", "37"},
          {"txtB3", "0.037"}, {"txtB4", "3.7E-05"}, {"txtM1", "2781.95488721804"}},
         {"1000kBq", 1000, 37, "Command2"}},
        {"txtC3", "1",
         {{"txtC2", "1000"}, {"txtC1", "1000000"}, {"txtC4", "0.001"}, {"txtB1", "37000000"}, {"txtB3", "37"},
          {"txtM1", "2781954.88721805"}},
         {"1000MBq", 1000, 37, "Command3"}},
        {"txtB4", "0.0005",
         {{"txtB3", "0.5"}, {"txtB2", "500"}, {"txtB1", "500000"}, {"txtC1", "13513.5135135135"},
          {"txtC4", "1.351E-05"}, {"txtM1", "37593.984962406"}},
         {"1000kBq", 1000, 500, "Command2"}},
        // each bound on the megabecquerels is inclusive at its top
        {"txtB1", "1000", {{"txtB2", "1"}, {"txtB3", "0.001"}, {"txtB4", "1E-06"}}, {"1000Bq", 1000, 1000, "Command1"}},
        {"txtB1", "1001", {{"txtB2", "1.001"}, {"txtB3", "0.001001"}}, {"1000kBq", 1000, 1, "Command2"}},
        {"txtB2", "1000", {{"txtB1", "1000000"}, {"txtB3", "1"}, {"txtC4", "2.702E-05"}}, {"1000kBq", 1000, 1000, "Command2"}},
        {"txtB3", "1000", {{"txtB2", "1000000"}, {"txtB1", "1000000000"}, {"txtB4", "1"}}, {"1000MBq", 1000, 1000, "Command3"}},
        {"txtB3", "1000.001", {{"txtB2", "1000001"}, {"txtB4", "1.000001"}}, {"1000GBq", 1000, 1, "Command4"}},
        {"txtB3", "1000000",
         {{"txtB2", "1000000000"}, {"txtB1", "1000000000000"}, {"txtB4", "1000"}, {"txtC4", "27.027027027027"}},
         {"1000GBq", 1000, 1000, "Command4"}},
        {"txtC4", "27", {{"txtB3", "999000"}, {"txtB4", "999"}}, {"1000GBq", 1000, 999, "Command4"}},
        // a half position goes to the even integer, and the typed text stays
        {"txtB4", "2.5", {{"txtB4", "2.5"}, {"txtB3", "2500"}}, {"1000GBq", 1000, 2, "Command4"}},
        {"txtB4", "3.5", {{"txtB4", "3.5"}, {"txtB3", "3500"}}, {"1000GBq", 1000, 4, "Command4"}},
        // the typed text stays as typed, read by the number parse
        {"txtB2", "3abc", {{"txtB2", "3abc"}, {"txtB1", "3000"}, {"txtB4", "3E-06"}, {"txtC3", "8.108E-05"}},
         {"1000kBq", 1000, 3, "Command2"}},
        {"txtM1", "", {{"txtM1", ""}, {"txtB1", "0"}, {"txtB4", "0"}, {"txtC4", "0"}}, {"1000Bq", 1000, 0, "Command1"}},
    };
    // clang-format on
    test::expectEnterRows(kRadio, rows);
}

TEST(RadioWindow, OutOfRangeResetsEveryFieldToZero)
{
    // clang-format off
    const char* rows[][2] = {{"txtB3", "1000001"}, {"txtB1", "-1"}, {"txtC4", "28"},
                             {"txtM1", "-0.001"}, {"txtB4", "1000.5"}, {"txtM1", "1E307"}};
    // clang-format on
    test::expectResets(kRadio, {"txtC3", "1"}, rows, {"1000Bq", 1000, 0, "Command1"});
}

// Units in becquerels, from their definitions: every chain must agree with them to the four
// digits the limiter keeps.
constexpr double kNanocurie = 37;
const test::UnitSize kUnitSizes[] = {
    {RadioWindow::txtB1, 1},
    {RadioWindow::txtB2, 1e3},
    {RadioWindow::txtB3, 1e6},
    {RadioWindow::txtB4, 1e9},
    {RadioWindow::txtC1, kNanocurie},
    {RadioWindow::txtC2, kNanocurie * 1e3},
    {RadioWindow::txtC3, kNanocurie * 1e6},
    {RadioWindow::txtC4, kNanocurie * 1e9},
    {RadioWindow::txtM1, 13.3},
};

TEST(RadioWindow, EveryChainWritesEveryOtherFieldConsistently)
{
    test::expectEveryChainWritesEveryField(kRadio, kUnitSizes);
}

TEST(RadioWindow, SliderWritesKilobecquerelsInTheUnitOfTheRange)
{
    test::TestApp t;
    ConversionWindow& w = t.window(kRadio);
    t.enter(kRadio, "txtB3", "0.5");
    expectGauge(w, {"1000kBq", 1000, 500, "Command2"}, "0.5 MBq");

    // Each move of the drag rewrites the window; the release finds the fields in step.
    w.dragTo(250);
    expectShows(t, kRadio, {{"txtB2", "250"}, {"txtB3", "0.25"}}, "drag at 250");
    w.dragTo(300);
    w.dragRelease();
    expectShows(t, kRadio,
                // clang-format off
                {{"txtB2", "300"}, {"txtB1", "300000"}, {"txtB3", "0.3"}, {"txtB4", "0.0003"},
                 {"txtC1", "8108.10810810811"}, {"txtC4", "8.108E-06"}, {"txtM1", "22556.3909774436"}},
                // clang-format on
                "drag to 300");
    expectGauge(w, {"1000kBq", 1000, 300, "Command2"}, "drag to 300"); // the range stays

    // clang-format off
    const test::SlideRow slides[] = {
        {nullptr, 301, {{"txtB2", "301"}, {"txtB1", "301000"}, {"txtB4", "0.000301"}, {"txtC4", "8.135E-06"}},
         {"1000kBq", 1000, 301, "Command2"}},
        // at the end of the scale the range does not move on
        {nullptr, 1000, {{"txtB2", "1000"}, {"txtB3", "1"}}, {"1000kBq", 1000, 1000, "Command2"}},
        {"Command4", 7,
         {{"txtB2", "7000000"}, {"txtB1", "7000000000"}, {"txtB3", "7000"}, {"txtB4", "7"},
          {"txtC4", "0.189189189189189"}, {"txtM1", "526315789.473684"}},
         {"1000GBq", 1000, 7, "Command4"}},
        {"Command3", 2, {{"txtB2", "2000"}, {"txtB3", "2"}, {"txtB4", "0.002"}}, {"1000MBq", 1000, 2, "Command3"}},
        {"Command2", 999, {{"txtB2", "999"}, {"txtB1", "999000"}}, {"1000kBq", 1000, 999, "Command2"}},
        // the Bq button clamps 999000 Bq to 1000 first; the slider then writes p / 1000 kBq
        {"Command1", 5,
         {{"txtB2", "0.005"}, {"txtB1", "5"}, {"txtB3", "5E-06"}, {"txtB4", "5E-09"}, {"txtC3", "1.351E-07"},
          {"txtC4", "1.351E-10"}, {"txtM1", "0.37593984962406"}},
         {"1000Bq", 1000, 5, "Command1"}},
    };
    // clang-format on
    test::expectSlides(t, kRadio, slides);
    EXPECT_TRUE(t.host.events.empty());
}

TEST(RadioWindow, RangeButtonsClampTheirOwnFieldTo1000)
{
    // clang-format off
    const test::ButtonRow rows[] = {
        // above 1000: the range field gets "1000", the becquerels and the rest follow, and
        // the thumb then stands at 1000
        {"txtB1", "2000", true, {"Command1"},
         {{"txtB1", "1000"}, {"txtB2", "1"}, {"txtB3", "0.001"}, {"txtB4", "1E-06"}, {"txtC1", "27.027027027027"},
          {"txtC4", "2.702E-08"}, {"txtM1", "75.187969924812"}},
         {"1000Bq", 1000, 1000, "Command1"}},
        {"txtB3", "5", true, {"Command2"},
         {{"txtB2", "1000"}, {"txtB1", "1000000"}, {"txtB3", "1"}, {"txtB4", "0.001"}, {"txtC2", "27.027027027027"}},
         {"1000kBq", 1000, 1000, "Command2"}},
        {"txtB4", "5", true, {"Command3"},
         {{"txtB3", "1000"}, {"txtB2", "1000000"}, {"txtB1", "1000000000"}, {"txtB4", "1"},
          {"txtM1", "75187969.924812"}},
         {"1000MBq", 1000, 1000, "Command3"}},
        {"txtB4", "2000", false, {"Command4"},
         {{"txtB4", "1000"}, {"txtB3", "1000000"}, {"txtB2", "1000000000"}, {"txtB1", "1000000000000"},
          {"txtC4", "27.027027027027"}, {"txtM1", "75187969924.812"}},
         {"1000GBq", 1000, 1000, "Command4"}},
        // 1000 itself is not above the top
        {"txtB2", "1000", true, {"Command2"}, {{"txtB2", "1000"}, {"txtB1", "1000000"}}, {"1000kBq", 1000, 1000, "Command2"}},
        // within the range: only the thumb moves, and the fields keep their text
        {"txtB4", "5", true, {"Command4"}, {{"txtB4", "5"}, {"txtB3", "5000"}, {"txtB1", "5000000000"}},
         {"1000GBq", 1000, 5, "Command4"}},
        {"txtB3", "0.5", true, {"Command4", "Command3"}, {{"txtB3", "0.5"}, {"txtB4", "0.0005"}, {"txtB2", "500"}},
         {"1000MBq", 1000, 0, "Command3"}},
        // a negative field typed without Enter puts the thumb at 0 and rewrites nothing
        {"txtB2", "-5", false, {"Command3", "Command2"}, {{"txtB2", "-5"}, {"txtB1", ""}}, {"1000kBq", 1000, 0, "Command2"}},
    };
    // clang-format on
    test::expectButtonRows(kRadio, rows);
}

TEST(RadioWindow, StartsEmptyWithTheDesignGauge)
{
    test::TestApp t;
    const ConversionWindow& w = t.window(kRadio);
    EXPECT_EQ(w.title(), "ヨモギの単位計算－壊変率");
    EXPECT_EQ(w.frame().mode(), 2);
    EXPECT_EQ(w.caption("IndMin"), "0");
    EXPECT_EQ(w.caption("Label7"), "(↑1Lあたりの濃度）");
    expectGauge(w, {"1000Bq", 1000, 0, "Command1"}, "design");
    for (int field = 0; field < RadioWindow::kFieldCount; ++field) {
        EXPECT_EQ(w.text(field), "");
    }
    test::expectTabOrderByColumns(w);
}

TEST(RadioWindow, OverflowStopsTheChainAtTheFailingStep)
{
    test::TestApp t;
    const ConversionWindow& w = t.window(kRadio);
    t.enter(kRadio, "txtB3", "1"); // 1 MBq
    // MBq is written, kBq overflows: the rest keep 1 MBq, the gauge stays.
    t.enter(kRadio, "txtB4", "1E303");
    expectShows(t, kRadio,
                // clang-format off
                {{"txtB4", "1E303"}, {"txtB3", "1E+306"}, {"txtB2", "1000"}, {"txtB1", "1000000"},
                 {"txtC1", "27027.027027027"}, {"txtM1", "75187.969924812"}},
                // clang-format on
                "overflow");
    expectGauge(w, {"1000kBq", 1000, 1000, "Command2"}, "overflow");
    ASSERT_EQ(t.host.events.size(), 1u);
    EXPECT_EQ(t.host.events[0].rfind("error radio ", 0), 0u);
}

} // namespace
} // namespace mezura
