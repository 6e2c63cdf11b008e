#include "framework/numtext.h"

#include "framework/arith.h"
#include "framework/fullwidth.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fast_float/fast_float.h>
#include <fmt/format.h>
#include <limits>
#include <string>
#include <string_view>

namespace mezura {

namespace {

constexpr int kSignificantDigits = 15;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int digitValue(char c, int radix)
{
    int d = -1;
    if (c >= '0' && c <= '9') {
        d = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        d = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        d = c - 'A' + 10;
    }
    return d < radix ? d : -1;
}

// Whether the decimal number in `number` (an optional "-", digits with at most one ".",
// optionally "e", a sign and digits) is at least 1 in magnitude, judged by the decimal
// exponent of its first non-zero digit plus the written exponent. A number that is zero
// throughout is not. Only used to tell an overflow from an underflow, so far from 1 that
// the judgement needs no more care.
bool atLeastOne(std::string_view number)
{
    long long place = 0; // of the first non-zero digit: 0 for units, -1 for tenths
    long long fractionDigits = 0;
    bool found = false;
    bool fraction = false;
    std::size_t i = 0;
    for (; i < number.size() && number[i] != 'e'; ++i) {
        const char c = number[i];
        if (c == '.') {
            fraction = true;
        } else if (isDigit(c)) {
            fractionDigits += fraction ? 1 : 0;
            if (!found && c != '0') {
                found = true;
                place = fraction ? -fractionDigits : 0;
            } else if (found && !fraction) {
                ++place;
            }
        }
    }
    if (!found) {
        return false;
    }
    long long exponent = 0;
    bool negative = false;
    for (; i < number.size(); ++i) {
        if (number[i] == '-') {
            negative = true;
        } else if (isDigit(number[i])) {
            exponent = std::min(exponent * 10 + (number[i] - '0'), 1'000'000'000LL); // saturates
        }
    }
    return place + (negative ? -exponent : exponent) >= 0;
}

// The double nearest to a decimal number as `atLeastOne` takes it, the point always ".",
// whatever locale the process runs in. A magnitude beyond the double range is an overflow;
// one too small for the smallest subnormal reads as 0. fast_float reads the same digits in
// the desktop build and in the WebAssembly one (whose C++ library has no floating-point
// from_chars); it gives an infinity for an overflow where other readers report the range.
double decimalValue(std::string_view number)
{
    double value = 0.0;
    const auto [end, fault] = fast_float::from_chars(number.data(), number.data() + number.size(), value);
    (void)end;
    if (fault == std::errc::result_out_of_range || (fault == std::errc() && std::isinf(value))) {
        if (atLeastOne(number)) {
            throw ArithmeticError(ArithmeticFault::Overflow);
        }
        return number.front() == '-' ? -0.0 : 0.0;
    }
    return fault == std::errc() ? value : 0.0;
}

// &H and &O: an unsigned integer in radix 16 or 8 from s[i]; `end` is where the digits stop.
double parseRadix(const std::string& s, std::size_t i, int radix, std::size_t& end)
{
    double value = 0.0;
    for (; i < s.size(); ++i) {
        const int d = digitValue(s[i], radix);
        if (d < 0) {
            break;
        }
        value = checked(value * radix + d);
    }
    end = i;
    return value;
}

// An exponent at s[i]: "E" or "D" in either case, an optional sign and digits, appended to
// `number` as "e", the sign and the digits. Where it ends; `i` when there is none (a letter
// without digits is no exponent).
std::size_t readExponent(const std::string& s, std::size_t i, std::string& number)
{
    if (i >= s.size() || (s[i] != 'E' && s[i] != 'e' && s[i] != 'D' && s[i] != 'd')) {
        return i;
    }
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
        exponent.push_back(s[j]);
        ++j;
    }
    const std::size_t firstDigit = j;
    while (j < s.size() && isDigit(s[j])) {
        exponent.push_back(s[j]);
        ++j;
    }
    if (j == firstDigit) {
        return i;
    }
    number += exponent;
    return j;
}

// What number parse reads of `s` (not empty, blanks already taken out): the value, and
// whether the number took all of it, a start of it, or nothing.
NumberReading readCompact(const std::string& s)
{
    const auto reading = [&s](double value, std::size_t used) {
        const ReadExtent extent = used == s.size() ? ReadExtent::All : used == 0 ? ReadExtent::None : ReadExtent::Start;
        return NumberReading{value, extent};
    };
    if (s.size() >= 2 && s[0] == '&') {
        const int radix = s[1] == 'H' || s[1] == 'h' ? 16 : s[1] == 'O' || s[1] == 'o' ? 8 : 0;
        if (radix == 0) {
            return reading(0.0, 0);
        }
        std::size_t end = 2;
        const double value = parseRadix(s, 2, radix, end);
        return reading(value, end > 2 ? end : 0);
    }

    std::size_t i = 0;
    std::string number;
    if (s[i] == '+' || s[i] == '-') {
        if (s[i] == '-') {
            number.push_back('-');
        }
        ++i;
    }
    bool anyDigit = false;
    bool point = false;
    for (; i < s.size(); ++i) {
        if (isDigit(s[i])) {
            anyDigit = true;
            number.push_back(s[i]);
        } else if (s[i] == '.' && !point) {
            point = true;
            number.push_back('.');
        } else {
            break;
        }
    }
    if (!anyDigit) {
        return reading(0.0, 0);
    }
    i = readExponent(s, i, number);
    return reading(decimalValue(number), i);
}

} // namespace

NumberReading readNumber(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : foldFullWidth(text)) {
        if (!isBlank(c)) {
            s.push_back(c);
        }
    }
    if (s.empty()) {
        return {0.0, ReadExtent::All};
    }
    return readCompact(s);
}

