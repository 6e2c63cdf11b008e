// The length window: its chains, its gauge in mm, m and km, and its failures.
#include "framework/numtext.h"
#include "test_host.h"
#include "windows/length.h"

#include <cmath>
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

constexpr const char* kLength = "length";

struct EnterRow {
    const char* field;
    const char* typed;
    std::vector<Shows> shows;
    Gauge gauge;
};

TEST(LengthWindow, EnterConvertsEveryGroupAndPicksTheRange)
{
    // clang-format off
    const EnterRow rows[] = {
        // inch: the yard-pound ladder, and the limiter's cuts of miles and leagues
        {"txtI1", "1",
         {{"txtI1", "1"}, {"txtC1", "2.54"}, {"txtC0", "25.4"}, {"txtC2", "0.0254"}, {"txtC3", "2.54E-05"},
          {"txtI2", "0.0833333333333333"}, {"txtI3", "0.0277777777777778"}, {"txtI4", "0.00505050505050505"},
          {"txtI5", "0.00126262626262626"}, {"txtI6", "0.000126262626262626"}, {"txtI7", "1.578E-05"},
          {"txtI8", "5.26E-06"}, {"txtS1", "0.8382"}, {"txtS2", "0.08382"}, {"txtP3", "1440"}, {"txtP4", "72"},
          {"txtP1", "72.2811428571428"}, {"txtP2", "6.02342857142857"}, {"txtP5", "67.7333333333333"},
          {"txtP6", "101.6"}},
         {"1000mm", 1000, 25, "Command1"}},
        // 寸 and 厘: sun to centimetres divides by 0.33, but multiplies by 3.03 from 厘 and 分
        {"txtS1", "1", {{"txtS1", "1"}, {"txtC1", "3.03030303030303"}, {"txtS0", "100"}}, {"1000mm", 1000, 30, "Command1"}},
        {"txtS0", "100", {{"txtS0", "100"}, {"txtS1", "1"}, {"txtC1", "3.03"}, {"txtC0", "30.3"}, {"txtS00", "10"}},
         {"1000mm", 1000, 30, "Command1"}},
        {"txtS00", "10", {{"txtS00", "10"}, {"txtS1", "1"}, {"txtC1", "3.03"}, {"txtS0", "100"}},
         {"1000mm", 1000, 30, "Command1"}},
        // 里
        {"txtS8", "1",
         {{"txtS8", "1"}, {"txtS6", "36"}, {"txtS3", "2160"}, {"txtS2", "12960"}, {"txtS4", "1296"}, {"txtS5", "360"},
          {"txtS1", "129600"}, {"txtC1", "392727.272727273"}, {"txtC3", "3.92727272727273"},
          {"txtS7", "2.12055762811702"}},
         {"1000km", 1000, 4, "Command3"}},
        // 海里 keeps its text: its chain writes the metric and shaku-kan groups itself
        {"txtS7", "1",
         {{"txtS7", "1"}, {"txtC3", "1.852"}, {"txtC2", "1852"}, {"txtC1", "185200"}, {"txtC0", "1852000"},
          {"txtS1", "61116"}, {"txtS2", "6111.6"}, {"txtS8", "0.471574074074075"}, {"txtK1", "5093"},
          {"txtK2", "4889.28"}},
         {"1000km", 1000, 2, "Command3"}},
        // pica
        {"txtP2", "1",
         {{"txtP2", "1"}, {"txtP1", "12"}, {"txtC1", "0.421686746987952"}, {"txtC0", "4.21686746987952"},
          {"txtP3", "239.06650222939"}, {"txtP4", "11.9533251114695"}, {"txtP6", "16.8674698795181"}},
         {"1000mm", 1000, 4, "Command1"}},
        // 鯨尺: lineS rewrites the sun from centimetres
        {"txtK2", "1",
         {{"txtK2", "1"}, {"txtS1", "12.5"}, {"txtC1", "37.8787878787879"}, {"txtK1", "1.04166666666667"},
          {"txtK3", "0.192307692307692"}},
         {"1000mm", 1000, 379, "Command1"}},
        // the range bounds are inclusive at the top; a half position goes to the even integer
        {"txtC2", "1", {{"txtC2", "1"}, {"txtC3", "0.001"}, {"txtC0", "1000"}}, {"1000mm", 1000, 1000, "Command1"}},
        {"txtC2", "1.5", {{"txtC2", "1.5"}, {"txtC3", "0.0015"}}, {"1000m", 1000, 2, "Command2"}},
        {"txtC2", "1000", {{"txtC3", "1"}}, {"1000m", 1000, 1000, "Command2"}},
        {"txtC3", "1000", {{"txtC3", "1000"}, {"txtC2", "1000000"}}, {"1000km", 1000, 1000, "Command3"}},
        // the typed text stays as typed, read by the number parse
        {"txtC1", "12abc", {{"txtC1", "12abc"}, {"txtC0", "120"}, {"txtC2", "0.12"}}, {"1000mm", 1000, 120, "Command1"}},
        {"txtC1", "", {{"txtC1", ""}, {"txtC0", "0"}, {"txtI8", "0"}, {"txtP6", "0"}}, {"1000mm", 1000, 0, "Command1"}},
    };
    // clang-format on
    for (const EnterRow& row : rows) {
        test::TestApp t;
        t.enter(kLength, row.field, row.typed);
        const std::string where = std::string(row.field) + " <- \"" + row.typed + '"';
        for (const Shows& shows : row.shows) {
            EXPECT_EQ(t.text(kLength, shows.field), shows.text) << where << ": " << shows.field;
        }
        expectGauge(t.window(kLength), row.gauge, where);
        EXPECT_TRUE(t.host.events.empty()) << where;
    }
}

