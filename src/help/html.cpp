#include "help/html.h"

#include "framework/escape.h"
#include "help/textsearch.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>
#include <iterator>

namespace mezura::html {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool nameChar(char c)
{
    return !blank(c) && c != '>' && c != '/' && c != '=' && c != '"' && c != '\'' && c != '<';
}

// Case-insensitive search for `what` (lower case) in `text` from `from`.
std::size_t findLower(std::string_view text, std::string_view what, std::size_t from)
{
    for (std::size_t at = from; at + what.size() <= text.size(); ++at) {
        std::size_t i = 0;
        while (i < what.size() && lower(text[at + i]) == what[i]) {
            ++i;
        }
        if (i == what.size()) {
            return at;
        }
    }
    return std::string_view::npos;
}

// The code of a numeric entity's digits ("12354", "x3042"); -1 when they are none.
long numericEntity(std::string_view digits)
{
    const bool hex = !digits.empty() && lower(digits[0]) == 'x';
    if (hex) {
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.size() > 8) {
        return -1;
    }
    long code = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (hex && lower(c) >= 'a' && lower(c) <= 'f') {
            digit = lower(c) - 'a' + 10;
        }
        if (digit < 0) {
            return -1;
        }
        code = code * (hex ? 16 : 10) + digit;
    }
    return code;
}

} // namespace

std::string Token::attribute(std::string_view wanted) const
{
    for (const auto& [key, value] : attributes) {
        if (key == wanted) {
            return value;
        }
    }
    return {};
}

// One pass over the tag syntax, kept together so that every state's rule stands in one place.
// NOLINTNEXTLINE(readability-function-cognitive-complexity)
bool Scanner::next(Token& token)
{
    const std::string_view html = m_html;
    const bool asViewer = m_tags == Tags::AsViewer;
    while (m_at < html.size()) {
        token = Token{};
        std::size_t at = m_at + 1;
        while (asViewer && at < html.size() && blank(html[at])) {
            ++at;
        }
        if (html[m_at] != '<' || at >= html.size() || !(html[at] == '/' || html[at] == '!' || nameChar(html[at]))) {
            // Text up to the next thing that can open a tag.
            std::size_t end = m_at + 1;
            while (end < html.size() && html[end] != '<') {
                ++end;
            }
            token.kind = Token::Kind::Text;
            token.text = html.substr(m_at, end - m_at);
            token.source = token.text;
            m_at = end;
            return true;
        }
        if (html.compare(m_at, 4, "<!--") == 0) {
            const std::size_t end = html.find("-->", m_at + 4);
            m_at = end == std::string_view::npos ? html.size() : end + 3;
            continue;
        }
        if (html[at] == '!' || (html[at] == '?' && !asViewer)) {
            const std::size_t end = html.find('>', m_at);
            m_at = end == std::string_view::npos ? html.size() : end + 1;
            continue;
        }
        token.kind = Token::Kind::Tag;
        if (html[at] == '/') {
            token.closing = true;
            ++at;
        }
        while (at < html.size() && nameChar(html[at])) {
            token.name += lower(html[at++]);
        }
        // Attributes up to the closing ">".
        while (at < html.size() && html[at] != '>') {
            if (html[at] == '/') {
                token.empty = true;
            } else if (!blank(html[at])) {
                token.empty = false;
            }
            if (blank(html[at]) || html[at] == '/' || !nameChar(html[at])) {
                ++at;
                continue;
            }
            std::string key;
            while (at < html.size() && nameChar(html[at])) {
                key += lower(html[at++]);
            }
            while (at < html.size() && blank(html[at])) {
                ++at;
            }
            std::string_view value;
            if (at < html.size() && html[at] == '=') {
                ++at;
                while (at < html.size() && blank(html[at])) {
                    ++at;
                }
                if (at < html.size() && (html[at] == '"' || html[at] == '\'')) {
                    const std::size_t close = html.find(html[at], at + 1);
                    const std::size_t end = close == std::string_view::npos ? html.size() : close;
                    value = html.substr(at + 1, end - at - 1);
                    at = end == html.size() ? end : end + 1;
                } else {
                    const std::size_t start = at;
                    while (at < html.size() && !blank(html[at]) && html[at] != '>') {
                        ++at;
                    }
                    value = html.substr(start, at - start);
                }
            }
            token.attributes.emplace_back(std::move(key), decodeEntities(value));
        }
        const std::size_t start = m_at;
        m_at = at < html.size() ? at + 1 : html.size();
        token.source = html.substr(start, m_at - start);
        if (!asViewer && !token.closing && (token.name == "script" || token.name == "style")) {
            const std::size_t end = findLower(html, "</" + token.name, m_at);
            m_at = end == std::string_view::npos ? html.size() : end;
        }
        return true;
    }
    return false;
}

