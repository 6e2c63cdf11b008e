// The volume window: its chains, its gauge in ml, dl, L and m3, and its failures.
#include "framework/numtext.h"
#include "test_host.h"
#include "windows/cubic.h"

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

constexpr const char* kCubic = "cubic";

TEST(CubicWindow, EnterConvertsEveryGroupAndPicksTheRange)
{
    // clang-format off
    const test::EnterRow rows[] = {
        // one litre: the metric ladder, spoons and the cup, the drum
        {"txtC3", "1",
         {{"txtC3", "1"}, {"txtC1", "1000"}, {"txtC2", "10"}, {"txtC4", "0.001"}, {"txtM1", "400"}, {"txtM2", "200"},
          {"txtM3", "66.6666666666667"}, {"txtM4", "5.55555555555556"}, {"txtO3", "0.005"},
          {"txtS1", "5.54323725055432"}, {"txtLE1", "7.04225352112676"}, {"txtLA4", "0.264830508474575"},
          {"txtO2", "0.00630548829701369"}, {"txtDE1", "1.75994368180218"}, {"txtDA4", "0.0283781329458772"}},
         {"10dl", 10, 10, "Command2"}},
        // one 升: the metric group runs in the middle of the 升 group, 立坪 and 才 read m3
        {"txtS2", "1",
         {{"txtS2", "1"}, {"txtS1", "10"}, {"txtS0", "100"}, {"txtC1", "1804"}, {"txtC3", "1.804"}, {"txtS3", "0.1"},
          {"txtS4", "0.025"}, {"txtS5", "0.01"}, {"txtS6", "0.000300231331236374"},
          {"txtS7", "0.0648314525982894"}, {"txtO1", "0.100222222222222"}},
         {"1000L", 1000, 2, "Command3"}},
        // 立坪 and 才 go down the metric ladder from the cubic metres
        {"txtS6", "1",
         {{"txtS6", "1"}, {"txtC4", "6.0087"}, {"txtC3", "6008.7"}, {"txtC1", "6008700"}, {"txtS1", "33307.6496674058"},
          {"txtS7", "215.938331057285"}, {"txtS0", "333076.496674058"}},
         {"30000m3", 30000, 6, "Command4"}},
        {"txtS7", "1", {{"txtS7", "1"}, {"txtC4", "0.027826"}, {"txtC1", "27826"}, {"txtS6", "0.00463095178657613"}},
         {"1000L", 1000, 28, "Command3"}},
        // cubic foot and cord
        {"txtI2", "1",
         {{"txtI2", "1"}, {"txtI1", "1728"}, {"txtI3", "0.037037037037037"}, {"txtI4", "0.0078125"},
          {"txtC1", "28317.0816"}, {"txtC3", "28.3170816"}},
         {"1000L", 1000, 28, "Command3"}},
        {"txtI4", "1",
         {{"txtI4", "1"}, {"txtI2", "128"}, {"txtI3", "4.74074074074074"}, {"txtI1", "221184"},
          {"txtC1", "3624586.4448"}, {"txtC4", "3.6245864448"}},
         {"30000m3", 30000, 4, "Command4"}},
        // a typed barrel goes to cm3 by its own figure, while its gallons come from 36 or 31.5
        {"txtLE5", "1",
         {{"txtLE5", "1"}, {"txtLE4", "36"}, {"txtLE3", "144"}, {"txtLE2", "288"}, {"txtLE1", "1152"},
          {"txtC1", "163600"}, {"txtC3", "163.6"}},
         {"1000L", 1000, 164, "Command3"}},
        {"txtLA5", "1",
         {{"txtLA5", "1"}, {"txtLA4", "31.5"}, {"txtLA1", "1008"}, {"txtC1", "119200"}, {"txtO2", "0.75"}},
         {"1000L", 1000, 119, "Command3"}},
        // the oil barrel keeps its text; the other containers follow the other groups
        {"txtO2", "1",
         {{"txtO2", "1"}, {"txtC1", "159000"}, {"txtLA4", "42.1080508474575"}, {"txtO1", "8.83333333333333"},
          {"txtO3", "0.795"}},
         {"1000L", 1000, 159, "Command3"}},
        {"txtM3", "1",
         {{"txtM3", "1"}, {"txtC1", "15"}, {"txtM2", "3"}, {"txtM1", "6"}, {"txtM4", "0.0833333333333333"}},
         {"100ml", 100, 15, "Command1"}},
        {"txtDE4", "1", {{"txtDE4", "1"}, {"txtDE3", "4"}, {"txtDE2", "32"}, {"txtDE1", "64"}, {"txtC1", "36364.8"}},
         {"1000L", 1000, 36, "Command3"}},
        // the limiter keeps four digits of an exponent-form value, truncated
        {"txtC1", "0.001",
         {{"txtC2", "1E-05"}, {"txtC3", "1E-06"}, {"txtC4", "1E-09"}, {"txtM1", "0.0004"}, {"txtM3", "6.666E-05"},
          {"txtM4", "5.555E-06"}, {"txtI1", "6.102E-05"}},
         {"100ml", 100, 0, "Command1"}},
        // each bound on the litres is inclusive at its top; a half position goes to the even integer
        {"txtC3", "0.1", {{"txtC1", "100"}, {"txtC2", "1"}}, {"100ml", 100, 100, "Command1"}},
        {"txtC1", "101", {{"txtC2", "1.01"}, {"txtC3", "0.101"}}, {"10dl", 10, 1, "Command2"}},
        {"txtC2", "2.5", {{"txtC1", "250"}, {"txtC3", "0.25"}}, {"10dl", 10, 2, "Command2"}},
        {"txtC3", "1000", {{"txtC4", "1"}, {"txtC1", "1000000"}}, {"1000L", 1000, 1000, "Command3"}},
        {"txtC3", "1000.4", {{"txtC4", "1.0004"}}, {"30000m3", 30000, 1, "Command4"}},
        {"txtC3", "30000000", {{"txtC4", "30000"}, {"txtC2", "300000000"}}, {"30000m3", 30000, 30000, "Command4"}},
        // the typed text stays as typed, read by the number parse
        {"txtC1", "12abc", {{"txtC1", "12abc"}, {"txtC2", "0.12"}, {"txtM1", "4.8"}}, {"100ml", 100, 12, "Command1"}},
        {"txtM4", "", {{"txtM4", ""}, {"txtC1", "0"}, {"txtO2", "0"}, {"txtDA4", "0"}}, {"100ml", 100, 0, "Command1"}},
    };
    // clang-format on
    test::expectEnterRows(kCubic, rows);
}

