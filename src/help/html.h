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
    bool empty = false;    // Tag: <.../>, an element closed where it opens
    std::vector<std::pair<std::string, std::string>> attributes; // lower-case names, decoded values
    std::string_view source; // the bytes read: the whole tag from "<" to ">", or the text

    // The value of the attribute `name` (lower case), or empty.
    std::string attribute(std::string_view name) const;
};

class Scanner {
public:
    // Which tags are read: those of HTML as the help's pages and site maps are written, or
    // every one that the viewer's HTML parser takes for a tag, which is more: "< ul>" (blanks
    // after "<"), "<?x>" and whatever stands inside <script> and <style>.
    enum class Tags { Written, AsViewer };

    explicit Scanner(std::string_view html, Tags tags = Tags::Written)
        : m_html(html)
        , m_tags(tags)
    {
    }

    // The next text run or tag; false at the end. Comments are skipped, and so is what
    // stands inside <script> and <style> when tags are read as written.
    bool next(Token& token);

private:
    std::string_view m_html;
    Tags m_tags;
    std::size_t m_at = 0;
};

// Whether the elements of `html` nest deeper than `limit` elements of one kind (lists, tables,
// blocks, inline and unknown elements) or `limit` * 8 of all kinds together. An HTML parser
// that keeps a tree takes time growing with the square of the depth to read such a page.
// Elements nest as the viewer's parser nests them: its tags (Scanner::Tags::AsViewer), where
// <br>, <hr>, <img>, <meta> and <.../> hold nothing, an element whose end tag may be left out
// (<p>, <li>, <td> ...) ends where the next of its kind begins, and an end tag closes its
// element and all open within it. Reads no further than the first element too deep.
bool nestsTooDeep(std::string_view html, std::size_t limit);

// How many <`name`> tags (lower case) the viewer's parser reads in `html`; counts no further
// than `limit` + 1.
std::size_t countTags(std::string_view html, std::string_view name, std::size_t limit);

// How many cells the tables of `html` give the viewer to lay out: each table as many as its rows
// times its columns, once its spans are clamped as clampSpans() clamps them, a cell taking as
// many columns as it spans and the places that spans from the rows above hold. The viewer takes
// time growing faster than that to lay tables out: a sparse table of 1,000 rows and 1,000
// columns, made of 2,000 cells, holds it for minutes. Counts no further than `limit` + 1.
std::size_t tableCells(std::string_view html, std::size_t limit);

// `html` with every table cell's span clamped to the table's size: colspan to the cells of the
// table's longest row, rowspan to the rows from the cell's own to the table's last. Written out
// larger ("colspan=2147483647"), the viewer would make room for every column spanned. What
// needs no clamping stays as written.
std::string clampSpans(std::string_view html);

// "a &amp; b &#x3042;" -> "a & b あ"; an entity it does not know stays as written.
std::string decodeEntities(std::string_view text);

} // namespace mezura::html