namespace {

// The kinds of element whose nesting is bounded each: elements of no kind nest only within
// others (table rows and cells, list items, paragraphs).
enum class Kind { None, List, Table, Block, Inline };

bool isAnyOf(std::string_view name, std::initializer_list<std::string_view> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

Kind kindOf(std::string_view name)
{
    if (isAnyOf(name, {"ul", "ol", "dl", "menu", "dir"})) {
        return Kind::List;
    }
    if (name == "table") {
        return Kind::Table;
    }
    if (isAnyOf(
            name,
            {"p", "li", "dt", "dd", "tr", "td", "th", "thead", "tbody", "tfoot", "caption", "colgroup", "option"})) {
        return Kind::None;
    }
    if (isAnyOf(name, {"html",     "head",  "body",   "div",   "blockquote", "center",   "pre",   "h1",
                       "h2",       "h3",    "h4",     "h5",    "h6",         "address",  "form",  "fieldset",
                       "noscript", "title", "script", "style", "select",     "textarea", "object"})) {
        return Kind::Block;
    }
    return Kind::Inline;
}

// Elements that the viewer's parser never puts anything in (others, such as <input> or <col>,
// it does).
bool isVoid(std::string_view name)
{
    return isAnyOf(name, {"br", "hr", "img", "meta"});
}

// Whether an element `opening` ends the innermost open element `open` when it begins there:
// "<li>a<li>b" are two items side by side, not one within the other.
bool endsOpen(std::string_view opening, std::string_view open)
{
    if (isAnyOf(opening, {"td", "th"})) {
        return isAnyOf(open, {"td", "th"});
    }
    if (opening == "tr") {
        return isAnyOf(open, {"td", "th", "tr"});
    }
    if (isAnyOf(opening, {"thead", "tbody", "tfoot"})) {
        return isAnyOf(open, {"td", "th", "tr", "thead", "tbody", "tfoot"});
    }
    if (isAnyOf(opening, {"dt", "dd"})) {
        return isAnyOf(open, {"dt", "dd"});
    }
    return isAnyOf(opening, {"p", "li", "option"}) && open == opening;
}

// The elements open at each point of a page, as the viewer's parser nests them: its tags
// (Scanner::Tags::AsViewer), where <br>, <hr>, <img>, <meta> and <.../> hold nothing, an
// element whose end tag may be left out ends where the next of its kind begins, and an end tag
// closes its element and all open within it.
class OpenElements {
public:
    struct Element {
        std::string name;
        Kind kind;
    };

    // Takes the next token. `closed` is told of every element it closes, innermost first;
    // true when it opened an element, which then stands last in open().
    template <typename Closed> bool take(const Token& token, Closed closed)
    {
        if (token.kind != Token::Kind::Tag || token.name.empty() || isVoid(token.name) ||
            (token.empty && !token.closing)) {
            return false;
        }
        if (token.closing) {
            const auto match = std::find_if(m_open.rbegin(), m_open.rend(),
                                            [&](const Element& element) { return element.name == token.name; });
            if (match != m_open.rend()) {
                for (auto left = std::distance(m_open.rbegin(), match) + 1; left > 0; --left) {
                    closed(m_open.back());
                    m_open.pop_back();
                }
            }
            return false;
        }
        while (!m_open.empty() && endsOpen(token.name, m_open.back().name)) {
            closed(m_open.back());
            m_open.pop_back();
        }
        m_open.push_back({token.name, kindOf(token.name)});
        return true;
    }

    const std::vector<Element>& open() const { return m_open; }

private:
    std::vector<Element> m_open;
};

} // namespace

bool nestsTooDeep(std::string_view html, std::size_t limit)
{
    OpenElements elements;
    std::array<std::size_t, 5> depth{};
    const auto closed = [&](const OpenElements::Element& element) {
        --depth.at(static_cast<std::size_t>(element.kind));
    };
    Scanner scanner(html, Scanner::Tags::AsViewer);
    Token token;
    while (scanner.next(token)) {
        if (!elements.take(token, closed)) {
            continue;
        }
        const Kind kind = elements.open().back().kind;
        const std::size_t deep = ++depth.at(static_cast<std::size_t>(kind));
        if ((kind != Kind::None && deep > limit) || elements.open().size() > limit * 8) {
            return true;
        }
    }
    return false;
}

namespace {

// A span as the viewer reads it: a whole number, blanks around it allowed; others span one.
std::size_t spanOf(const std::string& value)
{
    const auto first = value.find_first_not_of(" \t\n\r\f");
    const auto last = value.find_last_not_of(" \t\n\r\f");
    if (first == std::string::npos) {
        return 1;
    }
    std::string_view digits(value.data() + first, last - first + 1);
    if (digits.front() == '+') {
        digits.remove_prefix(1);
    }
    constexpr std::size_t kLargestInt = 2147483647;
    std::size_t span = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9' || (span = span * 10 + static_cast<std::size_t>(c - '0')) > kLargestInt) {
            return 1;
        }
    }
    return digits.empty() ? 1 : std::max<std::size_t>(span, 1);
}

