#include "framework/arith.h"
#include "framework/fitnumber.h"
#include "framework/fullwidth.h"
#include "framework/notes.h"
#include "framework/numtext.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <utility>

namespace mezura {
namespace {

struct ParseRow {
    const char* text;
    double value;
};

TEST(NumberParse, ReadsAsMuchAsContinuesTheNumber)
{
    // clang-format off
    const ParseRow rows[] = {
        {"", 0},          {"abc", 0},        {"12abc", 12},     {"1,000", 1},     {"1,5", 1},
        {"1.5.5", 1.5},   {"2D3", 2000},     {"2e3", 2000},     {"2d3", 2000},    {"2E+3", 2000},
        {"2e-3", 0.002},  {"2e", 2},         {"2e+", 2},        {"&H10", 16},     {"&h1f", 31},
        {"&O17", 15},     {"&o8", 0},        {"&H", 0},         {"&X1", 0},       {"-5", -5},
        {"+5", 5},        {"-", 0},          {".5", 0.5},       {"-.5", -0.5},    {"5.", 5},
        {".", 0},         {" 1 2 3 ", 123},  {"\t-\n4", -4},    {"1 e 2", 100},   {"1\r2", 1},
        {"0.1", 0.1},     {"273.15", 273.15}, {"1E-999", 0},    {"--1", 0},       {"1+1", 1},
        {"1e-310", 1e-310}, {"-1E-400", -0.0}, {"0E99999999999999999999", 0}, {"0.00001E-320", 0},
        {"00012", 12},    {"+.5e+1", 5},
    };
    // clang-format on
    for (const ParseRow& row : rows) {
        EXPECT_EQ(parseNumber(row.text), row.value) << "text: \"" << row.text << '"';
    }
}

// What an input method in full-width mode types reads as the ASCII it stands for.
TEST(NumberParse, ReadsFullWidthAndMixedInputAsASCII)
{
    // clang-format off
    const ParseRow rows[] = {
        {"１９８９", 1989},          {"１００", 100},           {"1００", 100},          {"１0０", 100},
        {"－４０", -40},             {"\u2212４０", -40},       {"＋５", 5},             {"１．５", 1.5},
        {"２Ｅ３", 2000},            {"２ｅ－３", 0.002},       {"２Ｄ３", 2000},        {"２ｄ＋３", 2000},
        {"＆Ｈ１０", 16},            {"＆ｈ１ｆ", 31},          {"＆Ｏ１７", 15},        {"&Ｈ1Ｆ", 31},
        {"１\u3000２", 12},          {"\u3000－\u3000１", -1}, {"１，５", 1},           {"１２ａｂｃ", 12},
        {"１．５．５", 1.5},          {"ｱ1", 0},               {"1ｱ", 1},              {"１\uFF5F２", 1},
        {"\xEF\xBC", 0},             {"1\xEF\xBC\x91", 11},   {"1\xEF\xBC", 1},       {"\xEF\xBC\x80" "1", 0},
    };
    // clang-format on
    for (const ParseRow& row : rows) {
        EXPECT_EQ(parseNumber(row.text), row.value) << "text: \"" << row.text << '"';
    }
}

// What an input method commits in its default mode reads as meant, and the parse tells
// whether it read the whole text, a start of it or nothing: the field typed into is marked
// with the sentence unreadInputNote gives.
TEST(NumberParse, TellsHowMuchOfTheTextItRead)
{
    struct Row {
        const char* text;
        double value;
        ReadExtent extent;
    };
    constexpr ReadExtent all = ReadExtent::All, start = ReadExtent::Start, none = ReadExtent::None;
    // clang-format off
    const Row rows[] = {
        {"。５", 0.5, all},     {"｡５", 0.5, all},     {"１。５", 1.5, all},  {"ー４０", -40, all},
        {"ｰ４０", -40, all},   {"‐１", -1, all},      {"‑１", -1, all},     {"–１", -1, all},
        {"—１", -1, all},      {"―１", -1, all},      {"﹣１", -1, all},     {"‒１", 0, none},
        {"１ー", 1, start},     {"１，０００", 1, start},   {"1,000", 1, start},      {"1.5.2", 1.5, start},
        {"12abc", 12, start},       {"2e", 2, start},          {"2e+", 2, start},        {"&H1G", 1, start},
        {"abc", 0, none},           {"-", 0, none},            {".", 0, none},           {"&X1", 0, none},
        {"&H", 0, none},            {"ー", 0, none},           {"", 0, all},             {" 　	", 0, all},
        {" 1 2 ", 12, all},         {"2e3", 2000, all},        {"&H1F", 31, all},        {"-.5", -0.5, all},
    };
    // clang-format on
    for (const Row& row : rows) {
        const NumberReading reading = readNumber(row.text);
        EXPECT_EQ(reading.value, row.value) << "text: \"" << row.text << '"';
        EXPECT_EQ(reading.extent, row.extent) << "text: \"" << row.text << '"';
        EXPECT_EQ(parseNumber(row.text), row.value) << "text: \"" << row.text << '"';
        EXPECT_EQ(unreadInputNote(row.text).empty(), row.extent == all) << "text: \"" << row.text << '"';
    }
    EXPECT_EQ(unreadInputNote("1.5.2"), "「1.5.2」は 1.5 として換算しました。");
    EXPECT_EQ(unreadInputNote("１，０００"), "「１，０００」は 1 として換算しました。");
    EXPECT_EQ(unreadInputNote("abc"), "「abc」は数値として読めないため 0 として換算しました。");
    EXPECT_EQ(unreadInputNote(std::string(30, 'x')),
              "「" + std::string(24, 'x') + "…」は数値として読めないため 0 として換算しました。");
    EXPECT_EQ(unreadInputNote("1E999x"), ""); // an overflow, which the chain reports
}

TEST(FullWidth, FoldsTheFormsOfASCIIAndNothingElse)
{
    // clang-format off
    const std::pair<const char*, const char*> rows[] = {
        {"\uFF01\uFF5E", "!~"},     // the ends of the block
        {"\uFF00\uFF5F\uFF71", "\uFF00\uFF5F\uFF71"}, // just outside it, and half-width katakana
        {"ＡＺａｚ０９＿", "AZaz09_"},
        {"\u3000\u2212", " -"},
        {"\u3002\u30FC\u2015", ".--"},  // an input method's point, long vowel mark and dash
        {"年号 1989", "年号 1989"},
        {"\xEF\xBD", "\xEF\xBD"},     // cut short
        {"", ""},
    };
    // clang-format on
    for (const auto& [text, folded] : rows) {
        EXPECT_EQ(foldFullWidth(text), folded) << "text: \"" << text << '"';
    }
}

TEST(NumberParse, BeyondTheDoubleRangeIsAnOverflow)
{
    EXPECT_THROW(parseNumber("1E999"), ArithmeticError);
    EXPECT_THROW(parseNumber("-1D400"), ArithmeticError);
    EXPECT_THROW(parseNumber("1E99999999999999999999"), ArithmeticError);
    EXPECT_THROW(parseNumber("100000E304"), ArithmeticError);
    EXPECT_THROW(parseNumber("0.0001E313"), ArithmeticError);
    EXPECT_THROW(parseNumber("&H" + std::string(300, 'F')), ArithmeticError);
    EXPECT_EQ(parseNumber("1.7976931348623157E308"), std::numeric_limits<double>::max());
}

struct TextRow {
    double value;
    const char* text;
};

TEST(NumberText, FifteenDigitsPlainOrExponentForm)
{
    const TextRow rows[] = {
        {0, "0"},
        {-0.0, "0"},
        {0.5, "0.5"},
        {-0.5, "-0.5"},
        {1.0 / 3, "0.333333333333333"},
        {123456789012345, "123456789012345"},
        {999999999999999, "999999999999999"},
        {1e15, "1E+15"},
        {1234567890123456, "1.23456789012346E+15"},
        {0.0123, "0.0123"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {1.5e-7, "1.5E-07"},
        {-2.54e-05, "-2.54E-05"},
        {1e100, "1E+100"},
        {1e-300, "1E-300"},
        {123456.789012345, "123456.789012345"},
        {3.28083989501312, "3.28083989501312"},
        {273.15, "273.15"},
        {-0.149999999999977, "-0.149999999999977"},
        {273 - 273.15, "-0.149999999999977"},
        {-459.67, "-459.67"},
        {9.99999999999999999e14, "1E+15"},
        {0.000099999999999999999, "0.0001"},
        {100, "100"},
        {1e14, "100000000000000"},
        {std::numeric_limits<double>::max(), "1.79769313486232E+308"},
        {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
    };
    for (const TextRow& row : rows) {
        EXPECT_EQ(numberText(row.value), row.text) << "value: " << row.value;
    }
}

TEST(NumberText, PaddedTextHasABlankOrTheSign)
{
    EXPECT_EQ(paddedNumberText(300), " 300");
    EXPECT_EQ(paddedNumberText(0), " 0");
    EXPECT_EQ(paddedNumberText(-2.5), "-2.5");
    EXPECT_EQ(paddedNumberText(1e20), " 1E+20");
}

TEST(NumberText, NeverShowsInfinityOrNaN)
{
    EXPECT_THROW(numberText(std::numeric_limits<double>::infinity()), ArithmeticError);
    EXPECT_THROW(numberText(std::nan("")), ArithmeticError);
}

TEST(DigitLimiter, CutsExponentFormToFourDigitsAndLeavesPlainForm)
{
    const TextRow rows[] = {
        {1.23456789E+20, "1.234E+20"},
        {-9.87654321E+20, "-9.876E+20"},
        {1E+20, "1E+20"},
        {9.99999E+20, "9.999E+20"},
        {1234567890123456, "1.234E+15"},
        {3.28083989501312, "3.28083989501312"},
        {123456.789012345, "123456.789012345"},
        {1.578282828e-05, "1.578E-05"},
        {-1.578282828e-05, "-1.578E-05"},
        {5.26094276e-06, "5.26E-06"},
        {0.0001234567, "0.0001234567"},
    };
    for (const TextRow& row : rows) {
        EXPECT_EQ(numberText(setCol(row.value, 6)), row.text) << "value: " << row.value;
    }
}

TEST(DigitLimiter, ReturnsThePlainValueItself)
{
    const double value = 0.1 + 0.2; // not the double that its text would parse to
    EXPECT_EQ(setCol(value, 6), value);
}

TEST(DigitLimiter, ALargestDoubleOverflowsWhenItsDigitsAreReadBack)
{
    // 1.79769313486232E+308, its fifteen digits rounded up, is beyond the largest double;
    // cut to fewer digits it is not.
    EXPECT_THROW(setCol(std::numeric_limits<double>::max(), 17), ArithmeticError);
    EXPECT_THROW(setCol(-std::numeric_limits<double>::max(), 17), ArithmeticError);
    EXPECT_EQ(numberText(setCol(std::numeric_limits<double>::max(), 6)), "1.797E+308");
}

TEST(IntegerConversion, HalvesGoToEven)
{
    EXPECT_EQ(toInt16(273.5), 274);
    EXPECT_EQ(toInt16(272.5), 272);
    EXPECT_EQ(toInt16(1.5), 2);
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(-0.5), 0);
    EXPECT_EQ(toInt16(-1.5), -2);
    EXPECT_EQ(toInt16(273.15), 273);
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.5), -32768);
    EXPECT_EQ(toInt16(32767.5), std::nullopt);
    EXPECT_EQ(toInt16(-32769), std::nullopt);
    EXPECT_EQ(toInt16(std::nan("")), std::nullopt);
    EXPECT_EQ(toInt32(2147483647.4), 2147483647);
    EXPECT_EQ(toInt32(2147483647.5), std::nullopt);
    EXPECT_EQ(toInt32(-2147483648.0), -2147483648LL);
}

TEST(CheckedArithmetic, FaultsStopWithTheirKind)
{
    EXPECT_EQ(apply(6, Op::Div, 4), 1.5);
    try {
        apply(1e308, Op::Mul, 10);
        FAIL() << "no overflow";
    } catch (const ArithmeticError& error) {
        EXPECT_EQ(error.fault(), ArithmeticFault::Overflow);
    }
    try {
        apply(1, Op::Div, 0);
        FAIL() << "no division by zero";
    } catch (const ArithmeticError& error) {
        EXPECT_EQ(error.fault(), ArithmeticFault::DivisionByZero);
    }
    try {
        apply(0, Op::Div, 0);
        FAIL() << "no invalid operation";
    } catch (const ArithmeticError& error) {
        EXPECT_EQ(error.fault(), ArithmeticFault::Invalid);
    }
}

// A number too wide for its room is shown rounded half to even to the digits that fit, in
// plain form while its integer part fits: never its first characters. The room here is a
// count of characters.
TEST(NumberFit, RoundsToTheDigitsThatFit)
{
    struct Row {
        const char* text;
        std::size_t room;
        const char* shown; // "" where nothing fits
        bool rounded;
    };
    // clang-format off
    const Row rows[] = {
        {"4860503.50823045", 10, "4860503.51", true},   {"407407404.148148", 9, "407407404", true},
        {"407407404.148148", 8, "4.07E+08", true}  ,    {"123456789123.456", 10, "1.2346E+11", true},
        {"123456789123.456", 12, "123456789123", true}, {"123456789123.456", 20, "123456789123.456", false},
        {"0.000123456789", 8, "0.000123", true},        {"0.000123456789", 7, "0.00012", true},
        {"1.23456789012346E+15", 10, "1.2346E+15", true}, {"-9.87654321E+20", 9, "-9.88E+20", true},
        {"2.5", 1, "2", true},                          {"3.5", 1, "4", true},
        {"2.51", 1, "3", true},                         {"+5.25", 3, "5.2", true},
        {"99999.96", 5, "1E+05", true},                 {"99999.96", 6, "100000", true},
        {"4000000000", 5, "4E+09", false},              {"-0.000", 1, "0", false},
        {"１２３４５６．７８", 6, "123457", true},        {"  12345.678 ", 5, "12346", true},
        {"2.25D3", 5, "2E+03", true},                   {"1.5e-7", 5, "2E-07", true}    ,
        {"1,000", 3, "", false},                        {"12abc", 4, "", false},
        {"&H10", 3, "", false},                         {"1 2", 2, "", false},
        {"1E-05", 3, "", false},                        {"1E+99999999", 5, "", false},
        {"-", 0, "", false},                            {"1e", 1, "", false},
    };
    // clang-format on
    for (const Row& row : rows) {
        const FittedNumber fitted =
            fitNumber(row.text, [&row](std::string_view text) { return text.size() <= row.room; });
        EXPECT_EQ(fitted.found ? fitted.form.text : "", row.shown) << row.text << " in " << row.room;
        EXPECT_EQ(fitted.found && fitted.form.rounded, row.rounded) << row.text << " in " << row.room;
    }
}

// Every form of every number text reads back as the number rounded at the form's last digit.
TEST(NumberFit, EveryFormIsTheNumberRoundedAtItsLastDigit)
{
    std::mt19937_64 random(31);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> power(-12, 20);
    for (int i = 0; i < 2000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, power(random));
        const std::string text = numberText(value);
        const double exact = parseNumber(text);
        for (const RoundedForm& form : roundedForms(text)) {
            const double shown = parseNumber(form.text);
            const double magnitude = std::floor(std::log10(std::fabs(shown)));
            const double halfStep = 0.5 * std::pow(10.0, magnitude - form.digits + 1);
            EXPECT_LE(std::fabs(shown - exact), halfStep + std::fabs(exact) * 1e-15) << text << " as " << form.text;
            EXPECT_EQ(form.rounded, shown != exact) << text << " as " << form.text;
        }
    }
}

} // namespace
} // namespace mezura
