#include "framework/fold.h"

#include "framework/fullwidth.h"

#include <array>

namespace mezura {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Full-width katakana for the half-width forms U+FF61 to U+FF9F, in order.
constexpr std::array<char16_t, 63> kHalfWidthKana = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5,
    0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3,
    0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC,
    0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4,
    0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C,
};

bool isVoicedMark(char32_t c)
{
    return c == 0xFF9E || c == 0x3099 || c == 0x309B;
}
bool isSemiVoicedMark(char32_t c)
{
    return c == 0xFF9F || c == 0x309A || c == 0x309C;
}

// The katakana with the voiced mark of `c`, or 0 when it has none: カ -> ガ, ウ -> ヴ.
char32_t voiced(char32_t c)
{
    if ((c >= 0x30AB && c <= 0x30C1 && (c - 0x30AB) % 2 == 0) || c == 0x30C4 || c == 0x30C6 || c == 0x30C8 ||
        (c >= 0x30CF && c <= 0x30DB && (c - 0x30CF) % 3 == 0)) {
        return c + 1;
    }
    return c == 0x30A6 ? 0x30F4 : 0;
}

// ハ -> パ; 0 for a kana without the semi-voiced form.
char32_t semiVoiced(char32_t c)
{
    return c >= 0x30CF && c <= 0x30DB && (c - 0x30CF) % 3 == 0 ? c + 2 : 0;
}

char32_t foldOne(char32_t c)
{
    c = fullWidthTwin(c); // as number input reads full-width forms
    if (c >= 0xFF61 && c <= 0xFF9F) {
        return kHalfWidthKana[c - 0xFF61];
    }
    if (c >= 'A' && c <= 'Z') {
        return c - 'A' + 'a';
    }
    if ((c >= 0x3041 && c <= 0x3096) || c == 0x309D || c == 0x309E) {
        return c + 0x60; // hiragana as katakana
    }
    switch (c) {
    case 0xB2:
        return '2';
    case 0xB3:
        return '3';
    case 0xB9:
        return '1';
    case 0xB5:
        return 0x3BC; // the micro sign as the Greek letter
    default:
        return c;
    }
}

std::u32string trimmed(std::u32string text)
{
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    const auto start = text.find_first_not_of(U' ');
    return start == std::u32string::npos ? std::u32string() : text.substr(start);
}

} // namespace

bool isTextBlank(char32_t c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') || c == 0xA0 || c == 0x3000 || (c >= 0x2000 && c <= 0x200B) ||
        c == 0x2028 || c == 0x2029 || c == 0xFFFC;
}

char32_t decodeUtf16(std::u16string_view text, std::size_t& at)
{
    const char16_t unit = text[at++];
    if (unit >= 0xD800 && unit <= 0xDBFF && at < text.size() && text[at] >= 0xDC00 && text[at] <= 0xDFFF) {
        return 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[at++] - 0xDC00);
    }
    return unit >= 0xD800 && unit <= 0xDFFF ? kReplacement : unit;
}

std::u16string utf16(std::string_view utf8Text)
{
    std::u16string out;
    out.reserve(utf8Text.size());
    std::size_t at = 0;
    while (at < utf8Text.size()) {
        const auto lead = static_cast<unsigned char>(utf8Text[at]);
        const std::size_t length = lead < 0x80 ? 1
            : lead >= 0xC2 && lead < 0xE0      ? 2
            : lead >= 0xE0 && lead < 0xF0      ? 3
            : lead >= 0xF0 && lead < 0xF5      ? 4
                                               : 0;
        char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length > 0 && at + length <= utf8Text.size();
        for (std::size_t i = 1; valid && i < length; ++i) {
            const auto next = static_cast<unsigned char>(utf8Text[at + i]);
            valid = (next & 0xC0) == 0x80;
            code = code << 6 | (next & 0x3F);
        }
        const char32_t lowest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (!valid || code < lowest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out += static_cast<char16_t>(kReplacement);
            ++at;
            continue;
        }
        at += length;
        if (code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
    }
    return out;
}

void appendUtf8(std::string& out, char32_t code)
{
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        code = kReplacement;
    }
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | code >> 6);
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | code >> 12);
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code >> 18);
        out += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string utf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size() * 3);
    std::size_t at = 0;
    while (at < text.size()) {
        appendUtf8(out, decodeUtf16(text, at));
    }
    return out;
}

FoldedText fold(std::u16string_view text)
{
    FoldedText out;
    out.text.reserve(text.size());
    out.origin.reserve(text.size() + 1);
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = at;
        const char32_t source = decodeUtf16(text, at);
        if (source == 0x200B) {
            continue; // a zero-width space only lets a line break: the text on either side is one
        }
        if (isTextBlank(source)) {
            if (out.text.empty() || out.text.back() != ' ') {
                out.text += ' ';
                out.origin.push_back(start);
            }
            continue;
        }
        char32_t c = foldOne(source);
        // A voiced or semi-voiced mark after a kana joins it: "ｶﾞ" and "か゛" read as "ガ".
        if (at < text.size()) {
            const char32_t mark = text[at];
            const char32_t joined = isVoicedMark(mark) ? voiced(c) : isSemiVoicedMark(mark) ? semiVoiced(c) : 0;
            if (joined != 0) {
                c = joined;
                ++at;
            }
        }
        out.text += c;
        out.origin.push_back(start);
    }
    out.origin.push_back(text.size());
    return out;
}

std::u32string folded(std::string_view utf8Text)
{
    return trimmed(fold(utf16(utf8Text)).text);
}

} // namespace mezura