// The tables of a page, walked as the viewer reads them: a row begins at each <tr> (or at a
// cell before any), and a row or cell belongs to the innermost table open. `cell` is called for
// every cell with its table's number (in the order the tables begin), its row's number within
// the table and the tag; `row` for every row.
template <typename Row, typename Cell> void walkTables(std::string_view html, Row row, Cell cell)
{
    struct Open {
        std::size_t table;
        std::size_t rows = 0;
    };
    std::vector<Open> tables; // innermost last
    std::size_t begun = 0;
    OpenElements elements;
    const auto closed = [&](const OpenElements::Element& element) {
        if (element.kind == Kind::Table) {
            tables.pop_back();
        }
    };
    Scanner scanner(html, Scanner::Tags::AsViewer);
    Token token;
    while (scanner.next(token)) {
        // An element closed where it opens (<td/>) holds nothing, but is a row or cell all the same.
        const bool opened = elements.take(token, closed);
        if (!opened && !(token.kind == Token::Kind::Tag && !token.closing && token.empty)) {
            continue;
        }
        const std::string& name = token.name;
        if (name == "table") {
            if (opened) {
                tables.push_back({begun++});
            }
        } else if (!tables.empty() && (name == "tr" || ((name == "td" || name == "th") && tables.back().rows == 0))) {
            row(tables.back().table, tables.back().rows++);
        }
        if (!tables.empty() && (name == "td" || name == "th")) {
            cell(tables.back().table, tables.back().rows - 1, token);
        }
    }
}

// Each table's rows and the cells of its longest row.
struct TableSize {
    std::size_t rows = 0;
    std::size_t widest = 0;
    std::size_t cells = 0; // in the row read last
};

std::vector<TableSize> tableSizes(std::string_view html)
{
    std::vector<TableSize> sizes;
    const auto size = [&](std::size_t table) -> TableSize& {
        if (table >= sizes.size()) {
            sizes.resize(table + 1);
        }
        return sizes[table];
    };
    walkTables(
        html,
        [&](std::size_t table, std::size_t) {
            ++size(table).rows;
            size(table).cells = 0;
        },
        [&](std::size_t table, std::size_t, const Token&) {
            TableSize& of = size(table);
            of.widest = std::max(of.widest, ++of.cells);
        });
    return sizes;
}

// A cell's spans, clamped: {columns, rows}.
std::pair<std::size_t, std::size_t> clampedSpans(const TableSize& table, std::size_t row, const Token& cell)
{
    std::size_t columns = 1;
    std::size_t rows = 1;
    for (const auto& [key, value] : cell.attributes) {
        if (key == "colspan") {
            columns = std::min(spanOf(value), table.widest);
        } else if (key == "rowspan") {
            rows = std::min(spanOf(value), table.rows - row);
        }
    }
    return {columns, rows};
}

} // namespace