double parseNumber(std::string_view text)
{
    return readNumber(text).value;
}

std::string numberText(double value)
{
    checked(value);
    if (value == 0.0) {
        return "0";
    }
    // Scientific form with 14 digits after the point rounds to 15 significant digits and
    // carries into the exponent (9.9999999999999999 -> 1.00000000000000e+01). Unlike printf,
    // fmt never looks at the locale without an "L": the point is ".". It rounds correctly in
    // the desktop build and the WebAssembly one alike, so both write the same digits.
    char buf[64];
    const auto written = fmt::format_to_n(buf, sizeof buf, "{:.{}e}", value, kSignificantDigits - 1);
    const std::string_view e(buf, std::min(written.size, sizeof buf));
    const bool negative = e[0] == '-';
    const std::size_t start = negative ? 1 : 0;
    const std::size_t ePos = e.find('e');
    std::string digits;
    for (std::size_t i = start; i < ePos; ++i) {
        if (e[i] != '.') {
            digits.push_back(e[i]);
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    // The exponent as fmt writes it: a sign, then two or three digits.
    int exponent = 0;
    std::from_chars(e.data() + ePos + 2, e.data() + e.size(), exponent);
    if (e[ePos + 1] == '-') {
        exponent = -exponent;
    }

    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out += digits.substr(1);
        }
        out += exponent < 0 ? "E-" : "E+";
        const int magnitude = std::abs(exponent);
        if (magnitude < 10) {
            out += '0';
        }
        out += std::to_string(magnitude);
    } else if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const auto intDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= intDigits) {
            out += digits;
            out.append(intDigits - digits.size(), '0');
        } else {
            out += digits.substr(0, intDigits);
            out += '.';
            out += digits.substr(intDigits);
        }
    }
    return out;
}

std::string paddedNumberText(double value)
{
    std::string text = numberText(value);
    return text[0] == '-' ? text : " " + text;
}

double setCol(double value, int digits)
{
    const std::string t = paddedNumberText(value);
    const std::size_t ePos = t.find('E');
    if (ePos == std::string::npos) {
        return value;
    }
    const std::string mantissa = t.substr(0, std::min(ePos, static_cast<std::size_t>(std::max(digits, 0))));
    const double exponent = parseNumber(std::string_view(t).substr(ePos + 1));
    return checked(parseNumber(mantissa) * checked(std::pow(10.0, exponent)));
}

namespace {
template <typename Int> std::optional<Int> toInt(double value)
{
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double r = std::nearbyint(value); // the default rounding mode sends halves to even
    if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max())) {
        return std::nullopt;
    }
    return static_cast<Int>(r);
}
} // namespace

std::optional<std::int16_t> toInt16(double value)
{
    return toInt<std::int16_t>(value);
}

std::optional<std::int32_t> toInt32(double value)
{
    return toInt<std::int32_t>(value);
}

} // namespace mezura
