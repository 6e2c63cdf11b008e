// The weight window: its chains, the grain text shared by three fields, its gauge in mg, g,
// kg and t, and its failures.
#include "framework/numtext.h"
#include "test_host.h"
#include "windows/weight.h"

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

constexpr const char* kWeight = "weight";

const Gauge kMilligrams{"1000mg", 1000, 0, "Command1"}; // where every reset ends

void expectEnterRows(const std::vector<test::EnterRow>& rows)
{
    test::expectEnterRows(kWeight, rows);
}

TEST(WeightWindow, EnterConvertsEveryGroupAndPicksTheRange)
{
    // clang-format off
    expectEnterRows({
        // one pound: the avoirdupois fan-out, the grain in all three grain fields
        {"txtI4", "1",
         {{"txtI4", "1"}, {"txtI1", "7000"}, {"txtT1", "7000"}, {"txtA1", "7000"}, {"txtI2", "256"}, {"txtI3", "16"},
          {"txtI5", "0.01"}, {"txtI6", "0.00892857142857143"}, {"txtI7", "0.0005"}, {"txtI8", "0.000446428571428571"},
          {"txtC2", "453.59237"}, {"txtC1", "453592.37"}, {"txtC3", "0.45359237"}, {"txtC4", "0.00045359237"},
          {"txtS1", "120.957965333333"}, {"txtS2", "0.755987283333331"}, {"txtS3", "0.120957965333333"},
          {"txtA2", "350"}, {"txtA3", "116.666666666667"}, {"txtT2", "291.666666666667"},
          {"txtT3", "14.5833333333333"}, {"txtA4", "14.5833333333333"}, {"txtT4", "1.21527777777778"},
          {"txtA5", "1.21527777777778"}},
         {"1000kg", 1000, 0, "Command3"}},
        // one 貫: the grams from the 匁
        {"txtS3", "1",
         {{"txtS3", "1"}, {"txtS1", "1000"}, {"txtS2", "6.25"}, {"txtC2", "3750"}, {"txtC3", "3.75"},
          {"txtC1", "3750000"}, {"txtC4", "0.00375"}, {"txtI4", "8.26733483193291"}},
         {"30000t", 30000, 0, "Command4"}},
        {"txtS1", "1",
         {{"txtC2", "3.75"}, {"txtS2", "0.00625"}, {"txtS3", "0.001"}, {"txtI1", "57.8713438235304"},
          {"txtT1", "57.8713438235304"}},
         {"1000kg", 1000, 0, "Command3"}},
        // one troy ounce: the grain first, the grams through the pound
        {"txtT3", "1",
         {{"txtT3", "1"}, {"txtI1", "480"}, {"txtT1", "480"}, {"txtA1", "480"}, {"txtT2", "20"}, {"txtA2", "24"},
          {"txtA3", "8"}, {"txtA4", "1"}, {"txtT4", "0.0833333333333333"}, {"txtI4", "0.0685714285714286"},
          {"txtC2", "31.1034768"}, {"txtC4", "3.11E-05"}, {"txtI7", "3.428E-05"}, {"txtS1", "8.29426048"}},
         {"1000kg", 1000, 0, "Command3"}},
        // the pound's rounding shows in the grams: 150 grains are not quite 9.7198365 g
        {"txtA3", "2.5",
         {{"txtA3", "2.5"}, {"txtI1", "150"}, {"txtT1", "150"}, {"txtA1", "150"}, {"txtA2", "7.5"},
          {"txtA4", "0.3125"}, {"txtI4", "0.0214285714285714"}, {"txtC2", "9.71983649999999"}},
         {"1000kg", 1000, 0, "Command3"}},
        // one long ton
        {"txtI8", "1",
         {{"txtI4", "2240"}, {"txtI6", "20"}, {"txtI7", "1.12"}, {"txtI1", "15680000"}, {"txtC2", "1016046.9088"},
          {"txtC3", "1016.0469088"}, {"txtC4", "1.0160469088"}},
         {"30000t", 30000, 1, "Command4"}},
    });
    // clang-format on
}

