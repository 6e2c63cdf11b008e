// helpfile-seed: writes the objects of a compiled help file as one archive for the help file
// fuzz target: helpfile-seed Mezura.chm OUTPUT. Pictures are left out, since the reader only
// passes them on, and so are the container's own streams ("::DataSpace/..."), which only
// chmlib reads.
#include "help/helpfile.h"
#include "helpfile_archive.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: helpfile-seed HELPFILE OUTPUT\n";
        return 2;
    }
    std::string error;
    const auto help = mezura::HelpFile::open(argv[1], error);
    if (!help) {
        std::cerr << "helpfile-seed: " << error << '\n';
        return 1;
    }
    std::map<std::string, std::string> objects = help->objects();
    std::erase_if(objects,
                  [](const auto& object) { return object.first.ends_with(".png") || object.first.starts_with("::"); });
    std::ofstream(argv[2], std::ios::binary) << mezura::fuzz::writeArchive(objects);
    std::cout << objects.size() << " objects\n";
    return 0;
}
