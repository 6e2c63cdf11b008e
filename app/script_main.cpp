// mezura-script: runs the program's windows from a script, without a display.
#include "script/runner.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::cerr << "usage: mezura-script [SCRIPT]\n";
        return 2;
    }
    if (argc == 2) {
        std::ifstream file(argv[1], std::ios::binary);
        if (!file) {
            std::cerr << "mezura-script: cannot read " << argv[1] << '\n';
            return 2;
        }
        return mezura::runScript(file, std::cout, std::cerr);
    }
    return mezura::runScript(std::cin, std::cout, std::cerr);
}
