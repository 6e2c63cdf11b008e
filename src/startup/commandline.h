// The command line of the programs mezura, mezura-help, mezura-script and mezura-conv, read
// the GNU way before anything else starts: "--help" and "--version" answer on standard output,
// an option the program does not know is refused in one line on standard error, "--" ends the
// options.
#pragma once

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mezura {

// An option that another part of the program takes for itself (the toolkit's "-style NAME"):
// let through untouched, with the argument after it when it takes a value.
struct ForeignOption {
    std::string_view name; // without its dashes: "style"
    bool takesValue;
};

struct CommandLineProgram {
    std::string_view name;  // "mezura", as --version and the messages say it
    std::string_view usage; // the text of --help
    std::size_t operands;   // at most this many arguments that are no options
    std::span<const ForeignOption> foreign;
    // An argument that begins as a negative number does ("-40", "-.5") is an operand.
    bool negativeNumbers = false;
    // "-h" asks for the usage as "--help" does.
    bool shortHelp = false;
};

// An option of `foreign` as the command line gave it: {"w", "重さ"}, {"json", ""}.
struct GivenOption {
    std::string name;
    std::string value;
};

// The usage of each program, in Japanese and English.
extern const CommandLineProgram kMezuraCommand;
extern const CommandLineProgram kHelpCommand;
extern const CommandLineProgram kScriptCommand;
extern const CommandLineProgram kConvCommand;

// Reads the arguments of main() after the program's own name. Nothing, with the exit status
// set in `status`, when the program has answered and must end: 0 after --help or --version, 2
// after a wrong command line. Else the operands, in order ("-" is one: standard input); the
// options of `program.foreign` met go to `given`, in order, when it is not null.
std::optional<std::vector<std::string>> readCommandLine(const CommandLineProgram& program, int argc,
                                                        const char* const* argv, std::ostream& out, std::ostream& err,
                                                        int& status, std::vector<GivenOption>* given = nullptr);

} // namespace mezura
