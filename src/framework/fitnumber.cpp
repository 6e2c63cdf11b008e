#include "framework/fitnumber.h"

#include "framework/fullwidth.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace mezura {

namespace {

// Beyond this a decimal exponent is no number a field holds; it also keeps the sums below far
// from overflow.
constexpr long kLargestExponent = 100000;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A number written whole: its sign, its significant digits without zeros at either end, the
// decimal exponent of the first of them, and whether it was written in plain form.
struct Written {
    bool negative = false;
    std::string digits; // empty for zero
    long exponent = 0;  // 10^exponent is the place of digits[0]
    bool plain = true;
};

std::optional<Written> readWritten(std::string_view raw)
{
    const std::string folded = foldFullWidth(raw);
    std::string_view text = folded;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    Written number;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        number.negative = text[at] == '-';
        ++at;
    }
    std::string all;       // every digit of the mantissa
    long integerCount = 0; // of them before the point
    while (at < text.size() && isDigit(text[at])) {
        all += text[at++];
        ++integerCount;
    }
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && isDigit(text[at])) {
            all += text[at++];
        }
    }
    if (all.empty()) {
        return std::nullopt;
    }
    long exponent = 0;
    if (at < text.size() && (text[at] == 'E' || text[at] == 'e' || text[at] == 'D' || text[at] == 'd')) {
        ++at;
        bool negativeExponent = false;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            negativeExponent = text[at] == '-';
            ++at;
        }
        if (at >= text.size()) {
            return std::nullopt;
        }
        while (at < text.size() && isDigit(text[at])) {
            exponent = std::min(exponent * 10 + (text[at++] - '0'), kLargestExponent + 1);
        }
        if (exponent > kLargestExponent) {
            return std::nullopt;
        }
        exponent = negativeExponent ? -exponent : exponent;
        number.plain = false;
    }
    if (at != text.size()) {
        return std::nullopt;
    }
    const std::size_t first = all.find_first_not_of('0');
    if (first == std::string::npos) {
        return number; // zero
    }
    const std::size_t last = all.find_last_not_of('0');
    number.digits = all.substr(first, last - first + 1);
    number.exponent = integerCount - 1 - static_cast<long>(first) + exponent;
    return number;
}

std::string withoutTrailingZeros(std::string digits)
{
    const std::size_t last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
    return digits;
}

// `digits` (first at 10^exponent) rounded half to even to `kept` digits; the exponent grows
// by one where rounding up carries past the first digit (9.96 to 10).
std::string roundHalfToEven(const std::string& digits, std::size_t kept, long& exponent)
{
    std::string result = digits.substr(0, kept);
    if (kept >= digits.size()) {
        return result;
    }
    const char next = digits[kept];
    // The digits' last one is never 0, so anything after a 5 makes more than a half.
    const bool half = next == '5' && kept + 1 == digits.size();
    const bool up = next > '5' || (next == '5' && !half) || (half && (result.back() - '0') % 2 == 1);
    if (!up) {
        return result;
    }
    std::size_t at = result.size();
    while (at > 0 && result[at - 1] == '9') {
        result[--at] = '0';
    }
    if (at == 0) {
        result.insert(result.begin(), '1');
        ++exponent;
    } else {
        ++result[at - 1];
    }
    return result;
}

std::string exponentForm(bool negative, const std::string& digits, long exponent)
{
    std::string text = negative ? "-" : "";
    text += digits[0];
    const std::string rest = withoutTrailingZeros(digits.substr(1));
    if (!rest.empty()) {
        text += '.' + rest;
    }
    text += exponent < 0 ? "E-" : "E+";
    const std::string power = std::to_string(exponent < 0 ? -exponent : exponent);
    return text + (power.size() < 2 ? "0" : "") + power;
}

// `digits` with the first at 10^exponent and the last at 10^place, written out.
std::string plainForm(bool negative, const std::string& digits, long exponent, long place)
{
    std::string whole;
    std::string fraction;
    if (exponent < 0) {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (place > 0) {
        whole = digits + std::string(static_cast<std::size_t>(place), '0');
    } else {
        whole = digits.substr(0, static_cast<std::size_t>(exponent + 1));
        fraction = digits.substr(static_cast<std::size_t>(exponent + 1));
    }
    fraction = withoutTrailingZeros(fraction);
    return (negative ? "-" : "") + whole + (fraction.empty() ? "" : "." + fraction);
}

} // namespace

std::vector<RoundedForm> roundedForms(std::string_view text)
{
    const std::optional<Written> number = readWritten(text);
    if (!number) {
        return {};
    }
    if (number->digits.empty()) {
        return {{"0", 1, false}};
    }
    std::vector<RoundedForm> forms;
    const auto add = [&forms](std::string shown, int digits, bool rounded) {
        const bool known =
            std::any_of(forms.begin(), forms.end(), [&shown](const RoundedForm& form) { return form.text == shown; });
        if (!known) {
            forms.push_back({std::move(shown), digits, rounded});
        }
    };
    const std::string& digits = number->digits;
    const long finest = number->exponent - static_cast<long>(digits.size()) + 1;
    for (long place = finest; place <= number->exponent; ++place) {
        long exponent = number->exponent;
        const std::string kept =
            roundHalfToEven(digits, static_cast<std::size_t>(number->exponent - place + 1), exponent);
        const bool rounded = place > finest;
        // The integer part is written whole or not at all: a plain form rounds after the point.
        if (number->plain && (place <= 0 || place == finest)) {
            add(plainForm(number->negative, kept, exponent, place),
                static_cast<int>(exponent - std::min(place, 0L) + 1), rounded);
        }
        add(exponentForm(number->negative, kept, exponent), static_cast<int>(exponent - place + 1), rounded);
    }
    return forms;
}

FittedNumber fitNumber(std::string_view text, const std::function<bool(std::string_view)>& fits)
{
    std::vector<RoundedForm> forms = roundedForms(text);
    if (fits(text)) {
        return {{std::string(text), forms.empty() ? 0 : forms.front().digits, false}, true};
    }
    for (RoundedForm& form : forms) {
        if (fits(form.text)) {
            return {std::move(form), true};
        }
    }
    return {};
}

} // namespace mezura
