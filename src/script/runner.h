// The scripted driver: runs the program's windows from a small script, without a display.
#pragma once

#include <iosfwd>
#include <optional>

namespace mezura {

struct ScriptOptions {
    std::optional<int> year; // the current year, else the system date's
};

// Runs the script read from `in`; events and dumps go to `out`, complaints to `err`.
// Returns the exit status: 0 after the last command or after the program ended, 2 for a
// line that cannot be understood.
int runScript(std::istream& in, std::ostream& out, std::ostream& err, const ScriptOptions& options = {});

} // namespace mezura
