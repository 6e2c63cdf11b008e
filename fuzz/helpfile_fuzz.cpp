// The help file reader on damaged copies of the help file's objects: the input is an archive
// of named objects (see helpfile_archive.h), seeded with every object of the built
// Mezura.chm. Whatever the objects hold, reading topics, pages, the contents and the
// index ends without a crash and without undefined behaviour.
#include "help/helpfile.h"
#include "helpfile_archive.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace mezura;
    const HelpFile help = HelpFile::fromObjects("Mezura.chm", fuzz::readArchive(data, size));
    std::string error;
    for (int topic : {1000, 1010, 1020, 1030, 1040, 1050, 1060, 1070, 1080, 1090, 1100, -1, 0}) {
        if (const auto page = help.pageForTopic(topic, error)) {
            help.read(*page, error);
        }
    }
    for (const std::string& page : help.pages()) {
        help.read(page, error);
    }
    help.contents();
    help.keywords();
    return 0;
}
