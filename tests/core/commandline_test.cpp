#include "startup/commandline.h"
#include "version.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace mezura {
namespace {

// The programs' command lines: what each answers, refuses or lets through.
TEST(CommandLine, AnswersRefusesOrLetsThrough)
{
    const std::string version = kVersion;
    struct Row {
        const CommandLineProgram* program;
        std::vector<const char*> args;
        int status;
        std::string out;      // "" for nothing; "Usage" for the usage text
        std::string err;      // the one line on standard error, or ""
        std::string operands; // when it runs: the operands, each followed by "|"
    };
    const Row rows[] = {
        {&kMezuraCommand, {}, 0, "", "", ""},
        {&kMezuraCommand, {"--help"}, 0, "Usage", "", ""},
        {&kMezuraCommand, {"--version", "--bogus"}, 0, "mezura " + version + "\n", "", ""},
        {&kMezuraCommand,
         {"--bogus", "--help"},
         2,
         "",
         "mezura: --bogus: unknown option / 不明なオプションです (mezura --help)\n",
         ""},
        {&kMezuraCommand, {"-h"}, 2, "", "mezura: -h: unknown option / 不明なオプションです (mezura --help)\n", ""},
        {&kMezuraCommand,
         {"--help=x"},
         2,
         "",
         "mezura: --help=x: unknown option / 不明なオプションです (mezura --help)\n",
         ""},
        {&kMezuraCommand, {"file"}, 2, "", "mezura: file: too many arguments / 引数が多すぎます (mezura --help)\n", ""},
        // The toolkit's own options, as a desktop session restarts a program ("-session"
        // takes the next argument as its value, whatever it looks like).
        {&kMezuraCommand, {"-style", "fusion", "--platform=xcb", "-reverse", "-session", "--help"}, 0, "", "", ""},
        {&kMezuraCommand,
         {"-reverse=1"},
         2,
         "",
         "mezura: -reverse=1: unknown option / 不明なオプションです (mezura --help)\n",
         ""},
        {&kMezuraCommand,
         {"-style"},
         2,
         "",
         "mezura: -style: option needs a value / オプションの値がありません (mezura --help)\n",
         ""},
        {&kHelpCommand, {"--version"}, 0, "mezura-help " + version + "\n", "", ""},
        {&kHelpCommand,
         {"-style", "fusion", "topic"},
         2,
         "",
         "mezura-help: topic: too many arguments / 引数が多すぎます (mezura-help --help)\n",
         ""},
        {&kScriptCommand, {}, 0, "", "", ""},
        {&kScriptCommand, {"--version"}, 0, "mezura-script " + version + "\n", "", ""},
        {&kScriptCommand, {"--help"}, 0, "Usage", "", ""},
        {&kScriptCommand, {"a.script"}, 0, "", "", "a.script|"},
        {&kScriptCommand, {"-"}, 0, "", "", "-|"},
        {&kScriptCommand, {"--", "--help"}, 0, "", "", "--help|"},
        {&kScriptCommand,
         {"-style", "x"},
         2,
         "",
         "mezura-script: -style: unknown option / 不明なオプションです (mezura-script --help)\n",
         ""},
        {&kScriptCommand,
         {"a", "b"},
         2,
         "",
         "mezura-script: b: too many arguments / 引数が多すぎます (mezura-script --help)\n",
         ""},
        // mezura-conv's options take their values; a negative number is an operand.
        {&kConvCommand, {"--help"}, 0, "Usage", "", ""},
        {&kConvCommand, {"1", "-h", "m"}, 0, "Usage", "", ""},
        {&kConvCommand, {"-40", "-w", "温度", "C", "-u", "--w=x", "-.5", "--", "-F"}, 0, "", "", "-40|C|-.5|-F|"},
        {&kConvCommand,
         {"-w"},
         2,
         "",
         "mezura-conv: -w: option needs a value / オプションの値がありません (mezura-conv --help)\n",
         ""},
        {&kConvCommand,
         {"-F"},
         2,
         "",
         "mezura-conv: -F: unknown option / 不明なオプションです (mezura-conv --help)\n",
         ""},
    };
    for (const Row& row : rows) {
        std::vector<const char*> argv{"prog"};
        argv.insert(argv.end(), row.args.begin(), row.args.end());
        std::ostringstream out;
        std::ostringstream err;
        int status = -1;
        const auto operands =
            readCommandLine(*row.program, static_cast<int>(argv.size()), argv.data(), out, err, status);
        const std::string name = std::string(row.program->name) + " " + std::to_string(row.args.size()) + " args" +
            (row.args.empty() ? "" : std::string(", first ") + row.args.front());
        EXPECT_EQ(status, row.status) << name;
        EXPECT_EQ(err.str(), row.err) << name;
        if (row.out == "Usage") {
            // Japanese and English, naming the program and both options.
            const std::string text = out.str();
            const std::string program(row.program->name);
            for (const std::string& part : {"使い方: " + program + " [", "Usage: " + program + " [",
                                            std::string("--help"), std::string("--version")}) {
                EXPECT_NE(text.find(part), std::string::npos) << name << ": " << part;
            }
        } else {
            EXPECT_EQ(out.str(), row.out) << name;
        }
        EXPECT_EQ(operands.has_value(), row.status == 0 && row.out.empty()) << name;
        std::string listed;
        for (const std::string& operand : operands.value_or(std::vector<std::string>{})) {
            listed += operand + "|";
        }
        EXPECT_EQ(listed, row.operands) << name;
    }
    // A program started without even its own name reads nothing.
    std::ostringstream out;
    int status = -1;
    EXPECT_TRUE(readCommandLine(kScriptCommand, 0, nullptr, out, out, status).has_value());
}

} // namespace
} // namespace mezura
