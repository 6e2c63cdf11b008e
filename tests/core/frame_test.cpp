// The frame every conversion window shares: size modes, menus, help, closing, registry.
#include "framework/menu.h"
#include "framework/placement.h"
#include "startup/settings.h"
#include "test_host.h"
#include "windows/catalog.h"
#include "windows/temp.h"

#include <array>
#include <functional>
#include <gtest/gtest.h>

namespace mezura {
namespace {

std::string sizeText(const ConversionWindow& w)
{
    return std::to_string(w.frame().size().width) + 'x' + std::to_string(w.frame().size().height);
}

TEST(Frame, LeftClicksStepTheSizeModes)
{
    struct Row {
        const char* window;
        std::vector<const char*> sizes; // at opening, then after each click
    };
    const Row rows[] = {
        {"temp", {"3435x2280", "3435x1400", "3435x2280"}},
        {"length", {"3400x6900", "5835x6900", "3400x6000", "5835x6000", "3400x6900"}},
        {"cubic", {"4500x6480", "8000x6480", "4500x5540", "8000x5540", "4500x6480"}},
        {"year", {"3400x3780", "3400x2980", "3400x3780"}},
        {"heat", {"3330x4590", "4455x4590", "3330x3690", "4455x3690", "3330x4590"}},
    };
    for (const Row& row : rows) {
        test::TestApp t;
        ConversionWindow& w = t.window(row.window);
        EXPECT_EQ(sizeText(w), row.sizes[0]) << row.window;
        for (std::size_t i = 1; i < row.sizes.size(); ++i) {
            w.mouseDown(1);
            EXPECT_EQ(sizeText(w), row.sizes[i]) << row.window << " click " << i;
        }
    }
}

TEST(Frame, SizeItemsFollowTheWindowState)
{
    test::TestApp t;
    ConversionWindow& w = t.window("length");
    w.setState(WindowState::Maximized);
    ASSERT_TRUE(w.menu("mnuS"));
    EXPECT_EQ(w.frame().state(), WindowState::Normal);
    EXPECT_EQ(w.frame().mode(), 3); // restored to the current mode's size only
    EXPECT_EQ(sizeText(w), "3400x6900");

    w.setState(WindowState::Minimized);
    w.menu("mnu01");
    w.mouseDown(1);
    EXPECT_EQ(w.frame().mode(), 3);
    w.setState(WindowState::Normal);
    w.menu("mnu01");
    EXPECT_EQ(w.frame().mode(), 4);
}

TEST(Frame, RightClickShowsThePopupOnly)
{
    test::TestApp t;
    ConversionWindow& w = t.window("temp");
    w.mouseDown(2);
    EXPECT_EQ(t.host.events, std::vector<std::string>{"popup temp"});
    EXPECT_EQ(w.frame().mode(), 2);
}

TEST(Frame, HelpActionsSetTheTopicThatF1Opens)
{
    test::TestApp t;
    ConversionWindow& length = t.window("length");
    ConversionWindow& temp = t.window("temp");
    length.f1();          // before any help action: the window's own topic
    length.menu("mnuH1"); // common matters
    length.f1();          // keeps 1000 now
    length.menu("mnu02"); // "ﾍﾙﾌﾟ (F1)"
    length.f1();
    temp.clickButton(temp.buttonIndex("Command4")); // "?"
    temp.menu("mnuH2");
    EXPECT_EQ(t.host.events,
              (std::vector<std::string>{"help 1010", "help 1000", "help 1000", "help 1010", "help 1010", "help 1060",
                                        "help 1060"}));
}

TEST(Frame, ClosingHidesUntilTheLastVisibleWindowEndsTheProgram)
{
    test::TestApp t;
    t.app.showAndFocus("temp");
    t.app.showAndFocus("length");
    t.enter("temp", "txtCels", "100");
    t.window("temp").closeRequest();
    EXPECT_FALSE(t.window("temp").visible());
    EXPECT_FALSE(t.app.ended());
    for (const WindowRow& row : t.app.windows()) { // counting created every window, hidden
        ASSERT_NE(t.app.existing(row.frame.name), nullptr) << row.frame.name;
    }
    EXPECT_EQ(t.app.visibleConversionWindows(), 1);

    t.window("length").menu("mnuUT"); // shown again with its values and mode
    EXPECT_TRUE(t.window("temp").visible());
    EXPECT_EQ(t.text("temp", "txtFahr"), "212");

    t.window("temp").closeRequest();
    t.window("length").closeRequest();
    EXPECT_TRUE(t.app.ended());
    EXPECT_EQ(t.host.events.back(), "exit");
}

TEST(Frame, EndItemsQuitAtOnce)
{
    for (const char* item : {"mnuX", "mnu03"}) {
        test::TestApp t;
        t.app.showAndFocus("temp");
        t.app.showAndFocus("year");
        t.window("temp").menu(item);
        EXPECT_TRUE(t.app.ended()) << item;
    }
}

TEST(Frame, AllShowsEveryWindowInMenuOrderWithTheCalendarLast)
{
    test::TestApp t;
    t.window("temp").menu("mnuUA");
    std::vector<std::string> expected;
    for (const WindowRow& row : t.app.windows()) {
        expected.push_back("front " + row.frame.name);
        EXPECT_TRUE(t.app.window(row).visible()) << row.frame.name;
    }
    EXPECT_EQ(t.host.events, expected);
    EXPECT_EQ(t.app.visibleConversionWindows(), 10);

    t.host.events.clear();
    t.window("year").menu("mnuUA"); // already visible: only brought forward again
    EXPECT_EQ(t.host.events, expected);
}

TEST(Frame, OtherUnitItemsShowAndFocusTheirWindow)
{
    const std::pair<const char*, const char*> items[] = {
        {"mnuUL", "length"}, {"mnuUS", "square"}, {"mnuUC", "cubic"}, {"mnuUW", "weight"}, {"mnuUV", "velocity"},
        {"mnuUP", "press"},  {"mnuUH", "heat"},   {"mnuUT", "temp"},  {"mnuUR", "radio"},  {"mnuUY", "year"},
    };
    for (const auto& [item, window] : items) {
        test::TestApp t;
        t.app.showAndFocus("temp");
        t.host.events.clear();
        ASSERT_TRUE(t.window("temp").menu(item));
        EXPECT_TRUE(t.window(window).visible()) << item;
        EXPECT_TRUE(t.window("temp").visible()) << item;
        EXPECT_EQ(t.host.events, std::vector<std::string>{std::string("front ") + window}) << item;
    }
}

TEST(Frame, SettingsItemsShowTheSettingsWindow)
{
    test::TestApp t;
    t.window("temp").menu("mnuH3");
    EXPECT_TRUE(t.app.form("config").visible());
    EXPECT_FALSE(t.window("temp").menu("mnuNothing"));
}

TEST(Frame, MenusReadInTheirOrder)
{
    test::TestApp t;
    const auto bar = menuBar(windowTable().windows, t.app.row("radio")->frame);
    std::vector<std::string> captions;
    captions.reserve(bar.size());
    for (const MenuEntry& entry : bar) {
        captions.push_back(entry.name + ' ' + entry.caption);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"mnuU 他の単位", "mnuS 表示", "mnuH ヘルプ", "mnuX 終了"}));
    std::string units;
    for (const MenuEntry& item : bar[0].items) {
        units += item.caption + ' ';
    }
    EXPECT_EQ(units, "長さ 面積 体積 重さ 速度 圧力 熱量 - 温度 壊変 年号 - 全て 設定 ");
    EXPECT_TRUE(bar[1].items.empty());
    EXPECT_TRUE(bar[3].items.empty());
    EXPECT_EQ(bar[2].items[1].caption, "壊変率");