TEST(CubicWindow, OutOfRangeResetsEveryFieldToZero)
{
    // clang-format off
    const char* rows[][2] = {{"txtC3", "30000001"}, {"txtC4", "30000.001"}, {"txtC1", "-1"}, {"txtS5", "-1"},
                             {"txtS6", "5000"},     {"txtO1", "-1"},        {"txtDA4", "-1"}, {"txtLE5", "-0.5"}};
    // clang-format on
    test::expectResets(kCubic, {"txtC3", "5"}, rows, {"100ml", 100, 0, "Command1"});
}

// Units in cubic centimetres, from their definitions. The three barrels have a second
// figure by which a typed barrel goes to cm3 (163600, 119200, 159000); it lies up to 0.26 %
// from the gallons they are made of, so the chains agree to 0.3 % instead of the limiter's
// four digits.
constexpr double kCubicInch = 16.3872;
constexpr double kCubicFoot = 1728 * kCubicInch;
constexpr double kGo = 180.4;
constexpr double kUKGill = 142;
constexpr double kUSGill = 118;
constexpr double kUSGallon = kUSGill * 4 * 2 * 4;
constexpr double kUKDryPint = 568.2;
constexpr double kUSDryPint = 550.6;
const test::UnitSize kUnitSizes[] = {
    {CubicWindow::txtC1, 1},
    {CubicWindow::txtC2, 100},
    {CubicWindow::txtC3, 1000},
    {CubicWindow::txtC4, 1e6},
    {CubicWindow::txtM1, 2.5},
    {CubicWindow::txtM2, 5},
    {CubicWindow::txtM3, 15},
    {CubicWindow::txtM4, 180},
    {CubicWindow::txtI1, kCubicInch},
    {CubicWindow::txtI2, kCubicFoot},
    {CubicWindow::txtI3, 27 * kCubicFoot},
    {CubicWindow::txtI4, 128 * kCubicFoot},
    {CubicWindow::txtS0, kGo / 10},
    {CubicWindow::txtS1, kGo},
    {CubicWindow::txtS2, kGo * 10},
    {CubicWindow::txtS3, kGo * 100},
    {CubicWindow::txtS4, kGo * 400},
    {CubicWindow::txtS5, kGo * 1000},
    {CubicWindow::txtS6, 6.0087e6},
    {CubicWindow::txtS7, 0.027826e6},
    {CubicWindow::txtLE1, kUKGill},
    {CubicWindow::txtLE2, kUKGill * 4},
    {CubicWindow::txtLE3, kUKGill * 8},
    {CubicWindow::txtLE4, kUKGill * 32},
    {CubicWindow::txtLE5, kUKGill * 32 * 36},
    {CubicWindow::txtLA1, kUSGill},
    {CubicWindow::txtLA2, kUSGill * 4},
    {CubicWindow::txtLA3, kUSGill * 8},
    {CubicWindow::txtLA4, kUSGallon},
    {CubicWindow::txtLA5, kUSGallon * 31.5},
    {CubicWindow::txtO1, 18000},
    {CubicWindow::txtO2, kUSGallon * 42},
    {CubicWindow::txtO3, 200000},
    {CubicWindow::txtDE1, kUKDryPint},
    {CubicWindow::txtDE2, kUKDryPint * 2},
    {CubicWindow::txtDE3, kUKDryPint * 16},
    {CubicWindow::txtDE4, kUKDryPint * 64},
    {CubicWindow::txtDA1, kUSDryPint},
    {CubicWindow::txtDA2, kUSDryPint * 2},
    {CubicWindow::txtDA3, kUSDryPint * 16},
    {CubicWindow::txtDA4, kUSDryPint * 64},
};

