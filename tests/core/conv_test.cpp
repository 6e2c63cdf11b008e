// mezura-conv over the table tests/conv/commands.table: each command line's standard output,
// standard error and exit status.
#include "conv/conv.h"
#include "conv/names.h"
#include "framework/fold.h"
#include "framework/host.h"
#include "windows/catalog.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Row {
    int line;
    std::string command;
    std::string out;
    std::string err;
    int status = 0;
};

// "1 '重さ:grain' g" -> "1", "重さ:grain", "g".
std::vector<std::string> arguments(const std::string& command)
{
    std::vector<std::string> args;
    std::string arg;
    bool quoted = false;
    bool any = false;
    for (const char c : command) {
        if (c == '\'') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) {
                args.push_back(arg);
            }
            arg.clear();
            any = false;
        } else {
            arg += c;
            any = true;
        }
    }
    if (any) {
        args.push_back(arg);
    }
    return args;
}

std::vector<Row> readTable(const std::string& path)
{
    std::ifstream in(path);
    std::vector<Row> rows;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.starts_with("$ ")) {
            rows.push_back({number, line.substr(2), "", "", 0});
        } else if (line.empty() || line.starts_with("#") || rows.empty()) {
            continue;
        } else if (line.starts_with("! ")) {
            rows.back().err += line.substr(2) + "\n";
        } else if (line.starts_with("exit ")) {
            rows.back().status = std::stoi(line.substr(5));
        } else {
            rows.back().out += line + "\n";
        }
    }
    return rows;
}

TEST(Conv, CommandLinesPrintWhatTheWindowsShow)
{
    const std::vector<Row> rows = readTable(std::string(MEZURA_TEST_DATA) + "/conv/commands.table");
    ASSERT_GE(rows.size(), 30u);
    for (const Row& row : rows) {
        std::vector<std::string> args = arguments(row.command);
        args.insert(args.begin(), "mezura-conv");
        std::vector<const char*> argv;
        argv.reserve(args.size());
        for (const std::string& arg : args) {
            argv.push_back(arg.c_str());
        }
        std::ostringstream out;
        std::ostringstream err;
        const int status = mezura::conv::run(static_cast<int>(argv.size()), argv.data(), out, err);
        EXPECT_EQ(out.str(), row.out) << "line " << row.line << ": " << row.command;
        EXPECT_EQ(err.str(), row.err) << "line " << row.line << ": " << row.command;
        EXPECT_EQ(status, row.status) << "line " << row.line << ": " << row.command;
    }
}

// The converter looks for a name only among the names of the fields whose texts may fold to
// it: every name it lists is found however a person writes it, as listed, in full-width
// letters and in katakana, and every unit by the argument that its messages give for it.
TEST(Conv, EveryNameFindsItsUnitsHoweverWritten)
{
    using mezura::conv::Unit;
    mezura::QuietHost host(2026);
    const mezura::App app(host, mezura::windowTable());
    const mezura::conv::UnitNames names(app);
    const auto written = [](const std::string& name, bool katakana) {
        std::u16string text = mezura::utf16(name);
        for (char16_t& c : text) {
            if (!katakana && c >= u'!' && c <= u'~') {
                c = static_cast<char16_t>(c + 0xFEE0);
            } else if (katakana && c >= 0x3041 && c <= 0x3096) {
                c = static_cast<char16_t>(c + 0x60);
            }
        }
        return mezura::utf8(text);
    };
    const std::vector<std::string> words = names.words();
    ASSERT_GE(words.size(), 500u);
    for (const std::string& name : words) {
        const std::vector<Unit> found = names.find(name, nullptr).units;
        EXPECT_FALSE(found.empty()) << name;
        for (const bool katakana : {false, true}) {
            EXPECT_EQ(names.find(written(name, katakana), nullptr).units, found) << written(name, katakana);
        }
    }
    for (const mezura::WindowRow& row : app.windows()) {
        for (const Unit& unit : names.units(row)) {
            EXPECT_EQ(names.find(names.qualified(unit), nullptr).units, std::vector<Unit>{unit})
                << names.qualified(unit);
        }
    }
}

// An argument of 131,000 digits is read in one pass, not cut at every place with the rest
// read for a unit's name. The time it took is printed, not judged.
TEST(Conv, ALongArgumentIsReadOnce)
{
    const std::string digits(131000, '7');
    for (const std::string& given : {digits, digits + "坪"}) {
        const char* argv[] = {"mezura-conv", given.c_str()};
        std::ostringstream out;
        std::ostringstream err;
        const auto start = std::chrono::steady_clock::now();
        const int status = mezura::conv::run(2, argv, out, err);
        const auto took =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
        std::printf("mezura-conv, one argument of %zu bytes: %lld ms\n", given.size(),
                    static_cast<long long>(took.count()));
        EXPECT_EQ(status, 2);
        EXPECT_EQ(out.str(), "");
        // Beyond the double range, with its tail or without, it is a number too large.
        EXPECT_EQ(err.str(),
                  "mezura-conv: 「" + given + "」の単位を指定してください / " + given +
                      " of which unit? (mezura-conv 3 坪)\n");
    }
}

} // namespace
