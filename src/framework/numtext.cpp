#include "framework/numtext.h"

#include "framework/arith.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace mezura {

namespace {

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

// strtod in the "C" locale, whatever locale the process runs in: the point is always ".".
double strtodC(const std::string& text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    errno = 0;
    const double value = strtod_l(text.c_str(), nullptr, cLocale);
    if (errno == ERANGE && std::isinf(value)) {
        throw ArithmeticError(ArithmeticFault::Overflow);
    }
    return value; // an underflow reads as 0 or the nearest subnormal
}

// &H and &O: an unsigned integer in radix 16 or 8; no digits read as 0.
double parseRadix(const std::string& s, std::size_t i, int radix)
{
    double value = 0.0;
    for (; i < s.size(); ++i) {
        const int d = digitValue(s[i], radix);
        if (d < 0) {
            break;
        }
        value = checked(value * radix + d);
    }
    return value;
}

} // namespace

double parseNumber(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (!isBlank(c)) {
            s.push_back(c);
        }
    }

    if (s.size() >= 2 && s[0] == '&') {
        if (s[1] == 'H' || s[1] == 'h') {
            return parseRadix(s, 2, 16);
        }
        if (s[1] == 'O' || s[1] == 'o') {
            return parseRadix(s, 2, 8);
        }
        return 0.0;
    }

    std::size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        number.push_back(s[i]);
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
        return 0.0;
    }
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
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
        if (j > firstDigit) {
            number += exponent;
        }
    }
    return strtodC(number);
}

std::string numberText(double value)
{
    checked(value);
    if (value == 0.0) {
        return "0";
    }
    // %.14e rounds to 15 significant digits and carries into the exponent (9.9999999999999999 -> 1e+01).
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", value);
    const std::string e(buf);
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
    const int exponent = std::atoi(e.c_str() + ePos + 1);

    std::string out = negative ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out += digits.substr(1);
        }
        char exp[16];
        std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        out += exp;
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
