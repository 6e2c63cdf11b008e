#include "startup/commandline.h"

#include "version.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace mezura {

namespace {

// The options that Qt reads from a program's command line (with one dash or two), which the
// desktop program leaves to it: a desktop session restarts a program with "-session ID".
// clang-format off
constexpr std::array<ForeignOption, 19> kToolkitOptions{{
    {"platform", true},         {"platformpluginpath", true},  {"platformtheme", true},  {"plugin", true},
    {"qwindowgeometry", true},  {"geometry", true},            {"qwindowtitle", true},   {"title", true},
    {"qwindowicon", true},      {"icon", true},                {"session", true},        {"display", true},
    {"name", true},             {"style", true},               {"stylesheet", true},     {"reverse", false},
    {"widgetcount", false},     {"nograb", false},             {"dograb", false},
}};
// clang-format on

constexpr std::string_view kMezuraUsage =
    "使い方: mezura [オプション]\n"
    "単位換算の画面を開きます。最初に設定の画面が出て、設定ファイル Mezura.cfg で選んだ画面が開きます。\n"
    "\n"
    "Usage: mezura [OPTION]\n"
    "Opens the unit-conversion windows: the settings window first, then the windows chosen\n"
    "in the settings file Mezura.cfg.\n"
    "\n"
    "  --help     この使い方を表示して終了します / show this help and exit\n"
    "  --version  版を表示して終了します / show the version and exit\n"
    "\n"
    "Qt の標準のオプション（-style NAME、-platform NAME など）も使えます。\n"
    "Qt's standard options (-style NAME, -platform NAME ...) are accepted too.\n";

constexpr std::string_view kScriptUsage =
    "使い方: mezura-script [オプション] [スクリプト]\n"
    "画面を表示せずに、スクリプトのコマンドで mezura の画面を動かし、その状態を出力します。\n"
    "スクリプトを指定しないか「-」のときは、標準入力から読みます。\n"
    "\n"
    "Usage: mezura-script [OPTION] [SCRIPT]\n"
    "Runs mezura's windows from the commands of SCRIPT, without a display, and prints what\n"
    "they show. With no SCRIPT, or when SCRIPT is -, reads standard input.\n"
    "\n"
    "  --help     この使い方を表示して終了します / show this help and exit\n"
    "  --version  版を表示して終了します / show the version and exit\n"
    "\n"
    "終了状態 / exit status: 0 成功 / success, 2 読めない行やファイル / a line or file it cannot read\n";

// The entry of `program` for the option `arg` ("-style", "--style=x"), or nothing.
const ForeignOption* foreignOption(const CommandLineProgram& program, std::string_view arg, bool& valueAttached)
{
    arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
    const std::size_t equals = arg.find('=');
    valueAttached = equals != std::string_view::npos;
    const std::string_view name = arg.substr(0, equals);
    const auto found = std::find_if(program.foreign.begin(), program.foreign.end(),
                                    [&](const ForeignOption& option) { return option.name == name; });
    if (found == program.foreign.end() || (valueAttached && !found->takesValue)) {
        return nullptr;
    }
    return &*found;
}

} // namespace

const CommandLineProgram kMezuraCommand{"mezura", kMezuraUsage, 0, kToolkitOptions};
const CommandLineProgram kScriptCommand{"mezura-script", kScriptUsage, 1, {}};

std::optional<std::vector<std::string>> readCommandLine(const CommandLineProgram& program, int argc,
                                                        const char* const* argv, std::ostream& out, std::ostream& err,
                                                        int& status)
{
    // argv[0] is the program's name; a program started with no name at all has argc 0.
    const std::span<const char* const> args = argc > 1
        ? std::span<const char* const>(argv + 1, static_cast<std::size_t>(argc - 1))
        : std::span<const char* const>();
    const auto refuse = [&](std::string_view what, std::string_view arg) {
        err << program.name << ": " << arg << ": " << what << " (" << program.name << " --help)\n";
        status = 2;
        return std::nullopt;
    };
    std::vector<std::string> operands;
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (options && arg == "--") {
            options = false;
        } else if (options && arg == "--help") {
            out << program.usage;
            status = 0;
            return std::nullopt;
        } else if (options && arg == "--version") {
            out << program.name << ' ' << kVersion << '\n';
            status = 0;
            return std::nullopt;
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            bool valueAttached = false;
            const ForeignOption* foreign = foreignOption(program, arg, valueAttached);
            if (foreign == nullptr) {
                return refuse("unknown option / 不明なオプションです", arg);
            }
            if (foreign->takesValue && !valueAttached && ++i == args.size()) {
                return refuse("option needs a value / オプションの値がありません", arg);
            }
        } else if (operands.size() == program.operands) {
            return refuse("too many arguments / 引数が多すぎます", arg);
        } else {
            operands.emplace_back(arg);
        }
    }
    status = 0;
    return operands;
}

} // namespace mezura