std::size_t tableCells(std::string_view html, std::size_t limit)
{
    const std::vector<TableSize> sizes = tableSizes(html);
    // Each table's columns so far, and for each of its columns the row up to which a cell above
    // holds it; laid out as the viewer does: a cell takes the first column from where the row's
    // last cell ended that no cell above holds.
    struct Grid {
        std::size_t columns = 0;
        std::size_t next = 0; // the column where the row's next cell goes
        std::vector<std::size_t> heldUntil;
    };
    std::vector<Grid> grids(sizes.size());
    std::size_t counted = 0; // the cells of the tables whose columns are known so far
    bool over = false;
    walkTables(
        html, [&](std::size_t table, std::size_t) { grids[table].next = 0; },
        [&](std::size_t table, std::size_t row, const Token& cell) {
            Grid& grid = grids[table];
            const std::size_t rows = sizes[table].rows;
            if (over) {
                return;
            }
            while (grid.next < grid.heldUntil.size() && grid.heldUntil[grid.next] > row) {
                ++grid.next;
            }
            const auto [columns, spanned] = clampedSpans(sizes[table], row, cell);
            const std::size_t end = grid.next + columns;
            if (end > grid.columns) {
                // Every row of the table as wide: stop once the cells exceed the limit, before
                // counting up columns past it.
                if (end - grid.columns > (limit - counted) / rows) {
                    over = true;
                    return;
                }
                counted += (end - grid.columns) * rows;
                grid.columns = end;
                grid.heldUntil.resize(end);
            }
            for (std::size_t column = grid.next; column < end; ++column) {
                grid.heldUntil[column] = row + spanned;
            }
            grid.next = end;
        });
    return over ? limit + 1 : counted;
}

std::string clampSpans(std::string_view html)
{
    const std::vector<TableSize> sizes = tableSizes(html);
    std::string out;
    out.reserve(html.size());
    std::size_t copied = 0;
    walkTables(
        html, [](std::size_t, std::size_t) {},
        [&](std::size_t table, std::size_t row, const Token& cell) {
            const auto [columns, rows] = clampedSpans(sizes[table], row, cell);
            bool clamped = false;
            for (const auto& [key, value] : cell.attributes) {
                clamped = clamped || (key == "colspan" && spanOf(value) > columns) ||
                    (key == "rowspan" && spanOf(value) > rows);
            }
            if (!clamped) {
                return;
            }
            // The tag written anew with its spans clamped, and its other attributes as read.
            const auto at = static_cast<std::size_t>(cell.source.data() - html.data());
            out.append(html.substr(copied, at - copied));
            out += '<' + cell.name;
            for (const auto& [key, value] : cell.attributes) {
                const std::string written = key == "colspan" ? std::to_string(columns)
                    : key == "rowspan"                       ? std::to_string(rows)
                                                             : value;
                out += ' ' + key + "=\"" + htmlEscaped(written) + '"';
            }
            out += cell.empty ? " />" : ">";
            copied = at + cell.source.size();
        });
    out.append(html.substr(copied));
    return out;
}

std::size_t countTags(std::string_view html, std::string_view name, std::size_t limit)
{
    Scanner scanner(html, Scanner::Tags::AsViewer);
    Token token;
    std::size_t count = 0;
    while (count <= limit && scanner.next(token)) {
        if (token.kind == Token::Kind::Tag && !token.closing && token.name == name) {
            ++count;
        }
    }
    return count;
}

std::string decodeEntities(std::string_view text)
{
    struct Named {
        std::string_view name;
        const char* text;
    };
    static constexpr Named kNamed[] = {{"amp", "&"},   {"lt", "<"},   {"gt", ">"},
                                       {"quot", "\""}, {"apos", "'"}, {"nbsp", "\xC2\xA0"}};
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t amp = text.find('&', at);
        const std::size_t semicolon = amp == std::string_view::npos ? amp : text.find(';', amp + 1);
        if (semicolon == std::string_view::npos || semicolon - amp > 12) {
            const std::size_t end = amp == std::string_view::npos ? text.size() : amp + 1;
            out.append(text.substr(at, end - at));
            at = end;
            continue;
        }
        out.append(text.substr(at, amp - at));
        const std::string_view entity = text.substr(amp + 1, semicolon - amp - 1);
        bool known = false;
        if (!entity.empty() && entity[0] == '#') {
            const long code = numericEntity(entity.substr(1));
            if (code >= 0) {
                appendUtf8(out, code == 0 ? char32_t{0xFFFD} : static_cast<char32_t>(code));
                known = true;
            }
        } else {
            for (const Named& named : kNamed) {
                if (entity == named.name) {
                    out += named.text;
                    known = true;
                }
            }
        }
        if (!known) {
            out.append(text.substr(amp, semicolon - amp + 1));
        }
        at = semicolon + 1;
    }
    return out;
}

} // namespace mezura::html
