#include "framework/app.h"
#include "framework/window.h"
#include "startup/settings.h"
#include "startup/startup.h"
#include "windows/catalog.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace mezura {
namespace {

// Files in memory; any operation can be made to fail.
class MemoryFiles : public FileSystem {
public:
    std::map<std::string, std::string> files; // by full path
    bool failList = false;
    bool failRead = false;
    bool failWrite = false;
    int writes = 0;

    std::optional<std::vector<std::string>> regularFiles(const std::string& directory, std::string& error) override
    {
        if (failList) {
            error = "Permission denied";
            return std::nullopt;
        }
        if (!exists(directory)) {
            error = "No such file or directory";
            return std::nullopt;
        }
        std::vector<std::string> names;
        for (const auto& [path, bytes] : files) {
            if (path.rfind(directory, 0) == 0 && path.find('/', directory.size()) == std::string::npos) {
                names.push_back(path.substr(directory.size()));
            }
        }
        return names;
    }
    std::optional<std::string> readFile(const std::string& path, std::size_t limit, std::string& error) override
    {
        if (failRead || files.count(path) == 0 || files.at(path).size() > limit) {
            error = "Input/output error";
            return std::nullopt;
        }
        return files.at(path);
    }
    bool writeFile(const std::string& path, const std::string& bytes, std::string& error) override
    {
        ++writes;
        if (failWrite) {
            error = "No space left on device";
            return false;
        }
        files[path] = bytes;
        return true;
    }
    bool exists(const std::string& path) override { return missing.count(path) == 0; }
    bool writableDirectory(const std::string& directory) override { return readOnly.count(directory) == 0; }
    bool makeDirectories(const std::string& directory, std::string&) override
    {
        made.push_back(directory);
        missing.erase(directory);
        return true;
    }
    std::string configHome() override { return home; }

    std::set<std::string> readOnly; // directories the user may not write into
    std::set<std::string> missing;  // directories that do not exist
    std::string home = "/home/user/.config/";
    std::vector<std::string> made;
};

class RecordingHost : public Host {
public:
    std::vector<std::string> events;

    void beep(const Form& window) override { events.push_back("beep " + window.name()); }
    void openHelp(int topic) override { events.push_back("help " + std::to_string(topic)); }
    void reportError(const Form& window, const std::string& message) override
    {
        events.push_back("error " + window.name() + " " + message);
    }
    void showPopup(const Form& window) override { events.push_back("popup " + window.name()); }
    void bringToFront(const Form& window) override { events.push_back("front " + window.name()); }
    void quit() override { events.push_back("exit"); }
    int currentYear() override { return 2024; }
};

const std::string kDir = "/opt/mezura/";
const std::string kCfg = kDir + "Mezura.cfg";
const std::string kTempAndYear = "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n";
const std::string kAllClear = "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";

class StartUp : public ::testing::Test {
protected:
    RecordingHost host;
    MemoryFiles files;
    App app{host, windowTable()};

    SettingsWindow& begin(const std::string& dir = "/opt/mezura") { return start(app, dir, files); }

