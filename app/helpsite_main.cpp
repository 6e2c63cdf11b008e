// mezura-helpsite PAGES OUT: the help as static web pages. PAGES is the help build's copy of
// help/ (its unit tables written); OUT receives the files the project file lists, each page
// with a line of links to the contents and the index, the contents (contents.html) and the
// keyword index (keywords.html) read from the same site maps as the compiled help's, and
// topics.js, which maps the topic numbers to the pages for the "?" buttons.
#include "framework/escape.h"
#include "help/sitemap.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace mezura;
namespace fs = std::filesystem;

constexpr const char* kPageNav =
    "<nav class=\"site\"><a href=\"contents.html\">目次</a> ｜ <a href=\"keywords.html\">索引</a> ｜ "
    "<a href=\"../index.html\">単位計算に戻る</a></nav>\n";

// What every page of the site has in its head: a policy that lets it load nothing but the
// site's own files and run no script, a width for phones, both colour schemes and the
// program's icon.
constexpr const char* kSiteHead =
    "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'self'; script-src 'none'; "
    "object-src 'none'; base-uri 'none'; form-action 'none'\">\n"
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
    "<meta name=\"color-scheme\" content=\"light dark\">\n"
    "<link rel=\"icon\" href=\"../icons/mezura.svg\" type=\"image/svg+xml\">";

