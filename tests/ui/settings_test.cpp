#include "startup/files.h"
#include "startup/settings.h"
#include "ui/binding.h"
#include "ui/controls.h"
#include "ui/conversionview.h"
#include "ui/mapping.h"
#include "ui/messages.h"
#include "ui/settingsview.h"
#include "uitest.h"
#include "windows/catalog.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// clang-format off

namespace mezura::ui {

namespace {
// Settings files: ten lines, one per conversion window in menu order.
const QByteArray kOnlyTemp = "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n";
const QByteArray kTempGrey = "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n2\r\n0\r\n0\r\n";

QColor face(const QWidget* widget) { return widget->palette().color(QPalette::Button); }
} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { test::quietPlatform(); }

    void init()
    {
        m_program = std::make_unique<QTemporaryDir>();
        QVERIFY(m_program->isValid());
        m_messages.clear();
        m_help.clear();
        setMessageSink([this](const Message& message) { m_messages << message; });
        m_binding = std::make_unique<Binding>();
        m_binding->host().setHelpOpener([this](int topic) { m_help << topic; });
    }

    void cleanup()
    {
        m_binding.reset();
        setMessageSink({});
        QVERIFY2(m_messages.isEmpty(),
                 qPrintable("unexpected message: " + (m_messages.isEmpty() ? QString() : m_messages[0].text)));
        const QString stray = m_guard.take();
        QVERIFY2(stray.isEmpty(), qPrintable("unexpected modal dialog: " + stray));
    }

