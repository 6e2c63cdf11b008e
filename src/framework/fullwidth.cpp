#include "framework/fullwidth.h"

namespace mezura {

std::string foldFullWidth(std::string_view text)
{
    // In UTF-8, U+FF01..U+FF3F is EF BC 81..BF, U+FF40..U+FF5E is EF BD 80..9E, U+3000 is
    // E3 80 80 and U+2212 is E2 88 92. U+FF01 + k is ASCII 0x21 + k.
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
        if (i + 2 < text.size()) {
            const unsigned lead = byte(0);
            const unsigned mid = byte(1);
            const unsigned last = byte(2);
            if (lead == 0xEF && mid == 0xBC && last >= 0x81 && last <= 0xBF) {
                out.push_back(static_cast<char>(0x21 + (last - 0x81)));
                i += 3;
                continue;
            }
            if (lead == 0xEF && mid == 0xBD && last >= 0x80 && last <= 0x9E) {
                out.push_back(static_cast<char>(0x60 + (last - 0x80)));
                i += 3;
                continue;
            }
            if (lead == 0xE3 && mid == 0x80 && last == 0x80) {
                out.push_back(' ');
                i += 3;
                continue;
            }
            if (lead == 0xE2 && mid == 0x88 && last == 0x92) {
                out.push_back('-');
                i += 3;
                continue;
            }
        }
        out.push_back(text[i]);
        ++i;
    }
    return out;
}

} // namespace mezura
