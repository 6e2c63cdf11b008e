// The energy window: its chains, its gauge in μJ, mJ, J and kJ, its clamps and its failures.
#include "framework/numtext.h"
#include "test_host.h"
#include "windows/heat.h"

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

constexpr const char* kHeat = "heat";

// Every range of this gauge has the maximum 1000.
TEST(HeatWindow, EnterConvertsEveryGroupAndPicksTheRange)
{
    const test::EnterRow rows[] = {
        // 1000 J in every unit; 1000 is inside the joule range, its bound being inclusive
        {"txtJ3", "1000",
         {{"txtJ3", "1000"}, {"txtJ4", "1"}, {"txtJ2", "1000000"}, {"txtJ1", "1000000000"},
          {"txtN1", "0.947817122667013"}, {"txtN2", "101.971621297793"}, {"txtN3", "0.277777777777778"},
          {"txtC1", "10000000000"}, {"txtC2", "238.845896627496"}, {"txtC3", "0.238845896627496"},
          {"txtC4", "0.0029855737078437"}, {"txtE1", "6.241E+18"}, {"txtE2", "6.241E+15"},
          {"txtE3", "6241000000000"}},
         {"1000J", 1000, 1000, "Command3"}},
        {"txtJ3", "1001", {{"txtJ4", "1.001"}, {"txtE1", "6.247E+18"}}, {"1000kJ", 1000, 1, "Command4"}},
        // one keV: the joules cut by the limiter, each further field from that cut text
        {"txtE1", "1",
         {{"txtE1", "1"}, {"txtJ3", "1.602E-16"}, {"txtE2", "0.001"}, {"txtE3", "1E-06"}, {"txtJ4", "1.602E-19"},
          {"txtJ2", "1.602E-13"}, {"txtJ1", "1.602E-10"}, {"txtN1", "1.518E-19"}, {"txtN2", "1.633E-17"},
          {"txtN3", "4.45E-20"}, {"txtC1", "1.602E-09"}, {"txtC2", "3.826E-17"}, {"txtC3", "3.826E-20"},
          {"txtC4", "4.782E-22"}},
         {"1000μJ", 1000, 0, "Command1"}},
        {"txtE3", "1",
         {{"txtE2", "1000"}, {"txtE1", "1000000"}, {"txtJ3", "1.602E-10"}, {"txtJ2", "1.602E-07"},
          {"txtJ1", "0.0001602"}, {"txtC1", "0.001602"}},
         {"1000μJ", 1000, 0, "Command1"}},
        // 80 Cal are one dietary unit; the erg comes from the joules here
        {"txtC3", "80",
         {{"txtC3", "80"}, {"txtC4", "1"}, {"txtC2", "80000"}, {"txtJ3", "334944"}, {"txtC1", "3349440000000"},
          {"txtJ4", "334.944"}, {"txtN3", "93.04"}, {"txtE1", "2.09E+21"}, {"txtE3", "2.09E+15"}},
         {"1000kJ", 1000, 335, "Command4"}},
        // ten erg: the joules from the erg, the erg field keeps its text
        {"txtC1", "10",
         {{"txtC1", "10"}, {"txtJ3", "1E-06"}, {"txtC2", "2.388E-07"}, {"txtC3", "2.388E-10"}, {"txtC4", "2.985E-12"},
          {"txtJ4", "1E-09"}, {"txtJ2", "0.001"}, {"txtJ1", "1"}, {"txtN1", "9.478E-10"},
          {"txtE1", "6241509323.78196"}},
         {"1000μJ", 1000, 1, "Command1"}},
        {"txtC2", "1", {{"txtJ3", "4.1868"}, {"txtC1", "41868000"}, {"txtC3", "0.001"}, {"txtC4", "1.25E-05"}},
         {"1000J", 1000, 4, "Command3"}},
        // engineering units: the joules first, the other two from them
        {"txtN1", "1",
         {{"txtJ3", "1055.05585"}, {"txtN2", "107.585755584221"}, {"txtN3", "0.293071069444444"},
          {"txtJ4", "1.05505585"}, {"txtC2", "251.995760485335"}},
         {"1000kJ", 1000, 1, "Command4"}},
        {"txtN2", "1", {{"txtJ3", "9.80665"}, {"txtN1", "0.00929491078600247"}, {"txtC4", "2.927E-05"}},
         {"1000J", 1000, 10, "Command3"}},
        {"txtN3", "1",
         {{"txtJ3", "3600"}, {"txtN1", "3.41214164160125"}, {"txtN2", "367.097836672054"}, {"txtE1", "2.246E+19"},
          {"txtE2", "2.246E+16"}, {"txtE3", "22460000000000"}},
         {"1000kJ", 1000, 4, "Command4"}},
        // each bound on the joules is inclusive
        {"txtJ3", "0.001", {{"txtJ1", "1000"}, {"txtJ2", "1"}, {"txtJ4", "1E-06"}}, {"1000μJ", 1000, 1000, "Command1"}},
        {"txtJ3", "0.0011", {{"txtJ1", "1100"}, {"txtJ2", "1.1"}}, {"1000mJ", 1000, 1, "Command2"}},
        {"txtJ1", "1000.5", {{"txtJ2", "1.0005"}, {"txtJ3", "0.0010005"}}, {"1000mJ", 1000, 1, "Command2"}},
        {"txtJ3", "1", {{"txtJ2", "1000"}, {"txtE1", "6.241E+15"}}, {"1000mJ", 1000, 1000, "Command2"}},
        {"txtJ3", "1000000", {{"txtJ4", "1000"}, {"txtC1", "10000000000000"}}, {"1000kJ", 1000, 1000, "Command4"}},
        {"txtJ1", "500", {{"txtJ2", "0.5"}, {"txtJ3", "0.0005"}, {"txtJ4", "5E-07"}}, {"1000μJ", 1000, 500, "Command1"}},
        // the thumb takes the range field halves to even
        {"txtJ4", "2.5", {{"txtJ3", "2500"}, {"txtJ1", "2500000000"}}, {"1000kJ", 1000, 2, "Command4"}},
        // the typed text stays as typed, read by the number parse
        {"txtJ2", "1,5", {{"txtJ2", "1,5"}, {"txtJ1", "1000"}, {"txtJ3", "0.001"}}, {"1000μJ", 1000, 1000, "Command1"}},
        {"txtC4", "", {{"txtC4", ""}, {"txtJ3", "0"}, {"txtE3", "0"}, {"txtC1", "0"}}, {"1000μJ", 1000, 0, "Command1"}},
    };
    test::expectEnterRows(kHeat, rows);
}

