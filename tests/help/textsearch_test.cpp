#include "help/html.h"
#include "help/sitemap.h"
#include "help/textsearch.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace mezura {
namespace {

std::string foldedText(const std::string& text)
{
    std::string out;
    for (const char32_t c : fold(utf16(text)).text) {
        appendUtf8(out, c);
    }
    return out;
}

TEST(TextFold, ScriptFormsCaseAndBlanksCountAlike)
{
    const std::pair<std::string, std::string> rows[] = {
        {"ＡＢｃ１２．５", "abc12.5"},
        {"Mach MACH", "mach mach"},
        {"つぼ", "ツボ"},
        {"ﾂﾎﾞ", "ツボ"},
        {"ｶﾞﾛﾝ ﾊﾟｲﾝﾄ ｳﾞ", "ガロン パイント ヴ"},
        {"ｱﾞ", "ア゛"},               // no voiced form: the mark stays a character of its own
        {"か\u3099は\u309A", "ガパ"}, // combining marks join as well
        {"ゝ", "ヽ"},
        {"a \u3000\n\t b", "a b"},
        {"ab\u200Bcd \u200B e", "abcd e"}, // a zero-width space offers a line break, nothing more
        {"cm² m³ µJ −5", "cm2 m3 μj -5"},
        {"尺貫法", "尺貫法"},
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"}, // beyond the 16-bit plane, unchanged
    };
    for (const auto& [text, expected] : rows) {
        EXPECT_EQ(foldedText(text), expected) << text;
    }
    EXPECT_EQ(folded("  ＭＡＣＨ\u3000"), U"mach"); // a word: its blanks at either end left out
}

// Matches are found in folded text and reported where they stand in the source, in UTF-16
// units: a half-width kana with its mark is two units for one character.
TEST(TextFold, MatchesReportedWhereTheyStandInTheSource)
{
    struct Row {
        std::string text;
        std::string word;
        std::vector<std::pair<std::size_t, std::size_t>> found;
    };
    const Row rows[] = {
        {"ｶﾞﾛﾝとガロン", "がろん", {{0, 4}, {5, 8}}},
        {"\xF0\x9F\x98\x80ツボ", "つぼ", {{2, 4}}},
        {"aaaa", "aa", {{0, 2}, {2, 4}}},
        {"one  two", "e t", {{2, 6}}},
        {"xx\u200Bxx", "xxx", {{0, 4}}},
        {"text", "", {}},
        {"", "x", {}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(findAll(fold(utf16(row.text)), folded(row.word)), row.found) << row.text << " / " << row.word;
    }
}

// Ten characters before the place and twenty after, blanks and line breaks as one space, a
// character beyond the 16-bit plane never cut in two.
TEST(TextFold, ExcerptIsOneLineAroundThePlace)
{
    struct Row {
        std::u16string text;
        std::size_t begin, end;
        std::string expected;
    };
    const std::u16string digits = u"0123456789abcdefghijklmnopqrstuvwxyz";
    const Row rows[] = {
        {digits, 12, 13, "…23456789abcdefghijklmnopqrstuvw…"},
        {digits, 0, 2, "0123456789abcdefghijkl…"},
        {digits, 30, 36, "…klmnopqrstuvwxyz"},
        {u"a\n\n b\u3000 c", 4, 5, "a b c"},
        {u"\U0001F600\U0001F600" + std::u16string(9, u'x') + u"ツボ", 13, 15, "…\U0001F600xxxxxxxxxツボ"},
        {u"short", 9, 20, "short"}, // a place past the end: the text's end
    };
    for (const Row& row : rows) {
        EXPECT_EQ(excerpt(row.text, row.begin, row.end), row.expected) << row.expected;
    }
}

TEST(TextFold, Utf8ThatIsNoUtf8ReadsAsReplacement)
{
    const std::pair<std::string, std::u16string> rows[] = {
        {"a\xFF"
         "b",
         u"a\uFFFDb"},
        {"\xE3\x81", u"\uFFFD\uFFFD"},           // cut off
        {"\xC0\xAF", u"\uFFFD\uFFFD"},           // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"}, // a surrogate
        {"つ", u"つ"},
    };
    for (const auto& [bytes, text] : rows) {
        EXPECT_EQ(utf16(bytes), text) << bytes;
    }
    EXPECT_EQ(utf8(u"ツボ\U0001F600"), "ツボ\xF0\x9F\x98\x80");
    EXPECT_EQ(utf8(std::u16string(1, char16_t{0xD800})), "\uFFFD");
}

TEST(PageText, ReadableTextAndTitleOfAPage)
{
    const PageText page =
        pageText("<html><head><title> 面積の &amp; 画面 </title><style>p { color: red }</style>"
                 "<link rel=\"stylesheet\" href=\"style.css\"></head>"
                 "<body><h1>面積</h1><!-- not shown --><p>1 坪 &lt; 2 畳&#x3002;<br>x&nbsp;y &unknown; &#12354;</p>"
                 "<script>var hidden = 1;</script><table><tr><td>a</td><td>b</td></tr></table></body></html>");
    EXPECT_EQ(page.title, "面積の & 画面");
    EXPECT_EQ(page.text, "面積\n1 坪 < 2 畳。\nx\u00A0y &unknown; あ\na\nb");
}

TEST(HelpSearch, PagesWithMostMatchesFirstThenInOrder)
{
    HelpSearch search;
    search.add("/a.htm", "<title>A</title><p>坪 坪</p>");
    search.add("/b.htm", "<title>B</title><p>ツボ つぼ ﾂﾎﾞ</p>");
    search.add("/c.htm", "<title>C</title><p>坪</p>");
    search.add("/d.htm", "<title>ツボの話</title><p>nothing</p>");
    search.add("/e.htm",
               "<title>E</title><h1>面積</h1><p>広さの単位のひとつとして使われる 坪（歩） は畳二枚ほどの広さ"
               "として知られています。</p>");
    using Hit = HelpSearch::Hit;
    EXPECT_EQ(search.find("坪"),
              (std::vector<Hit>{{"/a.htm", "A", 2, "坪 坪"},
                                {"/c.htm", "C", 1, "坪"},
                                {"/e.htm", "E", 1, "…とつとして使われる 坪（歩） は畳二枚ほどの広さとして知られて…"}}));
    // The excerpt shows the text as written; a word only in the title, the text's beginning.
    EXPECT_EQ(search.find(" つぼ "),
              (std::vector<Hit>{{"/b.htm", "B", 3, "ツボ つぼ ﾂﾎﾞ"}, {"/d.htm", "ツボの話", 1, "nothing"}}));
    EXPECT_EQ(search.find("面積").front().excerpt, "面積 広さの単位のひとつとして使われる 坪（…");
    EXPECT_TRUE(search.find("尺").empty());
    EXPECT_TRUE(search.find(" \u3000").empty());
}

TEST(Sitemap, EntriesNestedAsWritten)
{
    const std::string hhc = R"(<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">
<HTML><HEAD><!-- <OBJECT type="text/sitemap"><param name="Name" value="comment"></OBJECT> --></HEAD><BODY>
<OBJECT type="text/site properties"><param name="Window Styles" value="0x800025"></OBJECT>
<UL>
 <LI><OBJECT type="text/sitemap"><param name="Name" value="共通 &amp; 事項"><param name="Local" value="common.htm"></OBJECT>
 <UL>
  <LI><object TYPE='text/sitemap'><PARAM NAME=name VALUE="ゲージ"><param name="Local" value="common.htm#gauge"></object>
 </UL>
 <LI><OBJECT type="text/sitemap"><param name="Name" value="各画面"></OBJECT>
 <UL><LI><OBJECT type="text/sitemap"><param name="Name" value="長さ"><param name="Local" value="length.htm"></OBJECT></UL>
 <LI><OBJECT type="text/sitemap"><param name="Name" value="合"><param name="Name" value="面積の画面"><param name="Local" value="square.htm"><param name="Name" value="体積の画面"><param name="Local" value="cubic.htm"></OBJECT>
 <LI><OBJECT type="text/sitemap"><param name="Local" value="nameless.htm"></OBJECT>
</UL></BODY></HTML>)";
    const std::vector<SitemapEntry> entries = parseSitemap(hhc).entries;
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "共通 & 事項");
    EXPECT_EQ(entries[0].topics, (std::vector<SitemapTopic>{{"共通 & 事項", "common.htm"}}));
    ASSERT_EQ(entries[0].children.size(), 1u);
    EXPECT_EQ(entries[0].children[0].topics, (std::vector<SitemapTopic>{{"ゲージ", "common.htm#gauge"}}));
    EXPECT_TRUE(entries[1].topics.empty()); // a heading
    ASSERT_EQ(entries[1].children.size(), 1u);
    EXPECT_EQ(entries[1].children[0].name, "長さ");
    EXPECT_EQ(entries[2].name, "合");
    EXPECT_EQ(entries[2].topics,
              (std::vector<SitemapTopic>{{"面積の画面", "square.htm"}, {"体積の画面", "cubic.htm"}}));