    const std::pair<const char*, const char*> sizeItems[] = {
        {"temp", "ﾌｫｰﾑｻｲｽﾞ変更"},          {"weight", "ﾌｫｰﾑｻｲｽﾞ変更"}, {"year", "ﾌｫｰﾑｻｲｽﾞ変更"},
        {"cubic", "ｻｲｽﾞ変更(左クリック)"}, {"length", "ｻｲｽﾞ変更"},     {"press", "ｻｲｽﾞ変更"},
    };
    for (const auto& [window, caption] : sizeItems) {
        const MenuEntry popup = popupMenu(t.app.row(window)->frame);
        std::string items;
        for (const MenuEntry& item : popup.items) {
            items += item.caption + '|';
        }
        EXPECT_EQ(items, std::string(caption) + "|ﾍﾙﾌﾟ (F1)|設定|-|終了|") << window;
    }
}

// Text that number parse reads only in part marks the field typed into until the field is
// written again, in every window: by an edit, a click, or a chain of another field.
TEST(Frame, UnreadInputIsNotedOnTheTypedFieldUntilItIsWritten)
{
    test::TestApp t;
    for (const WindowRow& row : t.app.windows()) {
        ConversionWindow& w = t.app.window(row);
        const auto& fields = w.layout().fields;
        std::vector<int> typing;
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (fields[i].typing) {
                typing.push_back(static_cast<int>(i));
            }
        }
        ASSERT_GE(typing.size(), 2u) << row.frame.name;
        const int first = typing[0];
        const int second = typing[1];
        const std::string where = row.frame.name + "." + fields[static_cast<std::size_t>(first)].name;
        w.typeText(first, "1.5.2");
        w.keyPress(first, 13);
        EXPECT_EQ(w.inputNote(first), "「1.5.2」は 1.5 として換算しました。") << where;
        EXPECT_EQ(w.inputNote(second), "") << where;
        EXPECT_EQ(w.windowNote(), w.inputNote(first)) << where;
        EXPECT_EQ(w.windowNoteField(), first) << where;
        w.typeText(first, "1.5");
        EXPECT_EQ(w.inputNote(first), "") << where << ": an edit";
        w.keyPress(first, 13);
        EXPECT_EQ(w.inputNote(first), "") << where << ": read whole";
        w.typeText(first, "abc");
        w.keyPress(first, 13);
        EXPECT_EQ(w.inputNote(first), "「abc」は数値として読めないため 0 として換算しました。") << where;
        w.clickField(first);
        EXPECT_EQ(w.inputNote(first), "") << where << ": a click";
        w.typeText(first, "12abc");
        w.keyPress(first, 13);
        w.typeText(second, "1");
        w.keyPress(second, 13);
        EXPECT_EQ(w.inputNote(first).empty(), w.text(first) != "12abc") << where << ": another field's chain";
    }
}