TEST(WeightWindow, MilligramsAreWrittenBackAndTheBoundsAreOneUnitInclusive)
{
    // clang-format off
    expectEnterRows({
        // the milligram field gets its own value back through the grams
        {"txtC1", "1,000", {{"txtC1", "1"}, {"txtC2", "0.001"}, {"txtC3", "1E-06"}, {"txtC4", "1E-09"}},
         {"1000mg", 1000, 1, "Command1"}},
        {"txtC1", "5kg", {{"txtC1", "5"}, {"txtC2", "0.005"}, {"txtC3", "5E-06"}}, {"1000g", 1000, 0, "Command2"}},
        {"txtC1", "750", {{"txtC1", "750"}, {"txtC2", "0.75"}, {"txtC3", "0.00075"}}, {"1000g", 1000, 1, "Command2"}},
        // 1 g is the top of the gram range, 500 g already in kilograms, 1.5 kg in tonnes
        {"txtC2", "1", {{"txtC2", "1"}, {"txtC1", "1000"}, {"txtC3", "0.001"}}, {"1000g", 1000, 1, "Command2"}},
        {"txtC2", "500", {{"txtC3", "0.5"}}, {"1000kg", 1000, 0, "Command3"}},
        {"txtC3", "1", {{"txtC2", "1000"}, {"txtC4", "0.001"}}, {"1000kg", 1000, 1, "Command3"}},
        {"txtC3", "1.5", {{"txtC3", "1.5"}, {"txtC4", "0.0015"}, {"txtS1", "400"}}, {"30000t", 30000, 0, "Command4"}},
        {"txtC2", "1000000", {{"txtC3", "1000"}, {"txtC4", "1"}}, {"30000t", 30000, 1, "Command4"}},
        {"txtC4", "30000",
         {{"txtC4", "30000"}, {"txtC3", "30000000"}, {"txtC2", "30000000000"}, {"txtC1", "30000000000000"}},
         {"30000t", 30000, 30000, "Command4"}},
    });
    // clang-format on
}

TEST(WeightWindow, TheThreeGrainFieldsShareOneText)
{
    // clang-format off
    expectEnterRows({
        // typed text goes unchanged into the other grain fields; the others read its number
        {"txtT1", "12abc",
         {{"txtT1", "12abc"}, {"txtI1", "12abc"}, {"txtA1", "12abc"}, {"txtT2", "0.5"}, {"txtA2", "0.6"},
          {"txtI4", "0.00171428571428571"}, {"txtC2", "0.777586919999998"}},
         {"1000g", 1000, 1, "Command2"}},
        // full-width text reaches them in ASCII, as every written field
        {"txtT1", "１２ａｂｃ",
         {{"txtT1", "１２ａｂｃ"}, {"txtI1", "12abc"}, {"txtA1", "12abc"}, {"txtT2", "0.5"}, {"txtA2", "0.6"}},
         {"1000g", 1000, 1, "Command2"}},
        {"txtI1", "2e3",
         {{"txtI1", "2e3"}, {"txtT1", "2e3"}, {"txtA1", "2e3"}, {"txtA2", "100"}, {"txtI4", "0.285714285714286"},
          {"txtC2", "129.59782"}},
         {"1000kg", 1000, 0, "Command3"}},
        {"txtA1", "", {{"txtA1", ""}, {"txtI1", ""}, {"txtT1", ""}, {"txtI4", "0"}, {"txtC2", "0"}, {"txtT4", "0"}},
         kMilligrams},
        // a computed grain is copied as written
        {"txtT2", "1", {{"txtI1", "24"}, {"txtT1", "24"}, {"txtA1", "24"}, {"txtA2", "1.2"}, {"txtC2", "1.55517384"}},
         {"1000kg", 1000, 0, "Command3"}},
    });
    // clang-format on
}