TEST(LengthWindow, OutOfRangeResetsEveryFieldToZero)
{
    const char* rows[][2] = {{"txtC3", "1001"}, {"txtI1", "-1"}, {"txtS8", "-1"}, {"txtP6", "-1"}, {"txtS8", "300"}};
    test::expectResets(kLength, {}, rows, {"1000mm", 1000, 0, "Command1"});
}

// Units in centimetres, from their definitions: every chain must agree with them to the
// four digits the limiter keeps (and the sun's two constants, 0.33 and 3.03).
// clang-format off
const test::UnitSize kUnitSizes[] = {
    {LengthWindow::txtC0, 0.1},
    {LengthWindow::txtC1, 1},
    {LengthWindow::txtC2, 100},
    {LengthWindow::txtC3, 100000},
    {LengthWindow::txtS7, 185200},
    {LengthWindow::txtI1, 2.54},
    {LengthWindow::txtI2, 2.54 * 12},
    {LengthWindow::txtI3, 2.54 * 36},
    {LengthWindow::txtI4, 2.54 * 198},
    {LengthWindow::txtI5, 2.54 * 792},
    {LengthWindow::txtI6, 2.54 * 7920},
    {LengthWindow::txtI7, 2.54 * 63360},
    {LengthWindow::txtI8, 2.54 * 190080},
    {LengthWindow::txtS0, 0.01 / 0.33},
    {LengthWindow::txtS00, 0.1 / 0.33},
    {LengthWindow::txtS1, 1 / 0.33},
    {LengthWindow::txtS2, 10 / 0.33},
    {LengthWindow::txtS3, 60 / 0.33},
    {LengthWindow::txtS4, 100 / 0.33},
    {LengthWindow::txtS5, 360 / 0.33},
    {LengthWindow::txtS6, 3600 / 0.33},
    {LengthWindow::txtS8, 129600 / 0.33},
    {LengthWindow::txtK1, 12 / 0.33},
    {LengthWindow::txtK2, 12.5 / 0.33},
    {LengthWindow::txtK3, 65 / 0.33},
    {LengthWindow::txtP1, 35.0 / 83 / 12},
    {LengthWindow::txtP2, 35.0 / 83},
    {LengthWindow::txtP3, 2.54 / 1440},
    {LengthWindow::txtP4, 2.54 / 72},
    {LengthWindow::txtP5, 3.0 / 80},
    {LengthWindow::txtP6, 1.0 / 40},
};
// clang-format on

TEST(LengthWindow, EveryChainWritesEveryOtherFieldConsistently)
{
    test::expectEveryChainWritesEveryField(kLength, kUnitSizes);
}

TEST(LengthWindow, SliderWritesMetresInTheUnitOfTheRange)
{
    test::TestApp t;
    ConversionWindow& w = t.window(kLength);
    t.enter(kLength, "txtC1", "150");
    expectGauge(w, {"1000m", 1000, 2, "Command2"}, "150 cm");

    w.drag({100, 250});
    // clang-format off
    const Shows dragged[] = {{"txtC2", "250"}, {"txtC3", "0.25"}, {"txtC1", "25000"}, {"txtC0", "250000"},
                             {"txtS1", "8250"}, {"txtI8", "0.0517809326864447"}, {"txtP6", "1000000"}};
    // clang-format on
    for (const Shows& shows : dragged) {
        EXPECT_EQ(t.text(kLength, shows.field), shows.text) << "drag to 250: " << shows.field;
    }
    expectGauge(w, {"1000m", 1000, 250, "Command2"}, "drag to 250"); // the range stays

    struct SlideRow {
        const char* button; // range chosen first, or null
        int position;
        std::vector<Shows> shows;
    };
    const SlideRow slides[] = {
        {nullptr, 251, {{"txtC2", "251"}, {"txtC3", "0.251"}, {"txtC1", "25100"}}},
        {"Command3", 7, {{"txtC2", "7000"}, {"txtC3", "7"}, {"txtC1", "700000"}, {"txtC0", "7000000"}}},
        {"Command1", 5, {{"txtC2", "0.005"}, {"txtC3", "5E-06"}, {"txtC1", "0.5"}, {"txtC0", "5"}}},
    };
    for (const SlideRow& slide : slides) {
        if (slide.button != nullptr) {
            w.clickButton(w.buttonIndex(slide.button));
        }
        w.slide(slide.position);
        for (const Shows& shows : slide.shows) {
            EXPECT_EQ(t.text(kLength, shows.field), shows.text) << "slide to " << slide.position << ": " << shows.field;
        }
        EXPECT_EQ(w.slider().value(), slide.position);
    }
    EXPECT_TRUE(t.host.events.empty());
}

