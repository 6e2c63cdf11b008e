#include "help/sitemap.h"

#include "help/html.h"
#include "help/textsearch.h"

#include <optional>

namespace mezura {

namespace {

bool equalsLower(const std::string& value, std::string_view lowerText)
{
    if (value.size() != lowerText.size()) {
        return false;
    }
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i] >= 'A' && value[i] <= 'Z' ? static_cast<char>(value[i] - 'A' + 'a') : value[i];
        if (c != lowerText[i]) {
            return false;
        }
    }
    return true;
}

// The entry of one <OBJECT type="text/sitemap"> from its <param> elements in order: the
// first "Name" names the entry; every "Local" is a place, under the "Name" written last
// before it (the entry's own name when there is none).
class EntryReader {
public:
    void param(const std::string& name, std::string value)
    {
        if (equalsLower(name, "name")) {
            if (!m_named) {
                m_entry.name = value;
                m_named = true;
            }
            m_title = std::move(value);
        } else if (equalsLower(name, "local") && !value.empty()) {
            m_entry.topics.push_back({m_title, std::move(value)});
        }
    }
    bool complete() const { return m_named; }
    SitemapEntry take() { return std::move(m_entry); }

private:
    SitemapEntry m_entry;
    std::string m_title;
    bool m_named = false;
};

void collect(const std::vector<SitemapEntry>& entries, const std::u32string& word,
             std::vector<const SitemapEntry*>& found)
{
    for (const SitemapEntry& entry : entries) {
        if (word.empty() || folded(entry.name).find(word) != std::u32string::npos) {
            found.push_back(&entry);
        }
        collect(entry.children, word, found);
    }
}

} // namespace

Sitemap parseSitemap(std::string_view text)
{
    Sitemap sitemap;
    std::vector<SitemapEntry>& top = sitemap.entries;
    std::size_t read = 0;
    // The lists open at each depth; each one but the first is the children of the last
    // entry of the list before it. Entries are only ever added to the innermost list, so
    // the outer ones never move.
    std::vector<std::vector<SitemapEntry>*> open{&top};
    // For each <UL> not closed yet: whether it opened a list of its own (it does not beyond
    // the depth limit, nor without an entry before it to hold it).
    std::vector<bool> lists;
    std::optional<EntryReader> object;

    html::Scanner scanner(text);
    html::Token token;
    while (scanner.next(token)) {
        if (token.kind != html::Token::Kind::Tag) {
            continue;
        }
        if (token.name == "ul") {
            if (token.closing) {
                if (!lists.empty() && lists.back()) {
                    open.pop_back();
                }
                if (!lists.empty()) {
                    lists.pop_back();
                }
            } else {
                const bool opens = open.size() < kSitemapDepth && !open.back()->empty();
                if (opens) {
                    open.push_back(&open.back()->back().children);
                }
                lists.push_back(opens);
            }
        } else if (token.name == "object") {
            if (token.closing) {
                if (object && object->complete()) {
                    if (read++ == kSitemapEntries) {
                        sitemap.cut = true;
                        break;
                    }
                    open.back()->push_back(object->take());
                }
                object.reset();
            } else if (equalsLower(token.attribute("type"), "text/sitemap")) {
                object.emplace();
            }
        } else if (token.name == "param" && object) {
            object->param(token.attribute("name"), token.attribute("value"));
        }
    }
    return sitemap;
}

std::vector<const SitemapEntry*> lookUp(const std::vector<SitemapEntry>& index, std::string_view word)
{
    std::vector<const SitemapEntry*> found;
    collect(index, folded(word), found);
    return found;
}

} // namespace mezura
