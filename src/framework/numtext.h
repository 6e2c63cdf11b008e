// Numeric text rules: how a unit field's text becomes a number and a number becomes text.
//
// A unit field's text is the only store of its value, so these functions are the whole
// contract between what the user sees and what the chains compute.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mezura {

// Number parse. Full-width forms, and the points and minus signs of an input method, read
// as their ASCII twins first (foldFullWidth), so that "１００" and "1００" read as 100, "。５"
// as 0.5 and "ー４０" as -40. Blanks, tabs and line feeds are ignored wherever they
// stand; reading stops at the first character that cannot continue the number; text that
// does not begin with a number reads as 0. The point is "." whatever the locale.
//   parseNumber("12abc") -> 12      parseNumber("1,000") -> 1     parseNumber("1.5.5") -> 1.5
//   parseNumber("2D3")   -> 2000    parseNumber("&H10")  -> 16    parseNumber("&O17")  -> 15
//   parseNumber(" - 1 2") -> -12    parseNumber("")      -> 0     parseNumber("abc")   -> 0
// A magnitude beyond the double range (1E999) throws ArithmeticError (overflow).
double parseNumber(std::string_view text);

// How much of a text number parse reads: all of it (blanks aside; an empty or blank text
// too), a start of it ("12abc", "1,000", "1.5.2", "2e"), or nothing ("abc", "-", "&X1").
enum class ReadExtent { All, Start, None };
struct NumberReading {
    double value = 0.0;
    ReadExtent extent = ReadExtent::All;
};
// Number parse, telling how much it read; parseNumber(text) is readNumber(text).value.
NumberReading readNumber(std::string_view text);

// Number text: at most 15 significant digits; exponent form exactly when the decimal
// exponent is below -4 or at least 15. No locale is consulted.
//   numberText(0.5) -> "0.5"          numberText(1.0 / 3) -> "0.333333333333333"
//   numberText(0.0123) -> "0.0123"    numberText(0.00001) -> "1E-05"
//   numberText(1234567890123456.0) -> "1.23456789012346E+15"
//   numberText(-0.0) -> "0"
std::string numberText(double value);

// Number text with one leading blank for zero and positive values; a negative value keeps
// its "-" in that place.   paddedNumberText(300) -> " 300"   paddedNumberText(-2) -> "-2"
std::string paddedNumberText(double value);

// The digit limiter: a value whose padded number text is in exponent form keeps only the
// first `digits` characters of its mantissa text (blank or sign and point included), cut,
// never rounded; any other value is returned unchanged.
//   setCol(1.23456789E+20, 6) -> 1.234E+20    setCol(9.99999E+20, 6) -> 9.999E+20
//   setCol(3.28083989501312, 6) -> 3.28083989501312
double setCol(double value, int digits);

// Conversion of a double to an integer, halves to even (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
// Empty when the value does not fit the type (or is not a number).
std::optional<std::int16_t> toInt16(double value);
std::optional<std::int32_t> toInt32(double value);

} // namespace mezura
