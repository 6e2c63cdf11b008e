// The table of contents (.hhc) and the keyword index (.hhk) of the help file: both are site
// maps, an HTML list of <OBJECT type="text/sitemap"> entries whose <param> elements give an
// entry's name and the places it leads to, nested through <UL>.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mezura {

// A place an entry leads to: "common.htm#gauge" as the site map writes it, with the title
// under which a keyword lists it.
struct SitemapTopic {
    std::string title;
    std::string local;

    bool operator==(const SitemapTopic&) const = default;
};

struct SitemapEntry {
    std::string name;
    // A contents entry leads to one place or none (a heading); a keyword of the index leads
    // to one place or more.
    std::vector<SitemapTopic> topics;
    std::vector<SitemapEntry> children;
};

// Lists nested deeper than this are read as if they stood at this depth: the viewer shows
// every entry, and no file makes it recurse without end.
inline constexpr std::size_t kSitemapDepth = 16;

// Entries past this many (sub-entries counted) are left out: the viewer's panes take time
// growing with the entries, and the help's own contents and index hold a few hundred.
inline constexpr std::size_t kSitemapEntries = 10000;

struct Sitemap {
    std::vector<SitemapEntry> entries;
    bool cut = false; // the site map holds more than kSitemapEntries entries
};

// The entries of a site map, in the order written, the first kSitemapEntries of them.
// Whatever the bytes hold, this returns what it could read; text that is no site map gives no
// entries.
Sitemap parseSitemap(std::string_view html);

// The keywords of `index` (sub-keywords included) whose name holds `word` as search compares
// text (full-width and half-width forms, upper and lower case, hiragana and katakana alike),
// in index order. An empty word (or one of blanks only) matches every keyword.
std::vector<const SitemapEntry*> lookUp(const std::vector<SitemapEntry>& index, std::string_view word);

} // namespace mezura