TEST(HeatWindow, OutOfRangeResetsEveryFieldToZeroAndKeepsTheGauge)
{
    // 13 dietary units are 4354272 J; -1 J in every unit but one.
    const char* rows[][2] = {{"txtJ3", "1000001"}, {"txtJ4", "1000.001"}, {"txtC4", "13"}, {"txtJ1", "-1"},
                             {"txtN3", "-1"},      {"txtC1", "-1"},       {"txtE3", "-1"}};
    for (const auto& row : rows) {
        test::TestApp t;
        t.enter(kHeat, "txtJ3", "500");
        t.enter(kHeat, row[0], row[1]);
        const std::string where = std::string(row[0]) + " <- " + row[1];
        const ConversionWindow& w = t.window(kHeat);
        for (int field = 0; field < HeatWindow::kFieldCount; ++field) {
            EXPECT_EQ(w.text(field), "0") << where << ": " << w.layout().fields[field].name;
        }
        expectGauge(w, {"1000J", 1000, 500, "Command3"}, where); // as 500 J left it
        EXPECT_EQ(t.host.events, std::vector<std::string>{"beep heat"}) << where;
    }
}

// Units in joules, from their definitions: every chain must agree with them to the four
// digits the limiter keeps. 7 dietary units lie beyond the gauge, so 0.7 of each is typed.
constexpr double kCalorie = 4.1868;
constexpr double kKiloElectronVolt = 1.60217657e-16;
const test::UnitSize kUnitSizes[] = {
    {HeatWindow::txtJ1, 1e-6},
    {HeatWindow::txtJ2, 1e-3},
    {HeatWindow::txtJ3, 1},
    {HeatWindow::txtJ4, 1e3},
    {HeatWindow::txtN1, 1055.05585},
    {HeatWindow::txtN2, 9.80665},
    {HeatWindow::txtN3, 3600},
    {HeatWindow::txtC1, 1e-7},
    {HeatWindow::txtC2, kCalorie},
    {HeatWindow::txtC3, kCalorie * 1000},
    {HeatWindow::txtC4, kCalorie * 1000 * 80},
    {HeatWindow::txtE1, kKiloElectronVolt},
    {HeatWindow::txtE2, kKiloElectronVolt * 1e3},
    {HeatWindow::txtE3, kKiloElectronVolt * 1e6},
};

TEST(HeatWindow, EveryChainWritesEveryOtherFieldConsistently)
{
    test::expectEveryChainWritesEveryField(kHeat, kUnitSizes, "0.7");
}

