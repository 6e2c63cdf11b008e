// The scripted driver: runs the program's windows from a small script, without a display.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace mezura {

struct ScriptOptions {
    std::optional<int> year; // the current year, else the system date's
};

// The longest script line, in bytes, without its line end.
inline constexpr std::size_t kLongestScriptLine = 4096;

// A line of a script that holds a command: its number (from 1) and its text from the first
// character that is no blank.
struct ScriptLine {
    int number;
    std::string text;
};

// Reads a whole script. Blank lines (spaces and tabs only) and lines starting with "#" are
// left out. Nothing when a line is no script text (a control character other than a tab, bytes
// that are not UTF-8, more than kLongestScriptLine bytes): each such line is reported on
// `err` with its number.
std::optional<std::vector<ScriptLine>> readScript(std::istream& in, std::ostream& err);

// Runs the script read from `in`; events and dumps go to `out`, complaints to `err`.
// Returns the exit status: 0 after the last command or after the program ended, 2 for a
// script holding lines that are no text (none of it runs) or a line that cannot be understood.
int runScript(std::istream& in, std::ostream& out, std::ostream& err, const ScriptOptions& options = {});

} // namespace mezura