    // "length temp" for the visible conversion windows in menu order.
    std::string visibleWindows() const
    {
        std::string names;
        for (const WindowRow& row : windowTable().windows) {
            const std::string& name = row.frame.name;
            if (const Form* form = app.existing(name); form != nullptr && form->visible()) {
                names += names.empty() ? name : std::string(" ") + name;
            }
        }
        return names;
    }
};

TEST_F(StartUp, FirstStartWithoutSettingsFile)
{
    SettingsWindow& config = begin();
    EXPECT_EQ(config.checks(), Checks{});
    EXPECT_EQ(visibleWindows(), "");
    EXPECT_TRUE(config.visible());
    EXPECT_EQ(host.events, std::vector<std::string>{"front config"});
    // Every conversion window exists after the start, each in its first size mode.
    for (const WindowRow& row : windowTable().windows) {
        ASSERT_NE(app.existing(row.frame.name), nullptr) << row.frame.name;
        EXPECT_EQ(app.window(row).frame().mode(), row.frame.initialMode) << row.frame.name;
    }
    EXPECT_EQ(files.writes, 0);
}

struct ChosenRow {
    const char* file;
    const char* visible;
};

TEST_F(StartUp, OpensTheChosenWindowsWithTheSettingsWindowInFront)
{
    const ChosenRow rows[] = {
        {"0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n", "temp year"},
        {"1,1,1,1,1,1,1,1,1,1", "length square cubic weight velocity press heat temp radio year"},
        {"2\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n", "length radio"}, // grey counts as ticked
        {"0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n", ""},
    };
    for (const ChosenRow& row : rows) {
        RecordingHost freshHost;
        MemoryFiles freshFiles;
        freshFiles.files[kCfg] = row.file;
        App freshApp(freshHost, windowTable());
        SettingsWindow& config = start(freshApp, "/opt/mezura", freshFiles);
        std::string names;
        for (const WindowRow& each : windowTable().windows) {
            const std::string& name = each.frame.name;
            if (freshApp.window(each).visible()) {
                names += names.empty() ? name : std::string(" ") + name;
            }
        }
        EXPECT_EQ(names, row.visible) << row.file;
        EXPECT_TRUE(config.visible()) << row.file;
        EXPECT_EQ(freshHost.events, std::vector<std::string>{"front config"}) << row.file;
    }
}

TEST_F(StartUp, KeepsTheProgramDirectoryAndTheHelpFileBesideIt)
{
    struct Row {
        const char* dir;
        const char* progpath;
        const char* help;
    };
    const Row rows[] = {
        {"/opt/mezura", "/opt/mezura/", "/opt/mezura/Mezura.chm"},
        {"/opt/mezura/", "/opt/mezura/", "/opt/mezura/Mezura.chm"},
        {"/", "/", "/Mezura.chm"},
        {"relative/dir", "relative/dir/", "relative/dir/Mezura.chm"},
    };
    for (const Row& row : rows) {
        App freshApp(host, windowTable());
        const SettingsWindow& config = start(freshApp, row.dir, files);
        EXPECT_EQ(config.progpath(), row.progpath);
        EXPECT_EQ(config.helpFile(), row.help);
    }
}

// A program directory the user may write into keeps the settings beside the program. An
// installed one does not: the user's own file lives in ~/.config/mezura/, a file beside the
// program is read until the user has saved one, and messages name the file actually used. A
// program directory under the install prefix is installed even when it may be written (root):
// nothing is ever written there.
TEST(SettingsPlace, AnInstalledProgramKeepsTheSettingsInTheUsersDirectory)
{
    const std::string own = "/home/user/.config/mezura/Mezura.cfg";
    const std::string length = "1,0,0,0,0,0,0,0,0,0";
    const std::string home = "/home/user/.config/";
    struct Row {
        const char* name;
        bool writable;
        const char* prefix; // the install prefix
        std::string home;
        std::string beside; // "" for none
        std::string mine;   // "" for none
        const char* visible;
        std::string error; // the load's report, or ""
        std::string saved; // where "OK" writes; "" for nowhere (reported)
    };
    const Row rows[] = {
        {"portable copy", true, "/usr", home, kTempAndYear, length, "temp year", "", kCfg},
        {"portable copy, first start", true, "/usr", home, "", length, "", "", kCfg},
        {"portable copy, prefix a longer name", true, "/op", home, kTempAndYear, "", "temp year", "", kCfg},
        {"installed, default beside", false, "/usr", home, kTempAndYear, "", "temp year", "", own},
        {"installed, own file wins", false, "/usr", home, kTempAndYear, length, "length", "", own},
        {"installed, first start", false, "/usr", home, "", "", "", "", own},
        {"installed, own file broken", false, "/usr", home, kTempAndYear, "1,x", "",
         "error config 設定ファイル " + own + " を読み込めません: 2 番目の値「x」は 0、1、2 のどれでもありません", own},
        {"installed, default broken", false, "/usr", home, "0,x", "", "",
         "error config 設定ファイル " + kCfg + " を読み込めません: 2 番目の値「x」は 0、1、2 のどれでもありません",
         own},
        {"installed, no home", false, "/usr", "", kTempAndYear, "", "temp year", "", kCfg},
        {"under the prefix, root", true, "/opt", home, kTempAndYear, "", "temp year", "", own},
        {"under the prefix, own file wins", true, "/opt/", home, kTempAndYear, length, "length", "", own},
        {"the prefix itself", true, "/opt/mezura", home, "", "", "", "", own},
        {"under the prefix, no home", true, "/usr/../opt", "", kTempAndYear, "", "temp year", "", ""},
    };
    for (const Row& row : rows) {
        RecordingHost host;
        MemoryFiles files;
        if (!row.writable) {
            files.readOnly.insert(kDir);
        }
        files.home = row.home;
        if (!row.beside.empty()) {
            files.files[kCfg] = row.beside;
        }
        if (!row.mine.empty()) {
            files.files[own] = row.mine;
        } else {
            files.missing.insert("/home/user/.config/mezura/"); // made by the first save
        }
        App app(host, windowTable());
        SettingsWindow& config = start(app, "/opt/mezura", files, row.prefix);
        std::string names;
        for (const WindowRow& each : windowTable().windows) {
            names += app.window(each).visible() ? (names.empty() ? "" : " ") + each.frame.name : "";
        }
        EXPECT_EQ(names, row.visible) << row.name;
        EXPECT_EQ(host.events.front(), row.error.empty() ? "front config" : row.error) << row.name;
        EXPECT_EQ(config.helpFile(), kDir + "Mezura.chm") << row.name; // help stays beside the program

        config.setCheck(5, 1);
        config.ok();
        if (row.saved.empty()) {
            EXPECT_EQ(files.writes, 0) << row.name;
            EXPECT_EQ(host.events.back().rfind("error config 設定を保存する場所がありません", 0), 0U) << row.name;
            continue;
        }
        std::string problem;
        const std::optional<Checks> saved = parseSettings(files.files[row.saved], problem);
        ASSERT_TRUE(saved.has_value()) << row.name << ": " << problem;
        EXPECT_EQ((*saved)[4], 1) << row.name;
        EXPECT_EQ(config.settingsDirectory() + "Mezura.cfg", row.saved) << row.name;
        if (row.saved == own) {
            EXPECT_EQ(files.made, std::vector<std::string>{"/home/user/.config/mezura/"}) << row.name;
            EXPECT_EQ(files.files.count(kCfg) != 0 ? files.files[kCfg] : "", row.beside) << row.name;
        }
        // A second start reads what was saved.
        App again(host, windowTable());
        start(again, "/opt/mezura", files, row.prefix);
        EXPECT_TRUE(again.form("velocity").visible()) << row.name;
    }
}

TEST(ProgramDirectory, EndsInExactlyOneSlash)
{
    const std::pair<const char*, const char*> rows[] = {
        {"/usr/lib/mezura", "/usr/lib/mezura/"},
        {"/usr/lib/mezura/", "/usr/lib/mezura/"},
        {"/usr/lib/mezura///", "/usr/lib/mezura/"},
        {"/", "/"},
        {"//", "/"},
        {"a", "a/"},
        {"", "./"},
        {"dir with blank", "dir with blank/"},
    };
    for (const auto& [dir, progpath] : rows) {
        EXPECT_EQ(programDirectory(dir), progpath) << '"' << dir << '"';
    }
}

TEST_F(StartUp, OkSavesThenShowsTheChosenWindowsAndHides)
{
    files.files[kCfg] = kTempAndYear;
    SettingsWindow& config = begin();
    config.setCheck(1, 1); // 長さ
    config.setCheck(8, 0); // 温度
    config.ok();
    EXPECT_EQ(files.files[kCfg], "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n");
    EXPECT_EQ(visibleWindows(), "length year");
    EXPECT_FALSE(config.visible());
    EXPECT_FALSE(app.ended());
}

TEST_F(StartUp, OkWithAllClearHidesEveryWindowButTheSettings)
{
    files.files[kCfg] = kTempAndYear;
    SettingsWindow& config = begin();
    config.setCheck(8, 0);
    config.setCheck(10, 0);
    config.ok();
    EXPECT_EQ(files.files[kCfg], kAllClear);
    EXPECT_EQ(visibleWindows(), "");
    EXPECT_TRUE(config.visible());
    EXPECT_FALSE(app.ended());
}

TEST_F(StartUp, ASaveThatFailsIsReportedAndTheOldFileStays)
{
    files.files[kCfg] = kTempAndYear;
    SettingsWindow& config = begin();
    files.failWrite = true;
    config.setCheck(1, 1);
    config.ok();
    // The choice still applies for this run; the file keeps the last one that was saved.
    EXPECT_EQ(visibleWindows(), "length temp year");
    EXPECT_EQ(files.files[kCfg], kTempAndYear);
    EXPECT_EQ(host.events.back(),
              "error config 設定ファイル /opt/mezura/Mezura.cfg に保存できません: No space left on "
              "device（ファイルは前のままです）");

    // "quit" does not end the program on a choice it could not store.
    host.events.clear();
    config.quit();
    EXPECT_FALSE(app.ended());
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(host.events[0].rfind("error config 設定ファイル", 0), 0u) << host.events[0];

    files.failWrite = false;
    config.quit();
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(files.files[kCfg], "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n");
}

TEST_F(StartUp, QuitSavesBoxesThatWereNeverConfirmed)
{
    files.files[kCfg] = kTempAndYear;
    SettingsWindow& config = begin();
    config.setCheck(3, 2);
    config.cancel(); // hides, saves nothing
    EXPECT_EQ(files.writes, 0);
    config.quit();
    EXPECT_EQ(files.files[kCfg], "0\r\n0\r\n2\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n");
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(host.events.back(), "exit");
}

// Every way of dismissing the settings window: with a conversion window visible it hides;
// with none it would leave an invisible running program, so it is refused with a beep and
// the window stays. Nothing is saved either way, and the program runs on.
TEST_F(StartUp, DismissingHidesOrIsRefusedWhenNothingElseIsVisible)
{
    struct Row {
        const char* name;
        void (*dismiss)(SettingsWindow&);
    };
    const Row rows[] = {
        {"cancel", [](SettingsWindow& w) { w.cancel(); }},
        {"Command2", [](SettingsWindow& w) { w.click("Command2"); }},
        {"Enter", [](SettingsWindow& w) { w.key(13); }},
        {"Esc", [](SettingsWindow& w) { w.key(27); }},
        {"Space", [](SettingsWindow& w) { w.key(32); }},
        {"letter", [](SettingsWindow& w) { w.key('q'); }},
        {"close box", [](SettingsWindow& w) { w.closeRequest(); }},
    };
    for (const Row& row : rows) {
        for (const bool withWindow : {true, false}) {
            RecordingHost freshHost;
            MemoryFiles freshFiles;
            freshFiles.files[kCfg] = withWindow ? kTempAndYear : kAllClear;
            App freshApp(freshHost, windowTable());
            SettingsWindow& config = start(freshApp, "/opt/mezura", freshFiles);
            config.setCheck(2, 1);
            freshHost.events.clear();
            row.dismiss(config);
            EXPECT_FALSE(freshApp.ended()) << row.name;
            EXPECT_EQ(config.visible(), !withWindow) << row.name;
            EXPECT_EQ(freshHost.events,
                      withWindow ? std::vector<std::string>{} : std::vector<std::string>{"beep config"})
                << row.name;
            EXPECT_EQ(freshApp.form("temp").visible(), withWindow) << row.name;
            EXPECT_EQ(freshFiles.writes, 0) << row.name;
        }
    }
}

TEST_F(StartUp, NoKeyCodeDismissesNothing)
{
    files.files[kCfg] = kTempAndYear;
    SettingsWindow& config = begin();
    config.key(0);
    EXPECT_TRUE(config.visible());
}

TEST_F(StartUp, HelpOpensTheCommonTopicAndF1KeepsIt)
{
    SettingsWindow& config = begin();
    host.events.clear();
    config.f1();
    EXPECT_TRUE(config.click("Command6"));
    config.f1();
    EXPECT_EQ(host.events, (std::vector<std::string>{"help 1000", "help 1000", "help 1000"}));
    EXPECT_TRUE(config.visible());
    EXPECT_FALSE(config.click("Command4"));
}

struct BadFileRow {
    const char* name;
    std::string content;
    bool failList;
    bool failRead;
    std::string message;
};

// A file that cannot be used leaves the boxes as they were (all clear at the start), shows
// the settings window, and tells the user what is wrong with which file.
TEST_F(StartUp, AnUnusableSettingsFileIsReportedAndChangesNothing)
{
    const std::string prefix = "error config 設定ファイル /opt/mezura/";
    const BadFileRow rows[] = {
        {"blank lines only", "\r\n \r\n", false, false,
         prefix + "Mezura.cfg を読み込めません: 値が 10 個ありません（0 個）"},
        {"bad value", "1,1,1,1,1,1,1,5,1,1", false, false,
         prefix + "Mezura.cfg を読み込めません: 8 番目の値「5」は 0、1、2 のどれでもありません"},
        {"empty", "", false, false, prefix + "Mezura.cfg を読み込めません: 値が 10 個ありません（0 個）"},
        {"unreadable", kTempAndYear, false, true, prefix + "Mezura.cfg を読み込めません: Input/output error"},
        {"unlistable directory", kTempAndYear, true, false, prefix + "Mezura.cfg を読み込めません: Permission denied"},
    };
    for (const BadFileRow& row : rows) {
        RecordingHost freshHost;
        MemoryFiles freshFiles;
        freshFiles.files[kCfg] = row.content;
        freshFiles.failList = row.failList;
        freshFiles.failRead = row.failRead;
        App freshApp(freshHost, windowTable());
        SettingsWindow& config = start(freshApp, "/opt/mezura", freshFiles);
        EXPECT_EQ(config.checks(), Checks{}) << row.name;
        EXPECT_TRUE(config.visible()) << row.name;
        EXPECT_EQ(freshApp.visibleConversionWindows(), 0) << row.name;
        EXPECT_EQ(freshHost.events, (std::vector<std::string>{row.message, "front config"})) << row.name;
        EXPECT_EQ(freshFiles.files[kCfg], row.content) << row.name;
    }
}

TEST_F(StartUp, TheSettingsFileIsFoundInAnyLetterCase)
{
    files.files[kDir + "mezura.CFG"] = kTempAndYear;
    files.files["/opt/other/Mezura.cfg"] = "1,1,1,1,1,1,1,1,1,1";
    SettingsWindow& config = begin();
    EXPECT_EQ(visibleWindows(), "temp year");
    config.ok();
    EXPECT_EQ(files.files.count(kCfg), 0u);
    EXPECT_EQ(files.files[kDir + "mezura.CFG"], kTempAndYear);
}

TEST(SettingsWindowModel, ChecksHoldOnlyTheThreeStates)
{
    RecordingHost host;
    App app(host, windowTable());
    auto& config = dynamic_cast<SettingsWindow&>(app.form("config"));
    EXPECT_THROW(config.setCheck(0, 1), std::out_of_range);
    EXPECT_THROW(config.setCheck(11, 1), std::out_of_range);
    EXPECT_THROW(config.setCheck(1, 3), std::out_of_range);
    EXPECT_THROW(config.setCheck(1, -1), std::out_of_range);
    config.setCheck(10, 2);
    EXPECT_EQ(config.check(10), 2);
    // A click ticks a grey or clear box and clears a ticked one; grey is never reached so.
    const int clicked[][2] = {{2, 1}, {1, 0}, {0, 1}};
    for (const auto& [before, after] : clicked) {
        config.setCheck(3, before);
        config.clickCheck(3);
        EXPECT_EQ(config.check(3), after) << "from " << before;
    }
    // Before the start-up there is no file to save into: said, not pretended.
    config.quit();
    EXPECT_FALSE(app.ended());
    ASSERT_EQ(host.events.size(), 1u);
    EXPECT_EQ(host.events[0], "error config 設定ファイルの場所が決まっていません（起動していません）");
}

// The controls the binding builds: every check box and button lies inside the frame that
// holds it, the boxes follow the settings file's order, and their captions name the windows.
TEST(SettingsWindowModel, LayoutKeepsItsControlsInsideTheFrame)
{
    RecordingHost host;
    App app(host, windowTable());
    const Layout& layout = dynamic_cast<SettingsWindow&>(app.settings()).layout();
    ASSERT_EQ(layout.boxes.size(), 1u);
    const Rect frame = layout.boxes[0].rect;
    const auto inside = [&](const Rect& r) {
        return r.left >= 0 && r.top >= 0 && r.left + r.width <= frame.width && r.top + r.height <= frame.height;
    };
    ASSERT_EQ(layout.checks.size(), static_cast<std::size_t>(kCheckCount));
    for (std::size_t i = 0; i < layout.checks.size(); ++i) {
        const CheckSpec& check = layout.checks[i];
        EXPECT_EQ(check.index, static_cast<int>(i) + 1);
        EXPECT_EQ(check.box, layout.boxes[0].name);
        EXPECT_TRUE(inside(check.rect)) << check.caption;
        // "壊変" names the window whose title ends in "壊変率".
        const WindowRow& row = app.windows()[i];
        EXPECT_EQ(row.checkBox, check.index) << check.caption;
        EXPECT_EQ(row.frame.caption.rfind(check.caption, 0), 0u) << check.caption;
    }
    for (const ButtonSpec& button : layout.buttons) {
        EXPECT_EQ(button.box, layout.boxes[0].name);
        EXPECT_TRUE(inside(button.rect)) << button.name;
    }
    const Size size = SettingsWindow::size();
    EXPECT_LE(frame.left + frame.width, size.width);
    EXPECT_LE(frame.top + frame.height, size.height);
    for (const LabelSpec& label : layout.labels) {
        EXPECT_LE(label.rect.left + label.rect.width, frame.left) << label.name;
    }
}

} // namespace
} // namespace mezura