TEST(WeightWindow, OutOfRangeResetsEveryFieldToZero)
{
    // above 30000000 kg or below 0, from any group
    // clang-format off
    const char* rows[][2] = {{"txtC4", "30001"},   {"txtC3", "-1"},      {"txtC1", "-1"},  {"txtI7", "33070"},
                             {"txtS3", "8000001"}, {"txtT4", "-0.001"}, {"txtA1", "-5"}};
    // clang-format on
    for (const auto& row : rows) {
        test::TestApp t;
        t.enter(kWeight, "txtI4", "1"); // away from the lowest range first
        t.enter(kWeight, row[0], row[1]);
        const std::string where = std::string(row[0]) + " <- " + row[1];
        const ConversionWindow& w = t.window(kWeight);
        for (int field = 0; field < WeightWindow::kFieldCount; ++field) {
            EXPECT_EQ(w.text(field), "0") << where << ": " << w.layout().fields[field].name;
        }
        expectGauge(w, kMilligrams, where);
        EXPECT_EQ(t.host.events, std::vector<std::string>{"beep weight"}) << where;
    }
}

// Units in grams, from their definitions: every chain must agree with them to the four
// digits the limiter keeps. The milligram field is the one its own chain writes back.
constexpr double kPound = 453.59237;
constexpr double kGrain = kPound / 7000;
constexpr double kMomme = 3.75;
// clang-format off
const test::UnitSize kUnitSizes[] = {
    {WeightWindow::txtC1, 1e-3, false},
    {WeightWindow::txtC2, 1},
    {WeightWindow::txtC3, 1e3},
    {WeightWindow::txtC4, 1e6},
    {WeightWindow::txtI1, kGrain},
    {WeightWindow::txtI2, kPound / 256},
    {WeightWindow::txtI3, kPound / 16},
    {WeightWindow::txtI4, kPound},
    {WeightWindow::txtI5, kPound * 100},
    {WeightWindow::txtI6, kPound * 112},
    {WeightWindow::txtI7, kPound * 2000},
    {WeightWindow::txtI8, kPound * 2240},
    {WeightWindow::txtS1, kMomme},
    {WeightWindow::txtS2, kMomme * 160},
    {WeightWindow::txtS3, kMomme * 1000},
    {WeightWindow::txtT1, kGrain},
    {WeightWindow::txtT2, kGrain * 24},
    {WeightWindow::txtT3, kGrain * 480},
    {WeightWindow::txtT4, kGrain * 5760},
    {WeightWindow::txtA1, kGrain},
    {WeightWindow::txtA2, kGrain * 20},
    {WeightWindow::txtA3, kGrain * 60},
    {WeightWindow::txtA4, kGrain * 480},
    {WeightWindow::txtA5, kGrain * 5760},
};
// clang-format on

TEST(WeightWindow, EveryChainWritesEveryOtherFieldConsistently)
{
    test::expectEveryChainWritesEveryField(kWeight, kUnitSizes);
}

TEST(WeightWindow, SliderWritesKilogramsInTheUnitOfTheRange)
{
    test::TestApp t;
    ConversionWindow& w = t.window(kWeight);
    t.enter(kWeight, "txtC2", "1");
    expectGauge(w, {"1000g", 1000, 1, "Command2"}, "1 g");

    // Each move of the drag rewrites the window; the release finds the fields in step.
    w.dragTo(250);
    expectShows(t, kWeight, {{"txtC3", "0.25"}, {"txtC2", "250"}}, "drag at 250");
    w.dragTo(500);
    w.dragRelease();
    expectShows(t, kWeight,
                // clang-format off
                {{"txtC3", "0.5"}, {"txtC2", "500"}, {"txtC1", "500000"}, {"txtC4", "0.0005"},
                 {"txtS1", "133.333333333333"}, {"txtI4", "1.10231131092439"}, {"txtI1", "7716.17917647073"},
                 {"txtT1", "7716.17917647073"}, {"txtA2", "385.808958823536"}},
                // clang-format on
                "drag to 500");
    expectGauge(w, {"1000g", 1000, 500, "Command2"}, "drag to 500"); // the range stays

    // clang-format off
    const test::SlideRow slides[] = {
        {nullptr, 501, {{"txtC3", "0.501"}, {"txtC2", "501"}, {"txtC1", "501000"}, {"txtS3", "0.1336"}},
         {"1000g", 1000, 501, "Command2"}},
        {"Command3", 7, {{"txtC3", "7"}, {"txtC2", "7000"}, {"txtC1", "7000000"}, {"txtC4", "0.007"}},
         {"1000kg", 1000, 7, "Command3"}},
        // the mg button clamps 7000000 mg to 1 g first; the slider then writes 3 mg
        {"Command1", 3,
         {{"txtC3", "3E-06"}, {"txtC2", "0.003"}, {"txtC1", "3"}, {"txtC4", "3E-09"}, {"txtI1", "0.046291"}},
         {"1000mg", 1000, 3, "Command1"}},
        {"Command4", 12, {{"txtC3", "12000"}, {"txtC2", "12000000"}, {"txtC4", "12"}, {"txtS1", "3200000"}},
         {"30000t", 30000, 12, "Command4"}},
        // at the end of the scale the range does not move on
        {nullptr, 30000, {{"txtC3", "30000000"}, {"txtC1", "30000000000000"}, {"txtS3", "8000000"}},
         {"30000t", 30000, 30000, "Command4"}},
    };
    // clang-format on
    test::expectSlides(t, kWeight, slides);
    EXPECT_TRUE(t.host.events.empty());
}