TEST(HeatWindow, SliderWritesJoulesInTheUnitOfTheRange)
{
    test::TestApp t;
    ConversionWindow& w = t.window(kHeat);
    t.enter(kHeat, "txtJ3", "500");
    expectGauge(w, {"1000J", 1000, 500, "Command3"}, "500 J");

    // Each move of the drag rewrites the window; the release finds the fields in step.
    w.dragTo(20);
    expectShows(t, kHeat, {{"txtJ3", "20"}, {"txtJ1", "20000000"}, {"txtC4", "5.971E-05"}}, "drag at 20");
    w.dragTo(750);
    w.dragRelease();
    expectShows(t, kHeat,
                {{"txtJ3", "750"}, {"txtJ4", "0.75"}, {"txtJ2", "750000"}, {"txtJ1", "750000000"},
                 {"txtN1", "0.71086284200026"}, {"txtN2", "76.4787159733446"}, {"txtN3", "0.208333333333333"},
                 {"txtE1", "4.681E+18"}, {"txtE3", "4681000000000"}, {"txtC1", "7500000000"},
                 {"txtC2", "179.134422470622"}, {"txtC4", "0.00223918028088277"}},
                "drag to 750");
    expectGauge(w, {"1000J", 1000, 750, "Command3"}, "drag to 750"); // the range stays

    const test::SlideRow slides[] = {
        // at the end of the scale the range does not move on
        {nullptr, 1000, {{"txtJ3", "1000"}, {"txtJ4", "1"}}, {"1000J", 1000, 1000, "Command3"}},
        {"Command2", 250,
         {{"txtJ3", "0.25"}, {"txtJ2", "250"}, {"txtJ1", "250000"}, {"txtJ4", "0.00025"}, {"txtN3", "6.944E-05"},
          {"txtC1", "2500000"}},
         {"1000mJ", 1000, 250, "Command2"}},
        {"Command4", 3, {{"txtJ3", "3000"}, {"txtJ4", "3"}, {"txtC4", "0.0089567211235311"}},
         {"1000kJ", 1000, 3, "Command4"}},
        {"Command1", 7,
         {{"txtJ3", "7E-06"}, {"txtJ2", "0.007"}, {"txtJ1", "7"}, {"txtJ4", "7E-09"}, {"txtC1", "70"},
          {"txtE3", "43690.5652664737"}},
         {"1000μJ", 1000, 7, "Command1"}},
    };
    test::expectSlides(t, kHeat, slides);
    EXPECT_TRUE(t.host.events.empty());
}

TEST(HeatWindow, RangeButtonsClampTheirOwnFieldToTheTopOfTheScale)
{
    struct Row {
        const char* field;
        const char* typed;
        bool enter; // false: typed without Enter
        const char* button;
        std::vector<Shows> shows;
        Gauge gauge;
    };
    const Row rows[] = {
        // above 1000 in its own unit: the field gets "1000", the thumb the end of the scale,
        // the joule group and the other groups follow
        {"txtJ4", "5000", false, "Command4",
         {{"txtJ4", "1000"}, {"txtJ3", "1000000"}, {"txtJ2", "1000000000"}, {"txtJ1", "1000000000000"},
          {"txtN1", "947.817122667013"}, {"txtE1", "6.241E+21"}, {"txtC1", "10000000000000"},
          {"txtC4", "2.9855737078437"}},
         {"1000kJ", 1000, 1000, "Command4"}},
        {"txtJ3", "5000", true, "Command3",
         {{"txtJ3", "1000"}, {"txtJ4", "1"}, {"txtJ2", "1000000"}, {"txtJ1", "1000000000"}, {"txtC1", "10000000000"},
          {"txtN3", "0.277777777777778"}},
         {"1000J", 1000, 1000, "Command3"}},
        {"txtJ3", "500", true, "Command2",
         {{"txtJ2", "1000"}, {"txtJ1", "1000000"}, {"txtJ3", "1"}, {"txtJ4", "0.001"}, {"txtE3", "6241000000"},
          {"txtC4", "2.985E-06"}},
         {"1000mJ", 1000, 1000, "Command2"}},
        {"txtJ3", "3000", true, "Command1",
         {{"txtJ1", "1000"}, {"txtJ2", "1"}, {"txtJ3", "0.001"}, {"txtJ4", "1E-06"}, {"txtC1", "10000"},
          {"txtE1", "6241509323781.96"}, {"txtC3", "2.388E-07"}},
         {"1000μJ", 1000, 1000, "Command1"}},
        // within the scale: only the thumb moves, and the fields keep their text
        {"txtJ3", "500", true, "Command4", {{"txtJ3", "500"}, {"txtJ4", "0.5"}}, {"1000kJ", 1000, 0, "Command4"}},
        {"txtJ3", "1000", true, "Command3", {{"txtJ3", "1000"}, {"txtJ2", "1000000"}}, {"1000J", 1000, 1000, "Command3"}},
        {"txtJ3", "0.0004", true, "Command2", {{"txtJ3", "0.0004"}, {"txtJ1", "400"}}, {"1000mJ", 1000, 0, "Command2"}},
        // a negative value typed without Enter puts the thumb at 0 and writes nothing
        {"txtJ2", "-5", false, "Command2", {{"txtJ2", "-5"}, {"txtJ3", ""}}, {"1000mJ", 1000, 0, "Command2"}},
    };
    for (const Row& row : rows) {
        test::TestApp t;
        ConversionWindow& w = t.window(kHeat);
        if (row.enter) {
            t.enter(kHeat, row.field, row.typed);
        } else {
            w.typeText(w.fieldIndex(row.field), row.typed);
        }
        const std::string where = std::string(row.typed) + " in " + row.field + ", " + row.button;
        w.clickButton(w.buttonIndex(row.button));
        expectShows(t, kHeat, row.shows, where);
        expectGauge(w, row.gauge, where);
        EXPECT_TRUE(t.host.events.empty()) << where;
    }
}