    std::vector<std::string> found;
    for (const SitemapEntry* entry : lookUp(entries, "げーじ")) {
        found.push_back(entry->name);
    }
    EXPECT_EQ(found, std::vector<std::string>{"ゲージ"});
    EXPECT_EQ(lookUp(entries, " ").size(), 5u); // nothing typed: every entry
    EXPECT_TRUE(lookUp(entries, "坪").empty());
}

// Whatever the bytes, the reader returns what it could read and never nests deeper than its
// limit.
TEST(Sitemap, BrokenOrHostileTextGivesWhatCanBeRead)
{
    const std::string entry = R"(<LI><OBJECT type="text/sitemap"><param name="Name" value="x"></OBJECT>)";
    std::string deep;
    for (int i = 0; i < 5000; ++i) {
        deep += entry + "<UL>";
    }
    const std::vector<SitemapEntry> top = parseSitemap(deep).entries;
    std::size_t depth = 0;
    std::size_t entries = 0;
    for (const std::vector<SitemapEntry>* level = &top; !level->empty(); level = &level->back().children) {
        ++depth;
        entries += level->size();
    }
    EXPECT_EQ(depth, kSitemapDepth);
    EXPECT_EQ(entries, 5000u); // the deeper ones at the deepest level

    const std::pair<std::string, std::size_t> rows[] = {
        {"", 0},
        {"no site map at all", 0},
        {"</UL></UL>" + entry + "</UL>" + entry, 2},
        {R"(<OBJECT type="text/sitemap"><param name="Name" value="unclosed">)", 0},
        {R"(<OBJECT type="text/sitemap"><param name="Name" value="x)", 0},
        {std::string(R"(<OBJECT type="text/sitemap"><param name="Name" value=")") + '\xFF' + '\0' + "\"></OBJECT>", 1},
    };
    for (const auto& [text, count] : rows) {
        EXPECT_EQ(parseSitemap(text).entries.size(), count) << text;
    }

    // A site map of more entries than the viewer lists is cut after them, sub-entries counted.
    std::string many = "<UL>" + entry + "<UL>" + entry + entry + "</UL>";
    for (std::size_t i = 3; i < kSitemapEntries; ++i) {
        many += entry;
    }
    const Sitemap full = parseSitemap(many);
    EXPECT_FALSE(full.cut);
    EXPECT_EQ(full.entries.size(), kSitemapEntries - 2);
    EXPECT_EQ(full.entries.front().children.size(), 2u);
    const Sitemap cut = parseSitemap(many + entry + entry);
    EXPECT_TRUE(cut.cut);
    EXPECT_EQ(cut.entries.size(), kSitemapEntries - 2);
}

