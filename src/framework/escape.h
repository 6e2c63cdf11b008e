// Text written into other languages: JSON strings, for the programs that answer in JSON (the
// terminal converter's --json, the web page's module), and HTML text, for the pages the
// build writes (the help's unit tables, the help as a static site).
#pragma once

#include <string>
#include <string_view>

namespace mezura {

// `text` (UTF-8) in double quotes, with the quote, the backslash and the control characters
// escaped; every other byte as it stands.
std::string jsonString(std::string_view text);

// `text` with "&", "<", ">" and '"' written as entities, fit for an element's text and for an
// attribute's value in double quotes.
std::string htmlEscaped(std::string_view text);

} // namespace mezura