TEST(HeatWindow, StartsEmptyWithTheDesignGauge)
{
    test::TestApp t;
    const ConversionWindow& w = t.window(kHeat);
    EXPECT_EQ(w.title(), "ヨモギの単位計算－熱量");
    EXPECT_EQ(w.frame().mode(), 3);
    EXPECT_EQ(w.caption("IndMin"), "0");
    expectGauge(w, {"1000μJ", 1000, 0, "Command1"}, "design");
    for (int field = 0; field < HeatWindow::kFieldCount; ++field) {
        EXPECT_EQ(w.text(field), "");
    }
    // The field numbers the chains use are the rows of the field table; the erg stands first
    // in the tab order, at the top of the joule column, the slider after every field.
    struct Row {
        const char* name;
        const char* label;
        int tab;
    };
    const Row rows[] = {{"txtJ1", "μJ", 1},  {"txtJ2", "mJ", 2},          {"txtJ3", "J", 3},     {"txtJ4", "kJ", 4},
                        {"txtN1", "BTU", 5}, {"txtN2", "kgfm", 6},        {"txtN3", "Wh", 7},    {"txtC1", "erg", 0},
                        {"txtC2", "cal", 8}, {"txtC3", "Cal (kcal)", 9},  {"txtC4", "単位", 10}, {"txtE1", "keV", 11},
                        {"txtE2", "MeV", 12}, {"txtE3", "GeV", 13}};
    ASSERT_EQ(std::size(rows), static_cast<std::size_t>(HeatWindow::kFieldCount));
    ASSERT_EQ(w.layout().fields.size(), std::size(rows));
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const FieldSpec& row = w.layout().fields[i];
        EXPECT_EQ(w.fieldIndex(rows[i].name), static_cast<int>(i)) << rows[i].name;
        EXPECT_EQ(row.label, rows[i].label) << rows[i].name;
        EXPECT_EQ(row.tabIndex, rows[i].tab) << rows[i].name;
    }
    EXPECT_EQ(w.fieldColour(HeatWindow::txtC1), w.fieldColour(HeatWindow::txtJ1));
    EXPECT_EQ(w.layout().sliders.front().tabIndex, HeatWindow::kFieldCount);
}

TEST(HeatWindow, OverflowStopsTheChainAtTheFailingStep)
{
    test::TestApp t;
    const ConversionWindow& w = t.window(kHeat);
    t.enter(kHeat, "txtJ3", "1"); // 1 J
    // Cal, cal and J are written, the erg overflows: the rest keep 1 J, the gauge stays.
    t.enter(kHeat, "txtC4", "1E300");
    expectShows(t, kHeat,
                {{"txtC4", "1E300"}, {"txtC3", "8E+301"}, {"txtC2", "8E+304"}, {"txtJ3", "3.349E+305"},
                 {"txtC1", "10000000"}, {"txtJ1", "1000000"}, {"txtN1", "0.000947817122667013"},
                 {"txtE1", "6.241E+15"}},
                "overflow");
    expectGauge(w, {"1000mJ", 1000, 1000, "Command2"}, "overflow");
    ASSERT_EQ(t.host.events.size(), 1u);
    EXPECT_EQ(t.host.events[0].rfind("error heat ", 0), 0u);
}

} // namespace
} // namespace mezura
// clang-format on
