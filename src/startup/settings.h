// The settings window `config`: the start-up window, the choice of conversion windows that
// open at start-up (stored in the settings file), and the program's name and version.
#pragma once

#include "framework/form.h"
#include "framework/frame.h"
#include "framework/layout.h"
#include "startup/cfgfile.h"

#include <optional>
#include <string>
#include <string_view>

namespace mezura {

inline constexpr const char* kHelpFileName = "Mezura.chm";

// Where the settings file is kept: `directory` holds the user's own file, read at the start
// and written by every save. While it holds none, the file in `defaults` (when not empty) is
// read in its place. Both end in "/".
struct SettingsPlace {
    std::string directory;
    std::string defaults;
};

class SettingsWindow : public Form {
public:
    explicit SettingsWindow(App& app);

    std::string title() const override { return std::string(kTitlePrefix) + "設定"; }

    // The window as data: the picture Image1, the labels with the name and version, and the
    // frame "起動時の画面" that holds the check boxes Check1(1..10) and the buttons Command1
    // "OK", Command2 "cancel", Command3 "quit" and Command6 "?" (positions inside the frame).
    const Layout& layout() const { return m_layout; }
    // Width and height in twips, as the conversion windows' size modes give theirs.
    static Size size();

    // Check box i (1 to 10): 0 clear, 1 ticked, 2 grey. Box i stands for the conversion
    // window whose row in the window table names it.
    int check(int i) const { return m_checks.at(static_cast<std::size_t>(i - 1)); }
    // The user sets box i to `value`. Throws std::out_of_range for a box or value outside.
    void setCheck(int i, int value);
    // A mouse click on box i: a clear or grey box becomes ticked, a ticked one clear.
    void clickCheck(int i);
    const Checks& checks() const { return m_checks; }
    // Whether the window shows kChoiceHint: after "OK" with no box ticked (which beeps), until
    // a box is ticked.
    bool choiceHint() const { return m_choiceHint; }
    static constexpr std::string_view kChoiceHint = "開く画面を選んでください";

    // Form_Load, the start-up of the program: `progpath` (the program directory, ending in
    // "/") and the help file beside it are kept, the settings file is read from `place` and
    // applied, and this window is shown in front. `files` must outlive the window.
    void load(const std::string& progpath, const SettingsPlace& place, FileSystem& files);
    const std::string& progpath() const { return m_progpath; }
    // The directory whose settings file the saves write; empty before the start-up.
    const std::string& settingsDirectory() const { return m_place.directory; }
    // progpath + "Mezura.chm", the file the help opens; empty before the start-up.
    const std::string& helpFile() const { return m_helpFile; }
    // The topic F1 opens in this window: the common one, 1000.
    int helpTopic() const { return m_helpTopic; }

    // User events.
    // A click on a button by name ("Command1" ...); false when there is no such button.
    bool click(std::string_view button) override;
    // A click on a button that does `role`.
    void press(ButtonRole role);
    void ok();     // save the boxes, then apply them
    void cancel(); // hide; nothing is saved or applied
    void quit();   // save the boxes (confirmed or not), then end the program
    void help();   // open help at the common topic
    // A key that produces a character (Enter, Esc, Space, letters ...) sent to the window
    // itself: it dismisses the window like "cancel". While no conversion window is visible,
    // "cancel", such a key and the close box are refused with a beep; the window stays.
    void key(int keyCode) override;
    void closeRequest() override; // the close box: as "cancel"
    void f1() override;

    // CfgLoad: the boxes from the settings file; when there is none, all clear. A file that
    // cannot be read or holds no ten values leaves the boxes as they were and is reported.
    // Either way short of a good file, this window is shown.
    void cfgLoad();
    // CfgSave: the boxes into the settings file; false (reported) when it could not be
    // written, the old file then being left as it was.
    bool cfgSave();
    // CfgView: every conversion window visible when its box is not clear (grey counts as
    // ticked), hidden otherwise; then this window shown when no conversion window is
    // visible, hidden when one is.
    void cfgView();

    void dump(std::ostream& out) const override;

private:
    void dismiss();

    Layout m_layout;
    Checks m_checks{};
    std::string m_progpath;
    std::string m_helpFile;
    SettingsPlace m_place;
    FileSystem* m_files = nullptr;
    std::optional<SettingsFile> m_file;     // set by the start-up
    std::optional<SettingsFile> m_defaults; // read while m_file is missing
    int m_helpTopic = kCommonHelpTopic;
    bool m_choiceHint = false;
};

} // namespace mezura