TEST(CubicWindow, EveryChainWritesEveryOtherFieldConsistently)
{
    test::expectEveryChainWritesEveryField(kCubic, kUnitSizes, "7.0", 3e-3);
}

TEST(CubicWindow, SliderAlwaysWritesLitresInTheUnitOfTheRange)
{
    test::TestApp t;
    ConversionWindow& w = t.window(kCubic);
    t.enter(kCubic, "txtC1", "20");
    expectGauge(w, {"100ml", 100, 20, "Command1"}, "20 cm3");

    // Each move of the drag rewrites the window; the release finds the fields in step.
    w.dragTo(30);
    expectShows(t, kCubic, {{"txtC3", "0.03"}, {"txtC1", "30"}}, "drag at 30");
    w.dragTo(50);
    w.dragRelease();
    expectShows(t, kCubic,
                // clang-format off
                {{"txtC3", "0.05"}, {"txtC2", "0.5"}, {"txtC1", "50"}, {"txtC4", "5E-05"}, {"txtM1", "20"},
                 {"txtI3", "6.539E-05"}, {"txtS1", "0.277161862527716"}, {"txtO3", "0.00025"},
                 {"txtDA4", "0.00141890664729386"}},
                // clang-format on
                "drag to 50");
    expectGauge(w, {"100ml", 100, 50, "Command1"}, "drag to 50"); // the range stays

    // clang-format off
    const test::SlideRow slides[] = {
        {nullptr, 100, {{"txtC3", "0.1"}, {"txtC2", "1"}, {"txtC1", "100"}}, {"100ml", 100, 100, "Command1"}},
        // at the end of the scale the range does not move on
        {nullptr, 100, {{"txtC1", "100"}}, {"100ml", 100, 100, "Command1"}},
        {"Command2", 7, {{"txtC3", "0.7"}, {"txtC2", "7"}, {"txtC1", "700"}, {"txtM1", "280"}},
         {"10dl", 10, 7, "Command2"}},
        {"Command3", 250,
         {{"txtC3", "250"}, {"txtC2", "2500"}, {"txtC1", "250000"}, {"txtC4", "0.25"}, {"txtO3", "1.25"},
          {"txtLE4", "55.0176056338028"}},
         {"1000L", 1000, 250, "Command3"}},
        {"Command4", 12,
         {{"txtC3", "12000"}, {"txtC4", "12"}, {"txtC1", "12000000"}, {"txtO3", "60"}, {"txtS6", "1.99710419891158"}},
         {"30000m3", 30000, 12, "Command4"}},
    };
    // clang-format on
    test::expectSlides(t, kCubic, slides);
    EXPECT_TRUE(t.host.events.empty());
}

