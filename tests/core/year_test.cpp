// The calendar window: era years, years before now, the names of a year, the era ruler.
#include "framework/numtext.h"
#include "test_host.h"
#include "windows/year.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace mezura {
namespace {

using Texts = std::vector<std::string>;

// txtW1, txtW2, txtJ5, txtJ1 ... txtJ4, then the names: 十干, 納音, 十二支, 九星.
Texts texts(test::TestApp& t)
{
    Texts shown;
    for (const char* f :
         {"txtW1", "txtW2", "txtJ5", "txtJ1", "txtJ2", "txtJ3", "txtJ4", "txtE1", "txtE2", "txtE3", "txtE4"}) {
        shown.push_back(t.text("year", f));
    }
    return shown;
}

struct Calendar : ::testing::Test {
    test::TestApp t; // the current year is 2026

    ConversionWindow& year() { return t.window("year"); }
    void enter(const char* field, const std::string& text) { t.enter("year", field, text); }
    void click(const char* control)
    {
        ConversionWindow& w = year();
        if (const int field = w.fieldIndex(control); field >= 0) {
            w.clickField(field);
        } else {
            w.clickButton(w.buttonIndex(control));
        }
    }
    Texts fields() { return texts(t); }
    std::string highlighted()
    {
        for (const ButtonSpec& button : year().layout().buttons) {
            if (year().buttonColour(year().buttonIndex(button.name)) == kHighlight) {
                return button.name;
            }
        }
        return "none";
    }
};

TEST_F(Calendar, EnterConvertsAYearEveryWayAndKeepsTheTypedText)
{
    struct Row {
        const char* field;
        const char* text;
        Texts fields;
    };
    // clang-format off
    const Row rows[] = {
        {"txtW1", "1984", {"1984", "42", "-34", "-4", "59", "73", "117", "甲 きのえ", "海中金", "子 ね", "七赤金星"}},
        {"txtW1", "1985", {"1985", "41", "-33", "-3", "60", "74", "118", "乙 きのと", "海中金", "丑 うし", "六白金星"}},
        {"txtW1", "1989", {"1989", "37", "-29", "1", "64", "78", "122", "己 つちのと", "大林木", "巳 み", "二黒土星"}},
        {"txtW1", "2000", {"2000", "26", "-18", "12", "75", "89", "133", "庚 かのえ", "白鑞金", "辰 たつ", "九紫火星"}},
        {"txtJ1", "12", {"2000", "26", "-18", "12", "75", "89", "133", "庚 かのえ", "白鑞金", "辰 たつ", "九紫火星"}},
        {"txtJ2", "1", {"1926", "100", "-92", "-62", "1", "15", "59", "丙 ひのえ", "爐中火", "寅 とら", "二黒土星"}},
        {"txtJ3", "1", {"1912", "114", "-106", "-76", "-13", "1", "45", "壬 みずのえ", "桑柘木", "子 ね", "七赤金星"}},
        {"txtJ4", "1", {"1868", "158", "-150", "-120", "-57", "-43", "1", "戊 つちのえ", "大林木", "辰 たつ", "六白金星"}},
        {"txtW2", "10", {"2016", "10", "-2", "28", "91", "105", "149", "丙 ひのえ", "山下火", "申 さる", "二黒土星"}},
        {"txtJ2", "1.0", {"1926", "100", "-92", "-62", "1.0", "15", "59", "丙 ひのえ", "爐中火", "寅 とら", "二黒土星"}},
        {"txtW1", "2026", {"2026", "0", "8", "38", "101", "115", "159", "丙 ひのえ", "天河水", "午 うま", "一白水星"}},
        {"txtJ5", "1", {"2019", "7", "1", "31", "94", "108", "152", "己 つちのと", "平地木", "亥 い", "八白土星"}},
        {"txtJ5", "８", {"2026", "0", "８", "38", "101", "115", "159", "丙 ひのえ", "天河水", "午 うま", "一白水星"}},
        {"txtW1", "１９８９", {"１９８９", "37", "-29", "1", "64", "78", "122", "己 つちのと", "大林木", "巳 み", "二黒土星"}},
        // The first year of an era in words, in an era field only; elsewhere 元 is no number.
        {"txtJ5", "元", {"2019", "7", "元", "31", "94", "108", "152", "己 つちのと", "平地木", "亥 い", "八白土星"}},
        {"txtJ1", "元年", {"1989", "37", "-29", "元年", "64", "78", "122", "己 つちのと", "大林木", "巳 み", "二黒土星"}},
        {"txtJ4", " 元 年", {"1868", "158", "-150", "-120", "-57", "-43", " 元 年", "戊 つちのえ", "大林木", "辰 たつ", "六白金星"}},
        {"txtJ2", "元号", {"1925", "101", "-93", "-63", "元号", "14", "58", "乙 きのと", "海中金", "丑 うし", "三碧木星"}},
        {"txtW1", "元", {"元", "2026", "-2018", "-1988", "-1925", "-1911", "-1867", "庚 かのえ", "柘榴木", "申 さる", "二黒土星"}},
    };
    // clang-format on
    for (const Row& row : rows) {
        test::TestApp fresh;
        fresh.enter("year", row.field, row.text);
        EXPECT_EQ(texts(fresh), row.fields) << row.field << ' ' << row.text;
        EXPECT_EQ(fresh.window("year").slider().value(), static_cast<int>(parseNumber(row.fields[0])))
            << row.field << ' ' << row.text;
        EXPECT_TRUE(fresh.host.events.empty()) << row.field << ' ' << row.text;
    }
}

TEST_F(Calendar, YearsBeforeNowFollowTheCurrentYear)
{
    t.host.year = 2030;
    enter("txtW2", "10");
    EXPECT_EQ(fields()[0], "2020");
    t.host.year = 2031;
    enter("txtW1", "2020");
    EXPECT_EQ(fields()[1], "11");
}

TEST_F(Calendar, NamesFollowTheirCyclesForEveryYearIncludingNegativeOnes)
{
    struct Row {
        double year;
        Texts names; // stem, 納音, branch, star
    };
    // clang-format off
    const Row rows[] = {
        {4, {"甲 きのえ", "海中金", "子 ね", "七赤金星"}},
        {0, {"庚 かのえ", "柘榴木", "申 さる", "二黒土星"}},
        {-1, {"己 つちのと", "天上火", "未 ひつじ", "三碧木星"}},
        {-6, {"甲 きのえ", "大渓水", "寅 とら", "八白土星"}},
        {-7, {"癸 みずのと", "桑柘木", "丑 うし", "九紫火星"}},   // stem index 0 before: no empty name
        {-10, {"庚 かのえ", "釵釧金", "戌 いぬ", "三碧木星"}},
        {40000, {"庚 かのえ", "壁上土", "子 ね", "七赤金星"}},
        // Each cycle rounds its own W + shift, halves to even.
        {1984.5, {"甲 きのえ", "海中金", "子 ね", "六白金星"}},
        {2147483591, {"辛 かのと", "路傍土", "未 ひつじ", "三碧木星"}},   // W + 56 is the largest 32-bit integer
        // Beyond 32 bits a year has no names.
        {2147483592, {"", "", "", ""}},
        {1e10, {"", "", "", ""}},
        {-2147483652.0, {"", "", "", ""}},
    };
    // clang-format on
    for (const Row& row : rows) {
        const YearWindow::Names n = YearWindow::names(row.year);
        EXPECT_EQ((Texts{n.stem, n.sound, n.branch, n.star}), row.names) << "year " << row.year;
    }

    // The sexagenary cycle repeats every 60 years, the nine-star every 9, with a name for each.
    for (int y = -500; y <= 3000; ++y) {
        const YearWindow::Names n = YearWindow::names(y);
        const YearWindow::Names later = YearWindow::names(y + 60);
        const YearWindow::Names star = YearWindow::names(y + 9);
        ASSERT_FALSE(n.stem.empty() || n.sound.empty() || n.branch.empty() || n.star.empty()) << y;
        ASSERT_EQ(n.stem, later.stem) << y;
        ASSERT_EQ(n.sound, later.sound) << y;
        ASSERT_EQ(n.branch, later.branch) << y;
        ASSERT_EQ(n.star, star.star) << y;
    }
}

TEST_F(Calendar, EraButtonsSetTheRulerAndNoField)
{
    struct Row {
        const char* button;
        int min;
        int max;
        const char* indMin;
        const char* indMax;
        int value; // the thumb, which stood at 2000
    };
    const Row rows[] = {
        {"Command2", 1868, 1912, "1868", "1912", 1912}, {"Command3", 1912, 1926, "1912", "1926", 1926},
        {"Command4", 1926, 1989, "1926", "1989", 1989}, {"Command5", 1989, 2019, "1989", "2019", 2000},
        {"Command7", 2019, 3000, "2019", "3000", 2019}, {"Command1", 0, 3000, "0", "3000", 2000},
    };
    for (const Row& row : rows) {
        test::TestApp fresh;
        fresh.enter("year", "txtW1", "2000");
        ConversionWindow& w = fresh.window("year");
        w.clickButton(w.buttonIndex(row.button));
        EXPECT_EQ(w.slider().min(), row.min) << row.button;
        EXPECT_EQ(w.slider().max(), row.max) << row.button;
        EXPECT_EQ(w.slider().value(), row.value) << row.button;
        EXPECT_EQ(w.caption("IndMin"), row.indMin) << row.button;
        EXPECT_EQ(w.caption("IndMax"), row.indMax) << row.button;
        EXPECT_EQ(fresh.text("year", "txtW1"), "2000") << row.button;
        EXPECT_EQ(fresh.text("year", "txtJ1"), "12") << row.button;
        for (const ButtonSpec& button : w.layout().buttons) {
            const bool lit = w.buttonColour(w.buttonIndex(button.name)) == kHighlight;
            EXPECT_EQ(lit, button.name == row.button) << row.button << " lights " << button.name;
        }
    }
}

TEST_F(Calendar, AYearOutsideTheRulerIsRewrittenAsItsEndUnlessTheThumbStandsThere)
{
    click("Command2"); // 明治: 1868 to 1912
    enter("txtW1", "2000");
    EXPECT_EQ(fields(),
              (Texts{"1912", "114", "-106", "-76", "-13", "1", "45", "壬 みずのえ", "桑柘木", "子 ね", "七赤金星"}));
    EXPECT_EQ(year().slider().value(), 1912);
    EXPECT_EQ(highlighted(), "Command2");

    enter("txtW1", "2000"); // the thumb stands at 1912 already: nothing moves, nothing is rewritten
    EXPECT_EQ(fields(),
              (Texts{"2000", "26", "-18", "12", "75", "89", "133", "庚 かのえ", "白鑞金", "辰 たつ", "九紫火星"}));
    EXPECT_EQ(year().slider().value(), 1912);

    enter("txtJ4", "-5"); // below the ruler: to its start, 1868
    EXPECT_EQ(
        fields(),
        (Texts{"1868", "158", "-150", "-120", "-57", "-43", "1", "戊 つちのえ", "大林木", "辰 たつ", "六白金星"}));
}

TEST_F(Calendar, DraggingTheShowaRulerWritesEveryYearAndReleasingChangesNothing)
{
    click("Command4");
    ConversionWindow& w = year();
    for (int y = 1926; y <= 1989; ++y) {
        w.dragTo(y);
        const Texts f = fields();
        ASSERT_EQ(f[0], std::to_string(y));
        ASSERT_EQ(f[1], std::to_string(2026 - y));
        ASSERT_EQ(f[2], std::to_string(y - 2018));
        ASSERT_EQ(f[4], std::to_string(y - 1925));
        const YearWindow::Names n = YearWindow::names(y);
        ASSERT_EQ((Texts{f[7], f[8], f[9], f[10]}), (Texts{n.stem, n.sound, n.branch, n.star})) << y;
    }
    w.dragRelease();
    EXPECT_EQ(fields(),
              (Texts{"1989", "37", "-29", "1", "64", "78", "122", "己 つちのと", "大林木", "巳 み", "二黒土星"}));
    EXPECT_EQ(w.slider().value(), 1989);

    w.slide(1950); // a click on the ruler
    EXPECT_EQ(fields(),
              (Texts{"1950", "76", "-68", "-38", "25", "39", "83", "庚 かのえ", "松柏木", "寅 とら", "五黄土星"}));
}

TEST_F(Calendar, NegativeAndHugeYearsNeverFailAndNeverShowAWrongName)
{
    struct Row {
        const char* before; // entered first, placing the thumb
        const char* text;
        Texts fields;
        int value;
    };
    // clang-format off
    const Row rows[] = {
        // The thumb at 0 already: the negative year stays, named by its place in the cycles.
        {"0", "-1", {"-1", "2027", "-2019", "-1989", "-1926", "-1912", "-1868", "己 つちのと", "天上火", "未 ひつじ", "三碧木星"}, 0},
        {"0", "-10", {"-10", "2036", "-2028", "-1998", "-1935", "-1921", "-1877", "庚 かのえ", "釵釧金", "戌 いぬ", "三碧木星"}, 0},
        // The thumb elsewhere: it goes to 0, and the year with it.
        {"1984", "-10", {"0", "2026", "-2018", "-1988", "-1925", "-1911", "-1867", "庚 かのえ", "柘榴木", "申 さる", "二黒土星"}, 0},
        // Beyond 16 bits the thumb goes to the end of the ruler, as any year above it.
        {"1984", "40000", {"3000", "-974", "982", "1012", "1075", "1089", "1133", "庚 かのえ", "柘榴木", "申 さる", "八白土星"}, 3000},
        {"3000", "40000", {"40000", "-37974", "37982", "38012", "38075", "38089", "38133", "庚 かのえ", "壁上土", "子 ね", "七赤金星"}, 3000},
        // Beyond 32 bits there are no names.
        {"3000", "1E10", {"1E10", "-9999997974", "9999997982", "9999998012", "9999998075", "9999998089", "9999998133", "", "", "", ""}, 3000},
        {"0", "-1E10", {"-1E10", "10000002026", "-10000002018", "-10000001988", "-10000001925", "-10000001911", "-10000001867", "", "", "", ""}, 0},
    };
    // clang-format on
    for (const Row& row : rows) {
        test::TestApp fresh;
        fresh.enter("year", "txtW1", row.before);
        fresh.enter("year", "txtW1", row.text);
        EXPECT_EQ(texts(fresh), row.fields) << row.before << " then " << row.text;
        EXPECT_EQ(fresh.window("year").slider().value(), row.value) << row.before << " then " << row.text;
        EXPECT_TRUE(fresh.host.events.empty()) << row.before << " then " << row.text;
    }
}

TEST_F(Calendar, AYearBeyondTheDoubleRangeIsReported)
{
    enter("txtW1", "1984");
    enter("txtW1", "1E999");
    EXPECT_EQ(t.host.events, std::vector<std::string>{"error year " + faultMessage(ArithmeticFault::Overflow)});
    EXPECT_EQ(fields()[1], "42"); // nothing was written
}

TEST_F(Calendar, NameFieldsAreForDisplayOnlyAndTheHelpButtonOpensTheCalendarTopic)
{
    enter("txtW1", "1984");
    click("txtE1");
    year().keyPress(year().fieldIndex("txtE2"), 13);
    click("txtW2");
    EXPECT_EQ(fields(),
              (Texts{"1984", "", "-34", "-4", "59", "73", "117", "甲 きのえ", "海中金", "子 ね", "七赤金星"}));

    click("Command6");
    EXPECT_EQ(t.host.events, std::vector<std::string>{"help 1070"});
    EXPECT_EQ(highlighted(), "Command1");
    EXPECT_EQ(year().layout().fields.at(static_cast<std::size_t>(year().fieldIndex("txtJ4"))).label, "明治\u3000");
}

} // namespace
} // namespace mezura