// Tables as the viewer lays them out: the cells it makes room for (rows times columns), and
// spans clamped to the table's size before it sees them.
TEST(Html, TablesCountedAndTheirSpansClamped)
{
    const auto repeated = [](const std::string& text, std::size_t times) {
        std::string out;
        for (std::size_t i = 0; i < times; ++i) {
            out += text;
        }
        return out;
    };
    const struct {
        std::string html;
        std::size_t cells;
        std::string clamped; // empty: as written
    } rows[] = {
        {"<p>no table</p>", 0, ""},
        {"<table></table><table><tr></tr></table>", 0, ""},
        {"<table><tr><td>a<td>b</tr><tr><td>c<td>d</table>", 4, ""},
        {"<TABLE><TR><TD>a</TD><TH>b</TH></TR></TABLE>", 2, ""},
        {"<table><td>a<td>b</table>", 2, ""}, // cells before any row make one
        {"<table><tr><td/><td/><td/></tr></table>", 3, ""},
        {"<table><tr><td colspan=9 />a<td>b</table>", 3, R"(<table><tr><td colspan="2" />a<td>b</table>)"},
        {"<table><tr><td colspan=3>a</tr><tr><td>b<td>c<td>d</table>", 6, ""},
        {"<table><tr><td colspan='2147483647' class=x>a</tr><tr><td>b<td>c</table>", 4,
         R"(<table><tr><td colspan="2" class="x">a</tr><tr><td>b<td>c</table>)"},
        {"<table><tr><td rowspan=65536>a<td>b</tr><tr><td>c</table>", 4,
         R"(<table><tr><td rowspan="2">a<td>b</tr><tr><td>c</table>)"},
        {"<table><tr><td>a<td ROWSPAN=\" 9 \" title='&quot;&lt;'>b</tr><tr><td>c</table>", 4,
         R"(<table><tr><td>a<td rowspan="2" title="&quot;&lt;">b</tr><tr><td>c</table>)"},
        // A cell spanning rows holds its column in the rows below: they reach one further.
        {"<table><tr><td rowspan=2>a<td>b<tr><td>c<td>d</table>", 6, ""},
        // Spans the viewer does not read as numbers span one.
        {"<table><tr><td colspan=2x>a<td colspan=-5>b<td colspan=99999999999>c</table>", 3, ""},
        {"<table><tr><td>a<table><tr><td>b<td>c</table><td>d</table>", 4, ""},
        // An end tag closes the table open within it: the rows after it are the outer table's.
        {"<table><tr><td>a<table><tr><td>b</td></tr></td></tr><tr><td>c</table>", 3, ""},
        {repeated("<table><tr><td>x</table>", 100), 100, ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(html::tableCells(row.html, 2000), row.cells) << row.html;
        EXPECT_EQ(html::clampSpans(row.html), row.clamped.empty() ? row.html : row.clamped) << row.html;
    }
    // A sparse table of a wide row above many short ones: 1,000 columns on every row. The
    // counting stops past the limit.
    const std::string sparse = "<table><tr>" + repeated("<td>c", 1000) + repeated("<tr><td>r", 999) + "</table>";
    EXPECT_EQ(html::tableCells(sparse, 2000), 2001u);
    EXPECT_EQ(html::tableCells(sparse, 1000000), 1000000u);
    const std::string wide = "<table><tr>" + repeated("<td colspan=100000>c", 1000) + "</table>";
    EXPECT_EQ(html::tableCells(wide, 2000), 2001u);
}

TEST(Html, EntitiesDecodedAndTagsRead)
{
    const std::pair<std::string, std::string> rows[] = {
        {"a &amp; b", "a & b"},       {"&lt;&gt;&quot;&apos;", "<>\"'"},
        {"&#12354;&#x3042;", "ああ"}, {"&#0;&#x110000;", "\uFFFD\uFFFD"},
        {"& alone", "& alone"},       {"&amp", "&amp"},
        {"&nosuch;", "&nosuch;"},
    };
    for (const auto& [text, decoded] : rows) {
        EXPECT_EQ(html::decodeEntities(text), decoded) << text;
    }
    html::Scanner scanner("<A HREF = 'x.htm' class=c checked>t</a>");
    html::Token token;
    ASSERT_TRUE(scanner.next(token));
    EXPECT_EQ(token.name, "a");
    EXPECT_EQ(token.attribute("href"), "x.htm");
    EXPECT_EQ(token.attribute("class"), "c");
    EXPECT_EQ(token.attribute("checked"), "");
    ASSERT_TRUE(scanner.next(token));
    EXPECT_EQ(token.text, "t");
    ASSERT_TRUE(scanner.next(token));
    EXPECT_TRUE(token.closing);
    EXPECT_FALSE(scanner.next(token));
}

} // namespace
} // namespace mezura
