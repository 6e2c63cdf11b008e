// The terminal converter mezura-conv: a number typed into one unit field of a window and
// Enter pressed, as the desktop program does it (the window's own chain, its own rules), and
// the fields the window then shows printed, aligned by group, or as JSON.
#pragma once

#include <iosfwd>

namespace mezura::conv {

// Runs the command line of main() (argv[0] the program's name). The results go to `out`,
// complaints and the window's messages to `err`. Returns the exit status: 0 done, 1 the
// window stopped the conversion, 2 a wrong command line or a unit unknown or ambiguous.
int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

} // namespace mezura::conv
