// mezura-conv: one conversion of a window from the terminal, without a display.
#include "conv/conv.h"

#include <iostream>

int main(int argc, char** argv)
{
    return mezura::conv::run(argc, argv, std::cout, std::cerr);
}
