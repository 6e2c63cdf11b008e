// Text as a JSON string, for the programs that answer in JSON (the terminal converter's
// --json, the web page's module).
#pragma once

#include <string>
#include <string_view>

namespace mezura {

// `text` (UTF-8) in double quotes, with the quote, the backslash and the control characters
// escaped; every other byte as it stands.
std::string jsonString(std::string_view text);

} // namespace mezura
