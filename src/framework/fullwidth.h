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

// What an input method commits for a point or a minus in its default mode, read as the ASCII
// it is meant for: the ideographic full stops U+3002 "。" and U+FF61 "｡" as ".", the long
// vowel marks U+30FC "ー" and U+FF70 "ｰ" (the key that stands where the minus is), the
// hyphens and dashes U+2010, U+2011, U+2013, U+2014, U+2015 and the small hyphen-minus
// U+FE63 as "-"; any other character as its full-width twin. Only number input reads text
// this way: in words, "ー" is a vowel mark, not a sign.
constexpr char32_t numberInputTwin(char32_t c)
{
    switch (c) {
    case 0x3002:
    case 0xFF61:
        return U'.';
    case 0x30FC:
    case 0xFF70:
    case 0x2010:
    case 0x2011:
    case 0x2013:
    case 0x2014:
    case 0x2015:
    case 0xFE63:
        return U'-';
    default:
        return fullWidthTwin(c);
    }
}

// UTF-8 text with every character that number input reads as ASCII (numberInputTwin: the
// full-width forms U+FF01 to U+FF5E, the ideographic space U+3000, the minus sign U+2212, an
// input method's full stops, long vowel marks and dashes) replaced by that ASCII character;
// every other byte, malformed UTF-8 included, is kept as it is.
//   foldFullWidth("１９８９") -> "1989"      foldFullWidth("－１．５Ｅ＋３") -> "-1.5E+3"
//   foldFullWidth("1\u3000０") -> "1 0"      foldFullWidth("\u2212４０") -> "-40"
//   foldFullWidth("。５") -> ".5"          foldFullWidth("ー４０") -> "-40"
//   foldFullWidth("ｶﾅ 円") -> "ｶﾅ 円"        (half-width katakana and kanji are no forms of ASCII)
std::string foldFullWidth(std::string_view text);

} // namespace mezura