    void builtFromTheLayout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<bool>("inFrame");
        QTest::addColumn<QColor>("colour"); // of a button
        const QColor none;
        const QColor buttonFace = toQColor(kButtonFace);
        QTest::newRow("icon") << "Image1" << "" << QRect(900, 960, 480, 480) << false << none;
        QTest::newRow("name") << "Label1" << "ヨモギの単位計算" << QRect(360, 1920, 1815, 255) << false << none;
        QTest::newRow("name in letters") << "Label2" << "Mezura" << QRect(540, 2280, 1215, 255) << false << none;
        // The version of project() in CMakeLists.txt, as the built window shows it.
        QTest::newRow("version") << "Label3" << "ver " MEZURA_PROJECT_VERSION << QRect(735, 2640, 1095, 255) << false << none;
        QTest::newRow("frame") << "Frame1" << "起動時の画面" << QRect(2280, 120, 3615, 2775) << false << none;
        QTest::newRow("first column") << "Check1(4)" << "重さ" << QRect(240, 1560, 855, 255) << true << none;
        QTest::newRow("second column") << "Check1(5)" << "速度" << QRect(1440, 480, 855, 255) << true << none;
        QTest::newRow("third column") << "Check1(10)" << "年号" << QRect(2520, 840, 855, 255) << true << none;
        QTest::newRow("OK") << "Command1" << "OK" << QRect(240, 2160, 735, 375) << true << QColor(192, 255, 255);
        QTest::newRow("cancel") << "Command2" << "cancel" << QRect(1200, 2160, 735, 375) << true << buttonFace;
        QTest::newRow("quit") << "Command3" << "quit" << QRect(2160, 2160, 735, 375) << true << buttonFace;
        QTest::newRow("help") << "Command6" << "?" << QRect(3120, 2160, 255, 375) << true << QColor(192, 192, 255);
    }
    void builtFromTheLayout()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, twips);
        QFETCH(bool, inFrame);
        QFETCH(QColor, colour);
        SettingsView* view = startWith(std::nullopt);
        QVERIFY(view != nullptr);
        auto* control = view->findChild<QWidget*>(name);
        QVERIFY2(control != nullptr, qPrintable("missing control " + name));

        QString shown;
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            shown = button->text();
        } else if (auto* box = qobject_cast<QGroupBox*>(control)) {
            shown = box->title();
        } else if (auto* label = qobject_cast<QLabel*>(control)) {
            shown = label->text();
            if (name == "Image1") {
                QVERIFY(!label->pixmap().isNull());
            }
        }
        QCOMPARE(shown, caption);
        QCOMPARE(control->parentWidget()->objectName(), inFrame ? QString("Frame1") : QString("config"));
        const QRect designed = toPixels({ twips.x(), twips.y(), twips.width(), twips.height() }, view->dpi());
        if (dynamic_cast<Caption*>(control) != nullptr) {
            QCOMPARE(control->x(), designed.x()); // its height is that of its letters
            QVERIFY(control->geometry().intersects(designed));
        } else {
            QCOMPARE(control->geometry(), designed);
        }
        if (colour.isValid()) {
            QCOMPARE(face(control), colour);
        }
    }

    void windowWithTenTriStateBoxes()
    {
        SettingsView* view = startWith(std::nullopt);
        QVERIFY(view != nullptr);
        QCOMPARE(view->windowTitle(), "ヨモギの単位計算－設定");
        QVERIFY(view->findChild<QMenuBar*>() == nullptr);
        QCOMPARE(view->size(), view->pixelSize());
        QVERIFY(!view->windowIcon().isNull()); // each window carries the icon: there is no application icon
        QStringList captions;
        for (int i = 1; i <= 10; ++i) {
            auto* box = view->findChild<QCheckBox*>(QStringLiteral("Check1(%1)").arg(i));
            QVERIFY2(box != nullptr, qPrintable(QStringLiteral("missing Check1(%1)").arg(i)));
            QVERIFY(box->isTristate());
            QCOMPARE(box->checkState(), Qt::Unchecked);
            captions << box->text();
        }
        QCOMPARE(captions,
                 (QStringList { "長さ", "面積", "体積", "重さ", "速度", "圧力", "熱量", "温度", "壊変", "年号" }));
    }

    // The first start shows the settings window alone; ticking two boxes and OK stores them,
    // opens their windows and hides the settings window; "設定" brings it back.
    void firstStartThenOk()
    {
        SettingsView* view = startWith(std::nullopt);
        QVERIFY(view != nullptr);
        QCOMPARE(visibleWindows(), QStringList { "config" });
        FIND(length, QCheckBox, view, "Check1(1)");
        FIND(temp, QCheckBox, view, "Check1(8)");
        FIND(ok, QPushButton, view, "Command1");
        QTest::mouseClick(length, Qt::LeftButton);
        QTest::mouseClick(temp, Qt::LeftButton);
        QCOMPARE(length->checkState(), Qt::Checked);
        QCOMPARE(settings().check(8), 1);
        QVERIFY(!QFile::exists(settingsFile())); // nothing is stored before OK
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(settingsText(), "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n");
        QCOMPARE(visibleWindows(), (QStringList { "length", "temp" }));

        ConversionView* tempView = m_binding->conversionView("temp");
        test::makeMenuItems(tempView);
        FIND(showSettings, QAction, tempView, "mnuH3");
        showSettings->trigger();
        QCOMPARE(visibleWindows(), (QStringList { "config", "length", "temp" }));
        QTest::mouseClick(temp, Qt::LeftButton);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(settingsText(), "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
        QCOMPARE(visibleWindows(), QStringList { "length" });
    }

    // The keyboard, with real key events on the control that has them: Space ticks or clears
    // a check box, Enter or Space presses a button, and every other key that produces a
    // character dismisses the window like "cancel", before the control sees it. While no
    // conversion window is visible, dismissing is refused and the window stays.
    void keyboard_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: the first start, no conversion window
        QTest::addColumn<QStringList>("steps"); // control:key, or control:click
        QTest::addColumn<QStringList>("visible");
        QTest::addColumn<int>("box1");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("flashed"); // the check boxes, with a beep
        QTest::addColumn<bool>("hint");    // "開く画面を選んでください"
        const QString onlyTemp = QString::fromLatin1(kOnlyTemp);
        const QString lengthAndTemp = "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n";
        const QStringList both { "config", "temp" };
        const QStringList temp { "temp" };
        const QString none = "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
        QTest::newRow("cancel") << kOnlyTemp << QStringList { "Command2:click" } << temp << 0 << onlyTemp << false << false;
        QTest::newRow("Esc") << kOnlyTemp << QStringList { "config:Esc" } << temp << 0 << onlyTemp << false << false;
        QTest::newRow("a letter on quit does not quit") << kOnlyTemp << QStringList { "Command3:Q" } << temp << 0 << onlyTemp << false << false;
        QTest::newRow("a digit on a box") << kOnlyTemp << QStringList { "Check1(1):5" } << temp << 0 << onlyTemp << false << false;
        QTest::newRow("Enter on a box") << kOnlyTemp << QStringList { "Check1(1):Return" } << temp << 0 << onlyTemp << false << false;
        QTest::newRow("Space ticks a box") << kOnlyTemp << QStringList { "Check1(1):Space" } << both << 1 << onlyTemp << false << false;
        QTest::newRow("Space again clears it") << kOnlyTemp << QStringList { "Check1(1):Space", "Check1(1):Space" } << both << 0 << onlyTemp << false << false;
        QTest::newRow("Enter on OK saves and applies") << kOnlyTemp << QStringList { "Check1(1):Space", "Command1:Return" }
                                                       << QStringList { "length", "temp" } << 1 << lengthAndTemp << false << false;
        QTest::newRow("Space on OK") << kOnlyTemp << QStringList { "Check1(1):Space", "Command1:Space" }
                                     << QStringList { "length", "temp" } << 1 << lengthAndTemp << false << false;
        QTest::newRow("Space on cancel") << kOnlyTemp << QStringList { "Check1(1):Space", "Command2:Space" } << temp << 1 << onlyTemp << false << false;
        QTest::newRow("Enter on quit saves and ends") << kOnlyTemp << QStringList { "Check1(1):Space", "Command3:Return" }
                                                      << QStringList {} << 1 << lengthAndTemp << false << false;
        QTest::newRow("first start: Esc is refused") << QByteArray() << QStringList { "config:Esc", "Command1:Q" }
                                                     << QStringList { "config" } << 0 << "(no file)" << true << false;
        QTest::newRow("first start: cancel is refused") << QByteArray() << QStringList { "Command2:click", "Command2:Return" }
                                                        << QStringList { "config" } << 0 << "(no file)" << true << false;
        QTest::newRow("first start: OK with no box asks for one") << QByteArray() << QStringList { "Command1:click" }
                                                                  << QStringList { "config" } << 0 << none << true << true;
        QTest::newRow("first start: a box ticked ends the hint") << QByteArray() << QStringList { "Command1:Return", "Check1(1):Space" }
                                                                 << QStringList { "config" } << 1 << none << true << false;
    }
    void keyboard()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, visible);
        QFETCH(int, box1);
        QFETCH(QString, stored);
        QFETCH(bool, flashed);
        QFETCH(bool, hint);
        SettingsView* view = startWith(file.isEmpty() ? std::nullopt : std::optional<QByteArray>(file));
        QVERIFY(view != nullptr);
        for (const QString& step : steps) {
            const QString name = step.section(':', 0, 0);
            const QString key = step.section(':', 1);
            QWidget* target = name == "config" ? view : view->findChild<QWidget*>(name);
            QVERIFY2(target != nullptr, qPrintable("missing control " + name));
            if (key == "click") {
                QTest::mouseClick(target, Qt::LeftButton);
            } else {
                QTest::keyClick(target, QKeySequence(key)[0].key());
            }
        }
        QCOMPARE(m_binding->app().ended(), visible.isEmpty());
        if (visible.isEmpty()) {
            QTRY_VERIFY(!view->isVisible() && !m_binding->conversionView("temp")->isVisible());
        } else {
            QCOMPARE(visibleWindows(), visible);
        }
        QCOMPARE(settings().check(1), box1);
        QCOMPARE(settingsText(), stored);
        for (const QCheckBox* box : view->findChildren<QCheckBox*>()) {
            QCOMPARE(box->findChild<QWidget*>("flash") != nullptr, flashed);
        }
        FIND(choiceHint, QLabel, view, "lblChoiceHint");
        QCOMPARE(choiceHint->isVisible(), hint);
        QCOMPARE(choiceHint->text(), qs(std::string(SettingsWindow::kChoiceHint)));
        FIND(length, QCheckBox, view, "Check1(1)");
        QCOMPARE(length->accessibleDescription(), hint ? choiceHint->text() : QString());
    }

    // Tab, Shift+Tab and the arrow keys move the focus through the boxes and buttons, column
    // by column; none of them dismisses the window.
    void focusMovesWithTabAndArrows()
    {
        SettingsView* view = startWith(kOnlyTemp);
        QVERIFY(view != nullptr);
        view->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), view);
        FIND(first, QCheckBox, view, "Check1(1)");
        first->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), first);
        const std::pair<Qt::Key, const char*> moves[] = {
            { Qt::Key_Tab, "Check1(2)" }, { Qt::Key_Right, "Check1(3)" }, { Qt::Key_Down, "Check1(4)" },
            { Qt::Key_Tab, "Check1(5)" }, { Qt::Key_Left, "Check1(4)" }, { Qt::Key_Backtab, "Check1(3)" },
            { Qt::Key_Up, "Check1(2)" },
        };
        for (const auto& [key, next] : moves) {
            QTest::keyClick(QApplication::focusWidget(), key, key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString(next));
        }
        FIND(quit, QPushButton, view, "Command3");
        quit->setFocus();
        QTest::keyClick(quit, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Command6"));
        QCOMPARE(visibleWindows(), (QStringList { "config", "temp" }));
        QCOMPARE(settingsText(), QString::fromLatin1(kOnlyTemp));
    }

    void closeBox_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("a conversion window shows: hidden") << kOnlyTemp << true;
        QTest::newRow("none shows: refused, the window stays") << QByteArray() << false;
    }
    void closeBox()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, hidden);
        SettingsView* view = startWith(file.isEmpty() ? std::nullopt : std::optional<QByteArray>(file));
        QVERIFY(view != nullptr);
        view->close();
        QVERIFY(!m_binding->app().ended());
        QCOMPARE(view->isVisible(), !hidden);
        QCOMPARE(m_binding->app().form("temp").visible(), hidden);
        QCOMPARE(QFile::exists(settingsFile()), !file.isEmpty()); // nothing is written
    }

    // "quit" stores the boxes as they are, confirmed or not, and ends the program.
    void quitSavesTheBoxes()
    {
        SettingsView* view = startWith(kOnlyTemp);
        QVERIFY(view != nullptr);
        FIND(year, QCheckBox, view, "Check1(10)");
        FIND(quit, QPushButton, view, "Command3");
        QTest::mouseClick(year, Qt::LeftButton);
        QTest::mouseClick(quit, Qt::LeftButton);
        QCOMPARE(settingsText(), "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n");
        QVERIFY(m_binding->app().ended());
        QTRY_VERIFY(!view->isVisible() && !m_binding->conversionView("temp")->isVisible());
    }

    // A grey box opens its window like a ticked one; a click ticks it, the next one clears it.
    void greyBox()
    {
        SettingsView* view = startWith(kTempGrey);
        QVERIFY(view != nullptr);
        FIND(temp, QCheckBox, view, "Check1(8)");
        QCOMPARE(temp->checkState(), Qt::PartiallyChecked);
        QCOMPARE(visibleWindows(), (QStringList { "config", "temp" }));
        QTest::mouseClick(temp, Qt::LeftButton);
        QCOMPARE(settings().check(8), 1);
        QCOMPARE(temp->checkState(), Qt::Checked);
        QTest::mouseClick(temp, Qt::LeftButton);
        QCOMPARE(settings().check(8), 0);
        QCOMPARE(temp->checkState(), Qt::Unchecked);
    }

    // F1 and "?" open help at the common topic once the handler has returned; the window
    // stays.
    void help()
    {
        SettingsView* view = startWith(kOnlyTemp);
        QVERIFY(view != nullptr);
        FIND(box, QCheckBox, view, "Check1(2)");
        FIND(question, QPushButton, view, "Command6");
        QTest::keyClick(box, Qt::Key_F1);
        QTest::mouseClick(question, Qt::LeftButton);
        QVERIFY(m_help.isEmpty());
        QTRY_COMPARE(m_help, (QList<int> { 1000, 1000 }));
        QCOMPARE(visibleWindows(), (QStringList { "config", "temp" }));
        QCOMPARE(settings().check(2), 0);
    }

    void standsInFrontAtStart()
    {
        SettingsView* view = startWith(kOnlyTemp);
        QVERIFY(view != nullptr);
        QTRY_COMPARE(QApplication::activeWindow(), view);
    }

    // The windows chosen at the start open side by side or in columns on the settings
    // window's screen, the settings window last: none lies over the title bar of another
    // (the band just above its client area), and each starts on the screen.
    void windowsOpenedAtTheStartLeaveEveryTitleBarInView()
    {
        SettingsView* view = startWith(QByteArray("1\r\n").repeated(10));
        QVERIFY(view != nullptr);
        const QRect screen = view->screen()->availableGeometry();
        std::vector<QRect> placed; // in the order they open, the settings window last
        for (const WindowRow& row : windowTable().windows) {
            const ConversionView* window = m_binding->conversionView(row.frame.name);
            QVERIFY(window != nullptr && window->isVisible());
            placed.push_back(window->geometry());
        }
        placed.push_back(view->geometry());
        for (std::size_t i = 0; i < placed.size(); ++i) {
            const QRect titleBar(placed[i].left(), placed[i].top() - 8, placed[i].width(), 8);
            QVERIFY2(screen.contains(titleBar.topLeft()),
                     qPrintable(QStringLiteral("the title bar of window %1 is off the screen").arg(i)));
            for (std::size_t j = i + 1; j < placed.size(); ++j) {
                QVERIFY2(!placed[j].intersects(titleBar),
                         qPrintable(QStringLiteral("window %1 covers the title bar of window %2").arg(j).arg(i)));
            }
        }
    }

