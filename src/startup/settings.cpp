#include "startup/settings.h"

#include "framework/app.h"
#include "framework/window.h"
#include "version.h"

#include <algorithm>
#include <array>
#include <ostream>
#include <span>
#include <stdexcept>

namespace mezura {

namespace {

constexpr Colour kOkButton = rgb(192, 255, 255);       // &HFFFFC0
constexpr Colour kQuestionButton = rgb(192, 192, 255); // &HFFC0C0, bluer than the conversion windows' "?"
constexpr const char* kFrame = "Frame1";

Layout settingsLayout(std::span<const WindowRow> windows)
{
    Layout layout;
    layout.images = {{"Image1", {900, 960, 480, 480}}};
    //                name      caption             Left Top   Width Height
    layout.labels = {{"Label1", "ヨモギの単位計算", {360, 1920, 1815, 255}},
                     {"Label2", "Mezura", {540, 2280, 1215, 255}},
                     {"Label3", std::string("ver ") + kVersion, {735, 2640, 1095, 255}}};
    layout.boxes = {{kFrame, "起動時の画面", {2280, 120, 3615, 2775}}};
    // Inside the frame: the box of each conversion window, in columns of four from the top
    // left, in the order of the settings file's lines.
    constexpr std::array<int, 3> kColumns{240, 1440, 2520};
    for (const WindowRow& row : windows) {
        const auto place = static_cast<std::size_t>(row.checkBox - 1);
        const int left = kColumns.at(place / 4);
        const int top = 480 + 360 * static_cast<int>(place % 4);
        layout.checks.push_back({"Check1", row.checkBox, row.label, {left, top, 855, 255}, kFrame});
    }
    // Inside the frame: one row of buttons.
    layout.buttons = {{"Command1", "OK", {240, 2160, 735, 375}, kOkButton, ButtonRole::Ok, kFrame},
                      {"Command2", "cancel", {1200, 2160, 735, 375}, kButtonFace, ButtonRole::Cancel, kFrame},
                      {"Command3", "quit", {2160, 2160, 735, 375}, kButtonFace, ButtonRole::Quit, kFrame},
                      {"Command6", "?", {3120, 2160, 255, 375}, kQuestionButton, ButtonRole::Help, kFrame}};
    return layout;
}

} // namespace

SettingsWindow::SettingsWindow(App& app)
    : Form(app, kSettingsWindow)
    , m_layout(settingsLayout(app.windows()))
{
}

Size SettingsWindow::size()
{
    // The frame ends at 5895 x 2895; a margin, the border and the title bar around it.
    return {6105, 3420};
}

void SettingsWindow::setCheck(int i, int value)
{
    if (value < 0 || value > 2) {
        throw std::out_of_range("a check box holds 0, 1 or 2, not " + std::to_string(value));
    }
    m_checks.at(static_cast<std::size_t>(i - 1)) = value;
    if (value != 0) {
        m_choiceHint = false;
    }
}

void SettingsWindow::clickCheck(int i)
{
    setCheck(i, check(i) == 1 ? 0 : 1);
}

void SettingsWindow::load(const std::string& progpath, const SettingsPlace& place, FileSystem& files)
{
    m_progpath = progpath;
    m_helpFile = progpath + kHelpFileName;
    m_place = place;
    m_files = &files;
    if (!place.directory.empty()) {
        m_file.emplace(files, place.directory);
    }
    if (!place.defaults.empty()) {
        m_defaults.emplace(files, place.defaults);
    }
    cfgLoad();
    cfgView();
    // The start-up window: shown in front of the windows just opened, at every start.
    setVisible(true);
    app().host().bringToFront(*this);
}

void SettingsWindow::cfgLoad()
{
    if (!m_file && !m_defaults) {
        return;
    }
    // The user's own settings directory is made by the first save; until then it holds no
    // settings file, and the default beside the program is read. So it is when there is no
    // such directory at all.
    SettingsFile::Loaded loaded = !m_file || (m_defaults && !m_files->exists(m_place.directory))
        ? SettingsFile::Loaded{SettingsFile::Status::Missing, Checks{}, ""}
        : m_file->load();
    if (loaded.status == SettingsFile::Status::Missing && m_defaults) {
        loaded = m_defaults->load();
    }
    switch (loaded.status) {
    case SettingsFile::Status::Loaded:
        m_checks = loaded.checks;
        return;
    case SettingsFile::Status::Missing:
        m_checks = Checks{};
        break;
    case SettingsFile::Status::Failed:
        app().host().reportError(*this, loaded.message);
        break;
    }
    setVisible(true);
}

bool SettingsWindow::cfgSave()
{
    std::string message;
    if (!m_file && m_defaults) {
        // An installed program never writes beside itself.
        message = "設定を保存する場所がありません（環境変数 HOME も XDG_CONFIG_HOME もありません）";
    } else if (!m_file) {
        message = "設定ファイルの場所が決まっていません（起動していません）";
    } else {
        // The user's own settings directory may not exist yet; if it cannot be made, the
        // save below says so, naming the file.
        std::string ignored;
        m_files->makeDirectories(m_place.directory, ignored);
        if (m_file->save(m_checks, message)) {
            return true;
        }
    }
    app().host().reportError(*this, message);
    return false;
}

void SettingsWindow::cfgView()
{
    for (const WindowRow& row : app().windows()) {
        app().window(row).setVisible(check(row.checkBox) != 0);
    }
    setVisible(app().visibleConversionWindows() == 0);
}

bool SettingsWindow::click(std::string_view button)
{
    for (const ButtonSpec& row : m_layout.buttons) {
        if (row.name == button) {
            press(row.role);
            return true;
        }
    }
    return false;
}

void SettingsWindow::press(ButtonRole role)
{
    switch (role) {
    case ButtonRole::Ok:
        ok();
        break;
    case ButtonRole::Cancel:
        cancel();
        break;
    case ButtonRole::Quit:
        quit();
        break;
    case ButtonRole::Help:
        help();
        break;
    case ButtonRole::Range:
        break;
    }
}

void SettingsWindow::ok()
{
    if (app().ended()) {
        return;
    }
    // The choice applies now even when it could not be stored; the user has been told.
    cfgSave();
    cfgView();
    // With no box ticked, "OK" opens nothing and this window stays: a newcomer is told why.
    if (std::all_of(m_checks.begin(), m_checks.end(), [](int value) { return value == 0; })) {
        m_choiceHint = true;
        app().host().beep(*this);
    }
}

void SettingsWindow::cancel()
{
    if (!app().ended()) {
        dismiss();
    }
}

void SettingsWindow::quit()
{
    // A choice that could not be stored is not thrown away silently: the program stays,
    // and the user may try again or leave without saving ("cancel", "終了").
    if (!app().ended() && cfgSave()) {
        app().quit();
    }
}

void SettingsWindow::help()
{
    // The window keeps the topic, so a later F1 in it opens the same one.
    m_helpTopic = kCommonHelpTopic;
    f1();
}

void SettingsWindow::key(int keyCode)
{
    if (keyCode > 0) {
        cancel();
    }
}

void SettingsWindow::closeRequest()
{
    cancel();
}

void SettingsWindow::f1()
{
    if (!app().ended()) {
        app().host().openHelp(m_helpTopic);
    }
}

void SettingsWindow::dismiss()
{
    // Hiding the last visible window would leave a running program that nobody can see or
    // reach, and ending the program on a stray key would be worse: the window stays and
    // beeps. "quit" ends the program.
    if (app().visibleConversionWindows() == 0) {
        app().host().beep(*this);
    } else {
        setVisible(false);
    }
}

void SettingsWindow::dump(std::ostream& out) const
{
    out << "config.visible=" << (visible() ? 1 : 0) << '\n';
    for (int i = 1; i <= kCheckCount; ++i) {
        out << "config.Check1(" << i << ")=" << check(i) << '\n';
    }
}

} // namespace mezura
