#include "framework/fullwidth.h"

namespace mezura {

std::string foldFullWidth(std::string_view text)
{
    // Every character with a twin (U+2010 to U+FF70) is three bytes long in UTF-8, its twin one.
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
        if (i + 2 < text.size() && (byte(0) & 0xF0) == 0xE0 && (byte(1) & 0xC0) == 0x80 && (byte(2) & 0xC0) == 0x80) {
            const char32_t code =
                static_cast<char32_t>((byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F));
            if (const char32_t twin = numberInputTwin(code); twin != code) {
                out.push_back(static_cast<char>(twin));
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