private:
    QString settingsFile() const { return m_program->filePath(QStringLiteral("Mezura.cfg")); }

    QString settingsText() const
    {
        QFile file(settingsFile());
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QStringLiteral("(no file)");
    }

    SettingsWindow& settings() { return dynamic_cast<SettingsWindow&>(m_binding->app().form(kSettingsWindow)); }

    // Starts the program in the temporary program directory, with `file` as its settings file
    // when given; the settings view, or null when the start failed.
    SettingsView* startWith(const std::optional<QByteArray>& file)
    {
        if (file) {
            QFile cfg(settingsFile());
            if (!cfg.open(QIODevice::WriteOnly) || cfg.write(*file) != file->size()) {
                return nullptr;
            }
        }
        m_binding->start(m_program->path().toStdString(), m_files);
        auto* view = dynamic_cast<SettingsView*>(m_binding->view(kSettingsWindow));
        if (view == nullptr || !QTest::qWaitForWindowExposed(view)) {
            return nullptr;
        }
        return view;
    }

    // The windows whose views show, config first, then in menu order; each view agrees with
    // its window (a conversion window that never showed has no view yet).
    QStringList visibleWindows() const
    {
        QStringList shown;
        for (Form* form : m_binding->app().existingForms()) {
            View* view = m_binding->view(form->name());
            const bool viewShows = view != nullptr && view->widget()->isVisible();
            if ((view == nullptr && form->name() == kSettingsWindow) || viewShows != form->visible()) {
                return { QString::fromStdString(form->name()) + " differs from its view" };
            }
            if (form->visible()) {
                shown << QString::fromStdString(form->name());
            }
        }
        return shown;
    }

    test::ModalGuard m_guard;
    std::unique_ptr<QTemporaryDir> m_program;
    DiskFileSystem m_files;
    std::unique_ptr<Binding> m_binding;
    QList<Message> m_messages;
    QList<int> m_help;
};

} // namespace mezura::ui

MEZURA_UI_TEST_MAIN(mezura::ui::SettingsTest)
#include "settings_test.moc"
// clang-format on
