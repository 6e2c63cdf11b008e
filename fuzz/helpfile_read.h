// What the help viewer reads of a help file, all of it: every topic the program asks for,
// every page the file holds, the contents and the index and every place their entries lead
// to. The fuzz target reads so whatever bytes it opens, and the tests read so every damaged
// help file they keep.
#pragma once

#include "help/helpfile.h"

#include <cstddef>
#include <string>
#include <vector>

namespace mezura::fuzz {

inline void readPlaces(const HelpFile& help, const std::vector<SitemapEntry>& entries, std::size_t& bytes)
{
    for (const SitemapEntry& entry : entries) {
        for (const SitemapTopic& topic : entry.topics) {
            std::string error;
            bytes += help.read(topic.local.substr(0, topic.local.find('#')), error).value_or("").size();
        }
        readPlaces(help, entry.children, bytes);
    }
}

// The bytes read in all.
inline std::size_t readEverything(const HelpFile& help)
{
    std::size_t bytes = 0;
    std::string error;
    for (int topic : {1000, 1010, 1020, 1030, 1040, 1050, 1060, 1070, 1080, 1090, 1100, -1, 0}) {
        if (const std::optional<std::string> page = help.pageForTopic(topic, error)) {
            bytes += help.read(page->substr(0, page->find('#')), error).value_or("").size();
        }
    }
    for (const std::string& page : help.pages()) {
        bytes += help.read(page, error).value_or("").size();
    }
    readPlaces(help, help.contents().entries, bytes);
    readPlaces(help, help.keywords().entries, bytes);
    return bytes;
}

} // namespace mezura::fuzz
