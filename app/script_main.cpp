// mezura-script: runs the program's windows from a script, without a display.
#include "script/runner.h"
#include "startup/commandline.h"

#include <filesystem>
#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    int status = 0;
    const auto operands = mezura::readCommandLine(mezura::kScriptCommand, argc, argv, std::cout, std::cerr, status);
    if (!operands) {
        return status;
    }
    if (operands->empty() || operands->front() == "-") {
        return mezura::runScript(std::cin, std::cout, std::cerr);
    }
    const std::string& script = operands->front();
    // A directory opens as a stream that reads nothing, and would pass for an empty script.
    std::error_code error;
    if (std::filesystem::is_directory(script, error)) {
        std::cerr << "mezura-script: " << script << " is a directory, not a script\n";
        return 2;
    }
    std::ifstream file(script, std::ios::binary);
    if (!file) {
        std::cerr << "mezura-script: cannot read " << script << '\n';
        return 2;
    }
    return mezura::runScript(file, std::cout, std::cerr);
}
