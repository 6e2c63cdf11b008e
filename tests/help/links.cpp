#include "links.h"

#include <algorithm>

namespace mezura {

namespace {

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string withLeadingSlash(std::string page)
{
    std::replace(page.begin(), page.end(), '\\', '/');
    return !page.empty() && page.front() == '/' ? page : "/" + page;
}

// "a%20b" -> "a b"; a broken escape stays as written.
std::string percentDecoded(const std::string& text)
{
    const auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') {
            return c - '0';
        }
        c = lower(c);
        return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
            out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool hasScheme(const std::string& href)
{
    const auto colon = href.find(':');
    if (colon == std::string::npos || colon == 0) {
        return false;
    }
    const auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    if (!letter(href[0])) {
        return false;
    }
    return std::all_of(href.begin(), href.begin() + static_cast<std::ptrdiff_t>(colon),
                       [&](char c) { return letter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'; });
}

// "/a/./b/../c.htm" -> "/a/c.htm"; ".." never climbs above the root.
std::string normalized(const std::string& path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto slash = std::min(path.find('/', start), path.size());
        const std::string part = path.substr(start, slash - start);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = slash + 1;
    }
    std::string result;
    for (const std::string& part : parts) {
        result += "/" + part;
    }
    return result.empty() ? "/" : result;
}

} // namespace

std::vector<std::string> linkTargets(const std::string& html)
{
    std::string text(html.size(), '\0');
    std::transform(html.begin(), html.end(), text.begin(), lower);
    std::vector<std::string> targets;
    std::size_t at = 0;
    while ((at = text.find("<a", at)) != std::string::npos) {
        const std::size_t close = text.find('>', at);
        const std::size_t tagEnd = close == std::string::npos ? text.size() : close;
        const bool isAnchor = at + 2 < text.size() &&
            (text[at + 2] == ' ' || text[at + 2] == '\t' || text[at + 2] == '\n' || text[at + 2] == '\r');
        std::size_t attribute = isAnchor ? text.find("href", at) : std::string::npos;
        at = tagEnd;
        if (attribute == std::string::npos || attribute > tagEnd) {
            continue;
        }
        std::size_t pos = attribute + 4;
        while (pos < tagEnd && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\n' || text[pos] == '\r')) {
            ++pos;
        }
        if (pos >= tagEnd || text[pos] != '=') {
            continue;
        }
        ++pos;
        while (pos < tagEnd && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\n' || text[pos] == '\r')) {
            ++pos;
        }
        std::string value;
        if (pos < tagEnd && (text[pos] == '"' || text[pos] == '\'')) {
            const std::size_t quoteEnd = html.find(html[pos], pos + 1);
            if (quoteEnd == std::string::npos) {
                break;
            }
            value = html.substr(pos + 1, quoteEnd - pos - 1);
            at = std::max(at, quoteEnd);
        } else {
            const std::size_t valueEnd = std::min(text.find_first_of(" \t\r\n", pos), tagEnd);
            value = html.substr(pos, valueEnd - pos);
        }
        for (std::size_t amp = value.find("&amp;"); amp != std::string::npos; amp = value.find("&amp;", amp + 1)) {
            value.erase(amp + 1, 4);
        }
        targets.push_back(value);
    }
    return targets;
}

std::optional<HelpLink> resolveLink(const std::string& fromPage, const std::string& href)
{
    if (hasScheme(href)) {
        return std::nullopt;
    }
    std::string path = href;
    std::string fragment;
    if (const auto hash = path.find('#'); hash != std::string::npos) {
        fragment = path.substr(hash + 1);
        path.erase(hash);
    }
    if (const auto query = path.find('?'); query != std::string::npos) {
        path.erase(query);
    }
    path = percentDecoded(path);
    std::replace(path.begin(), path.end(), '\\', '/');
    const std::string from = withLeadingSlash(fromPage);
    if (path.empty()) {
        path = from;
    } else if (path.front() != '/') {
        path = from.substr(0, from.rfind('/') + 1) + path;
    }
    return HelpLink{normalized(path), fragment};
}

} // namespace mezura
