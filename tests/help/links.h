// The links of the help file's pages, read without the viewer: the checks of the file's
// content follow every link of every page with these.
#pragma once

#include "help/helpfile.h"

#include <optional>
#include <string>
#include <vector>

namespace mezura {

// The targets of the links of an HTML page (<a href="...">), in order, as written (with
// "&amp;" read as "&").
std::vector<std::string> linkTargets(const std::string& html);

// Where `href`, written in the page `fromPage`, leads inside the help file:
// ("/sub/a.htm", "../b.htm#x") -> {"/b.htm", "x"}; ("/a.htm", "#top") -> {"/a.htm", "top"}.
// Nothing for a link that leaves the file ("http:", "mailto:" ...).
std::optional<HelpLink> resolveLink(const std::string& fromPage, const std::string& href);

} // namespace mezura