// An Enter that does not simply convert the typed text leaves one sentence in the window that
// names the text and tells what became of it: read in part or not at all, reset outside every
// range, or another value put in its place. The fields keep what the rules give.
TEST(Frame, EnterThatChangesOrMisreadsTheTypedTextLeavesAWindowNote)
{
    struct Row {
        const char* window;
        const char* field;
        const char* typed;
        const char* shown; // the typed field after Enter
        const char* note;
        const char* before = nullptr; // entered in the field first
    };
    // clang-format off
    const Row rows[] = {
        {"length", "txtC3", "12",     "12",    ""},
        {"length", "txtC3", "1,000",  "1,000", "「1,000」は 1 として換算しました。"},
        {"length", "txtC3", "abc",    "abc",   "「abc」は数値として読めないため 0 として換算しました。"},
        {"length", "txtC3", "1000",   "1000",  ""},
        {"length", "txtC3", "2000",   "0",     "「2000」は範囲（1000km まで）の外なので 0 に戻しました。"},
        {"length", "txtC2", "2000001", "0",    "「2000001」は範囲（1000km まで）の外なので 0 に戻しました。"},
        {"length", "txtC3", "2000abc", "0",    "「2000abc」は範囲（1000km まで）の外なので 0 に戻しました。"},
        {"length", "txtC3", "-5",     "0",     "「-5」は負の値なので 0 に戻しました。"},
        // The bar scale runs to 10000, the window to 1000 bar.
        {"press",  "txtP3", "1000",   "1000",  ""},
        {"press",  "txtH2", "1000",   "0",     "「1000」は範囲（1000bar まで）の外なので 0 に戻しました。"},
        {"velocity", "txtC4", "300000", "0",   "「300000」は範囲（光速まで）の外なので 0 に戻しました。"},
        {"weight", "txtC4", "40000",  "0",     "「40000」は範囲（30000t まで）の外なので 0 に戻しました。"},
        {"year",   "txtW1", "3000",   "3000",  ""},
        {"year",   "txtW1", "5000",   "3000",  "「5000」は範囲（西暦 0〜3000 年）の外なので 3000 にしました。"},
        // Where the thumb stands at the ruler's end already, the year stays as typed and no
        // note tells otherwise.
        {"year",   "txtW1", "-5",     "-5",    ""},
        {"year",   "txtW1", "-5",     "0",     "「-5」は範囲（西暦 0〜3000 年）の外なので 0 にしました。", "2000"},
        {"year",   "txtJ5", "1000",   "982",   "「1000」は範囲（西暦 0〜3000 年）の外なので 982 にしました。"},
        {"temp",   "txtCels", "-273.15", "-273.15", ""},
        {"temp",   "txtCels", "-300", "-273.15", "「-300」は絶対零度より低いので -273.15 にしました。"},
        {"temp",   "txtKervin", "-1", "0",     "「-1」は絶対零度より低いので 0 にしました。"},
        {"temp",   "txtCels", "40000", "-273.15", "「40000」は範囲（30000K まで）の外なので -273.15 に戻しました。"},
        {"temp",   "txtCels", "１，０００", "１，０００", "「１，０００」は 1 として換算しました。"},
    };
    // clang-format on
    for (const Row& row : rows) {
        test::TestApp t;
        ConversionWindow& w = t.window(row.window);
        const int field = w.fieldIndex(row.field);
        const std::string where = std::string(row.window) + "." + row.field + " " + row.typed;
        if (row.before != nullptr) {
            t.enter(row.window, row.field, row.before);
        }
        t.enter(row.window, row.field, row.typed);
        EXPECT_EQ(w.text(field), row.shown) << where;
        EXPECT_EQ(w.windowNote(), row.note) << where;
        EXPECT_EQ(w.windowNoteField(), *row.note == '\0' ? -1 : field) << where;
    }

    // The note stays until the next edit in its window, whatever else happens.
    struct Event {
        const char* what;
        std::function<void(test::TestApp&, ConversionWindow&)> run;
        bool edits;
    };
    const Event events[] = {
        {"size mode", [](auto&, ConversionWindow& w) { w.mouseDown(1); }, false},
        {"pop-up", [](auto&, ConversionWindow& w) { w.mouseDown(2); }, false},
        {"help button", [](auto&, ConversionWindow& w) { w.click("Command4"); }, false},
        {"F1", [](auto&, ConversionWindow& w) { w.f1(); }, false},
        {"Enter elsewhere", [](test::TestApp& t, auto&) { t.enter("length", "txtC3", "abc"); }, false},
        {"a key", [](auto&, ConversionWindow& w) { w.keyPress(TempWindow::txtCels, 65); }, false},
        {"typing", [](auto&, ConversionWindow& w) { w.typeText(TempWindow::txtCels, "-3001"); }, true},
        {"typing elsewhere", [](auto&, ConversionWindow& w) { w.typeText(TempWindow::txtFahr, "1"); }, true},
        {"a click", [](auto&, ConversionWindow& w) { w.clickField(TempWindow::txtKervin); }, true},
        {"range button", [](auto&, ConversionWindow& w) { w.click("Command2"); }, true},
        {"slider", [](auto&, ConversionWindow& w) { w.slide(5); }, true},
        {"drag",
         [](auto&, ConversionWindow& w) {
             w.drag({7, 9});
         },
         true},
        {"Enter read whole", [](auto&, ConversionWindow& w) { w.keyPress(TempWindow::txtKervin, 13); }, true},
    };
    for (const Event& event : events) {
        test::TestApp t;
        ConversionWindow& w = t.window("temp");
        t.enter("temp", "txtCels", "-300");
        ASSERT_FALSE(w.windowNote().empty());
        event.run(t, w);
        EXPECT_EQ(w.windowNote().empty(), event.edits) << event.what;
        EXPECT_EQ(w.windowNoteField(), event.edits ? -1 : TempWindow::txtCels) << event.what;
    }
}

