// Searching the help's pages the way a Japanese reader looks for a word: text has no word
// breaks, so a word is found wherever its characters stand, and text is compared folded:
// full-width and half-width forms, upper and lower case, hiragana and katakana count alike
// ("つぼ" finds "ツボ", "ｍａｃｈ" finds "Mach", "ｶﾞﾛﾝ" finds "ガロン").
#pragma once

#include "framework/fold.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mezura {

// Where `word` (folded, without blanks at either end) stands in `text`, as UTF-16 offsets of
// the source [begin, end), in order and without overlap. Nothing for an empty word.
std::vector<std::pair<std::size_t, std::size_t>> findAll(const FoldedText& text, std::u32string_view word);

// One line of `text` around the place [begin, end) (UTF-16 offsets), as UTF-8: up to
// kExcerptBefore characters before it and kExcerptAfter after it, every run of blanks and line
// breaks as one space, and "…" where the text goes on beyond: "…の面積は 1 坪（歩） = 33051…".
inline constexpr std::size_t kExcerptBefore = 10;
inline constexpr std::size_t kExcerptAfter = 20;
std::string excerpt(std::u16string_view text, std::size_t begin, std::size_t end);

// The title and the readable text of an HTML page: tags left out, entities decoded, the head
// (but for the title), style sheets, scripts and comments skipped.
struct PageText {
    std::string title;
    std::string text;
};
PageText pageText(std::string_view html);

// Full-text search over the pages of the help.
class HelpSearch {
public:
    struct Hit {
        std::string page;  // "/square.htm"
        std::string title; // "面積の画面"
        std::size_t count; // how often the word stands in its text
        // The line of text around the first place of the word in the page's text (its
        // beginning when only the title holds the word).
        std::string excerpt;

        bool operator==(const Hit&) const = default;
    };

    void add(std::string page, std::string_view html);
    std::size_t size() const { return m_pages.size(); }

    // The pages whose title or text holds `word`, most matches first, then in the order
    // added. Nothing for an empty word.
    std::vector<Hit> find(std::string_view word) const;

private:
    struct Page {
        std::string page;
        std::string title;
        std::u32string text; // the title, a blank and the text, folded
        std::u16string body; // the text as written, for the excerpts
    };
    std::vector<Page> m_pages;
};

} // namespace mezura
