#include "framework/layout.h"

#include <cstdio>

namespace mezura {

std::string shownLabel(const std::string& label)
{
    std::string shown = label;
    // Trailing ASCII blanks and ideographic spaces (U+3000, "\xE3\x80\x80" in UTF-8).
    for (;;) {
        if (!shown.empty() && shown.back() == ' ') {
            shown.pop_back();
        } else if (shown.size() >= 3 && shown.compare(shown.size() - 3, 3, "\xE3\x80\x80") == 0) {
            shown.resize(shown.size() - 3);
        } else {
            return shown;
        }
    }
}

std::string fieldTip(std::string_view text, std::string_view label, std::string_view relation)
{
    std::string tip(text);
    tip += ' ';
    tip += label;
    if (!relation.empty()) {
        tip += " — ";
        tip += relation;
    }
    return tip;
}

std::string colourText(Colour colour)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, colour > 0xFFFFFFu ? "&H%08X" : "&H%06X", static_cast<unsigned>(colour));
    return buf;
}

} // namespace mezura