// The windows chosen at the start, and the settings window in front of them, stand wholly on
// the usual screens, every title bar in view: no window covers the title bar of one shown
// before it, nor more than a quarter of it, and on a screen with room for them all none
// covers another. All ten windows and the settings window fill most of a 1024x768 screen.
TEST(Frame, WindowsOpenedAtTheStartLeaveEveryTitleBarInView)
{
    test::TestApp t;
    // Frames as the desktop here draws them at 96 dots an inch: the client area of the form's
    // size less its border and caption, a menu bar of 18 pixels above a conversion window's,
    // a title bar of 24 pixels and borders of 4.
    constexpr int kTitleBar = 24;
    constexpr int kBorder = 4;
    constexpr int kMenuBar = 18;
    const auto pixels = [](int twips) { return (twips * 96 + 720) / 1440; };
    const auto frameOf = [&](Size size, int menuBar) {
        return PixelSize{pixels(size.width - kFrameWidthTwips) + 2 * kBorder,
                         pixels(size.height - kFrameHeightTwips) + menuBar + kTitleBar + kBorder};
    };
    std::vector<PixelSize> all;
    for (const WindowRow& row : t.app.windows()) {
        all.push_back(frameOf(t.app.window(row).frame().size(), kMenuBar));
    }
    const Size settings = SettingsWindow::size();
    const PixelSize settingsFrame = frameOf({settings.width, settings.height + kMenuBarTwips}, 0);
    ASSERT_EQ(all.front().width, 227);
    ASSERT_EQ(all.front().height, 460);
    ASSERT_EQ(settingsFrame.width, 407);
    enum Covers { None, AQuarter, AnyButTitles };
    const struct {
        PixelRect screen;
        std::size_t windows;
        Covers covers; // the most that a window covers of one before it
    } rows[] = {
        {{0, 0, 1920, 1080}, 10, None},     {{0, 0, 1920, 1048}, 10, None},       {{0, 0, 1280, 800}, 10, None},
        {{0, 27, 1366, 741}, 10, AQuarter}, {{0, 0, 1024, 768}, 10, AQuarter},    {{0, 0, 1024, 740}, 10, AQuarter},
        {{0, 27, 1024, 741}, 10, AQuarter}, {{0, 0, 800, 600}, 10, AnyButTitles}, {{1920, 0, 1024, 740}, 2, None},
        {{0, 0, 1024, 740}, 0, None},
    };
    for (const auto& row : rows) {
        std::vector<PixelSize> frames(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(row.windows));
        frames.push_back(settingsFrame);
        const std::vector<PixelRect> placed = placeWindows(row.screen, frames, kTitleBar, 4);
        const std::string where = std::to_string(row.screen.width) + "x" + std::to_string(row.screen.height) + ", " +
            std::to_string(row.windows) + " windows";
        ASSERT_EQ(placed.size(), frames.size()) << where;
        long long areas = 0;
        for (std::size_t i = 0; i < placed.size(); ++i) {
            const PixelRect& r = placed[i];
            areas += static_cast<long long>(r.width) * r.height;
            EXPECT_TRUE(r.x >= row.screen.x && r.y >= row.screen.y &&
                        r.x + r.width <= row.screen.x + row.screen.width &&
                        r.y + r.height <= row.screen.y + row.screen.height)
                << where << ": window " << i << " leaves the screen";
            for (std::size_t later = i + 1; later < placed.size(); ++later) {
                const PixelRect& p = placed[later];
                EXPECT_EQ(sharedArea(p, {r.x, r.y, r.width, kTitleBar}), 0)
                    << where << ": window " << later << " covers the title bar of " << i;
                const long long covered = sharedArea(p, r);
                if (row.covers == None) {
                    EXPECT_EQ(covered, 0) << where << ": window " << later << " covers " << i;
                } else if (row.covers == AQuarter) {
                    EXPECT_LE(4 * covered, static_cast<long long>(r.width) * r.height)
                        << where << ": window " << later << " covers " << covered << " pixels of " << i;
                }
            }
        }
        if (row.screen.width == 1024 && row.windows == 10) {
            EXPECT_GT(10 * areas, 9 * static_cast<long long>(row.screen.width) * row.screen.height)
                << where << ": the windows fill most of the screen";
        }
        EXPECT_EQ(placeWindows(row.screen, frames, kTitleBar, 4), placed) << where << ": the same at every start";
    }
}

