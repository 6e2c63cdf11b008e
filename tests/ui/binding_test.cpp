#include "framework/arith.h"
#include "framework/numtext.h"
#include "framework/window.h"
#include "ui/binding.h"
#include "ui/controls.h"
#include "ui/conversionview.h"
#include "ui/fieldedit.h"
#include "ui/mapping.h"
#include "ui/messages.h"
#include "uitest.h"
#include "windows/catalog.h"
#include "windows/temp.h"

#include <QAccessible>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QGroupBox>
#include <QHash>
#include <QHelpEvent>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPaintEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolTip>
#include <algorithm>
#include <clocale>
#include <memory>
#include <sstream>
#include <string>

// clang-format off

namespace mezura::ui {

namespace {
QColor base(const QWidget* widget) { return widget->palette().color(QPalette::Base); }

QColor face(const QWidget* widget) { return widget->palette().color(QPalette::Button); }

QStringList texts(const QList<QAction*>& actions)
{
    QStringList list;
    for (const QAction* action : actions) {
        list << action->text();
    }
    return list;
}

QStringList names(const QList<QAction*>& actions)
{
    QStringList list;
    for (const QAction* action : actions) {
        list << action->objectName();
    }
    return list;
}

// The next control that the tab key reaches from `widget`.
QWidget* nextTabStop(QWidget* widget)
{
    QWidget* from = widget->focusProxy() != nullptr ? widget->focusProxy() : widget;
    QWidget* next = from->nextInFocusChain();
    while (next != from && (!(next->focusPolicy() & Qt::TabFocus) || next->focusProxy() != nullptr)) {
        next = next->nextInFocusChain();
    }
    // A field's line edit stands for the field.
    if (auto* field = qobject_cast<FieldEdit*>(next->parentWidget())) {
        return field;
    }
    return next;
}

// The process under a locale whose decimal separator is a comma, as a desktop session set
// to German gives it, for C and for Qt; the C locale again when it ends.
class CommaLocale {
public:
    CommaLocale()
        : m_active(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr)
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~CommaLocale()
    {
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool active() const
    {
        return m_active && std::string(std::localeconv()->decimal_point) == "," && QLocale().decimalPoint() == ",";
    }

private:
    bool m_active;
};

// Types `text` into `edit` as the user does: ASCII by keys, any other character committed
// by the input method (a Japanese one in full-width mode gives "１００").
void type(QWidget* edit, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(edit, c.toLatin1());
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(c);
            QApplication::sendEvent(edit, &commit);
        }
    }
}

// A point of the window background where no control is.
QPoint emptySpot(QWidget* background) { return QPoint(background->width() - 2, 2); }

// The regions that a window and its controls repaint while the recorder lives.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget* window)
    {
        window->installEventFilter(this);
        for (QWidget* child : window->findChildren<QWidget*>()) {
            child->installEventFilter(this);
        }
    }
    const QHash<const QWidget*, QRegion>& regions() const { return m_regions; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            m_regions[static_cast<QWidget*>(watched)] += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }

private:
    QHash<const QWidget*, QRegion> m_regions;
};

// Where a view shows something else than its window holds: texts, colours, captions, gauge,
// title and size.
QStringList differences(const ConversionView& view, const ConversionWindow& window)
{
    QStringList found;
    const auto check = [&found](bool same, const std::string& what) {
        if (!same) {
            found << QString::fromStdString(what);
        }
    };
    const Layout& layout = window.layout();
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
        const std::string& name = layout.fields[i].name;
        const auto* field = view.findChild<FieldEdit*>(qs(name));
        const int index = static_cast<int>(i);
        check(field != nullptr && field->text() == qs(window.text(index)), name + " text");
        check(field != nullptr && base(field) == toQColor(window.fieldColour(index)), name + " colour");
    }
    for (std::size_t i = 0; i < layout.buttons.size(); ++i) {
        const std::string& name = layout.buttons[i].name;
        const auto* button = view.findChild<QPushButton*>(qs(name));
        check(button != nullptr && face(button) == toQColor(window.buttonColour(static_cast<int>(i))), name);
    }
    for (const LabelSpec& row : layout.labels) {
        const auto* label = view.findChild<QLabel*>(qs(row.name));
        check(label != nullptr && label->text() == qs(window.caption(row.name)), row.name);
    }
    if (window.hasGauge()) {
        const Slider& model = window.slider();
        const auto* slider = view.findChild<QScrollBar*>(qs(layout.sliders.front().name));
        check(slider != nullptr && slider->minimum() == model.min() && slider->maximum() == model.max()
                  && slider->value() == model.value(),
              "gauge");
    }
    check(view.windowTitle() == qs(window.title()), "title");
    check(view.size() == view.pixelSize(), "size");
    return found;
}
} // namespace

class BindingTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { test::quietPlatform(); }

    void init()
    {
        m_messages.clear();
        m_help.clear();
        setMessageSink([this](const Message& message) { m_messages << message; });
        m_binding = std::make_unique<Binding>();
        m_binding->host().setHelpOpener([this](int topic) { m_help << topic; });
        m_binding->forward([this] { m_binding->app().showAndFocus("temp"); });
        m_temp = m_binding->conversionView("temp");
        QVERIFY(m_temp != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(m_temp));
    }

    void cleanup()
    {
        m_binding.reset();
        setMessageSink({});
        const QString stray = m_guard.take();
        QVERIFY2(stray.isEmpty(), qPrintable("unexpected modal dialog: " + stray));
    }

    // A window exists from the start; its widgets are built when it first shows. Whether it
    // changed before it ever showed or while it was hidden, it shows what it holds.
    void aWindowShownLaterShowsItsState_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shownBefore");
        for (const WindowRow& row : windowTable().windows) {
            const char* name = row.frame.name.c_str();
            QTest::addRow("%s, never shown", name) << QString(name) << false;
            QTest::addRow("%s, hidden", name) << QString(name) << true;
        }
    }
    void aWindowShownLaterShowsItsState()
    {
        QFETCH(QString, name);
        QFETCH(bool, shownBefore);
        m_temp = nullptr;
        m_binding = std::make_unique<Binding>();
        App& app = m_binding->app();
        const std::string module = name.toStdString();
        ConversionWindow& window = app.window(module);
        if (shownBefore) {
            m_binding->forward([&] { app.showAndFocus(module); });
            m_binding->forward([&] { window.setVisible(false); });
        }
        QCOMPARE(m_binding->conversionView(module) != nullptr, shownBefore);

        const auto typing = std::find_if(window.layout().fields.begin(), window.layout().fields.end(),
                                         [](const FieldSpec& row) { return row.typing; });
        QVERIFY(typing != window.layout().fields.end());
        const int field = static_cast<int>(typing - window.layout().fields.begin());
        m_binding->forward([&] { window.typeText(field, "7"); });
        m_binding->forward([&] { window.keyPress(field, 13); });
        m_binding->forward([&] { window.mouseDown(1); }); // the next size mode
        QVERIFY(window.text(field) == "7" && !window.visible());

        m_binding->forward([&] { window.setVisible(true); }); // as the start-up shows a chosen window
        ConversionView* view = m_binding->conversionView(module);
        QVERIFY(view != nullptr && view->isVisible());
        const QStringList differ = differences(*view, window);
        QVERIFY2(differ.isEmpty(), qPrintable("the view differs from its window in " + differ.join(", ")));
    }

    // Enter repaints the fields it rewrites and the gauge; a caption stays as it is drawn,
    // however its field below changes, and the window is never repainted as a whole.
    void enterRepaintsOnlyWhatChanged_data()
    {
        QTest::addColumn<QString>("name");
        for (const WindowRow& row : windowTable().windows) {
            QTest::newRow(row.frame.name.c_str()) << QString::fromStdString(row.frame.name);
        }
    }
    void enterRepaintsOnlyWhatChanged()
    {
        QFETCH(QString, name);
        const std::string module = name.toStdString();
        m_binding->forward([&] { m_binding->app().showAndFocus(module); });
        ConversionView* view = m_binding->conversionView(module);
        QVERIFY(view != nullptr && QTest::qWaitForWindowExposed(view));
        const ConversionWindow& window = m_binding->app().window(module);
        const auto typing = std::find_if(window.layout().fields.begin(), window.layout().fields.end(),
                                         [](const FieldSpec& row) { return row.typing; });
        auto* field = view->findChild<FieldEdit*>(qs(typing->name));
        QVERIFY(field != nullptr);
        QTest::keyClicks(field, "12");
        QCoreApplication::processEvents();

        PaintRecorder painted(view);
        QTest::keyClick(field, Qt::Key_Return);
        QCoreApplication::processEvents();
        QStringList captions;
        int fields = 0;
        for (const QWidget* widget : painted.regions().keys()) {
            if (widget->objectName().startsWith("lbl_")) {
                captions << widget->objectName();
            }
            fields += qobject_cast<const FieldEdit*>(widget) != nullptr ? 1 : 0;
        }
        QVERIFY2(fields > 0, "nothing was repainted");
        QVERIFY2(captions.isEmpty(), qPrintable("captions repainted: " + captions.join(", ")));
        QVERIFY(!(QRegion(view->rect()) - painted.regions().value(view)).isEmpty());
    }

    void enterRunsTheChain_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("fields"); // Celsius, Fahrenheit, kelvin
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("indMax");
        QTest::addColumn<QString>("highlighted");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("flashed"); // the beep's visible cue on the reset fields
        QTest::addColumn<QString>("note"); // what was read of a typed text not read whole
        QTest::addColumn<QString>("windowNote"); // what became of the typed text
        const QColor cold(192, 255, 255);
        const QColor hot(255, 192, 192);
        QTest::newRow("100 C") << "txtCels"
                               << "100" << QStringList { "100", "212", "373.15" } << 1000 << 373 << " 1000"
                               << "Command2" << hot << false << "" << "";
        QTest::newRow("empty C") << "txtCels"
                                 << "" << QStringList { "", "32", "273.15" } << 300 << 273 << " 300"
                                 << "Command1" << cold << false << "" << "";
        QTest::newRow("-40 F") << "txtFahr"
                               << "-40" << QStringList { "-40", "-40", "233.15" } << 300 << 233 << " 300"
                               << "Command1" << cold << false << "" << "";
        QTest::newRow("273.5 K keeps its text")
            << "txtKervin"
            << "273.5" << QStringList { "0.350000000000023", "32.63", "273.5" } << 300 << 274 << " 300"
            << "Command1" << cold << false << "" << "";
        QTest::newRow("-300 C is reset") << "txtCels"
                                         << "-300" << QStringList { "-273.15", "-459.67", "0" } << 300 << 0 << " 300"
                                         << "Command1" << cold << true << ""
                                         << "「-300」は絶対零度より低いので -273.15 にしました。";
        QTest::newRow("40000 C is reset")
            << "txtCels"
            << "40000" << QStringList { "-273.15", "-459.67", "0" } << 300 << 0 << " 300" << "Command1" << cold
            << true << "" << "「40000」は範囲（30000K まで）の外なので -273.15 に戻しました。";
        // Full-width input reads as ASCII; the typed field keeps it, the others are ASCII.
        QTest::newRow("full-width 100 C")
            << "txtCels"
            << "１００" << QStringList { "１００", "212", "373.15" } << 1000 << 373 << " 1000" << "Command2" << hot
            << false << "" << "";
        QTest::newRow("full-width minus sign -40 F")
            << "txtFahr"
            << "\u2212４０" << QStringList { "-40", "\u2212４０", "233.15" } << 300 << 233 << " 300" << "Command1" << cold
            << false << "" << "";
        // A text read only in part is marked, and says what was read; one read whole, or
        // blanks alone, is not.
        QTest::newRow("1.5.2 C is read as 1.5")
            << "txtCels"
            << "1.5.2" << QStringList { "1.5.2", "34.7", "274.65" } << 300 << 275 << " 300" << "Command1" << cold
            << false << "「1.5.2」は 1.5 として換算しました。" << "「1.5.2」は 1.5 として換算しました。";
        QTest::newRow("1,000 C is read as 1")
            << "txtCels"
            << "1,000" << QStringList { "1,000", "33.8", "274.15" } << 300 << 274 << " 300" << "Command1" << cold
            << false << "「1,000」は 1 として換算しました。" << "「1,000」は 1 として換算しました。";
        // A long text is named by its start in the note, and the note wraps rather than cut.
        QTest::newRow("a long text C is read as 0")
            << "txtCels"
            << "abcdefghijklmnopqrstuvwxyz" << QStringList { "abcdefghijklmnopqrstuvwxyz", "32", "273.15" } << 300
            << 273 << " 300" << "Command1" << cold << false
            << "「abcdefghijklmnopqrstuvwx…」は数値として読めないため 0 として換算しました。"
            << "「abcdefghijklmnopqrstuvwx…」は数値として読めないため 0 として換算しました。";
        QTest::newRow("abc C is read as 0")
            << "txtCels"
            << "abc" << QStringList { "abc", "32", "273.15" } << 300 << 273 << " 300" << "Command1" << cold << false
            << "「abc」は数値として読めないため 0 として換算しました。"
            << "「abc」は数値として読めないため 0 として換算しました。";
        QTest::newRow("12 C is read whole")
            << "txtCels"
            << "12" << QStringList { "12", "53.6", "285.15" } << 300 << 285 << " 300" << "Command1"
            << QColor(255, 255, 192) << false
            << "" << "";
        QTest::newRow("blanks C are no number")
            << "txtCels"
            << "  " << QStringList { "  ", "32", "273.15" } << 300 << 273 << " 300" << "Command1" << cold << false
            << "" << "";
    }
    void enterRunsTheChain()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QStringList, fields);
        QFETCH(int, max);
        QFETCH(int, value);
        QFETCH(QString, indMax);
        QFETCH(QString, highlighted);
        QFETCH(QColor, colour);
        QFETCH(bool, flashed);
        QFETCH(QString, note);
        QFETCH(QString, windowNote);

        auto* typedInto = m_temp->findChild<FieldEdit*>(field);
        QVERIFY(typedInto != nullptr);
        type(typedInto, typed);
        QTest::keyClick(typedInto, Qt::Key_Return);
        // Enter takes the keys typed: a long session keeps none of them to undo.
        QVERIFY(!typedInto->editor()->isUndoAvailable());
        if (flashed) { // a reset again at once flashes the same overlay anew
            typedInto->editor()->selectAll();
            type(typedInto, typed);
            QTest::keyClick(typedInto, Qt::Key_Return);
        }

        FIND(cels, FieldEdit, m_temp, "txtCels");
        FIND(fahr, FieldEdit, m_temp, "txtFahr");
        FIND(kelvin, FieldEdit, m_temp, "txtKervin");
        FIND(slider, QScrollBar, m_temp, "HScroll1");
        FIND(indMaxLabel, QLabel, m_temp, "IndMax");
        QCOMPARE((QStringList { cels->text(), fahr->text(), kelvin->text() }), fields);
        QCOMPARE(slider->maximum(), max);
        QCOMPARE(slider->value(), value);
        QCOMPARE(indMaxLabel->text(), indMax);
        for (const FieldEdit* edit : { cels, fahr, kelvin }) {
            QCOMPARE(base(edit), colour);
            const QList<QWidget*> overlays = edit->findChildren<QWidget*>("flash");
            QCOMPARE(overlays.size() == 1 && !overlays.front()->isHidden(), flashed);
            if (edit != typedInto) {
                QCOMPARE(edit->cursorPosition(), 0); // a written value shows from its first digit
            }
        }
        for (const char* name : { "Command1", "Command2", "Command3", "Command5" }) {
            auto* button = m_temp->findChild<QPushButton*>(name);
            QVERIFY(button != nullptr);
            QCOMPARE(face(button), name == highlighted ? QColor(255, 224, 192) : toQColor(kButtonFace));
        }

        // The note: a red wavy line under the text, the tooltip and the description; the
        // next edit of the field takes it away.
        const auto marked = [typedInto] {
            const QImage drawn = typedInto->grab().toImage();
            for (int y = 0; y < drawn.height(); ++y) {
                for (int x = 0; x < drawn.width(); ++x) {
                    const QColor pixel = drawn.pixelColor(x, y);
                    if (pixel.red() > 150 && pixel.green() < 100 && pixel.blue() < 100) {
                        return true;
                    }
                }
            }
            return false;
        };
        QCOMPARE(marked(), !note.isEmpty());
        QCOMPARE(typedInto->note(), note);
        QAccessibleInterface* speech = QAccessible::queryAccessibleInterface(typedInto);
        QCOMPARE(speech->text(QAccessible::Description) == note, !note.isEmpty());
        QHelpEvent help(QEvent::ToolTip, QPoint(2, 2), typedInto->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(typedInto, &help);
        QCOMPARE(QToolTip::isVisible() && QToolTip::text().startsWith(note), !note.isEmpty());
        // The window's note: a line under the client area, whole, named by its sentence; the
        // window grows by it and keeps its designed client area.
        FIND(noteLine, QLabel, m_temp, "windowNote");
        FIND(client, QWidget, m_temp, "temp_background");
        const QSize designed = clientPixels(m_binding->app().window("temp").frame().size(), m_temp->dpi());
        QCOMPARE(noteLine->isVisible(), !windowNote.isEmpty());
        QCOMPARE(m_temp->size(), m_temp->pixelSize());
        if (!windowNote.isEmpty()) {
            QCOMPARE(noteLine->text(), windowNote);
            QCOMPARE(QAccessible::queryAccessibleInterface(noteLine)->text(QAccessible::Name), windowNote);
            QCOMPARE(noteLine->geometry().top(), client->y() + designed.height());
            QCOMPARE(noteLine->geometry().bottom(), m_temp->height() - 1);
            QCOMPARE(noteLine->width(), m_temp->width());
            QCOMPARE(noteLine->height(), noteLine->heightForWidth(noteLine->width())); // nothing cut
            QCOMPARE(m_temp->height(), m_temp->menuBar()->height() + designed.height() + noteLine->height());
        }
        QTest::keyClick(typedInto, Qt::Key_End);
        QTest::keyClick(typedInto, '0');
        QVERIFY(!marked());
        QCOMPARE(typedInto->note(), QString());
        QVERIFY(speech->text(QAccessible::Description) != note);
        QVERIFY(noteLine->isHidden());
        QCOMPARE(m_temp->size(), m_temp->pixelSize());
        QCOMPARE(m_temp->height(), m_temp->menuBar()->height() + designed.height());
        QToolTip::hideText();
    }

    // A desktop whose locale writes 1,5 for 1.5 changes no number the program reads or writes.
    void numbersIgnoreACommaDecimalLocale_data() { enterRunsTheChain_data(); }
    void numbersIgnoreACommaDecimalLocale()
    {
        const CommaLocale comma;
        QVERIFY2(comma.active(), "the locale de_DE.UTF-8 is missing; scripts/setup.sh generates it");
        const auto text = [](double value) { return QString::fromStdString(numberText(value)); };
        QCOMPARE(text(-459.67), "-459.67");
        QCOMPARE(text(1.5e-7), "1.5E-07");
        QCOMPARE(text(setCol(-9.87654321E+20, 6)), "-9.876E+20");
        QCOMPARE(QString::fromStdString(paddedNumberText(0.5)), " 0.5");
        QCOMPARE(parseNumber("273.15"), 273.15);
        QCOMPARE(parseNumber("1,5"), 1.0);
        enterRunsTheChain();
    }

    void captionsAreNeverCut()
    {
        // Neither a label's nor a button's caption is cut. The area window's "10000cm2" runs
        // wider in this font than its designed place: the caption keeps its right edge and
        // grows to the left. A note of two lines wraps.
        m_binding->forward([this] { m_binding->app().showAll(); });
        for (const WindowRow& row : windowTable().windows) {
            const QString name = QString::fromStdString(row.frame.name);
            ConversionView* view = m_binding->conversionView(row.frame.name);
            QVERIFY(view != nullptr);
            for (const QLabel* label : view->findChildren<QLabel*>()) {
                if (label->wordWrap()) {
                    continue;
                }
                // A caption is as high as its letters and sets them itself (the text-fit test
                // measures them); a plain label needs a whole line.
                QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width()
                             && (dynamic_cast<const Caption*>(label) != nullptr
                                 || label->fontMetrics().height() <= label->height()),
                         qPrintable(name + "." + label->objectName() + ": " + label->text()));
            }
            for (const QPushButton* button : view->findChildren<QPushButton*>()) {
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = button->text();
                const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) <= room.width(),
                         qPrintable(name + "." + button->objectName() + ": " + button->text()));
            }
        }
        ConversionView* square = m_binding->conversionView("square");
        FIND(indMax, QLabel, square, "IndMax");
        QCOMPARE(indMax->geometry().right(), toPixels({ 2400, 4665, 855, 255 }, square->dpi()).right());
        FIND(note, QLabel, m_binding->conversionView("radio"), "Label7");
        QVERIFY(note->wordWrap());
        QCOMPARE(note->font().pointSizeF(), 8.25);
    }

    void helpButtonsWearTheirDesignedFont()
    {
        m_binding->forward([this] { m_binding->app().showAll(); });
        const std::pair<const char*, bool> rows[] = {
            { "velocity", true }, { "press", true }, { "heat", true }, { "radio", true },
            { "length", false }, { "temp", false }, { "year", false },
        };
        for (const auto& [name, bold] : rows) {
            ConversionView* view = m_binding->conversionView(name);
            QVERIFY(view != nullptr);
            const QPushButton* help = nullptr;
            for (const QPushButton* button : view->findChildren<QPushButton*>()) {
                if (button->text() == "?") {
                    help = button;
                }
            }
            QVERIFY2(help != nullptr, name);
            QVERIFY2(help->font().bold() == bold, name);
            QCOMPARE(help->font().pointSizeF(), 9.0);
        }
    }

    // Qt's own texts come from the system's Japanese translations: the fields' context menu
    // (undo, copy, paste, select all ...) has no English item.
    void qtTextsAreJapanese()
    {
        FIND(cels, FieldEdit, m_temp, "txtCels");
        const std::unique_ptr<QMenu> menu(cels->editor()->createStandardContextMenu());
        int items = 0;
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator()) {
                continue;
            }
            ++items;
            const QString text = action->text();
            QVERIFY2(std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; }),
                     qPrintable("not translated: " + text));
        }
        QVERIFY(items >= 6);
    }

    // Ctrl+Shift+C copies every field as "label<TAB>text" in the field table's order; Ctrl+C
    // in a field copies its selection as usual.
    void copyTheWindow()
    {
        FIND(cels, FieldEdit, m_temp, "txtCels");
        FIND(fahr, FieldEdit, m_temp, "txtFahr");
        QTest::keyClicks(cels, "100");
        QTest::keyClick(cels, Qt::Key_Return);
        m_temp->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), m_temp);
        fahr->setFocus();
        QTest::keyClick(fahr, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(QApplication::clipboard()->text(), "摂氏(C)\t100\n華氏(F)\t212\n絶対温度(K)\t373.15\n");
        fahr->editor()->selectAll();
        QTest::keyClick(fahr, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), "212");
        QCOMPARE(fahr->text(), "212");
    }

    // What a field's line edit leaves goes on to the window once: a key it does not take is
    // not handed to it a second time. A drag that enters a field makes its line edit, which
    // lies under the pointer from then on and takes the text, or refuses it in a read-only
    // field, which the program the text comes from is told.
    void whatTheLineEditLeavesGoesOnOnce()
    {
        FIND(cels, FieldEdit, m_temp, "txtCels");
        int keys = 0;
        const auto passOn = cels->onKey;
        cels->onKey = [&keys, passOn](int key) {
            ++keys;
            passOn(key);
        };
        QTest::keyClick(cels->editor(), Qt::Key_Escape);
        QCOMPARE(keys, 1);

        m_binding->forward([this] { m_binding->app().showAndFocus("year"); });
        ConversionView* year = m_binding->conversionView("year");
        QVERIFY(year != nullptr);
        for (const FieldSpec& row : m_binding->app().window("year").layout().fields) {
            FieldEdit* field = year->findChild<FieldEdit*>(qs(row.name));
            QVERIFY(field != nullptr);
            QMimeData text;
            text.setText(QStringLiteral("12"));
            const auto enter = [&text](QWidget* into) {
                QDragEnterEvent entered(QPoint(2, 2), Qt::CopyAction | Qt::MoveAction, &text, Qt::LeftButton,
                                        Qt::NoModifier);
                QApplication::sendEvent(into, &entered);
                return entered.isAccepted();
            };
            QVERIFY(!enter(field));
            QVERIFY(field->hasEditor());
            QVERIFY2(enter(field->editor()) == row.typing, qPrintable(qs(row.name)));
        }
    }

    // A field whose text is wider than the field shows it whole in a tooltip, with its unit
    // and the unit's relation; a text that fits has none.
    void wholeTextInATooltip()
    {
        m_binding->forward([this] { m_binding->app().showAndFocus("heat"); });
        ConversionView* heat = m_binding->conversionView("heat");
        QVERIFY(heat != nullptr);
        FIND(wattHours, FieldEdit, heat, "txtN3");
        FIND(erg, FieldEdit, heat, "txtC1");
        QTest::keyClicks(wattHours, "1");
        QTest::keyClick(wattHours, Qt::Key_Return);
        QCOMPARE(erg->text(), "36000000000");
        QVERIFY(!erg->textFits());
        QVERIFY(wattHours->textFits());
        QHelpEvent wide(QEvent::ToolTip, QPoint(2, 2), erg->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(erg, &wide);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), "36000000000 erg — 1 erg = 1E-07 J");
        QHelpEvent fits(QEvent::ToolTip, QPoint(2, 2), wattHours->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(wattHours, &fits);
        QTRY_VERIFY(!QToolTip::isVisible());

        // Tab selects the long number to its end; once the field is left it shows from its
        // first digit again, not "000000" that reads as another number.
        QVERIFY(QTest::qWaitForWindowActive(heat));
        wattHours->setFocus(Qt::TabFocusReason);
        erg->setFocus(Qt::TabFocusReason);
        QVERIFY(erg->hasFocus());
        QCOMPARE(erg->editor()->selectedText(), erg->text());
        QTest::keyClick(erg, Qt::Key_Tab);
        QVERIFY(!erg->hasFocus());
        QCOMPARE(erg->cursorPosition(), 0);
    }

    void clickEmptiesTheField()
    {
        FIND(cels, FieldEdit, m_temp, "txtCels");
        FIND(fahr, FieldEdit, m_temp, "txtFahr");
        QTest::keyClicks(cels, "100");
        QTest::keyClick(cels, Qt::Key_Return);
        QTest::mouseClick(fahr, Qt::LeftButton);
        QCOMPARE(fahr->text(), QString());
        QCOMPARE(m_binding->app().window("temp").text(TempWindow::txtFahr), "");
        QCOMPARE(cels->text(), "100");
    }

    void controlsArePlacedFromTheLayout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::newRow("field") << "txtKervin" << QRect(2245, 270, 980, 285);
        QTest::newRow("unit label ending where its field begins") << "lbl_txtFahr" << QRect(1145, 75, 980, 195);
        QTest::newRow("slider") << "HScroll1" << QRect(45, 680, 3180, 255);
        QTest::newRow("label") << "IndMax" << QRect(2685, 945, 615, 255);
        QTest::newRow("button") << "Command5" << QRect(2151, 1200, 720, 255);
    }
    void controlsArePlacedFromTheLayout()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        auto* control = m_temp->findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->parentWidget(), m_temp->centralWidget());
        const QRect designed = toPixels({ twips.x(), twips.y(), twips.width(), twips.height() }, m_temp->dpi());
        if (auto* caption = dynamic_cast<Caption*>(control)) {
            // A caption starts where designed; its height is that of its letters, set above
            // the field below it.
            QCOMPARE(caption->x(), designed.x());
            QVERIFY(caption->geometry().intersects(designed));
        } else {
            QCOMPARE(control->geometry(), designed);
        }
    }

    void controlsShowTheWindowsDesign()
    {
        FIND(label, QLabel, m_temp, "lbl_txtCels");
        FIND(cels, FieldEdit, m_temp, "txtCels");
        FIND(fahr, FieldEdit, m_temp, "txtFahr");
        FIND(kelvin, FieldEdit, m_temp, "txtKervin");
        FIND(slider, QScrollBar, m_temp, "HScroll1");
        FIND(help, QPushButton, m_temp, "Command4");
        FIND(range300, QPushButton, m_temp, "Command1");
        QCOMPARE(label->text(), "摂氏(C)　");
        QCOMPARE(base(cels), QColor(255, 255, 192));
        QCOMPARE(face(help), QColor(255, 192, 192));
        QCOMPARE(face(range300), QColor(255, 224, 192));
        QCOMPARE(m_temp->windowTitle(), "ヨモギの単位計算－温度");
        QVERIFY(!m_temp->windowIcon().isNull()); // each window carries the icon: there is no application icon
        QCOMPARE(nextTabStop(cels), fahr);
        QCOMPARE(nextTabStop(fahr), kelvin);
        QCOMPARE(nextTabStop(kelvin), slider);
    }

    void menuBarAndPopupCaptions()
    {
        const QList<QAction*> bar = m_temp->menuBar()->actions();
        QCOMPARE(texts(bar), (QStringList { "他の単位", "表示", "ヘルプ", "終了" }));
        QCOMPARE(names(bar), (QStringList { "mnuU", "mnuS", "mnuH", "mnuX" }));
        QVERIFY(bar[0]->menu() != nullptr && bar[1]->menu() == nullptr && bar[3]->menu() == nullptr);
        // A menu has its items once it opens, and its size before: the menu bar measures it to
        // open it above the bar where there is no room below.
        QVERIFY(m_temp->isActiveWindow() || QTest::qWaitForWindowActive(m_temp));
        const QSize measured = bar[0]->menu()->sizeHint();
        QTest::keyClick(m_temp, Qt::Key_Alt);
        QTest::keyClick(m_temp->menuBar(), Qt::Key_Down);
        QTRY_VERIFY(bar[0]->menu()->isVisible());
        QVERIFY(!bar[0]->menu()->isEmpty());
        QCOMPARE(bar[0]->menu()->sizeHint(), measured);
        bar[0]->menu()->hide();
        FIND(popup, QMenu, m_temp, "mnu0");
        QVERIFY(popup->isEmpty());
        m_binding->forward([this] { m_binding->app().window("temp").mouseDown(2); });
        QTRY_VERIFY(popup->isVisible());
        QVERIFY(!popup->isEmpty());
        popup->hide();
        test::makeMenuItems(m_temp);
        const QList<QAction*> units = bar[0]->menu()->actions();
        QCOMPARE(texts(units),
                 (QStringList { "長さ", "面積", "体積", "重さ", "速度", "圧力", "熱量", "", "温度", "壊変", "年号", "",
                                "全て", "設定" }));
        QCOMPARE(names(units),
                 (QStringList { "mnuUL", "mnuUS", "mnuUC", "mnuUW", "mnuUV", "mnuUP", "mnuUH", "mnuU1", "mnuUT",
                                "mnuUR", "mnuUY", "mnuU0", "mnuUA", "mnuH3" }));
        QVERIFY(units[7]->isSeparator() && units[11]->isSeparator());
        QCOMPARE(texts(bar[2]->menu()->actions()), (QStringList { "共通事項", "温度" }));
        QCOMPARE(texts(popup->actions()), (QStringList { "ﾌｫｰﾑｻｲｽﾞ変更", "ﾍﾙﾌﾟ (F1)", "設定", "", "終了" }));
        QCOMPARE(names(popup->actions()), (QStringList { "mnu01", "mnu02", "mnu00", "line", "mnu03" }));
        QVERIFY(popup->actions()[3]->isSeparator());
    }

    // From the keyboard: Alt alone marks the first menu title, F10 opens the first menu at its
    // first item, wherever the focus is in the window.
    void menusFromTheKeyboard()
    {
        FIND(fahr, FieldEdit, m_temp, "txtFahr");
        QVERIFY(m_temp->isActiveWindow() || QTest::qWaitForWindowActive(m_temp));
        fahr->setFocus(Qt::TabFocusReason);
        QMenuBar* bar = m_temp->menuBar();
        QAction* first = bar->actions().front();
        const QRect title = bar->actionGeometry(first);
        const QImage plain = bar->grab(title).toImage();
        QTest::keyClick(fahr->editor(), Qt::Key_Alt);
        QTRY_VERIFY(bar->hasFocus());
        QCOMPARE(bar->activeAction(), first);
        QVERIFY2(bar->grab(title).toImage() != plain, "the first menu title is not marked");
        QTest::keyClick(bar, Qt::Key_Escape);
        QTRY_VERIFY(!bar->hasFocus());

        QTest::keyClick(fahr->editor(), Qt::Key_F10);
        QTRY_VERIFY(first->menu()->isVisible());
        QCOMPARE(first->menu()->activeAction(), first->menu()->actions().front());
        first->menu()->hide();
    }

    void menusReachTheWindows()
    {
        App& app = m_binding->app();
        test::makeMenuItems(m_temp);
        FIND(length, QAction, m_temp, "mnuUL");
        length->trigger();
        ConversionView* lengthView = m_binding->conversionView("length");
        QVERIFY(lengthView != nullptr);
        QVERIFY(lengthView->isVisible() && app.window("length").visible());
        QVERIFY(m_temp->isVisible());

        FIND(show, QAction, m_temp, "mnuS");
        show->trigger();
        QCOMPARE(app.window("temp").frame().size().height, 1400);
        QCOMPARE(m_temp->size(), m_temp->pixelSize());

        FIND(settings, QAction, m_temp, "mnuH3");
        settings->trigger();
        View* config = m_binding->view("config");
        QVERIFY(config != nullptr && config->widget()->isVisible());
        QCOMPARE(config->widget()->windowTitle(), "ヨモギの単位計算－設定");

        FIND(end, QAction, m_temp, "mnuX");
        end->trigger();
        QVERIFY(app.ended());
        QTRY_VERIFY(!m_temp->isVisible() && !lengthView->isVisible() && !config->widget()->isVisible());
    }

    void mouseOnTheBackground()
    {
        QWidget* background = m_temp->centralWidget();
        const QPoint spot = emptySpot(background);
        QVERIFY(background->childAt(spot) == nullptr);

        QTest::mouseClick(background, Qt::RightButton, {}, spot);
        QTRY_VERIFY(QApplication::activePopupWidget() != nullptr);
        QCOMPARE(QApplication::activePopupWidget()->objectName(), "mnu0");
        QApplication::activePopupWidget()->close();

        const ConversionWindow& temp = m_binding->app().window("temp");
        // A click on a control is the control's, also when the control leaves it unhandled.
        FIND(label, QLabel, m_temp, "lbl_txtCels");
        FIND(button, QPushButton, m_temp, "Command2");
        QTest::mouseClick(label, Qt::LeftButton);
        QTest::mouseClick(button, Qt::RightButton);
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        QCOMPARE(temp.frame().size().height, 2280);

        // The pop-up's size item steps the size as a left click does: 3435 x 2280, 3435 x 1400,
        // and back.
        test::makeMenuItems(m_temp);
        FIND(sizeItem, QAction, m_temp, "mnu01");
        sizeItem->trigger();
        QCOMPARE(temp.frame().size().height, 1400);
        for (int height : { 2280, 1400, 2280 }) {
            QTest::mouseClick(background, Qt::LeftButton, {}, emptySpot(background));
            QCOMPARE(temp.frame().size().width, 3435);
            QCOMPARE(temp.frame().size().height, height);
            QCOMPARE(m_temp->size(), m_temp->pixelSize());
            QCOMPARE(background->size(), clientPixels(temp.frame().size(), m_temp->dpi()));
        }
    }

    void closeRule()
    {
        App& app = m_binding->app();
        FIND(cels, FieldEdit, m_temp, "txtCels");
        QTest::keyClicks(cels, "25");
        QTest::keyClick(cels, Qt::Key_Return);
        m_binding->forward([&app] { app.showAndFocus("length"); });
        ConversionView* length = m_binding->conversionView("length");

        // One of two visible windows only hides, and keeps its values.
        m_temp->close();
        QVERIFY(!m_temp->isVisible() && !app.window("temp").visible());
        QVERIFY(length->isVisible() && !app.ended());
        // Counting the visible windows created the eight not opened so far, and showed none.
        for (const WindowRow& row : windowTable().windows) {
            QVERIFY2(app.existing(row.frame.name) != nullptr, row.frame.name.c_str());
            const ConversionView* view = m_binding->conversionView(row.frame.name);
            QCOMPARE(view != nullptr && view->isVisible(), view == length);
        }
        test::makeMenuItems(length);
        FIND(showTemp, QAction, length, "mnuUT");
        showTemp->trigger();
        QVERIFY(m_temp->isVisible());
        QCOMPARE(cels->text(), "25");

        m_temp->close();
        length->close();
        QVERIFY(app.ended());
        QTRY_VERIFY(!length->isVisible());
    }

    void sliderMovesTheFields()
    {
        FIND(kelvin, FieldEdit, m_temp, "txtKervin");
        FIND(cels, FieldEdit, m_temp, "txtCels");
        FIND(fahr, FieldEdit, m_temp, "txtFahr");
        FIND(slider, QScrollBar, m_temp, "HScroll1");
        QTest::keyClicks(kelvin, "0");
        QTest::keyClick(kelvin, Qt::Key_Return);
        QCOMPARE(slider->maximum(), 300);

        // The right arrow, then the track right of the thumb (a tenth of the range).
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() - 3, slider->height() / 2));
        QCOMPARE(slider->value(), 1);
        QCOMPARE(kelvin->text(), "1");
        QCOMPARE(cels->text(), "-272.15");
        QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(slider->width() * 3 / 4, slider->height() / 2));
        QCOMPARE(slider->value(), 31);
        QCOMPARE(kelvin->text(), "31");

        // The keys step as the arrows and the track do: right and down towards the end,
        // left and up towards the start, a page with page down and page up.
        const std::pair<Qt::Key, int> keys[] = { { Qt::Key_Right, 32 }, { Qt::Key_Down, 33 }, { Qt::Key_PageDown, 63 },
                                                 { Qt::Key_Left, 62 },  { Qt::Key_Up, 61 },   { Qt::Key_PageUp, 31 } };
        for (const auto& [key, value] : keys) {
            QTest::keyClick(slider, key);
            QCOMPARE(slider->value(), value);
            QCOMPARE(kelvin->text(), QString::number(value));
        }

        // A drag writes the fields while the thumb moves.
        slider->setSliderDown(true);
        slider->setSliderPosition(273);
        QCOMPARE(kelvin->text(), "273");
        QCOMPARE(cels->text(), "-0.149999999999977");
        QCOMPARE(fahr->text(), "31.73");
        slider->setSliderDown(false);
        QCOMPARE(kelvin->text(), "273");
        QCOMPARE(m_binding->app().window("temp").slider().value(), 273);
    }

    // In every size mode the tab key stops only at controls the window shows: a column or
    // the gauge row that a narrow or low mode cuts off is passed over, and the focus leaves
    // a control that a new mode hides.
    void tabStopsOnlyWhereTheWindowShows_data() { enterRepaintsOnlyWhatChanged_data(); }
    void tabStopsOnlyWhereTheWindowShows()
    {
        QFETCH(QString, name);
        const std::string module = name.toStdString();
        App& app = m_binding->app();
        ConversionWindow& window = app.window(module);
        m_binding->forward([&] { app.showAndFocus(module); });
        ConversionView* view = m_binding->conversionView(module);
        QVERIFY(view != nullptr && QTest::qWaitForWindowActive(view));
        QWidget* client = view->centralWidget();
        for (std::size_t mode = 0; mode < window.frame().row().modes.size(); ++mode) {
            QApplication::processEvents(); // the main window lays its client area out
            QWidget* farthest = nullptr; // the last control the window shows, which a smaller mode cuts off first
            int reach = -1;
            for (QWidget* control : client->findChildren<QWidget*>()) {
                if (qobject_cast<FieldEdit*>(control) == nullptr && qobject_cast<QAbstractButton*>(control) == nullptr &&
                    qobject_cast<QScrollBar*>(control) == nullptr) {
                    continue;
                }
                const QRect place(control->mapTo(client, QPoint(0, 0)), control->size());
                const bool shown = place.intersects(client->rect());
                QVERIFY2(bool(control->focusPolicy() & Qt::TabFocus) == shown,
                         qPrintable(QStringLiteral("after %1 size changes: %2").arg(mode).arg(control->objectName())));
                if (shown && place.right() + place.bottom() > reach) {
                    farthest = control;
                    reach = place.right() + place.bottom();
                }
            }
            QWidget* focused = QApplication::focusWidget();
            QVERIFY2(focused != nullptr && !focused->visibleRegion().isEmpty(),
                     qPrintable(QStringLiteral("after %1 size changes: the focus is out of view").arg(mode)));
            QVERIFY(farthest != nullptr);
            farthest->setFocus(Qt::TabFocusReason);
            m_binding->forward([&] { window.mouseDown(1); }); // the next size mode
        }
    }

    // A window dragged half as wide again spreads its controls with it: each field, box,
    // button and the gauge moves its edges in proportion and keeps its top and height, no
    // control of the client area leaves it, and the fields show more of long numbers. The
    // window's height and its size in twips stay. A new size mode keeps the widening, as do
    // hiding and a maximized window restored; it never gets narrower than designed.
    void aWidenedWindowSpreadsItsControls_data() { enterRepaintsOnlyWhatChanged_data(); }
    void aWidenedWindowSpreadsItsControls()
    {
        QFETCH(QString, name);
        const std::string module = name.toStdString();
        App& app = m_binding->app();
        ConversionWindow& window = app.window(module);
        m_binding->forward([&] { app.showAndFocus(module); });
        ConversionView* view = m_binding->conversionView(module);
        QVERIFY(view != nullptr && QTest::qWaitForWindowExposed(view));
        test::enterInFirstField(*m_binding, window, "1.23456789123456789");
        const auto dump = [&window] {
            std::ostringstream out;
            window.dump(out);
            return out.str();
        };
        const std::string dumped = dump();
        QWidget* client = view->centralWidget();
        const QSize designed = view->size();
        const int clientHeight = client->height();
        const auto inClient = [client](const QWidget* control) {
            return QRect(control->mapTo(client, QPoint(0, 0)), control->size());
        };
        struct Seen {
            QWidget* control;
            QRect place;
            FieldEdit::Shown shown; // what a field draws
        };
        std::vector<Seen> seen;
        for (QWidget* control : client->findChildren<QWidget*>()) {
            if (qobject_cast<FieldEdit*>(control) != nullptr || qobject_cast<QLabel*>(control) != nullptr ||
                qobject_cast<QGroupBox*>(control) != nullptr || qobject_cast<QPushButton*>(control) != nullptr ||
                qobject_cast<QScrollBar*>(control) != nullptr) {
                const auto* field = qobject_cast<FieldEdit*>(control);
                seen.push_back({ control, inClient(control), field != nullptr ? field->shown() : FieldEdit::Shown {} });
            }
        }

        view->resize(int(std::lround(designed.width() * 1.5)), designed.height());
        QCOMPARE(view->size(), QSize(int(std::lround(designed.width() * 1.5)), designed.height()));
        QCOMPARE(client->height(), clientHeight);
        QVERIFY(std::abs(view->widening() - 1.5) < 0.01);
        int more = 0;
        for (const Seen& before : seen) {
            const QRect after = inClient(before.control);
            const QString what = name + "." + before.control->objectName();
            // A caption shrunk to fit its designed room may grow back in the wider one, into
            // the band above its field; every other control keeps its height.
            const bool caption = qobject_cast<QLabel*>(before.control) != nullptr;
            QVERIFY2(caption || (after.top() == before.place.top() && after.height() == before.place.height()),
                     qPrintable(what));
            if (before.place.right() < designed.width()) {
                QVERIFY2(after.right() < view->width() && after.left() >= 0, qPrintable(what + " leaves the window"));
            }
            if (qobject_cast<QLabel*>(before.control) != nullptr) {
                // A caption fits its text into its room, from its left edge or at the end of a
                // row from its right.
                QVERIFY2(std::abs(after.left() - before.place.left() * 1.5) <= 1 ||
                             std::abs(after.right() + 1 - (before.place.right() + 1) * 1.5) <= 1,
                         qPrintable(what + " is not spread"));
                continue;
            }
            QVERIFY2(std::abs(after.left() - before.place.left() * 1.5) <= 1 &&
                         std::abs(after.width() - before.place.width() * 1.5) <= 1,
                     qPrintable(what + " is not spread"));
            if (const auto* field = qobject_cast<FieldEdit*>(before.control)) {
                // More characters, or as many in a larger type.
                const FieldEdit::Shown shown = field->shown();
                QVERIFY2(shown.text.size() >= before.shown.text.size(), qPrintable(what + " shows less: " + shown.text));
                more += shown.text.size() > before.shown.text.size()
                        || shown.font.pointSizeF() > before.shown.font.pointSizeF() ? 1 : 0;
            }
        }
        QVERIFY2(more > 0, "no field shows more of its number");
        QCOMPARE(dump(), dumped);

        // The next size mode, as wide again as designed: hidden and shown, maximized and
        // restored, the window keeps that width.
        m_binding->forward([&] { window.mouseDown(1); });
        const int wider = view->width();
        QVERIFY(std::abs(wider - view->designedClientWidth() * 1.5) <= 1);
        QCOMPARE(view->size(), view->pixelSize());
        m_binding->forward([&] { window.setVisible(false); });
        m_binding->forward([&] { app.showAndFocus(module); });
        m_binding->forward([&] { window.setState(WindowState::Maximized); });
        QTRY_VERIFY(view->isMaximized());
        m_binding->forward([&] { window.mouseDown(1); }); // restores
        QTRY_VERIFY(!view->isMaximized());
        QTRY_COMPARE(view->size(), view->pixelSize());
        QCOMPARE(view->width(), wider);
        view->resize(view->width() / 3, view->height());
        QCOMPARE(view->width(), view->designedClientWidth());
        QCOMPARE(view->widening(), 1.0);
    }

    // The size changed from the menu bar by keyboard: the field that had the focus has it again.
    void aSizeChosenByKeyboardKeepsTheFocus()
    {
        FIND(fahr, FieldEdit, m_temp, "txtFahr");
        QVERIFY(QTest::qWaitForWindowActive(m_temp));
        fahr->setFocus(Qt::TabFocusReason);
        const QSize before = m_temp->size();
        QTest::keyClick(fahr, Qt::Key_Alt);
        QTest::keyClick(m_temp->menuBar(), Qt::Key_Right); // 表示
        QTest::keyClick(m_temp->menuBar(), Qt::Key_Return);
        QTRY_VERIFY(m_temp->size() != before);
        QApplication::processEvents();
        QCOMPARE(QApplication::focusWidget(), fahr->editor());
    }

    // The program's own moves of the slider are no user events: a range button that lowers
    // the maximum below the thumb must not rewrite the fields.
    void syncRaisesNoSliderEvents()
    {
        FIND(kelvin, FieldEdit, m_temp, "txtKervin");
        FIND(slider, QScrollBar, m_temp, "HScroll1");
        FIND(range300, QPushButton, m_temp, "Command1");
        QSignalSpy moved(slider, &QAbstractSlider::sliderMoved);
        QSignalSpy actions(slider, &QAbstractSlider::actionTriggered);
        QSignalSpy values(slider, &QAbstractSlider::valueChanged);

        QTest::keyClicks(kelvin, "1000");
        QTest::keyClick(kelvin, Qt::Key_Return);
        QCOMPARE(slider->value(), 1000);
        QTest::mouseClick(range300, Qt::LeftButton);
        QCOMPARE(slider->maximum(), 300);
        QCOMPARE(slider->value(), 300);
        QCOMPARE(kelvin->text(), "1000");
        QCOMPARE(moved.count() + actions.count() + values.count(), 0);
    }

    void arithmeticFailureIsReported()
    {
        FIND(cels, FieldEdit, m_temp, "txtCels");
        FIND(fahr, FieldEdit, m_temp, "txtFahr");
        QTest::keyClicks(cels, "1E999");
        QTest::keyClick(cels, Qt::Key_Return);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].kind, MessageKind::Warning);
        QCOMPARE(m_messages[0].title, "ヨモギの単位計算－温度");
        QCOMPARE(m_messages[0].text, QString::fromStdString(faultMessage(ArithmeticFault::Overflow)));
        QCOMPARE(fahr->text(), QString());
        QCOMPARE(cels->text(), "1E999");
    }

    // Help opens after the handler has returned, at the topic the window keeps.
    void helpOpensAtTheWindowsTopic()
    {
        FIND(cels, FieldEdit, m_temp, "txtCels");
        QTest::keyClick(cels, Qt::Key_F1);
        QVERIFY(m_help.isEmpty());
        QTRY_COMPARE(m_help, QList<int> { 1060 });

        test::makeMenuItems(m_temp);
        FIND(common, QAction, m_temp, "mnuH1");
        common->trigger();
        QTest::keyClick(m_temp, Qt::Key_F1);
        FIND(help, QPushButton, m_temp, "Command4");
        QTest::mouseClick(help, Qt::LeftButton);
        QTRY_COMPARE(m_help, (QList<int> { 1060, 1000, 1000, 1060 }));
    }

private:
    test::ModalGuard m_guard;
    std::unique_ptr<Binding> m_binding;
    ConversionView* m_temp = nullptr;
    QList<Message> m_messages;
    QList<int> m_help;
};

} // namespace mezura::ui

MEZURA_UI_TEST_MAIN(mezura::ui::BindingTest)
#include "binding_test.moc"
// clang-format on
