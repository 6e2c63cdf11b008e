#include "help/helpfile.h"
#include "help/textsearch.h"
#include "helpfile_read.h"
#include "links.h"
#include "tempdir.h"
#include "test_host.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <regex>
#include <set>
#include <sys/stat.h>

namespace mezura {
namespace {

namespace fs = std::filesystem;

// The help file that the build compiled beside the program.
const std::string kHelpFile = MEZURA_HELP_FILE;

HelpFile openBuilt()
{
    std::string error;
    std::optional<HelpFile> help = HelpFile::open(kHelpFile, error);
    if (!help) {
        throw std::runtime_error(error);
    }
    return std::move(*help);
}

struct TopicRow {
    int topic;
    const char* page;
    const char* title;
};

TEST(HelpFile, EveryTopicOpensItsPage)
{
    const TopicRow rows[] = {
        {1000, "/common.htm", "<title>共通事項</title>"},     {1010, "/length.htm", "<title>長さの画面</title>"},
        {1020, "/square.htm", "<title>面積の画面</title>"},   {1030, "/cubic.htm", "<title>体積の画面</title>"},
        {1040, "/weight.htm", "<title>重さの画面</title>"},   {1050, "/press.htm", "<title>圧力の画面</title>"},
        {1060, "/temp.htm", "<title>温度の画面</title>"},     {1070, "/year.htm", "<title>年号の画面</title>"},
        {1080, "/velocity.htm", "<title>速度の画面</title>"}, {1090, "/heat.htm", "<title>熱量の画面</title>"},
        {1100, "/radio.htm", "<title>壊変率の画面</title>"},
    };
    const HelpFile help = openBuilt();
    for (const TopicRow& row : rows) {
        std::string error;
        const std::optional<std::string> page = help.pageForTopic(row.topic, error);
        ASSERT_TRUE(page.has_value()) << row.topic << ": " << error;
        EXPECT_EQ(*page, row.page) << row.topic;
        const std::optional<std::string> bytes = help.read(*page, error);
        ASSERT_TRUE(bytes.has_value()) << row.topic << ": " << error;
        EXPECT_NE(bytes->find(row.title), std::string::npos) << row.topic;
        EXPECT_NE(bytes->find("charset=utf-8"), std::string::npos) << row.topic;
        EXPECT_NE(bytes->find(R"(<link rel="stylesheet" type="text/css" href="style.css">)"), std::string::npos)
            << row.topic;
    }
}

TEST(HelpFile, ATopicTheFileDoesNotMapIsAnError)
{
    const HelpFile help = openBuilt();
    for (const int topic : {0, -1, 999, 1001, 1005, 1015, 1110, 2000, 1010 + 65536}) {
        std::string error;
        EXPECT_EQ(help.pageForTopic(topic, error), std::nullopt) << topic;
        EXPECT_EQ(error, "ヘルプファイル " + kHelpFile + " にトピック " + std::to_string(topic) + " がありません");
    }
}

TEST(HelpFile, PagesAreReadByPathWithOrWithoutTheLeadingSlash)
{
    const HelpFile help = openBuilt();
    std::string error;
    const auto withSlash = help.read("/style.css", error);
    ASSERT_TRUE(withSlash.has_value()) << error;
    EXPECT_EQ(help.read("style.css", error), withSlash);
    EXPECT_EQ(help.read("/nothing.htm", error), std::nullopt);
    EXPECT_EQ(error, "ヘルプファイル " + kHelpFile + " にページ /nothing.htm がありません");
    EXPECT_EQ(
        help.pages(),
        (std::vector<std::string>{"/common.htm", "/cubic.htm", "/heat.htm", "/length.htm", "/press.htm", "/radio.htm",
                                  "/square.htm", "/temp.htm", "/velocity.htm", "/weight.htm", "/year.htm"}));
}

// No page of the help leads nowhere, and the common page reaches every window's page while
// every window's page leads back to it.
TEST(HelpFile, EveryLinkLeadsToAPageOfTheFile)
{
    const HelpFile help = openBuilt();
    std::set<std::string> fromCommon;
    for (const std::string& page : help.pages()) {
        std::string error;
        const std::optional<std::string> html = help.read(page, error);
        ASSERT_TRUE(html.has_value()) << error;
        bool toCommon = false;
        for (const std::string& href : linkTargets(*html)) {
            const std::optional<HelpLink> link = resolveLink(page, href);
            ASSERT_TRUE(link.has_value()) << page << " links out of the file: " << href;
            EXPECT_TRUE(help.read(link->page, error).has_value()) << page << ": " << href << ": " << error;
            toCommon = toCommon || link->page == "/common.htm";
            if (page == "/common.htm") {
                fromCommon.insert(link->page);
            }
        }
        EXPECT_TRUE(page == "/common.htm" || toCommon) << page << " does not lead back to the common page";
    }
    for (const std::string& page : help.pages()) {
        EXPECT_TRUE(page == "/common.htm" || fromCommon.count(page) == 1) << "the common page does not reach " << page;
    }
}

// Width and height of a PNG picture from its header, or nothing when the bytes are no PNG.
std::optional<std::pair<std::uint32_t, std::uint32_t>> pngSize(const std::string& bytes)
{
    static const std::string signature("\x89PNG\r\n\x1a\n", 8);
    if (bytes.size() < 24 || bytes.compare(0, signature.size(), signature) != 0 || bytes.compare(12, 4, "IHDR") != 0) {
        return std::nullopt;
    }
    const auto bigEndian = [&](std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        }
        return value;
    };
    return std::make_pair(bigEndian(16), bigEndian(20));
}

struct PictureRow {
    const char* page;
    const char* picture;
    std::uint32_t width;
    std::uint32_t height;
};

// The viewer draws the pages in the desktop's colours. A rule of the style sheet that gives
// a background must give the text colour on it too, and one that gives a text colour must
// give its background: otherwise a dark theme's light text lands on the light header cells,
// or dark caption text on the dark page.
TEST(HelpFile, StyleRulesSetTextAndBackgroundColoursTogether)
{
    const HelpFile help = openBuilt();
    std::string error;
    const std::optional<std::string> css = help.read("/style.css", error);
    ASSERT_TRUE(css.has_value()) << error;
    const std::regex rule(R"(\s*([^{}]+?)\s*\{([^}]*)\})");
    const std::regex background(R"((^|[;\s])background(-color)?\s*:)");
    const std::regex colour(R"((^|[;\s])color\s*:)");
    int rules = 0;
    for (auto it = std::sregex_iterator(css->begin(), css->end(), rule); it != std::sregex_iterator(); ++it) {
        const std::string declarations = (*it)[2];
        EXPECT_EQ(std::regex_search(declarations, background), std::regex_search(declarations, colour))
            << "style rule " << (*it)[1] << "{" << declarations << "}";
        ++rules;
    }
    EXPECT_GT(rules, 5);
}

// Every window's page shows its screenshot (the common page the settings window's), the
// pictures travel inside the file whole, and no page shows a picture that is not there.
TEST(HelpFile, ThePicturesThePagesShowAreInTheFile)
{
    const PictureRow rows[] = {
        {"/common.htm", "/images/config.png", 399, 201},     {"/length.htm", "/images/length.png", 381, 432},
        {"/square.htm", "/images/square.png", 292, 372},     {"/cubic.htm", "/images/cubic.png", 525, 404},
        {"/weight.htm", "/images/weight.png", 393, 364},     {"/press.htm", "/images/press.png", 219, 228},
        {"/temp.htm", "/images/temp.png", 221, 124},         {"/year.htm", "/images/year.png", 219, 224},
        {"/velocity.htm", "/images/velocity.png", 219, 280}, {"/heat.htm", "/images/heat.png", 289, 278},
        {"/radio.htm", "/images/radio.png", 219, 233},
    };
    const HelpFile help = openBuilt();
    for (const PictureRow& row : rows) {
        std::string error;
        const std::optional<std::string> bytes = help.read(row.picture, error);
        ASSERT_TRUE(bytes.has_value()) << error;
        EXPECT_EQ(pngSize(*bytes), std::make_pair(row.width, row.height)) << row.picture;
        const std::optional<std::string> html = help.read(row.page, error);
        ASSERT_TRUE(html.has_value()) << error;
        EXPECT_NE(html->find(std::string("src=\"") + (row.picture + 1) + "\""), std::string::npos) << row.page;
    }

    static const std::regex source(R"re(<img\s[^>]*src="([^"]*)")re", std::regex::icase);
    int shown = 0;
    for (const std::string& page : help.pages()) {
        std::string error;
        const std::string html = help.read(page, error).value_or("");
        for (auto it = std::sregex_iterator(html.begin(), html.end(), source); it != std::sregex_iterator(); ++it) {
            const std::optional<HelpLink> picture = resolveLink(page, (*it)[1]);
            ASSERT_TRUE(picture.has_value()) << page << " shows a picture from outside: " << (*it)[1];
            const std::optional<std::string> bytes = help.read(picture->page, error);
            ASSERT_TRUE(bytes.has_value()) << page << ": " << error;
            EXPECT_TRUE(pngSize(*bytes).has_value()) << picture->page << " is no PNG picture";
            ++shown;
        }
    }
    EXPECT_EQ(shown, static_cast<int>(std::size(rows)));
}

// The places an entry of the contents or the index leads to, each checked to be a page of
// the file and, for a fragment, an anchor of that page.
void expectPlacesInFile(const HelpFile& help, const std::vector<SitemapEntry>& entries, std::set<std::string>& reached)
{
    for (const SitemapEntry& entry : entries) {
        for (const SitemapTopic& topic : entry.topics) {
            const std::optional<HelpLink> link = resolveLink("/", topic.local);
            ASSERT_TRUE(link.has_value()) << entry.name << " leads out of the file: " << topic.local;
            std::string error;
            const std::optional<std::string> html = help.read(link->page, error);
            ASSERT_TRUE(html.has_value()) << entry.name << ": " << error;
            if (!link->fragment.empty()) {
                EXPECT_NE(html->find("name=\"" + link->fragment + "\""), std::string::npos)
                    << entry.name << ": no anchor " << topic.local;
            }
            reached.insert(link->page);
        }
        expectPlacesInFile(help, entry.children, reached);
    }
}

// The built file carries its own table of contents and keyword index; each reaches every
// page, and every place they name is there.
TEST(HelpFile, ContentsAndIndexReachEveryPage)
{
    const HelpFile help = openBuilt();
    const std::vector<std::string> pages = help.pages();
    const std::set<std::string> all(pages.begin(), pages.end());

    const std::vector<SitemapEntry> contents = help.contents().entries;
    ASSERT_FALSE(contents.empty());
    EXPECT_EQ(contents.front().name, "共通事項");
    std::set<std::string> fromContents;
    expectPlacesInFile(help, contents, fromContents);
    EXPECT_EQ(fromContents, all);

    const std::vector<SitemapEntry> index = help.keywords().entries;
    std::set<std::string> fromIndex;
    expectPlacesInFile(help, index, fromIndex);
    EXPECT_EQ(fromIndex, all);
    EXPECT_GT(index.size(), 150u);
}

// The pages the index finds for a word, each once.
std::set<std::string> indexPages(const std::vector<SitemapEntry>& index, const std::string& word)
{
    std::set<std::string> found;
    for (const SitemapEntry* entry : lookUp(index, word)) {
        for (const SitemapTopic& topic : entry->topics) {
            found.insert(resolveLink("/", topic.local).value_or(HelpLink{}).page);
        }
    }
    return found;
}

// The words of a unit field's label: "Pa (N/m2)" -> "Pa", "N/m2"; "段／反" -> "段", "反".
std::vector<std::string> labelWords(const std::string& label)
{
    std::vector<std::string> words;
    std::string word;
    const std::u16string text = utf16(label);
    const std::u16string separators = u" ,()（）／、\u3000";
    for (const char16_t c : text) {
        if (separators.find(c) != std::u16string::npos) {
            if (!word.empty()) {
                words.push_back(word);
            }
            word.clear();
        } else {
            word += utf8(std::u16string(1, c));
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

// Every word of every unit label of every window, looked up in the index as a user types it,
// lands on that window's page, at the row of a unit whose label holds that word.
// Every unit's row of its window's table is where the index leads its words, and the numbers
// in the row stand in cells that never break their line (a narrow page splits no digits).
TEST(HelpIndex, EveryUnitOfEveryWindowLandsOnItsRow)
{
    const HelpFile help = openBuilt();
    const std::vector<SitemapEntry> index = help.keywords().entries;
    std::string error;
    const std::string css = help.read("/style.css", error).value_or(error);
    EXPECT_TRUE(std::regex_search(css, std::regex(R"(td\.num\s*\{[^}]*white-space:\s*nowrap)"))) << css;
    // A number of two characters or more, which a line could split; a note under a relation
    // is prose that wraps as it must.
    const std::regex cell(R"(<td([^>]*)>([^<]*)</td>)");
    const std::regex digits(R"([0-9][0-9.E+-]*[0-9])");
    test::TestApp program;
    int words = 0;
    int numbers = 0;
    for (const WindowRow& row : program.app.windows()) {
        const std::string& name = row.frame.name;
        const ConversionWindow& window = program.window(name.c_str());
        const std::string page = help.pageForTopic(row.frame.helpTopic, error).value_or(error);
        const std::string html = help.read(page, error).value_or(error);
        for (const FieldSpec& field : window.layout().fields) {
            // The cells after the unit's own, up to the end of its row.
            const std::size_t unit = html.find("<a name=\"" + field.name + "\"></a>");
            ASSERT_NE(unit, std::string::npos) << name << ": no row for " << field.name;
            const std::size_t from = html.find("</td>", unit);
            const std::string cells = html.substr(from, html.find("</tr>", from) - from);
            for (auto it = std::sregex_iterator(cells.begin(), cells.end(), cell); it != std::sregex_iterator(); ++it) {
                const std::string attributes = (*it)[1];
                if (attributes.find("class=\"note\"") == std::string::npos &&
                    std::regex_search((*it)[2].str(), digits)) {
                    EXPECT_NE(attributes.find("class=\"num\""), std::string::npos)
                        << name << "." << field.name << ": " << (*it)[0];
                    ++numbers;
                }
            }
            for (const std::string& word : labelWords(field.label)) {
                bool atItsRow = false;
                for (const SitemapEntry* entry : lookUp(index, word)) {
                    for (const SitemapTopic& topic : entry->topics) {
                        const HelpLink link = resolveLink("/", topic.local).value_or(HelpLink{});
                        const int shown = link.page == page ? window.fieldIndex(link.fragment) : -1;
                        if (shown >= 0) {
                            const std::string& label = window.layout().fields.at(std::size_t(shown)).label;
                            const std::vector<std::string> its = labelWords(label);
                            atItsRow = atItsRow || std::find(its.begin(), its.end(), word) != its.end();
                        }
                    }
                }
                EXPECT_TRUE(atItsRow) << name << ": " << field.label << ": " << word;
                ++words;
            }
        }
    }
    EXPECT_GT(words, 200);
    EXPECT_GT(numbers, 100);
}

// What a user types into the index, in any script form, the pages it leads to, and where the
// filter lands: the place of its first keyword ("" where that is not asked). Readings in Latin
// letters and the other names of a unit are the converter's (conv::rowNames).
TEST(HelpIndex, WordsInAnyFormFindTheirPagesAndOthersNone)
{
    struct Row {
        std::string word;
        std::set<std::string> pages;
        std::string first;
    };
    const Row rows[] = {
        {"坪", {"/square.htm", "/cubic.htm"}, ""},                   // 坪（歩）, 寸坪, 尺坪 and 立坪
        {"つぼ", {"/square.htm", "/cubic.htm"}, "square.htm#txtS3"}, // and りゅうつぼ, 立坪
        {"ツボ", {"/square.htm", "/cubic.htm"}, "square.htm#txtS3"},
        {"tsubo", {"/square.htm", "/cubic.htm"}, "square.htm#txtS3"},
        {"ＴＳＵＢＯ", {"/square.htm", "/cubic.htm"}, "square.htm#txtS3"},
        {"monme", {"/weight.htm"}, "weight.htm#txtS1"},
        {"momme", {"/weight.htm"}, "weight.htm#txtS1"},
        {"shaku", {"/length.htm", "/square.htm", "/cubic.htm"}, "length.htm#txtS2"},
        {"tatami", {"/square.htm"}, "square.htm#txtK1"},
        {"edoma", {"/square.htm"}, "square.htm#txtK1"},
        {"kwan", {"/weight.htm"}, "weight.htm#txtS3"},
        {"ft", {"/length.htm", "/square.htm", "/cubic.htm", "/common.htm"}, "length.htm#txtI2"}, // and Shift
        {"mmH2O", {"/press.htm"}, "press.htm#txtA1"},
        {"Mach", {"/velocity.htm", "/radio.htm"}, ""}, // and mache, the M.E.
        {"ｍａｃｈ", {"/velocity.htm", "/radio.htm"}, ""},
        {"ﾏｯﾊ", {"/velocity.htm"}, ""},
        {"九星", {"/year.htm"}, ""},
        {"きゅうせい", {"/year.htm"}, ""},
        {"合", {"/square.htm", "/cubic.htm"}, ""},
        {"ゲージ", {"/common.htm"}, ""},
        {"Esc", {"/common.htm"}, ""},
        {"ｽﾌﾟｰﾝ", {}, ""},
        {"ニュートン毎平方", {}, ""},
    };
    const std::vector<SitemapEntry> index = openBuilt().keywords().entries;
    for (const Row& row : rows) {
        EXPECT_EQ(indexPages(index, row.word), row.pages) << row.word;
        const std::vector<const SitemapEntry*> found = lookUp(index, row.word);
        if (!row.first.empty() && !found.empty() && !found.front()->topics.empty()) {
            EXPECT_EQ(found.front()->topics.front().local, row.first) << row.word;
        }
    }
}

// Full-text search over the built file: a word written in another script form finds the same
// pages, and a word that no page has finds none.
TEST(HelpSearchBuilt, AnyScriptFormFindsTheSamePages)
{
    const HelpFile help = openBuilt();
    HelpSearch search;
    for (const std::string& page : help.pages()) {
        std::string error;
        search.add(page, help.read(page, error).value_or(""));
    }
    ASSERT_EQ(search.size(), help.pages().size());
    const auto pagesOf = [&](const std::string& word) {
        std::set<std::string> pages;
        for (const HelpSearch::Hit& hit : search.find(word)) {
            pages.insert(hit.page);
        }
        return pages;
    };
    const std::pair<std::string, std::string> rows[] = {
        {"つぼ", "ツボ"},        {"ゲージ", "げーじ"}, {"ゲージ", "ｹﾞｰｼﾞ"}, {"Enter", "ＥＮＴＥＲ"},
        {"1000", "１０００"},    {"ノット", "ﾉｯﾄ"},    {"Mach", "mach"},    {"カップ", "かっぷ"},
        {"tsubo", "ＴＳＵＢＯ"}, {"monme", "MONME"},   {"shaku", "Shaku"},  {"tatami", "TATAMI"},
    };
    for (const auto& [word, other] : rows) {
        const std::set<std::string> pages = pagesOf(word);
        EXPECT_FALSE(pages.empty()) << word;
        EXPECT_EQ(pagesOf(other), pages) << word << " / " << other;
    }
    EXPECT_EQ(pagesOf("九星"), (std::set<std::string>{"/common.htm", "/year.htm"}));
    // The unit tables give each unit the names the converter takes.
    EXPECT_EQ(pagesOf("tsubo"), (std::set<std::string>{"/square.htm", "/cubic.htm"}));
    EXPECT_EQ(pagesOf("momme"), (std::set<std::string>{"/weight.htm"}));
    EXPECT_TRUE(pagesOf("ヨモギ餅").empty());
    const std::vector<HelpSearch::Hit> titled = search.find("ﾏｯﾊ");
    ASSERT_FALSE(titled.empty());
    EXPECT_EQ(titled.front().title, "速度の画面");
}

using test::TempDir;

TEST(HelpFile, WhatCannotBeOpenedSaysWhyAndNamesTheFile)
{
    TempDir dir;
    std::ofstream(dir.file("empty.chm")).close();
    std::ofstream(dir.file("text.chm")) << "This is no help file, only some text that is long enough to be read.";
    {
        // A help file cut off after its first bytes.
        std::ifstream in(kHelpFile, std::ios::binary);
        std::string head(64, '\0');
        in.read(head.data(), static_cast<std::streamsize>(head.size()));
        std::ofstream(dir.file("cut.chm"), std::ios::binary) << head;
    }
    fs::create_directory(dir.file("folder.chm"));
    ASSERT_EQ(::mkfifo(dir.file("pipe.chm").c_str(), 0600), 0);
    {
        // Larger than any help file of ours: refused before libmspack sees it.
        std::ifstream in(kHelpFile, std::ios::binary);
        std::string built((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        built.resize((std::size_t{16} << 20) + 1);
        std::ofstream(dir.file("large.chm"), std::ios::binary) << built;
    }
    const std::pair<std::string, std::string> rows[] = {
        {dir.file("Mezura.chm"), "が見つかりません"},
        {dir.file("no-dir/Mezura.chm"), "が見つかりません"},
        {dir.file("folder.chm"), "はファイルではありません"},
        {dir.file("pipe.chm"), "はファイルではありません"},
        {dir.file("large.chm"), "は大きすぎるため開きません（16777216 バイトまで）"},
        {dir.file("empty.chm"), "はヘルプファイルの形式ではありません"},
        {dir.file("text.chm"), "はヘルプファイルの形式ではありません"},
        {dir.file("cut.chm"), "はヘルプファイルの形式ではありません"},
    };
    for (const auto& [path, what] : rows) {
        std::string error;
        EXPECT_FALSE(HelpFile::open(path, error).has_value()) << path;
        EXPECT_EQ(error, "ヘルプファイル " + path + " " + what);
    }
}

// Damaged help files (and what fuzzing found) open, or are refused as no help file, and every
// topic, page and site map entry of those that open reads without harm: the sanitizer build
// reports nothing.
TEST(HelpFile, DamagedFilesAreReadWithoutHarm)
{
    int files = 0;
    for (const fs::directory_entry& file : fs::directory_iterator(MEZURA_DAMAGED_HELP)) {
        std::string error;
        const std::optional<HelpFile> help = HelpFile::open(file.path().string(), error);
        if (help) {
            fuzz::readEverything(*help);
        } else {
            EXPECT_EQ(error, "ヘルプファイル " + file.path().string() + " はヘルプファイルの形式ではありません");
        }
        ++files;
    }
    EXPECT_GE(files, 3);
}

TEST(HelpLinks, TargetsOfAnchorsInOrder)
{
    const std::pair<std::string, std::vector<std::string>> rows[] = {
        {R"(<p><a href="a.htm">a</a> <A HREF='b.htm#x'>b</A></p>)", {"a.htm", "b.htm#x"}},
        {"<a\nclass=\"c\"\nhref = \"c.htm\">c</a>", {"c.htm"}},
        {"<a href=d.htm>d</a><a name=\"top\">no link</a>", {"d.htm"}},
        {"<abbr href=\"x\">not a link</abbr><link href=\"style.css\">", {}},
        {R"(<a href="q.htm?a=1&amp;b=2">q</a>)", {"q.htm?a=1&b=2"}},
        {R"(<a href="日本語.htm">日本語</a>)", {"日本語.htm"}},
        {R"(<a href="unclosed.htm)", {}},
    };
    for (const auto& [html, targets] : rows) {
        EXPECT_EQ(linkTargets(html), targets) << html;
    }
}

struct LinkRow {
    const char* from;
    const char* href;
    std::optional<HelpLink> link;
};

TEST(HelpLinks, ResolvedAgainstThePageTheyStandIn)
{
    const LinkRow rows[] = {
        {"/common.htm", "length.htm", HelpLink{"/length.htm", ""}},
        {"common.htm", "length.htm#gauge", HelpLink{"/length.htm", "gauge"}},
        {"/common.htm", "#gauge", HelpLink{"/common.htm", "gauge"}},
        {"/common.htm", "", HelpLink{"/common.htm", ""}},
        {"/sub/a.htm", "b.htm", HelpLink{"/sub/b.htm", ""}},
        {"/sub/a.htm", "../b.htm", HelpLink{"/b.htm", ""}},
        {"/sub/a.htm", "../../../b.htm", HelpLink{"/b.htm", ""}},
        {"/sub/a.htm", "./c/./d.htm", HelpLink{"/sub/c/d.htm", ""}},
        {"/sub/a.htm", "/top.htm", HelpLink{"/top.htm", ""}},
        {"/sub/a.htm", "..\\win.htm", HelpLink{"/win.htm", ""}},
        {"/a.htm", "with%20blank.htm?x=1#f", HelpLink{"/with blank.htm", "f"}},
        {"/a.htm", "bad%zzescape.htm", HelpLink{"/bad%zzescape.htm", ""}},
        {"/a.htm", "http://example.invalid/", std::nullopt},
        {"/a.htm", "mailto:someone", std::nullopt},
        {"/a.htm", "ms-its:Other.chm::/x.htm", std::nullopt},
    };
    for (const LinkRow& row : rows) {
        EXPECT_EQ(resolveLink(row.from, row.href), row.link) << row.from << " + " << row.href;
    }
}

} // namespace
} // namespace mezura
