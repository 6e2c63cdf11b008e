// The settings file reader on any bytes: no crash, no undefined behaviour; what it reads are
// ten check box states that read back the same once written, and what it refuses it says why.
#include "startup/cfgfile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace mezura;
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const std::optional<Checks> checks = parseSettings(text, problem);
    if (!checks) {
        if (problem.empty()) {
            std::fprintf(stderr, "refused without a reason\n");
            std::abort();
        }
    } else {
        for (int state : *checks) {
            if (state < 0 || state > 2) {
                std::fprintf(stderr, "state %d read\n", state);
                std::abort();
            }
        }
        if (parseSettings(formatSettings(*checks), problem) != checks) {
            std::fprintf(stderr, "the written file reads differently\n");
            std::abort();
        }
    }
    // The same bytes as the names in a program directory.
    std::vector<std::string> names;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        names.push_back(text.substr(start, end - start));
    }
    findSettingsFile(names);
    return 0;
}
