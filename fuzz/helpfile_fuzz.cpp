// The help file reader on arbitrary bytes opened as the help file, seeded with the built
// Mezura.chm: whatever the bytes hold, opening them and reading every topic, page, the
// contents and the index ends without a crash, without undefined behaviour and in bounded
// time and memory.
#include "help/helpfile.h"
#include "helpfile_read.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace mezura;
    std::string error;
    const std::optional<HelpFile> help =
        HelpFile::fromBytes("Mezura.chm", std::string(reinterpret_cast<const char*>(data), size), error);
    if (help) {
        fuzz::readEverything(*help);
    }
    return 0;
}
