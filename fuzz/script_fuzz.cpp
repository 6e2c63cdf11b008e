// The driver's script reader, and the windows it drives, on any bytes: no crash, no
// undefined behaviour, an exit status of 0 or 2. Every start names one temporary program
// directory instead of the directory it names, so that the settings files read and written
// are the fuzzer's own.
#include "script/runner.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <stdlib.h>
#include <string>

namespace {

const std::string& programDirectory()
{
    static const std::string directory = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "mezura-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return pattern;
    }();
    return directory;
}

// The script with the directory of every "start" line replaced.
std::string confined(const std::string& text)
{
    std::string result;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, end - start);
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string::npos && line.compare(first, 5, "start") == 0) {
            result += "start " + programDirectory();
        } else {
            result += line;
        }
        if (end < text.size()) {
            result += '\n';
        }
        start = end + 1;
    }
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream in(confined(std::string(reinterpret_cast<const char*>(data), size)));
    std::ostringstream out;
    std::ostringstream err;
    const int status = mezura::runScript(in, out, err, mezura::ScriptOptions{2000});
    if (status != 0 && status != 2) {
        std::fprintf(stderr, "exit status %d\n", status);
        std::abort();
    }
    return 0;
}
