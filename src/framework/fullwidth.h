// Full-width folding: what a Japanese input method left in full-width mode types, read as
// the ASCII text it stands for.
#pragma once

#include <string>
#include <string_view>

namespace mezura {

// The ASCII twin of one character: U+FF01 to U+FF5E as U+0021 to U+007E, the ideographic
// space U+3000 as a blank, the minus sign U+2212 as "-"; any other character is itself.
constexpr char32_t fullWidthTwin(char32_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5E) {
        return c - 0xFEE0;
    }
    return c == 0x3000 ? U' ' : c == 0x2212 ? U'-' : c;
}

// UTF-8 text with every character of the full-width forms U+FF01 to U+FF5E replaced by its
// ASCII twin, the ideographic space U+3000 by a blank and the minus sign U+2212 by "-";
// every other byte, malformed UTF-8 included, is kept as it is.
//   foldFullWidth("１９８９") -> "1989"      foldFullWidth("－１．５Ｅ＋３") -> "-1.5E+3"
//   foldFullWidth("1\u3000０") -> "1 0"      foldFullWidth("\u2212４０") -> "-40"
//   foldFullWidth("ｶﾅ 円") -> "ｶﾅ 円"        (half-width katakana and kanji are no forms of ASCII)
std::string foldFullWidth(std::string_view text);

} // namespace mezura
