// mezura-conv over the table tests/conv/commands.table: each command line's standard output,
// standard error and exit status.
#include "conv/conv.h"

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