TEST(Registry, WindowsAreCreatedOnceOnFirstReference)
{
    test::TestApp t;
    EXPECT_EQ(t.app.existing("temp"), nullptr);
    ConversionWindow& first = t.window("temp");
    EXPECT_EQ(&first, &t.window("temp"));
    EXPECT_EQ(t.app.existing("temp"), &first);
    EXPECT_THROW(t.app.form("nowhere"), std::invalid_argument);
    EXPECT_EQ(t.window("square").title(), "ヨモギの単位計算－面積");
    EXPECT_EQ(t.window("radio").title(), "ヨモギの単位計算－壊変率");
}

// Every window of the table builds, checking its tables as it is built: its field numbers
// are the places of its fields, every chain names fields and procedures that exist.
TEST(Registry, EveryWindowOfTheTableBuildsWithTablesThatAgree)
{
    test::TestApp t;
    for (const WindowRow& row : t.app.windows()) {
        const ConversionWindow& w = t.app.window(row);
        EXPECT_EQ(w.name(), row.frame.name);
        EXPECT_EQ(w.title(), kTitlePrefix + row.frame.caption);
        EXPECT_EQ(t.app.row(row.frame.name), &row);
        for (std::size_t i = 0; i < w.layout().fields.size(); ++i) {
            EXPECT_EQ(w.fieldIndex(w.layout().fields[i].name), static_cast<int>(i)) << row.frame.name;
        }
    }
    EXPECT_EQ(t.app.windows().size(), 10u);
}