TEST(CubicWindow, RangeButtonsClampThroughCubicCentimetres)
{
    // clang-format off
    const test::ButtonRow rows[] = {
        // over the top: cm3 get the range's top as integer text, every group follows; the
        // thumb stays (25 dl picked the L range at the even position 2)
        {"txtC2", "25", true, {"Command2"},
         {{"txtC1", "1000"}, {"txtC2", "10"}, {"txtC3", "1"}, {"txtC4", "0.001"}, {"txtM1", "400"},
          {"txtS1", "5.54323725055432"}, {"txtO3", "0.005"}, {"txtDA4", "0.0283781329458772"}},
         {"10dl", 10, 2, "Command2"}},
        {"txtC1", "150", true, {"Command1"}, {{"txtC1", "100"}, {"txtC2", "1"}, {"txtC3", "0.1"}, {"txtM2", "20"}},
         {"100ml", 100, 2, "Command1"}},
        {"txtC3", "2000", true, {"Command3"},
         {{"txtC1", "1000000"}, {"txtC2", "10000"}, {"txtC3", "1000"}, {"txtC4", "1"}, {"txtO3", "5"}},
         {"1000L", 1000, 2, "Command3"}},
        {"txtC1", "500", false, {"Command1"}, {{"txtC1", "100"}, {"txtC3", "0.1"}}, {"100ml", 100, 0, "Command1"}},
        // m3 has no clamp: a value above its scale puts the thumb at the end, fields stay
        {"txtC4", "40000", false, {"Command4"}, {{"txtC4", "40000"}, {"txtC1", ""}},
         {"30000m3", 30000, 30000, "Command4"}},
        // a negative value puts it at 0, and no field is rewritten
        {"txtC1", "-5", false, {"Command1"}, {{"txtC1", "-5"}, {"txtC2", ""}}, {"100ml", 100, 0, "Command1"}},
        // within the range: only the thumb moves, and the fields keep their text
        {"txtC1", "50", true, {"Command2", "Command3", "Command4"},
         {{"txtC1", "50"}, {"txtC2", "0.5"}, {"txtC3", "0.05"}, {"txtC4", "5E-05"}}, {"30000m3", 30000, 0, "Command4"}},
        {"txtC1", "50", true, {"Command4", "Command1"}, {{"txtC1", "50"}, {"txtC3", "0.05"}},
         {"100ml", 100, 50, "Command1"}},
        {"txtC3", "0.7", true, {"Command1", "Command2"}, {{"txtC1", "100"}, {"txtC2", "1"}},
         {"10dl", 10, 1, "Command2"}},
    };
    // clang-format on
    test::expectButtonRows(kCubic, rows);
}

TEST(CubicWindow, StartsEmptyWithTheDesignGauge)
{
    test::TestApp t;
    const ConversionWindow& w = t.window(kCubic);
    EXPECT_EQ(w.title(), "ヨモギの単位計算－体積");
    EXPECT_EQ(w.frame().mode(), 3);
    EXPECT_EQ(w.caption("IndMin"), "0");
    expectGauge(w, {"100ml", 100, 0, "Command1"}, "design");
    for (int field = 0; field < CubicWindow::kFieldCount; ++field) {
        EXPECT_EQ(w.text(field), "");
    }
    // The tab order runs column by column, top to bottom, the "Dry" frame's columns last
    // (its fields stand relative to the frame); the slider comes after the fields.
    ASSERT_EQ(w.layout().boxes.size(), 1u);
    const BoxSpec& dry = w.layout().boxes.front();
    EXPECT_EQ(dry.caption, "Dry");
    std::vector<FieldSpec> byTab = w.layout().fields;
    for (FieldSpec& field : byTab) {
        const std::string group = field.name.substr(0, 5);
        EXPECT_EQ(field.box == dry.name, group == "txtDE" || group == "txtDA") << field.name;
        if (field.box == dry.name) {
            field.field.left += dry.rect.left;
            field.field.top += dry.rect.top;
        }
    }
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
    EXPECT_EQ(w.layout().sliders.front().tabIndex, CubicWindow::kFieldCount);
}

TEST(CubicWindow, ALeftClickStepsThroughFourSizes)
{
    test::TestApp t;
    ConversionWindow& w = t.window(kCubic);
    const int sizes[][3] = {{4, 8000, 6480}, {1, 4500, 5540}, {2, 8000, 5540}, {3, 4500, 6480}};
    for (const auto& size : sizes) {
        w.mouseDown(1);
        EXPECT_EQ(w.frame().mode(), size[0]);
        EXPECT_EQ(w.frame().size().width, size[1]) << "mode " << size[0];
        EXPECT_EQ(w.frame().size().height, size[2]) << "mode " << size[0];
    }
}

TEST(CubicWindow, OverflowStopsTheChainAtTheFailingStep)
{
    test::TestApp t;
    const ConversionWindow& w = t.window(kCubic);
    t.enter(kCubic, "txtC3", "1");
    // The cubic metres are written, the litres overflow: the rest keep 1 l, the gauge stays.
    t.enter(kCubic, "txtS6", "1E305");
    expectShows(t, kCubic,
                // clang-format off
                {{"txtS6", "1E305"}, {"txtC4", "6.008E+305"}, {"txtC3", "1"}, {"txtC2", "10"}, {"txtC1", "1000"},
                 {"txtS1", "5.54323725055432"}, {"txtM1", "400"}},
                // clang-format on
                "overflow");
    expectGauge(w, {"10dl", 10, 10, "Command2"}, "overflow");
    ASSERT_EQ(t.host.events.size(), 1u);
    EXPECT_EQ(t.host.events[0].rfind("error cubic ", 0), 0u);
}

} // namespace
} // namespace mezura
