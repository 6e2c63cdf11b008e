// The numeric text rules on any text and any double: no crash, no undefined behaviour, and
// every number text in one of its two forms ("0.0123", "-1.5E+20") with at most 15
// significant digits; the digit limiter keeps a value a number text can show.
#include "framework/arith.h"
#include "framework/numtext.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool digit(char c)
{
    return c >= '0' && c <= '9';
}

// "-12.5", "0.0123", "1.5E-05", "-1E+300"; leading zeros only as "0." before a fraction.
bool wellFormed(const std::string& text)
{
    std::size_t at = text.rfind('-', 0) == 0 ? 1 : 0;
    const std::size_t start = at;
    while (at < text.size() && digit(text[at])) {
        ++at;
    }
    const std::size_t whole = at - start;
    if (whole == 0 || (whole > 1 && text[start] == '0')) {
        return false;
    }
    if (at < text.size() && text[at] == '.') {
        const std::size_t point = ++at;
        while (at < text.size() && digit(text[at])) {
            ++at;
        }
        if (at == point || text[at - 1] == '0') {
            return false; // a point with no digits after it, or a trailing zero
        }
    }
    if (at < text.size() && text[at] == 'E') {
        if (whole != 1 || text[start] == '0' || at + 3 > text.size() || (text[at + 1] != '+' && text[at + 1] != '-')) {
            return false;
        }
        at += 2;
        const std::size_t exponent = at;
        while (at < text.size() && digit(text[at])) {
            ++at;
        }
        if (at - exponent < 2) {
            return false;
        }
    }
    return at == text.size() && text != "-0";
}

int significantDigits(const std::string& text)
{
    int count = 0;
    bool started = false;
    for (char c : text) {
        if (c == 'E') {
            break;
        }
        if (digit(c) && (started || c != '0')) {
            started = true;
            ++count;
        }
    }
    return count;
}

void check(double value)
{
    const std::string text = mezura::numberText(value);
    if (!wellFormed(text) || significantDigits(text) > 15) {
        std::fprintf(stderr, "numberText(%.17g) = \"%s\"\n", value, text.c_str());
        std::abort();
    }
    const std::string padded = mezura::paddedNumberText(value);
    if (padded != (text[0] == '-' ? text : " " + text)) {
        std::fprintf(stderr, "paddedNumberText(%.17g) = \"%s\"\n", value, padded.c_str());
        std::abort();
    }
    mezura::toInt16(value);
    mezura::toInt32(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const double value = mezura::parseNumber(text);
        check(value);
        for (int digits = 1; digits <= 17; ++digits) {
            check(mezura::setCol(value, digits));
        }
    } catch (const mezura::ArithmeticError&) {
        // overflow: reported to the user as such
    }
    // The same bytes as a double, as a chain's arithmetic may produce any finite value.
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        if (std::isfinite(raw)) {
            check(raw);
            try {
                check(mezura::setCol(raw, 1 + data[size - 1] % 17));
            } catch (const mezura::ArithmeticError&) {
                // a value within a rounding of the largest double overflows when its 15
                // digits are read back, which the chain reports as an overflow
            }
        }
    }
    return 0;
}
