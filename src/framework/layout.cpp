#include "framework/layout.h"

#include <cstdio>

namespace mezura {

std::string colourText(Colour colour)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, colour > 0xFFFFFFu ? "&H%08X" : "&H%06X", static_cast<unsigned>(colour));
    return buf;
}

} // namespace mezura
