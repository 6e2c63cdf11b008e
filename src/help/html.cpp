#include "help/html.h"

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
        m_at = at < html.size() ? at + 1 : html.size();
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

} // namespace

bool nestsTooDeep(std::string_view html, std::size_t limit)
{
    struct Open {
        std::string name;
        Kind kind;
    };
    std::vector<Open> open;
    std::array<std::size_t, 5> depth{};
    const auto close = [&] {
        --depth.at(static_cast<std::size_t>(open.back().kind));
        open.pop_back();
    };
    Scanner scanner(html, Scanner::Tags::AsViewer);
    Token token;
    while (scanner.next(token)) {
        if (token.kind != Token::Kind::Tag || token.name.empty() || isVoid(token.name) ||
            (token.empty && !token.closing)) {
            continue;
        }
        if (token.closing) {
            const auto match = std::find_if(open.rbegin(), open.rend(),
                                            [&](const Open& element) { return element.name == token.name; });
            if (match != open.rend()) {
                for (auto left = std::distance(open.rbegin(), match) + 1; left > 0; --left) {
                    close();
                }
            }
            continue;
        }
        while (!open.empty() && endsOpen(token.name, open.back().name)) {
            close();
        }
        const Kind kind = kindOf(token.name);
        open.push_back({std::move(token.name), kind});
        const std::size_t deep = ++depth.at(static_cast<std::size_t>(kind));
        if ((kind != Kind::None && deep > limit) || open.size() > limit * 8) {
            return true;
        }
    }
    return false;
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