// The site's own lines of style after the help's: the line of links above every page,
// pictures no wider than the screen (a table wider than a phone scrolls in itself), links of
// the contents and the index a finger can hit, and dark colours where the reader's system
// asks for them.
constexpr const char* kSiteStyle = R"(
nav.site { font-size: 90%; margin-bottom: 1em; }
img { max-width: 100%; height: auto; }
@media (max-width: 600px) {
  table { display: block; max-width: 100%; overflow-x: auto; }
}
@media (pointer: coarse) {
  nav.site a, li a { display: inline-block; min-height: 24px; line-height: 24px; }
}
@media (prefers-color-scheme: dark) {
  body { background: #1e1e1e; color: #e6e6e6; }
  a { color: #8ab4f8; }
  a:visited { color: #c58af9; }
  h1 { border-bottom-color: #3a5f80; }
  th, td { border-color: #666666; }
  th, kbd { background: #333333; color: #e6e6e6; }
  p.nav { border-top-color: #555555; }
  p.note { background: #3d3520; color: #f0e6c0; border-color: #8a7330; }
}
)";

// A passage that the site words otherwise than the compiled help: the help's wording between
// "<!--desktop-->" and a comment that begins "<!--web", whose rest is the site's wording
// (nothing, to leave the passage out). The help's reader skips the comment; the site shows
// its words in the passage's place. The pages, the contents and the index are worded so.
constexpr std::string_view kDesktopMark = "<!--desktop-->";
constexpr std::string_view kWebMark = "<!--web";
constexpr std::string_view kCommentEnd = "-->";

// The program's version where a page names it, as the compiled help has it.
constexpr std::string_view kVersionMark = "@PROJECT_VERSION@";

std::string readAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void writeAll(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::string trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t\r") - first + 1));
}

// The sections of the project file: "[FILES]" -> its lines.
std::map<std::string, std::vector<std::string>> projectSections(const std::string& text)
{
    std::map<std::string, std::vector<std::string>> sections;
    std::vector<std::string>* into = nullptr;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        line = trimmed(line);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            into = &sections[line];
        } else if (into != nullptr) {
            into->push_back(line);
        }
    }
    return sections;
}

// Topic number -> page, from "[ALIAS] IDH_X=page.htm" and "[MAP] #define IDH_X 1000".
std::map<int, std::string> topicPages(std::map<std::string, std::vector<std::string>>& sections)
{
    std::map<std::string, std::string> aliases;
    for (const std::string& line : sections["[ALIAS]"]) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos) {
            aliases[trimmed(line.substr(0, equals))] = trimmed(line.substr(equals + 1));
        }
    }
    std::map<int, std::string> pages;
    for (const std::string& line : sections["[MAP]"]) {
        std::istringstream words(line);
        std::string define;
        std::string alias;
        int topic = 0;
        if (words >> define >> alias >> topic && define == "#define" && aliases.contains(alias)) {
            pages[topic] = aliases[alias];
        }
    }
    return pages;
}

std::string page(const std::string& title, const std::string& body)
{
    std::string html = "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n";
    html += kSiteHead;
    html += "\n<link rel=\"stylesheet\" type=\"text/css\" href=\"style.css\">\n<title>" + htmlEscaped(title) +
        "</title>\n</head>\n<body>\n";
    html += kPageNav;
    html += "<h1>" + htmlEscaped(title) + "</h1>\n" + body + "</body>\n</html>\n";
    return html;
}

void contentsList(std::string& html, const std::vector<SitemapEntry>& entries)
{
    html += "<ul>\n";
    for (const SitemapEntry& entry : entries) {
        html += "<li>";
        if (entry.topics.empty()) {
            html += htmlEscaped(entry.name);
        } else {
            html += "<a href=\"" + htmlEscaped(entry.topics.front().local) + "\">" + htmlEscaped(entry.name) + "</a>";
        }
        if (!entry.children.empty()) {
            html += "\n";
            contentsList(html, entry.children);
        }
        html += "</li>\n";
    }
    html += "</ul>\n";
}

void keywordList(std::string& html, const std::vector<SitemapEntry>& entries)
{
    html += "<ul class=\"keywords\">\n";
    for (const SitemapEntry& entry : entries) {
        html += "<li>";
        if (entry.topics.size() == 1) {
            html += "<a href=\"" + htmlEscaped(entry.topics.front().local) + "\">" + htmlEscaped(entry.name) + "</a>";
        } else {
            // A keyword on several pages names each by its title.
            html += htmlEscaped(entry.name);
            for (const SitemapTopic& topic : entry.topics) {
                html += " <a href=\"" + htmlEscaped(topic.local) + "\">" +
                    htmlEscaped(topic.title.empty() ? topic.local : topic.title) + "</a>";
            }
        }
        if (!entry.children.empty()) {
            html += "\n";
            keywordList(html, entry.children);
        }
        html += "</li>\n";
    }
    html += "</ul>\n";
}

// A page with the line of links after its <body> tag.
// `html` with `text` after the tag that begins with `tag` ("<body"); as it was without one.
std::string afterTag(const std::string& html, std::string_view tag, std::string_view text)
{
    const std::size_t begin = html.find(tag);
    const std::size_t end = begin == std::string::npos ? begin : html.find('>', begin);
    if (end == std::string::npos) {
        return html;
    }
    return html.substr(0, end + 1) + "\n" + std::string(text) + html.substr(end + 1);
}

// `html` with each passage worded for the site; `file` names the page in an error.
std::string siteWording(const std::string& html, const std::string& file)
{
    std::string out;
    std::size_t at = 0;
    for (std::size_t mark = html.find(kDesktopMark); mark != std::string::npos; mark = html.find(kDesktopMark, at)) {
        const std::size_t web = html.find(kWebMark, mark + kDesktopMark.size());
        const std::size_t end = web == std::string::npos ? web : html.find(kCommentEnd, web + kWebMark.size());
        if (end == std::string::npos || html.find(kDesktopMark, mark + 1) < web) {
            throw std::runtime_error(file + ": a passage marked <!--desktop--> without its <!--web ...--> wording");
        }
        out += html.substr(at, mark - at);
        out += trimmed(std::string_view(html).substr(web + kWebMark.size(), end - web - kWebMark.size()));
        at = end + kCommentEnd.size();
    }
    return out + html.substr(at);
}

// A page as the site serves it: worded for the site, with the version, the site's head and
// the line of links.
std::string sitePage(std::string html, const std::string& file)
{
    html = siteWording(html, file);
    for (std::size_t at = html.find(kVersionMark); at != std::string::npos; at = html.find(kVersionMark, at)) {
        html.replace(at, kVersionMark.size(), MEZURA_VERSION);
    }
    return afterTag(afterTag(html, "<head", kSiteHead), "<body", kPageNav);
}

void build(const fs::path& pages, const fs::path& out)
{
    auto sections = projectSections(readAll(pages / "mezura.hhp"));
    fs::create_directories(out);
    for (const std::string& file : sections["[FILES]"]) {
        const fs::path target = out / file;
        fs::create_directories(target.parent_path());
        if (target.extension() == ".htm") {
            writeAll(target, sitePage(readAll(pages / file), file));
        } else {
            fs::copy_file(pages / file, target, fs::copy_options::overwrite_existing);
        }
    }
    std::ofstream(out / "style.css", std::ios::app | std::ios::binary) << kSiteStyle;

    std::string contents;
    contentsList(contents, parseSitemap(siteWording(readAll(pages / "contents.hhc"), "contents.hhc")).entries);
    writeAll(out / "contents.html", page("ヨモギの単位計算 ヘルプ：目次", contents));
    std::string keywords;
    keywordList(keywords, parseSitemap(siteWording(readAll(pages / "index.hhk"), "index.hhk")).entries);
    writeAll(out / "keywords.html", page("ヨモギの単位計算 ヘルプ：索引", keywords));

    std::string topics = "// The help's topic numbers and their pages.\nself.mezuraHelpTopics = {";
    bool first = true;
    for (const auto& [topic, file] : topicPages(sections)) {
        topics += first ? "\n  \"" : ",\n  \"";
        topics += std::to_string(topic);
        topics += "\": \"";
        topics += file;
        topics += '"';
        first = false;
    }
    writeAll(out / "topics.js", topics + "\n};\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: mezura-helpsite PAGES OUT\n";
        return 2;
    }
    try {
        build(argv[1], argv[2]);
    } catch (const std::exception& error) {
        std::cerr << "mezura-helpsite: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
