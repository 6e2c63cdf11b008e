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

constexpr std::string_view kHelpUsage =
    "使い方: mezura-help [オプション]\n"
    "mezura のヘルプを表示するプログラムです。mezura が起動し、標準入力で表示するページを伝えます。\n"
    "入力が終わると終了します。\n"
    "\n"
    "Usage: mezura-help [OPTION]\n"
    "The help viewer of mezura: mezura starts it and asks on its standard input for the topic\n"
    "to show; it ends when its input ends.\n"
    "\n"
    "  --help     この使い方を表示して終了します / show this help and exit\n"
    "  --version  版を表示して終了します / show the version and exit\n";

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

// The options of mezura-conv, which it reads itself.
constexpr std::array<ForeignOption, 5> kConvOptions{{
    {"u", false},
    {"w", true},
    {"json", false},
    {"list", false},
    {"names", false},
}};

constexpr std::string_view kConvUsage =
    "使い方: mezura-conv [オプション] 数値 単位 [換算先の単位...]\n"
    "        mezura-conv --list [画面]\n"
    "mezura の画面で、単位の欄に数値を入れて Enter を押したときの値を表示します。\n"
    "換算先を指定しないときは、その画面のすべての単位をグループごとに表示します。\n"
    "単位は表示名、記号（lb、m2、m²）、読み（つぼ）、ローマ字（tsubo）、英語名（pound、feet）、\n"
    "別名（ft、たたみ）で探せます。記号の大文字と小文字は区別します（mJ と MJ は別）。\n"
    "いくつかの単位に共通の名前には、表示されるとおりに画面や区別を付けます（'長さ:尺(鯨尺)'）。\n"
    "年号の欄では「元」「元年」が 1 年です（mezura-conv 令和元年 西暦）。\n"
    "\n"
    "Usage: mezura-conv [OPTION] NUMBER UNIT [TARGET...]\n"
    "       mezura-conv --list [WINDOW]\n"
    "Shows what mezura's window shows after NUMBER is typed into UNIT's field and Enter is\n"
    "pressed: every unit of the window by group, or only the TARGET units' values. A unit is\n"
    "found by its label, a symbol (lb, m2, m²), its reading, Latin spelling, English name or\n"
    "another name (ft, tatami). Case tells symbols apart (mJ is not MJ); words fold it (Mile).\n"
    "A name that several units share is refused with the exact arguments to give instead, as\n"
    "in '重さ:grain(金衡系)'. In an era field 元 and 元年 are the year 1.\n"
    "\n"
    "  -u            換算先の値に単位を付けます / print the unit after each TARGET value\n"
    "  -w 画面       この画面の単位だけを探します / look for units in WINDOW only (重さ, weight, mass)\n"
    "  --json        結果を JSON で出力します / print the result as JSON\n"
    "  --list [画面] 単位と読みの一覧 / list the units with their readings\n"
    "  --names       単位の名前を 1 行に 1 つ (補完用) / every unit name, one a line (completion)\n"
    "  -h, --help    この使い方を表示して終了します / show this help and exit\n"
    "  --version     版を表示して終了します / show the version and exit\n"
    "\n"
    "画面 / windows: 長さ length, 面積 area, 体積 volume, 重さ weight/mass, 速度 velocity/speed,\n"
    "圧力 pressure, 熱量 energy/heat, 温度 temperature, 壊変率 radioactivity, 年号 calendar/year\n"
    "\n"
    "終了状態 / exit status: 0 成功 / success, 1 計算の中止 / the window stopped the conversion,\n"
    "2 使い方の誤り、不明または曖昧な単位 / a wrong command line, an unknown or ambiguous unit\n";

// Whether `arg` begins as a negative number does: "-40", "-.5".
bool negativeNumber(std::string_view arg)
{
    return arg.size() > 1 && arg[0] == '-' &&
        ((arg[1] >= '0' && arg[1] <= '9') || (arg[1] == '.' && arg.size() > 2 && arg[2] >= '0' && arg[2] <= '9'));
}

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
const CommandLineProgram kHelpCommand{"mezura-help", kHelpUsage, 0, kToolkitOptions};
const CommandLineProgram kScriptCommand{"mezura-script", kScriptUsage, 1, {}};
const CommandLineProgram kConvCommand{"mezura-conv", kConvUsage, static_cast<std::size_t>(-1),
                                      kConvOptions,  true,       true};

std::optional<std::vector<std::string>> readCommandLine(const CommandLineProgram& program, int argc,
                                                        const char* const* argv, std::ostream& out, std::ostream& err,
                                                        int& status, std::vector<GivenOption>* given)
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
        } else if (options && (arg == "--help" || (program.shortHelp && arg == "-h"))) {
            out << program.usage;
            status = 0;
            return std::nullopt;
        } else if (options && arg == "--version") {
            out << program.name << ' ' << kVersion << '\n';
            status = 0;
            return std::nullopt;
        } else if (options && arg.size() > 1 && arg[0] == '-' && !(program.negativeNumbers && negativeNumber(arg))) {
            bool valueAttached = false;
            const ForeignOption* foreign = foreignOption(program, arg, valueAttached);
            if (foreign == nullptr) {
                return refuse("unknown option / 不明なオプションです", arg);
            }
            if (foreign->takesValue && !valueAttached && ++i == args.size()) {
                return refuse("option needs a value / オプションの値がありません", arg);
            }
            if (given != nullptr) {
                const std::size_t equals = arg.find('=');
                given->push_back({std::string(foreign->name),
                                  valueAttached             ? std::string(arg.substr(equals + 1))
                                      : foreign->takesValue ? std::string(args[i])
                                                            : std::string()});
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
