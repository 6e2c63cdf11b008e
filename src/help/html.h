// A small reader of HTML as the help's pages and site maps are written: text runs and tags
// with their attributes, in order. It builds no tree and never fails: whatever the bytes,
// it returns what it could read.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mezura::html {

struct Token {
    enum class Kind { Text, Tag };
    Kind kind = Kind::Text;
    std::string_view text; // Text: the run as written (entities not yet decoded)
    std::string name;      // Tag: lower case, without "/" ("ul" for <UL> and </UL>)
    bool closing = false;  // Tag: </...>
    std::vector<std::pair<std::string, std::string>> attributes; // lower-case names, decoded values

    // The value of the attribute `name` (lower case), or empty.
    std::string attribute(std::string_view name) const;
};

class Scanner {
public:
    explicit Scanner(std::string_view html)
        : m_html(html)
    {
    }

    // The next text run or tag; false at the end. Comments are skipped, and so is what
    // stands inside <script> and <style>.
    bool next(Token& token);

private:
    std::string_view m_html;
    std::size_t m_at = 0;
};

// "a &amp; b &#x3042;" -> "a & b あ"; an entity it does not know stays as written.
std::string decodeEntities(std::string_view text);

} // namespace mezura::html
