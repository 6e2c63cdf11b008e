// mezura-script: runs the program's windows from a script, without a display.
#include "script/runner.h"

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::cerr << "usage: mezura-script [SCRIPT]\n";
        return 2;
    }
    if (argc == 2) {
        // A directory opens as a stream that reads nothing, and would pass for an empty script.
        std::error_code error;
        if (std::filesystem::is_directory(argv[1], error)) {
            std::cerr << "mezura-script: " << argv[1] << " is a directory, not a script\n";
            return 2;
        }
        std::ifstream file(argv[1], std::ios::binary);
        if (!file) {
            std::cerr << "mezura-script: cannot read " << argv[1] << '\n';
            return 2;
        }
        return mezura::runScript(file, std::cout, std::cerr);
    }
    return mezura::runScript(std::cin, std::cout, std::cerr);
}