TEST(WeightWindow, RangeButtonsClampTheGrams)
{
    // clang-format off
    const test::ButtonRow rows[] = {
        // over the top: the grams get the range's top as integer text, every group follows;
        // the thumb stays
        {"txtC3", "2500", true, {"Command3"},
         {{"txtC2", "1000000"}, {"txtC3", "1000"}, {"txtC1", "1000000000"}, {"txtC4", "1"},
          {"txtI4", "2204.62262184878"}, {"txtS3", "266.666666666667"}, {"txtT1", "15432358.3529415"}},
         {"1000kg", 1000, 2, "Command3"}},
        {"txtC2", "1500", true, {"Command2"},
         {{"txtC2", "1000"}, {"txtC1", "1000000"}, {"txtC3", "1"}, {"txtC4", "0.001"}, {"txtA1", "15432.3583529415"}},
         {"1000g", 1000, 0, "Command2"}},
        {"txtC1", "1500", true, {"Command1"},
         {{"txtC2", "1"}, {"txtC1", "1000"}, {"txtC3", "0.001"}, {"txtC4", "1E-06"}, {"txtS1", "0.266666666666667"}},
         kMilligrams},
        {"txtC2", "500", true, {"Command2", "Command1"}, {{"txtC2", "1"}, {"txtC1", "1000"}},
         {"1000mg", 1000, 500, "Command1"}},
        // a value at the top is no clamp: only the thumb moves, the fields keep their text
        {"txtC3", "1000", true, {"Command3"}, {{"txtC3", "1000"}, {"txtC2", "1000000"}},
         {"1000kg", 1000, 1000, "Command3"}},
        {"txtC2", "1000", true, {"Command2"}, {{"txtC2", "1000"}, {"txtC3", "1"}}, {"1000g", 1000, 1000, "Command2"}},
        {"txtC1", "1000", true, {"Command1"}, {{"txtC1", "1000"}, {"txtC2", "1"}}, {"1000mg", 1000, 1000, "Command1"}},
        {"txtC2", "500", true, {"Command2"}, {{"txtC2", "500"}, {"txtC3", "0.5"}}, {"1000g", 1000, 500, "Command2"}},
        // the ton button has no clamp: a value above its scale puts the thumb at the end
        {"txtC4", "40000", false, {"Command4"}, {{"txtC4", "40000"}, {"txtC3", ""}},
         {"30000t", 30000, 30000, "Command4"}},
        // a negative value typed without Enter: the thumb stops at 0, no field changes
        {"txtC2", "-5", false, {"Command2"}, {{"txtC2", "-5"}, {"txtC1", ""}}, {"1000g", 1000, 0, "Command2"}},
    };
    // clang-format on
    test::expectButtonRows(kWeight, rows);
}

