// Text folded for comparison the way a Japanese reader compares words: full-width and
// half-width forms, upper and lower case, hiragana and katakana count alike ("つぼ" is "ツボ",
// "ｍ２" is "m2", "ｶﾞﾛﾝ" is "ガロン"). The help's search and the terminal converter's unit names
// fold alike.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mezura {

// UTF-8 and UTF-16 text; a byte sequence that is no UTF-8 reads as U+FFFD.
std::u16string utf16(std::string_view utf8);
std::string utf8(std::u16string_view utf16);
// Appends one character as UTF-8; one that is no character (a surrogate, beyond U+10FFFF) as
// U+FFFD.
void appendUtf8(std::string& out, char32_t code);
// The character that starts at `at` in UTF-16 text, with `at` moved past it; a lone surrogate
// reads as U+FFFD.
char32_t decodeUtf16(std::u16string_view text, std::size_t& at);
// A blank between words: spaces of every width (the ideographic space too) and line breaks.
bool isTextBlank(char32_t c);

// Text folded for comparison, with where each folded character came from.
struct FoldedText {
    std::u32string text;
    // origin[i]: the UTF-16 offset in the source where text[i] starts; origin[text.size()] is
    // the source's length. A folded character may stand for several of the source ("ｶﾞ").
    std::vector<std::size_t> origin;
};

// Folds `text`: full-width ASCII forms read as ASCII, half-width katakana as full-width (with
// its voiced marks joined), hiragana as katakana, upper case as lower, "²" and "³" as digits,
// the micro sign as μ, the minus sign as "-", and every run of blanks (the ideographic space
// and line breaks too) as one space; a zero-width space is left out.
FoldedText fold(std::u16string_view text);
std::u32string folded(std::string_view utf8Text);

} // namespace mezura
