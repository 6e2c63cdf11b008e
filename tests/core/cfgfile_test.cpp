#include "startup/cfgfile.h"
#include "startup/files.h"
#include "tempdir.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace mezura {
namespace {

using test::TempDir;

namespace fs = std::filesystem;

const Checks kTempOnly{0, 0, 0, 0, 0, 0, 0, 1, 0, 0};
const std::string kTempOnlyText = "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n";

TEST(SettingsText, TenLinesEachEndingInCrLf)
{
    EXPECT_EQ(formatSettings(kTempOnly), kTempOnlyText);
    EXPECT_EQ(formatSettings(Checks{1, 2, 0, 0, 0, 0, 0, 0, 0, 2}),
              "1\r\n2\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2\r\n");
}

struct GoodText {
    const char* name;
    std::string text;
    Checks checks;
};

TEST(SettingsText, ReadsUpToTenValuesWhateverSeparatesThem)
{
    const GoodText rows[] = {
        {"CR LF lines", kTempOnlyText, kTempOnly},
        {"LF lines", "0\n0\n0\n0\n0\n0\n0\n1\n0\n0\n", kTempOnly},
        {"CR lines", "0\r0\r0\r0\r0\r0\r0\r1\r0\r0", kTempOnly},
        {"no end after the last", "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0", kTempOnly},
        {"one line with commas", "0,0,0,0,0,0,0,1,0,0\r\n", kTempOnly},
        {"commas and lines mixed", "0,0\r\n0,0,0\r\n0,0,1\r\n0,0\r\n", kTempOnly},
        {"blanks around values", " 0,\t0 , 0,0,0,0,0,  1  ,0,0", kTempOnly},
        {"a comma at a line end", "0,\r\n0,\r\n0,\r\n0,\r\n0,\r\n0,\r\n0,\r\n1,\r\n0,\r\n0,\r\n", kTempOnly},
        {"empty lines skipped", "\r\n0\r\n\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n\n0\r\n", kTempOnly},
        {"grey 2 kept", "2\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2\r\n", {2, 1, 0, 0, 0, 0, 0, 0, 0, 2}},
        {"leading zeros", "00,01,002,0,0,0,0,0,0,0", {0, 1, 2, 0, 0, 0, 0, 0, 0, 0}},
        {"more than ten: the rest ignored", "1,1,1,1,1,1,1,1,1,1,7,x\r\nrubbish", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
        {"a UTF-8 byte-order mark first", "\xEF\xBB\xBF" + kTempOnlyText, kTempOnly},
        {"fewer values: the rest clear", "0\r\n1\r\n2\r\n", {0, 1, 2, 0, 0, 0, 0, 0, 0, 0}},
        {"nine values and a comma", "1,1,1,1,1,1,1,1,1,", {1, 1, 1, 1, 1, 1, 1, 1, 1, 0}},
    };
    for (const GoodText& row : rows) {
        std::string problem;
        const auto checks = parseSettings(row.text, problem);
        ASSERT_TRUE(checks.has_value()) << row.name << ": " << problem;
        EXPECT_EQ(*checks, row.checks) << row.name;
    }
}

struct BadText {
    std::string text;
    const char* problem;
};

TEST(SettingsText, AnEmptyOrMalformedFileSaysWhatIsWrong)
{
    const BadText rows[] = {
        {"", "値が 10 個ありません（0 個）"},
        {"\r\n\r\n  \r\n", "値が 10 個ありません（0 個）"},
        {"0\r\n0\r\n0\r\nabc\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n", "4 番目の値「abc」は 0、1、2 のどれでもありません"},
        {"3,0,0,0,0,0,0,0,0,0", "1 番目の値「3」は 0、1、2 のどれでもありません"},
        {"-1,0,0,0,0,0,0,0,0,0", "1 番目の値「-1」は 0、1、2 のどれでもありません"},
        {"+1,0,0,0,0,0,0,0,0,0", "1 番目の値「+1」は 0、1、2 のどれでもありません"},
        {"1.0,0,0,0,0,0,0,0,0,0", "1 番目の値「1.0」は 0、1、2 のどれでもありません"},
        {"1 1,0,0,0,0,0,0,0,0,0", "1 番目の値「1 1」は 0、1、2 のどれでもありません"},
        {"65537,0,0,0,0,0,0,0,0,0", "1 番目の値「65537」は 0、1、2 のどれでもありません"},
        {"0,0,0,0,0,0,0,0,0,\"1\"", "10 番目の値「\"1\"」は 0、1、2 のどれでもありません"},
        {"0,,0,0,0,0,0,0,0,0", "2 番目の値が空です"},
        {",0,0,0,0,0,0,0,0,0", "1 番目の値が空です"},
        // What cannot be shown as it is is shown safely, and shortened.
        {std::string("0,\xEF\xBB\xBF") + "0,0,0,0,0,0,0,0,0", "2 番目の値「???0」は 0、1、2 のどれでもありません"},
        {std::string(40, 'x'), "1 番目の値「xxxxxxxxxxxxxxxx…」は 0、1、2 のどれでもありません"},
        {std::string("0\0\0\0", 4), "1 番目の値「0???」は 0、1、2 のどれでもありません"},
    };
    for (const BadText& row : rows) {
        std::string problem;
        EXPECT_FALSE(parseSettings(row.text, problem).has_value()) << row.text;
        EXPECT_EQ(problem, row.problem) << row.text;
    }
}

struct NamesRow {
    std::vector<std::string> names;
    std::optional<std::string> found;
};

TEST(SettingsFileName, FoundInAnyLetterCaseTheExactSpellingFirst)
{
    const NamesRow rows[] = {
        {{}, std::nullopt},
        {{"Mezura.chm", "mezura", "Mezura.cfg.bak", "Mezura.cf", "xMezura.cfg"}, std::nullopt},
        {{"Mezura.cfg"}, "Mezura.cfg"},
        {{"mezura.cfg"}, "mezura.cfg"},
        {{"MEZURA.CFG"}, "MEZURA.CFG"},
        {{"mEzUrA.CfG", "other"}, "mEzUrA.CfG"},
        {{"mezura.cfg", "Mezura.cfg", "MEZURA.CFG"}, "Mezura.cfg"},
        {{"mezura.cfg", "MEZURA.CFG"}, "MEZURA.CFG"},
        {{"MEZURA.CFG", "mezura.cfg"}, "MEZURA.CFG"},
    };
    for (const NamesRow& row : rows) {
        EXPECT_EQ(findSettingsFile(row.names), row.found) << ::testing::PrintToString(row.names);
    }
}

TEST(DiskFiles, ListsOnlyRegularFilesSorted)
{
    TempDir dir;
    dir.write("b.txt", "b");
    dir.write("a.txt", "a");
    fs::create_directory(dir.file("Mezura.cfg"));
    fs::create_symlink(dir.file("a.txt"), dir.file("link-to-a"));
    fs::create_symlink(dir.file("nowhere"), dir.file("dangling"));
    DiskFileSystem disk;
    std::string error;
    const auto names = disk.regularFiles(dir.progpath(), error);
    ASSERT_TRUE(names.has_value()) << error;
    EXPECT_EQ(*names, (std::vector<std::string>{"a.txt", "b.txt", "link-to-a"}));

    EXPECT_FALSE(disk.regularFiles(dir.file("no-such-directory"), error).has_value());
    EXPECT_FALSE(error.empty());
}

// Only a regular file up to the limit is read; a FIFO (which would never end) and a device are
// refused at once, and so is a larger file, unread.
TEST(DiskFiles, ReadsWholeFilesAndReportsWhatItCannotRead)
{
    TempDir dir;
    const std::string big(100000, 'x');
    dir.write("big", big);
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    dir.write("huge", "");
    fs::resize_file(dir.file("huge"), std::uintmax_t{1} << 40); // sparse: reading it would take hours
    DiskFileSystem disk;
    std::string error;
    EXPECT_EQ(disk.readFile(dir.file("big"), big.size(), error), big);
    const struct {
        std::string path;
        const char* error;
    } refused[] = {
        {dir.file("big"), "ファイルが大きすぎます（99999 バイトまで）"},
        {dir.file("huge"), "ファイルが大きすぎます（99999 バイトまで）"},
        {dir.file("missing"), "ファイルまたはフォルダがありません"},
        {dir.progpath(), "フォルダです"},
        {dir.file("fifo"), "通常のファイルではありません"},
        {"/dev/zero", "通常のファイルではありません"},
    };
    for (const auto& row : refused) {
        EXPECT_EQ(disk.readFile(row.path, big.size() - 1, error), std::nullopt) << row.path;
        EXPECT_EQ(error, row.error) << row.path;
    }
}

TEST(DiskFiles, AWriteReplacesTheFileWholeAndLeavesNothingBeside)
{
    TempDir dir;
    dir.write("Mezura.cfg", "old and longer than the new content");
    fs::permissions(dir.file("Mezura.cfg"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    DiskFileSystem disk;
    std::string error;
    ASSERT_TRUE(disk.writeFile(dir.file("Mezura.cfg"), "new", error)) << error;
    EXPECT_EQ(dir.read("Mezura.cfg"), "new");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"Mezura.cfg"});
    // The replacement keeps the permissions of the file it replaced.
    EXPECT_EQ(fs::status(dir.file("Mezura.cfg")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    ASSERT_TRUE(disk.writeFile(dir.file("fresh"), "", error)) << error;
    EXPECT_EQ(dir.read("fresh"), "");
}

// Nothing but a regular file is ever replaced, also not through a symbolic link: the write
// fails, says why, and the thing in the way, and what it leads to, stays as it was.
TEST(DiskFiles, AWriteThatFailsLeavesWhatWasThere)
{
    TempDir dir;
    fs::create_directory(dir.file("directory"));
    dir.write("directory/inside", "kept");
    ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0600), 0);
    fs::create_symlink(dir.file("fifo"), dir.file("link-to-fifo"));
    fs::create_symlink(dir.file("directory"), dir.file("link-to-directory"));
    fs::create_symlink("/dev/null", dir.file("link-to-device"));
    fs::create_symlink("link-to-fifo", dir.file("link-to-link"));
    const auto before = dir.entries();
    const struct {
        const char* name;
        const char* error;
    } rows[] = {
        {"directory", "フォルダです"},
        {"link-to-directory", "フォルダです"},
        {"fifo", "通常のファイルではありません"},
        {"link-to-fifo", "通常のファイルではありません"},
        {"link-to-link", "通常のファイルではありません"},
        {"link-to-device", "通常のファイルではありません"},
        {"gone/Mezura.cfg", "ファイルまたはフォルダがありません"},
    };
    DiskFileSystem disk;
    for (const auto& row : rows) {
        std::string error;
        EXPECT_FALSE(disk.writeFile(dir.file(row.name), kTempOnlyText, error)) << row.name;
        EXPECT_EQ(error, row.error) << row.name;
    }
    EXPECT_EQ(dir.entries(), before);
    EXPECT_TRUE(fs::is_directory(dir.file("directory")));
    EXPECT_EQ(dir.read("directory/inside"), "kept");
    EXPECT_TRUE(fs::is_fifo(dir.file("fifo")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    for (const char* link : {"link-to-fifo", "link-to-directory", "link-to-device", "link-to-link"}) {
        EXPECT_TRUE(fs::is_symlink(dir.file(link))) << link;
    }
}

// A write killed before its rename leaves its temporary file; the next write removes it,
// but not the one of a write still under way in a running program.
TEST(DiskFiles, AWriteRemovesWhatAKilledWriteLeft)
{
    TempDir dir;
    dir.write("Mezura.cfg", "old");
    const std::string running = ".Mezura.cfg." + std::to_string(::getppid()) + ".0";
    dir.write(".Mezura.cfg.999999999.0", "left by a killed write");
    dir.write(".Mezura.cfg.999999999.3", "left by a killed write");
    dir.write(running, "being written");
    dir.write(".Mezura.cfg.x.0", "someone else's");
    dir.write(".other.999999999.0", "another file's");
    DiskFileSystem disk;
    std::string error;
    ASSERT_TRUE(disk.writeFile(dir.file("Mezura.cfg"), "new", error)) << error;
    EXPECT_EQ(dir.entries(),
              (std::vector<std::string>{running, ".Mezura.cfg.x.0", ".other.999999999.0", "Mezura.cfg"}));
    EXPECT_EQ(dir.read("Mezura.cfg"), "new");
}

// A disk that fills up in the middle of the write (a file size limit holds even for root):
// the old file stays as it was and no half-written file is left. Runs in a child process,
// which alone gets the limit.
TEST(DiskFiles, AWriteCutShortLeavesTheOldFile)
{
    TempDir dir;
    dir.write("Mezura.cfg", kTempOnlyText);
    const std::string target = dir.file("Mezura.cfg");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{10, 10};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        DiskFileSystem disk;
        std::string error;
        const bool written = disk.writeFile(target, std::string(1000, '1'), error);
        ::_exit(!written && error == "ファイルが大きすぎます" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write did not fail as a full disk";
    EXPECT_EQ(dir.read("Mezura.cfg"), kTempOnlyText);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"Mezura.cfg"});
}

// Runs `body` in a child process as an ordinary user, since the tests may run as root, for
// whom every file may be written. The child's exit status: 0 when `body` held, 1 when not,
// 2 when the user could not be changed.
int asOrdinaryUser(const std::function<bool()>& body)
{
    const pid_t child = ::fork();
    if (child < 0) {
        return 2;
    }
    if (child == 0) {
        if (::geteuid() == 0) {
            const gid_t nobody = 65534;
            if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0) {
                ::_exit(2);
            }
        }
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return 2;
    }
    return WEXITSTATUS(status);
}

// A settings file made read-only by its owner stays as it is, although the directory would
// let the program put a new file in its place; the failure names the file. A writable one
// beside it is saved as usual.
TEST(SettingsFileOnDisk, AReadOnlyFileIsNotReplaced)
{
    TempDir dir;
    fs::create_directory(dir.file("locked"));
    fs::create_directory(dir.file("open"));
    dir.write("locked/Mezura.cfg", kTempOnlyText);
    dir.write("open/Mezura.cfg", kTempOnlyText);
    fs::permissions(dir.file("locked/Mezura.cfg"),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir.file("open/Mezura.cfg"), fs::perms::all);
    for (const char* sub : {"", "locked", "open"}) {
        fs::permissions(dir.file(sub), fs::perms::all);
    }
    const Checks everything{1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
    const int status = asOrdinaryUser([&] {
        DiskFileSystem disk;
        std::string message;
        SettingsFile locked(disk, dir.file("locked") + "/");
        SettingsFile open(disk, dir.file("open") + "/");
        return !locked.save(everything, message) &&
            message ==
            "設定ファイル " + dir.file("locked/Mezura.cfg") +
                " に保存できません: アクセスが許可されていません（ファイルは前のままです）" &&
            open.save(everything, message);
    });
    ASSERT_NE(status, 2) << "no ordinary user to run as";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(dir.read("locked/Mezura.cfg"), kTempOnlyText);
    EXPECT_EQ(dir.read("open/Mezura.cfg"), formatSettings(everything));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("locked")), fs::directory_iterator()), 1);
}

