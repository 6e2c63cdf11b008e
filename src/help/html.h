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
    // What stands inside <script> and <style>: skipped, or read as tags and text like the
    // rest of the page (as the viewer's HTML parser reads it).
    enum class Scripts { Skip, Read };

    explicit Scanner(std::string_view html, Scripts scripts = Scripts::Skip)
        : m_html(html)
        , m_scripts(scripts)
    {
    }

    // The next text run or tag; false at the end. Comments are skipped, and so is what
    // stands inside <script> and <style> unless they are read.
    bool next(Token& token);

private:
    std::string_view m_html;
    Scripts m_scripts;
    std::size_t m_at = 0;
};

// Whether the elements of `html` nest deeper than `limit` elements of one kind (lists, tables,
// blocks, inline and unknown elements) or `limit` * 8 of all kinds together. An HTML parser
// that keeps a tree takes time growing with the square of the depth to read such a page.
// Elements nest as such a parser nests them: void elements (<br>, <img> ...) hold nothing, an
// element whose end tag may be left out (<p>, <li>, <td> ...) ends where the next of its kind
// begins, an end tag closes its element and all open within it, and only comments are
// passed over. Reads no further than the first element too deep.
bool nestsTooDeep(std::string_view html, std::size_t limit);

// "a &amp; b &#x3042;" -> "a & b あ"; an entity it does not know stays as written.
std::string decodeEntities(std::string_view text);

} // namespace mezura::html
