#include "help/textsearch.h"

#include "help/html.h"

#include <algorithm>

namespace mezura {

namespace {

std::size_t count(const std::u32string& text, const std::u32string& word)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(word); at != std::u32string::npos; at = text.find(word, at + word.size())) {
        ++found;
    }
    return found;
}

} // namespace

std::vector<std::pair<std::size_t, std::size_t>> findAll(const FoldedText& text, std::u32string_view word)
{
    std::vector<std::pair<std::size_t, std::size_t>> found;
    if (word.empty()) {
        return found;
    }
    const std::u32string_view haystack = text.text;
    for (std::size_t at = haystack.find(word); at != std::u32string_view::npos;
         at = haystack.find(word, at + word.size())) {
        found.emplace_back(text.origin[at], text.origin[at + word.size()]);
    }
    return found;
}

std::string excerpt(std::u16string_view text, std::size_t begin, std::size_t end)
{
    end = std::min(end, text.size());
    begin = std::min(begin, end);
    // Whole characters: a step back over a surrogate pair takes both of its units.
    const auto back = [&](std::size_t at) {
        return at >= 2 && text[at - 1] >= 0xDC00 && text[at - 1] <= 0xDFFF && text[at - 2] >= 0xD800 &&
                text[at - 2] <= 0xDBFF
            ? at - 2
            : at - 1;
    };
    std::size_t from = begin;
    for (std::size_t n = 0; n < kExcerptBefore && from > 0; ++n) {
        from = back(from);
    }
    std::size_t to = end;
    for (std::size_t n = 0; n < kExcerptAfter && to < text.size(); ++n) {
        decodeUtf16(text, to);
    }
    std::string out = from > 0 ? "…" : "";
    bool blank = false;
    for (std::size_t at = from; at < to;) {
        const char32_t c = decodeUtf16(text, at);
        if (isTextBlank(c)) {
            blank = true;
            continue;
        }
        if (blank && out.size() > (from > 0 ? 3u : 0u)) {
            out += ' ';
        }
        blank = false;
        appendUtf8(out, c);
    }
    return to < text.size() ? out + "…" : out;
}

PageText pageText(std::string_view page)
{
    // Tags that end a line of text: the words on either side of them are not one word.
    static constexpr std::string_view kBreaks[] = {"p",  "br", "div", "h1",    "h2", "h3", "h4", "h5", "h6", "li",
                                                   "tr", "td", "th",  "table", "ul", "ol", "dt", "dd", "hr", "title"};
    PageText out;
    html::Scanner scanner(page);
    html::Token token;
    bool inHead = false;
    bool inTitle = false;
    std::string raw;
    while (scanner.next(token)) {
        if (token.kind == html::Token::Kind::Text) {
            if (inTitle) {
                out.title += html::decodeEntities(token.text);
            } else if (!inHead) {
                raw += html::decodeEntities(token.text);
            }
            continue;
        }
        if (token.name == "head") {
            inHead = !token.closing;
        } else if (token.name == "title") {
            inTitle = !token.closing;
        } else if (token.name == "body") {
            inHead = false;
        }
        if (std::find(std::begin(kBreaks), std::end(kBreaks), token.name) != std::end(kBreaks)) {
            raw += '\n';
        }
    }
    // Blanks as a browser shows them: a run of them is one, a line break ends a line.
    bool blank = false;
    bool lineBreak = false;
    for (const char c : raw) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f') {
            blank = true;
            lineBreak = lineBreak || c == '\n';
            continue;
        }
        if (blank && !out.text.empty()) {
            out.text += lineBreak ? '\n' : ' ';
        }
        blank = lineBreak = false;
        out.text += c;
    }
    // The title as written, its blanks at either end left out.
    const auto first = out.title.find_first_not_of(" \t\r\n");
    const auto last = out.title.find_last_not_of(" \t\r\n");
    out.title = first == std::string::npos ? std::string() : out.title.substr(first, last - first + 1);
    return out;
}

void HelpSearch::add(std::string page, std::string_view html)
{
    PageText text = pageText(html);
    std::u32string content = fold(utf16(text.title + "\n" + text.text)).text;
    m_pages.push_back({std::move(page), std::move(text.title), std::move(content), utf16(text.text)});
}

std::vector<HelpSearch::Hit> HelpSearch::find(std::string_view word) const
{
    std::vector<Hit> hits;
    const std::u32string wanted = folded(word);
    if (wanted.empty()) {
        return hits;
    }
    for (const Page& page : m_pages) {
        if (const std::size_t found = count(page.text, wanted); found > 0) {
            // Folded again for the hits alone, where the excerpt is taken from.
            const FoldedText body = fold(page.body);
            const std::size_t at = body.text.find(wanted);
            hits.push_back({page.page, page.title, found,
                            at == std::u32string::npos
                                ? excerpt(page.body, 0, 0)
                                : excerpt(page.body, body.origin[at], body.origin[at + wanted.size()])});
        }
    }
    std::stable_sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) { return a.count > b.count; });
    return hits;
}

} // namespace mezura
