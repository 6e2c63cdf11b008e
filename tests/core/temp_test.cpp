// The temperature window: conversions, colouring, its gauge, and failures.
#include "test_host.h"
#include "windows/temp.h"

#include <gtest/gtest.h>
#include <sstream>

namespace mezura {
namespace {

struct EnterRow {
    const char* field;
    const char* typed;
    const char* cels;
    const char* fahr;
    const char* kelvin;
    int max;
    int value;
    const char* indMax;
    const char* highlight;
    Colour colour;
    bool beep;
};

std::string highlighted(const ConversionWindow& w)
{
    for (std::size_t i = 0; i < w.layout().buttons.size(); ++i) {
        if (w.buttonColour(static_cast<int>(i)) == kHighlight) {
            return w.layout().buttons[i].name;
        }
    }
    return "none";
}

TEST(TempWindow, EnterConvertsColoursAndMovesTheGauge)
{
    constexpr Colour cyan = 0xFFFFC0, yellow = 0xC0FFFF, red = 0xC0C0FF;
    const EnterRow rows[] = {
        {"txtCels", "", "", "32", "273.15", 300, 273, " 300", "Command1", cyan, false},
        {"txtCels", "100", "100", "212", "373.15", 1000, 373, " 1000", "Command2", red, false},
        {"txtCels", "4", "4", "39.2", "277.15", 300, 277, " 300", "Command1", yellow, false},
        {"txtCels", "99.9", "99.9", "211.82", "373.05", 1000, 373, " 1000", "Command2", yellow, false},
        {"txtFahr", "-40", "-40", "-40", "233.15", 300, 233, " 300", "Command1", cyan, false},
        {"txtCels", "-300", "-273.15", "-459.67", "0", 300, 0, " 300", "Command1", cyan, true},
        {"txtKervin", "30000", "29726.85", "53540.33", "30000", 30000, 30000, " 30000", "Command5", red, false},
        {"txtKervin", "30000.5", "-273.15", "-459.67", "0", 300, 0, " 300", "Command1", cyan, true},
        {"txtKervin", "300", "26.85", "80.33", "300", 300, 300, " 300", "Command1", yellow, false},
        {"txtKervin", "3000", "2726.85", "4940.33", "3000", 3000, 3000, " 3000", "Command3", red, false},
        {"txtKervin", "273.5", "0.350000000000023", "32.63", "273.5", 300, 274, " 300", "Command1", cyan, false},
        {"txtCels", "1,5", "1,5", "33.8", "274.15", 300, 274, " 300", "Command1", cyan, false},
        {"txtCels", "12abc", "12abc", "53.6", "285.15", 300, 285, " 300", "Command1", yellow, false},
        {"txtKervin", "&H10", "-257.15", "-430.87", "&H10", 300, 16, " 300", "Command1", cyan, false},
        {"txtKervin", "2D3", "1726.85", "3140.33", "2D3", 3000, 2000, " 3000", "Command3", red, false},
    };
    for (const EnterRow& row : rows) {
        test::TestApp t;
        t.enter("temp", row.field, row.typed);
        const auto& w = dynamic_cast<const TempWindow&>(t.window("temp"));
        const std::string where = std::string(row.field) + " <- \"" + row.typed + '"';
        EXPECT_EQ(t.text("temp", "txtCels"), row.cels) << where;
        EXPECT_EQ(t.text("temp", "txtFahr"), row.fahr) << where;
        EXPECT_EQ(t.text("temp", "txtKervin"), row.kelvin) << where;
        EXPECT_EQ(w.slider().max(), row.max) << where;
        EXPECT_EQ(w.slider().value(), row.value) << where;
        EXPECT_EQ(w.caption("IndMax"), row.indMax) << where;
        EXPECT_EQ(highlighted(w), row.highlight) << where;
        EXPECT_EQ(w.colour(), row.colour) << where;
        EXPECT_EQ(t.host.events.size(), row.beep ? 1u : 0u) << where;
    }
}

TEST(TempWindow, StartsEmptyWithTheDesignGauge)
{
    test::TestApp t;
    const ConversionWindow& w = t.window("temp");
    EXPECT_EQ(w.title(), "ヨモギの単位計算－温度");
    EXPECT_EQ(w.slider().max(), 3000);
    EXPECT_EQ(w.slider().value(), 0);
    EXPECT_EQ(w.caption("IndMax"), "300K");
    EXPECT_EQ(highlighted(w), "Command1");
    EXPECT_EQ(w.frame().mode(), 2);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(w.text(i), "");
    }
}

TEST(TempWindow, SliderWritesKelvinAndTheOtherFieldsFollow)
{
    test::TestApp t;
    ConversionWindow& w = t.window("temp");
    t.enter("temp", "txtCels", "100"); // range 1000, thumb 373
    w.drag({300, 273});
    EXPECT_EQ(t.text("temp", "txtKervin"), "273");
    EXPECT_EQ(t.text("temp", "txtCels"), "-0.149999999999977");
    EXPECT_EQ(t.text("temp", "txtFahr"), "31.73");
    EXPECT_EQ(w.slider().max(), 1000); // no range choice while sliding
    EXPECT_EQ(w.caption("IndMax"), " 1000");

    w.slide(274);
    EXPECT_EQ(t.text("temp", "txtKervin"), "274");
    EXPECT_EQ(t.text("temp", "txtCels"), "0.850000000000023");
    EXPECT_EQ(dynamic_cast<TempWindow&>(w).colour(), 0xFFFFC0u);
    w.slide(500);
    EXPECT_EQ(t.text("temp", "txtCels"), "226.85");
    EXPECT_EQ(dynamic_cast<TempWindow&>(w).colour(), 0xC0C0FFu);
}

TEST(TempWindow, RangeButtonsChangeNoField)
{
    test::TestApp t;
    ConversionWindow& w = t.window("temp");
    t.enter("temp", "txtKervin", "2000");
    ASSERT_EQ(w.slider().value(), 2000);
    w.clickButton(w.buttonIndex("Command1"));
    EXPECT_EQ(w.slider().max(), 300);
    EXPECT_EQ(w.slider().value(), 300); // the thumb went to the right end
    EXPECT_EQ(w.caption("IndMax"), "300K");
    EXPECT_EQ(highlighted(w), "Command1");
    EXPECT_EQ(t.text("temp", "txtKervin"), "2000");
    EXPECT_EQ(t.text("temp", "txtCels"), "1726.85");

    w.clickButton(w.buttonIndex("Command5"));
    EXPECT_EQ(w.slider().max(), 30000);
    EXPECT_EQ(w.caption("IndMax"), "30000K");
    EXPECT_EQ(highlighted(w), "Command5");
    EXPECT_EQ(t.text("temp", "txtKervin"), "2000");
}

TEST(TempWindow, ArithmeticFailureStopsAtTheFailingStep)
{
    test::TestApp t;
    ConversionWindow& w = t.window("temp");
    t.enter("temp", "txtCels", "20");

    // The kelvin text itself lies beyond the double range: nothing is written.
    t.enter("temp", "txtKervin", "1E999");
    EXPECT_EQ(t.text("temp", "txtCels"), "20");
    EXPECT_EQ(t.text("temp", "txtFahr"), "68");
    ASSERT_EQ(t.host.events.size(), 1u);
    EXPECT_EQ(t.host.events[0].rfind("error temp ", 0), 0u);

    // Celsius converts, but Fahrenheit overflows: the chain stops before kelvin and the gauge.
    t.enter("temp", "txtCels", "1.7E308");
    EXPECT_EQ(t.text("temp", "txtFahr"), "68");
    EXPECT_EQ(t.text("temp", "txtKervin"), "1E999");
    EXPECT_EQ(w.slider().value(), 293);
    EXPECT_EQ(t.host.events.size(), 2u);

    // From kelvin, Celsius is written before Fahrenheit fails; the gauge does not run.
    t.enter("temp", "txtKervin", "1E308");
    EXPECT_EQ(t.text("temp", "txtCels"), "1E+308");
    EXPECT_EQ(t.text("temp", "txtFahr"), "68");
    EXPECT_EQ(w.slider().value(), 293);
    ASSERT_EQ(t.host.events.size(), 3u);
    EXPECT_EQ(t.host.events[2].rfind("error temp ", 0), 0u);
}

TEST(TempWindow, HugeKelvinTypedWithoutEnterLetsTheSliderRewrite)
{
    test::TestApp t;
    ConversionWindow& w = t.window("temp");
    t.enter("temp", "txtKervin", "250");
    w.typeText(w.fieldIndex("txtKervin"), "1E10"); // beyond 16 bits, no Enter
    w.slide(251);
    EXPECT_EQ(t.text("temp", "txtKervin"), "251");
    EXPECT_EQ(t.text("temp", "txtCels"), "-22.15");
}

TEST(TempWindow, DumpNamesEveryField)
{
    test::TestApp t;
    t.enter("temp", "txtCels", "100");
    std::ostringstream out;
    t.window("temp").dump(out);
    EXPECT_EQ(out.str(),
              "temp.visible=0\n"
              "temp.mode=2\n"
              "temp.size=3435x2280\n"
              "temp.state=normal\n"
              "temp.txtCels=100\n"
              "temp.txtFahr=212\n"
              "temp.txtKervin=373.15\n"
              "temp.min=0\n"
              "temp.max=1000\n"
              "temp.value=373\n"
              "temp.IndMin=0\n"
              "temp.IndMax= 1000\n"
              "temp.highlight=Command2\n"
              "temp.color=&HC0C0FF\n");
}

} // namespace
} // namespace mezura