// A settings file that is a symbolic link (a program directory that may not be written,
// linking to a place that may) is read and written where the link leads; the link stays.
// A link that leads nowhere is no settings file, and saving replaces it.
TEST(SettingsFileOnDisk, ASymbolicLinkIsWrittenThrough)
{
    TempDir dir;
    fs::create_directory(dir.file("program"));
    fs::create_directory(dir.file("kept"));
    dir.write("kept/settings", "0,0,0,0,0,0,0,1,0,1");
    fs::create_symlink("../kept/settings", dir.file("program/Mezura.cfg"));
    DiskFileSystem disk;
    SettingsFile file(disk, dir.file("program") + "/");
    SettingsFile::Loaded loaded = file.load();
    EXPECT_EQ(loaded.status, SettingsFile::Status::Loaded);
    EXPECT_EQ(loaded.checks, (Checks{0, 0, 0, 0, 0, 0, 0, 1, 0, 1}));

    std::string message;
    ASSERT_TRUE(file.save(kTempOnly, message)) << message;
    EXPECT_TRUE(fs::is_symlink(dir.file("program/Mezura.cfg")));
    EXPECT_EQ(dir.read("kept/settings"), kTempOnlyText);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("program")), fs::directory_iterator()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.file("kept")), fs::directory_iterator()), 1);
    EXPECT_EQ(file.load().checks, kTempOnly);

    fs::remove(dir.file("kept/settings"));
    EXPECT_EQ(file.load().status, SettingsFile::Status::Missing);
    ASSERT_TRUE(file.save(kTempOnly, message)) << message;
    EXPECT_FALSE(fs::is_symlink(dir.file("program/Mezura.cfg")));
    EXPECT_EQ(dir.read("program/Mezura.cfg"), kTempOnlyText);
}