// A small window whose tables each row of the test below spoils in one place.
class ProbeWindow : public ConversionWindow {
public:
    enum Field { txtA, txtB };
    enum Number { kLineA };

    ProbeWindow(App& app, const std::function<void(ProbeWindow&)>& fill, Layout layout = probeLayout())
        : ConversionWindow(app, kProbeFrame, std::move(layout))
    {
        fill(*this);
    }
    void installRows(std::vector<mezura::Procedure> procedures, std::vector<rows::EnterRow> enterRows)
    {
        install(std::move(procedures), std::move(enterRows));
    }

    static Layout probeLayout()
    {
        Layout layout;
        layout.fields = {numbered(txtA, {"txtA", "a", {45, 270, 975, 285}, 45, 75, 0, kHighlight, ""})
                             .unitIs("試験（水色）", kBaseUnit, "エー"),
                         numbered(txtB, {"txtB", "b", {45, 790, 975, 285}, 45, 595, 1, kHighlight, ""})
                             .unitIs("試験（水色）", "1 b = 2 a", "ビー")};
        return layout;
    }
    static inline const FrameSpec kProbeFrame{"probe", "試験", 1999, "ｻｲｽﾞ変更", {{3400, 2000}}, 1};
};

TEST(Registry, AWindowWithWrongTablesFailsWhenBuilt)
{
    using rows::S;
    const std::function<void()> nothing = [] {};
    struct Row {
        const char* fault;
        std::function<void(ProbeWindow&)> fill;
        Layout layout = ProbeWindow::probeLayout();
    };
    Layout wordless = ProbeWindow::probeLayout();
    wordless.fields[1].unit.words = "";
    const Row rows[] = {
        {"a chain that writes no field",
         [&](ProbeWindow& w) {
             w.installRows({{ProbeWindow::kLineA, nothing}}, {{ProbeWindow::txtA, {S(2, 0, rows::Mul, 2)}}});
         }},
        {"a chain that reads no field",
         [&](ProbeWindow& w) {
             w.installRows({}, {{ProbeWindow::txtA, {S(1, -1, rows::Mul, 2)}}});
         }},
        {"a step of more operations than it holds",
         [&](ProbeWindow& w) {
             w.installRows(
                 {}, {{ProbeWindow::txtA, {Step{1, 0, {{Op::Mul, 2}, {Op::Mul, 2}, {Op::Mul, 2}, {Op::Mul, 2}}}}}});
         }},
        {"a call of no procedure",
         [&](ProbeWindow& w) {
             w.installRows({{ProbeWindow::kLineA, nothing}}, {{ProbeWindow::txtB, {Call{1}}}});
         }},
        {"a procedure out of its place",
         [&](ProbeWindow& w) {
             w.installRows({{1, nothing}}, {});
         }},
        {"the Enter chain of no field",
         [&](ProbeWindow& w) {
             w.installRows({}, {{2, {}}});
         }},
        {"a unit without its words for a screen reader", [&](ProbeWindow&) {}, wordless},
    };
    for (const Row& row : rows) {
        test::TestApp t;
        EXPECT_THROW(
            {
                ProbeWindow window(t.app, row.fill, row.layout);
                window.checkTables();
            },
            std::invalid_argument)
            << row.fault;
    }
    test::TestApp t;
    ProbeWindow sound(t.app, [&](ProbeWindow& w) {
        w.installRows({{ProbeWindow::kLineA, nothing}}, {{ProbeWindow::txtA, {S(1, 0, rows::Mul, 2), Call{0}}}});
    });
    EXPECT_NO_THROW(sound.checkTables());
}

TEST(Registry, AWrongWindowTableFailsAtTheStart)
{
    struct Row {
        const char* fault;
        std::function<void(WindowRow&)> spoil;
    };
    const Row rows[] = {
        {"two windows of one name", [](WindowRow& row) { row.frame.name = "length"; }},
        {"two items of one name", [](WindowRow& row) { row.menuItem = "mnuUL"; }},
        {"two windows on one check box", [](WindowRow& row) { row.checkBox = 1; }},
        {"a check box beyond the settings file", [](WindowRow& row) { row.checkBox = 11; }},
        {"an initial size that is none", [](WindowRow& row) { row.frame.initialMode = 3; }},
        {"the settings window's name", [](WindowRow& row) { row.frame.name = kSettingsWindow; }},
    };
    const WindowTable& program = windowTable();
    for (const Row& row : rows) {
        std::vector<WindowRow> spoilt(program.windows.begin(), program.windows.end());
        row.spoil(spoilt.back()); // the calendar: two size modes
        test::RecordingHost host;
        EXPECT_THROW(App(host, WindowTable{spoilt, program.makeSettings}), std::invalid_argument) << row.fault;
    }
}

} // namespace
} // namespace mezura