TEST(WeightWindow, StartsEmptyWithTheDesignGauge)
{
    test::TestApp t;
    const ConversionWindow& w = t.window(kWeight);
    EXPECT_EQ(w.title(), "ヨモギの単位計算－重さ");
    EXPECT_EQ(w.frame().mode(), 3);
    EXPECT_EQ(w.frame().size().width, 3400);
    EXPECT_EQ(w.frame().size().height, 5880);
    EXPECT_EQ(w.caption("IndMin"), "0");
    expectGauge(w, {"1000mg", 100, 0, "Command1"}, "design");

    // The field numbers the chains use are the rows of the field table; each label stands
    // directly above its field; troy and apothecaries' fields sit in their frames.
    const char* names[] = {"txtC1", "txtC2", "txtC3", "txtC4", "txtI1", "txtI2", "txtI3", "txtI4",
                           "txtI5", "txtI6", "txtI7", "txtI8", "txtS1", "txtS2", "txtS3", "txtT1",
                           "txtT2", "txtT3", "txtT4", "txtA1", "txtA2", "txtA3", "txtA4", "txtA5"};
    ASSERT_EQ(std::size(names), static_cast<std::size_t>(WeightWindow::kFieldCount));
    ASSERT_EQ(w.layout().fields.size(), std::size(names));
    for (std::size_t i = 0; i < std::size(names); ++i) {
        const FieldSpec& field = w.layout().fields[i];
        EXPECT_EQ(w.fieldIndex(names[i]), static_cast<int>(i)) << names[i];
        EXPECT_EQ(w.text(static_cast<int>(i)), "") << names[i];
        EXPECT_EQ(field.tabIndex, static_cast<int>(i)) << names[i];
        EXPECT_EQ(field.labelLeft, field.field.left) << names[i];
        EXPECT_EQ(field.labelTop + field.labelHeight, field.field.top) << names[i];
        const char* box = field.name[3] == 'T' ? "金衡系" : field.name[3] == 'A' ? "薬局系" : nullptr;
        std::string caption;
        for (const BoxSpec& each : w.layout().boxes) {
            if (each.name == field.box) {
                caption = each.caption;
            }
        }
        EXPECT_EQ(caption, box == nullptr ? "" : box) << names[i];
    }
    EXPECT_EQ(w.layout().sliders.front().tabIndex, WeightWindow::kFieldCount);
}

TEST(WeightWindow, OverflowStopsTheChainAtTheFailingStep)
{
    struct Row {
        const char* field;
        const char* typed;
        std::vector<Shows> shows;
    };
    // clang-format off
    const Row rows[] = {
        // kilograms are written, the grams overflow: the rest keep 1 g
        {"txtC4", "1E305",
         {{"txtC4", "1E305"}, {"txtC3", "1E+308"}, {"txtC2", "1"}, {"txtC1", "1000"},
          {"txtI4", "0.00220462262184878"}}},
        // inside lineC: the grains, the apothecaries' group and lineI2 are written, the
        // milligrams overflow, so the kilograms, 匁 and troy fields keep 1 g
        {"txtA5", "1E304",
         {{"txtI1", "5.76E+307"}, {"txtA1", "5.76E+307"}, {"txtA4", "1.2E+305"}, {"txtI4", "8.228E+303"},
          {"txtC2", "3.732E+306"}, {"txtC1", "1000"}, {"txtC3", "0.001"}, {"txtS1", "0.266666666666667"},
          {"txtT1", "15.4323583529415"}}},
    };
    // clang-format on
    for (const Row& row : rows) {
        test::TestApp t;
        const ConversionWindow& w = t.window(kWeight);
        t.enter(kWeight, "txtC2", "1");
        t.enter(kWeight, row.field, row.typed);
        const std::string where = std::string(row.typed) + " in " + row.field;
        expectShows(t, kWeight, row.shows, where);
        expectGauge(w, {"1000g", 1000, 1, "Command2"}, where); // the gauge stays
        ASSERT_EQ(t.host.events.size(), 1u) << where;
        EXPECT_EQ(t.host.events[0].rfind("error weight ", 0), 0u) << where;
    }
}

} // namespace
} // namespace mezura