// What an installed program asks of the disk: whether the user may write into its
// directory, and the user's own settings directory, made on the first save.
TEST(DiskFiles, WritableDirectoriesAndTheUsersSettingsDirectory)
{
    TempDir dir;
    fs::create_directory(dir.file("locked"));
    fs::create_directory(dir.file("open"));
    fs::permissions(dir.file("locked"),
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
    for (const char* sub : {"", "open"}) {
        fs::permissions(dir.file(sub), fs::perms::all);
    }
    dir.write("open/plain", "x");
    const int status = asOrdinaryUser([&] {
        DiskFileSystem disk;
        std::string error;
        std::string blocked;
        const bool made =
            disk.makeDirectories(dir.file("open/a/b//c/"), error) && disk.makeDirectories(dir.file("open/a"), error);
        const bool refused = !disk.makeDirectories(dir.file("locked/x"), blocked) && blocked == systemReason(EACCES) &&
            !disk.makeDirectories(dir.file("open/plain/x"), blocked) && blocked == systemReason(ENOTDIR);
        return !disk.writableDirectory(dir.file("locked") + "/") && disk.writableDirectory(dir.file("open") + "/") &&
            made && refused && disk.exists(dir.file("open/plain")) && !disk.exists(dir.file("open/none"));
    });
    ASSERT_NE(status, 2) << "no ordinary user to run as";
    EXPECT_EQ(status, 0);
    // Made for the user alone, as a settings directory should be.
    EXPECT_EQ(fs::status(dir.file("open/a/b")).permissions(), fs::perms::owner_all);
    EXPECT_TRUE(fs::is_directory(dir.file("open/a/b/c")));
    EXPECT_FALSE(fs::exists(dir.file("locked/x")));
}

TEST(DiskFiles, TheUsersConfigurationDirectory)
{
    struct Row {
        const char* xdg;
        const char* home;
        const char* expected;
    };
    const Row rows[] = {
        {"/c", "/h", "/c/"},
        {"/c/", "/h", "/c/"},
        {nullptr, "/h", "/h/.config/"},
        {"", "/home/user/", "/home/user/.config/"},
        {"relative", "/h", "/h/.config/"}, // would depend on the working directory
        {nullptr, "relative", ""},
        {nullptr, nullptr, ""},
        {"", "", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(userConfigHome(row.xdg, row.home), row.expected)
            << (row.xdg ? row.xdg : "(unset)") << ", " << (row.home ? row.home : "(unset)");
    }
}

TEST(SettingsFileOnDisk, RoundTripWithCrLfBytes)
{
    TempDir dir;
    DiskFileSystem disk;
    SettingsFile file(disk, dir.progpath());
    EXPECT_EQ(file.load().status, SettingsFile::Status::Missing);

    std::string message;
    ASSERT_TRUE(file.save(Checks{1, 0, 2, 0, 0, 0, 0, 1, 0, 1}, message)) << message;
    EXPECT_EQ(dir.read("Mezura.cfg"), "1\r\n0\r\n2\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n");
    const SettingsFile::Loaded loaded = file.load();
    EXPECT_EQ(loaded.status, SettingsFile::Status::Loaded);
    EXPECT_EQ(loaded.checks, (Checks{1, 0, 2, 0, 0, 0, 0, 1, 0, 1}));
}

TEST(SettingsFileOnDisk, TheNameInAnotherLetterCaseIsReadAndRewritten)
{
    TempDir dir;
    dir.write("MEZURA.CFG", "0,0,0,0,0,0,0,1,0,1");
    DiskFileSystem disk;
    SettingsFile file(disk, dir.progpath());
    const SettingsFile::Loaded loaded = file.load();
    EXPECT_EQ(loaded.status, SettingsFile::Status::Loaded);
    EXPECT_EQ(loaded.checks, (Checks{0, 0, 0, 0, 0, 0, 0, 1, 0, 1}));

    // Saving rewrites that file rather than leaving a second, stale spelling beside it.
    std::string message;
    ASSERT_TRUE(file.save(kTempOnly, message)) << message;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"MEZURA.CFG"});
    EXPECT_EQ(dir.read("MEZURA.CFG"), kTempOnlyText);
}