TEST(LengthWindow, RangeButtonsClampThroughCentimetres)
{
    struct Row {
        const char* field;
        const char* typed;
        bool enter; // false: typed without Enter
        std::vector<const char*> buttons;
        std::vector<Shows> shows;
        Gauge gauge;
    };
    // clang-format off
    const Row rows[] = {
        // over the top: centimetres get the range's top as integer text; the thumb stays
        {"txtC1", "150", true, {"Command1"},
         {{"txtC1", "100"}, {"txtC2", "1"}, {"txtC0", "1000"}, {"txtS1", "33"}, {"txtP6", "4000"}},
         {"1000mm", 1000, 2, "Command1"}},
        {"txtC3", "5", true, {"Command2"}, {{"txtC1", "100000"}, {"txtC2", "1000"}, {"txtC3", "1"}},
         {"1000m", 1000, 5, "Command2"}},
        {"txtC3", "2000", false, {"Command3"},
         {{"txtC1", "100000000"}, {"txtC2", "1000000"}, {"txtC3", "1000"}, {"txtI8", "207.123730745778"}},
         {"1000km", 1000, 0, "Command3"}},
        // within the range: only the thumb moves, and the fields keep their text
        {"txtC1", "150", true, {"Command3"}, {{"txtC1", "150"}, {"txtC2", "1.5"}}, {"1000km", 1000, 0, "Command3"}},
        {"txtC1", "35", true, {"Command3", "Command1"}, {{"txtC1", "35"}, {"txtC0", "350"}},
         {"1000mm", 1000, 350, "Command1"}},
        {"txtC3", "0.5", true, {"Command3", "Command2"}, {{"txtC3", "0.5"}, {"txtC2", "500"}},
         {"1000m", 1000, 500, "Command2"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        test::TestApp t;
        ConversionWindow& w = t.window(kLength);
        if (row.enter) {
            t.enter(kLength, row.field, row.typed);
        } else {
            w.typeText(w.fieldIndex(row.field), row.typed);
        }
        std::string where = std::string(row.typed) + " in " + row.field;
        for (const char* button : row.buttons) {
            w.clickButton(w.buttonIndex(button));
            where += std::string(", ") + button;
        }
        for (const Shows& shows : row.shows) {
            EXPECT_EQ(t.text(kLength, shows.field), shows.text) << where << ": " << shows.field;
        }
        expectGauge(w, row.gauge, where);
        EXPECT_TRUE(t.host.events.empty()) << where;
    }
}

TEST(LengthWindow, StartsEmptyWithTheDesignGauge)
{
    test::TestApp t;
    const ConversionWindow& w = t.window(kLength);
    EXPECT_EQ(w.title(), "ヨモギの単位計算－長さ");
    EXPECT_EQ(w.frame().mode(), 3);
    EXPECT_EQ(w.slider().max(), 100);
    EXPECT_EQ(w.slider().value(), 0);
    EXPECT_EQ(w.caption("IndMin"), "0");
    EXPECT_EQ(w.caption("IndMax"), "1000mm");
    EXPECT_EQ(highlighted(w), "Command1");
    ASSERT_EQ(w.layout().fields.size(), static_cast<std::size_t>(LengthWindow::kFieldCount));
    for (const test::UnitSize& unit : kUnitSizes) {
        EXPECT_EQ(w.text(unit.field), "");
    }
}

TEST(LengthWindow, OverflowStopsTheChainAtTheFailingStep)
{
    test::TestApp t;
    const ConversionWindow& w = t.window(kLength);
    t.enter(kLength, "txtC1", "100"); // 1 m
    // txtC1 and txtC3 are written, txtC0 overflows: the rest keep 1 m, the gauge stays.
    t.enter(kLength, "txtC2", "1E306");
    EXPECT_EQ(t.text(kLength, "txtC1"), "1E+308");
    EXPECT_EQ(t.text(kLength, "txtC3"), "1E+303");
    EXPECT_EQ(t.text(kLength, "txtC0"), "1000");
    EXPECT_EQ(t.text(kLength, "txtI1"), "39.3700787401575");
    expectGauge(w, {"1000mm", 1000, 1000, "Command1"}, "overflow");
    ASSERT_EQ(t.host.events.size(), 1u);
    EXPECT_EQ(t.host.events[0].rfind("error length ", 0), 0u);
}

} // namespace
} // namespace mezura