TEST(SettingsFileOnDisk, ProblemsNameTheFile)
{
    TempDir dir;
    DiskFileSystem disk;
    SettingsFile file(disk, dir.progpath());
    dir.write("mezura.cfg", "1\r\nx\r\n");
    SettingsFile::Loaded loaded = file.load();
    EXPECT_EQ(loaded.status, SettingsFile::Status::Failed);
    EXPECT_EQ(loaded.message,
              "設定ファイル " + dir.file("mezura.cfg") +
                  " を読み込めません: 2 番目の値「x」は 0、1、2 のどれでもありません");

    SettingsFile nowhere(disk, dir.file("gone") + "/");
    loaded = nowhere.load();
    EXPECT_EQ(loaded.status, SettingsFile::Status::Failed);
    EXPECT_EQ(loaded.message,
              "設定ファイル " + dir.file("gone") + "/Mezura.cfg を読み込めません: ファイルまたはフォルダがありません");

    // A file far larger than ten values need is no settings file: it is refused unread.
    dir.write("mezura.cfg", "");
    fs::resize_file(dir.file("mezura.cfg"), std::uintmax_t{1} << 40);
    loaded = file.load();
    EXPECT_EQ(loaded.status, SettingsFile::Status::Failed);
    EXPECT_EQ(loaded.message,
              "設定ファイル " + dir.file("mezura.cfg") +
                  " を読み込めません: ファイルが大きすぎます（4096 バイトまで）");

    // A directory by the file's name is no settings file; it cannot be replaced either.
    TempDir other;
    fs::create_directory(other.file("Mezura.cfg"));
    SettingsFile blocked(disk, other.progpath());
    EXPECT_EQ(blocked.load().status, SettingsFile::Status::Missing);
    std::string message;
    EXPECT_FALSE(blocked.save(kTempOnly, message));
    EXPECT_EQ(message,
              "設定ファイル " + other.file("Mezura.cfg") + " に保存できません: フォルダです（ファイルは前のままです）");
    EXPECT_TRUE(fs::is_directory(other.file("Mezura.cfg")));
}

} // namespace
} // namespace mezura
