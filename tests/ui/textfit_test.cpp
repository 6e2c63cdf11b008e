#include "framework/fitnumber.h"
#include "framework/numtext.h"
#include "framework/window.h"
#include "startup/files.h"
#include "ui/binding.h"
#include "ui/controls.h"
#include "ui/conversionview.h"
#include "ui/fieldedit.h"
#include "ui/theme.h"
#include "uitest.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

namespace mezura::ui {

namespace {

// The room that a widget has for painting around `wanted` (both in the widget's logical
// coordinates): its own rectangle, cut by its parents; nothing where a sibling stacked above
// it (created or raised later) lies over `wanted`.
QRectF roomOf(const QWidget* widget, const QRectF& wanted)
{
    QRectF room = widget->rect();
    const QWidget* child = widget;
    for (const QWidget* parent = widget->parentWidget(); parent != nullptr && !child->isWindow();
         child = parent, parent = parent->parentWidget()) {
        room &= QRectF(widget->mapFrom(parent, QPointF(0, 0)), QSizeF(parent->size()));
        const QObjectList& siblings = parent->children();
        for (qsizetype i = siblings.indexOf(const_cast<QWidget*>(child)) + 1; i < siblings.size(); ++i) {
            const auto* sibling = qobject_cast<const QWidget*>(siblings[i]);
            if (sibling == nullptr || sibling->isHidden() || sibling->isWindow()) {
                continue;
            }
            const QRectF over(widget->mapFrom(parent, QPointF(sibling->pos())), QSizeF(sibling->size()));
            if (over.intersects(wanted)) {
                return {};
            }
        }
    }
    return room;
}

// Where a text painted at `at` (the left end of its baseline) puts ink: its glyphs' tight
// bounds, as wide as its advance.
QRectF inkOf(const QFontMetricsF& metrics, const QString& text, QPointF at)
{
    QRectF ink = metrics.tightBoundingRect(text).translated(at);
    ink.setLeft(std::min(ink.left(), at.x()));
    ink.setRight(std::max(ink.right(), at.x() + metrics.horizontalAdvance(text)));
    return ink;
}

// The left end of the baseline of `text` centred in `box`, as a style draws a button's text.
QPointF centred(const QFontMetricsF& metrics, const QString& text, const QRectF& box)
{
    const qreal width = metrics.horizontalAdvance(text);
    return {box.left() + (box.width() - width) / 2,
            box.top() + (box.height() - metrics.height()) / 2 + metrics.ascent()};
}

// Device pixels: those that ink touches, and those that a room owns (its edges rounded as a
// widget's are).
QRect touched(const QRectF& logical, qreal ratio)
{
    return QRect(QPoint(int(std::floor(logical.left() * ratio)), int(std::floor(logical.top() * ratio))),
                 QPoint(int(std::ceil(logical.right() * ratio)) - 1, int(std::ceil(logical.bottom() * ratio)) - 1));
}

QRect owned(const QRectF& logical, qreal ratio)
{
    if (logical.isEmpty()) {
        return {};
    }
    return QRect(QPoint(qRound(logical.left() * ratio), qRound(logical.top() * ratio)),
                 QPoint(qRound(logical.right() * ratio) - 1, qRound(logical.bottom() * ratio) - 1));
}

} // namespace

// Every text of every window fits in full in the room it has, at the desktop's scale factor
// (QT_SCALE_FACTOR, one run per factor) and in the font the windows are drawn for as well as
// in the CJK font that a Debian desktop has instead: labels, captions, check boxes, frame
// titles, button texts, gauge labels and menu texts, in every size mode of every window;
// and every field's number shows as its line edit shows it.
// The program started from an empty folder, every conversion window shown.
struct AllWindowsShown {
    QTemporaryDir program;
    DiskFileSystem files;
    Binding binding;

    AllWindowsShown()
    {
        binding.start(program.path().toStdString(), files);
        binding.forward([this] { binding.app().showAll(); });
    }
};

class TextFitTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { test::quietPlatform(); }

    void everyTextFits_data()
    {
        QTest::addColumn<QString>("family");
        // The font that the desktop here gives the program, the one it falls back to and the CJK
        // font that many desktops choose.
        QStringList families = {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")};
        if (const QString chosen = applicationFont().family(); !families.contains(chosen)) {
            families.prepend(chosen);
        }
        for (const QString& family : families) {
            QTest::newRow(qPrintable(family)) << family;
        }
    }
    void everyTextFits()
    {
        QFETCH(QString, family);
        QVERIFY2(QFontDatabase::hasFamily(family), qPrintable(family + " is not installed"));
        QFont font = applicationFont();
        font.setFamily(family);
        QApplication::setFont(font);
        QTemporaryDir program;
        DiskFileSystem files;
        QStringList cut;
        {
            Binding binding;
            binding.start(program.path().toStdString(), files);
            binding.forward([&binding] { binding.app().showAll(); });
            const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
            if (View* config = binding.view("config")) {
                // With the hint that shows while the window asks for a box to be ticked.
                if (auto* hint = config->widget()->findChild<QLabel*>("lblChoiceHint")) {
                    hint->show();
                }
                check(config->widget(), "config", scale, cut);
            }
            for (const WindowRow& row : binding.app().windows()) {
                ConversionView* view = binding.conversionView(row.frame.name);
                QVERIFY(view != nullptr);
                sharesOneSize(view, QString::fromStdString(row.frame.name), scale, cut);
                for (std::size_t mode = 0; mode < row.frame.modes.size(); ++mode) {
                    QTest::qWait(0);
                    check(view,
                          QString::fromStdString(row.frame.name) + " mode " +
                              QString::number(binding.app().window(row).frame().mode()),
                          scale, cut);
                    binding.forward([&binding, &row] { binding.app().window(row).menu("mnuS"); });
                }
            }
        }
        QApplication::setFont(applicationFont());
        for (const QString& line : cut) {
            qWarning("%s: %s", qPrintable(family), qPrintable(line));
        }
        QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("%1 texts do not fit in %2").arg(cut.size()).arg(family)));
    }

    // A number wider than its field shows rounded to the digits that fit, never its first
    // characters as if they were the number: in every field of every window, with the
    // longest texts of the driver fixtures and of numbers, set by the window and typed. What
    // a field draws is its whole text (at most a point smaller), or a form of its number that
    // reads as the number rounded at its last digit, marked where its value differs; "…"
    // ends only a text that is no number. The field typed into draws the same after Enter,
    // not the end of its text; its line edit, once made and left, draws as the field did.
    void numbersShowRoundedNeverCut()
    {
        const QMap<QString, QStringList> longest = longestFixtureTexts(3);
        QVERIFY(longest.size() >= 10);
        QStringList extremes;
        for (const double value : {-1.23456789012346E+300, -1.23456789012346E-15, -0.000123456789012346,
                                   -12345678901234.5, -123456789012345.0}) {
            extremes << QString::fromStdString(numberText(value));
        }
        AllWindowsShown program;
        Binding& binding = program.binding;
        const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
        QStringList wrong;
        int fields = 0;
        int rounded = 0;
        for (const WindowRow& row : binding.app().windows()) {
            const QString name = QString::fromStdString(row.frame.name);
            ConversionView* view = binding.conversionView(row.frame.name);
            QVERIFY(view != nullptr);
            const QList<FieldEdit*> edits = view->findChildren<FieldEdit*>();
            for (FieldEdit* field : edits) {
                ++fields;
                for (const QString& text : longest.value(name) + extremes) {
                    field->setText(text);
                    checkShown(field, QStringLiteral("%1.%2 at scale %3").arg(name, field->objectName(), scale), wrong);
                    rounded += field->shown().rounded ? 1 : 0;
                }
                const QImage drawn = field->grab().toImage();
                QLineEdit* editor = field->editor();
                if (field->grab().toImage() != drawn || editor->text() != extremes.last()) {
                    wrong << QStringLiteral("%1.%2 at scale %3: its line edit shows another text")
                                 .arg(name, field->objectName(), scale);
                }
            }
            FieldEdit* typed = firstTypingField(binding, row);
            QVERIFY(typed != nullptr);
            for (const QString& text : {QStringLiteral("123456789.123456789"), QStringLiteral("1")}) {
                typeAndEnter(binding, row, typed, text);
                for (FieldEdit* field : edits) {
                    checkShown(field,
                               QStringLiteral("%1.%2 after %3 at scale %4").arg(name, field->objectName(), text, scale),
                               wrong);
                }
                // The field typed into keeps the focus, and draws its line of text as a field
                // that nobody edits.
                QVERIFY2(typed->editor()->hasFocus(), qPrintable(name));
                if (!typed->textFits()) {
                    const QImage entered = typed->grab().toImage();
                    // Until a key other than a modifier alone starts editing again.
                    QTest::keyClick(typed->editor(), Qt::Key_Shift);
                    if (!typed->drawsShown()) {
                        wrong << name + QStringLiteral(": Shift alone starts editing after Enter");
                    }
                    QTest::keyClick(typed->editor(), Qt::Key_Left);
                    if (typed->drawsShown()) {
                        wrong << name + QStringLiteral(": an arrow key does not start editing after Enter");
                    }
                    typed->editor()->clearFocus();
                    // The line of text inside the frame, and a focus frame inside that.
                    const QRect line = typed->shown().line & typed->rect().adjusted(3, 3, -3, -3);
                    const qreal ratio = entered.devicePixelRatio();
                    const QRect pixels(
                        QPoint(qFloor(line.left() * ratio), qFloor(line.top() * ratio)),
                        QPoint(qCeil((line.right() + 1) * ratio) - 1, qCeil((line.bottom() + 1) * ratio) - 1));
                    if (entered.copy(pixels) != typed->grab().toImage().copy(pixels)) {
                        wrong << QStringLiteral(
                                     "%1.%2 after Enter in it at scale %3 draws \"%4\" otherwise than unedited")
                                     .arg(name, typed->objectName(), scale, typed->text());
                    }
                }
            }
        }
        QVERIFY(fields > 100);
        for (const QString& line : wrong) {
            qWarning("%s", qPrintable(line));
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("%1 fields draw their numbers wrong").arg(wrong.size())));
        QVERIFY2(rounded > 0, "no number was rounded");
    }

    // The digits a window shows at its designed width after 1 and after a number of many
    // digits in its first unit: every field shows its whole value or at least 5 significant
    // digits, 8 once the window is 1.5 times as wide (where the windows keep their fields'
    // width, the fields are widened themselves). The fewest seen are logged.
    void enoughDigitsShow()
    {
        AllWindowsShown program;
        Binding& binding = program.binding;
        const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
        const auto fewest = [&binding](qreal widening, QStringList& few, int least) {
            int smallest = 99;
            for (const WindowRow& row : binding.app().windows()) {
                ConversionView* view = binding.conversionView(row.frame.name);
                FieldEdit* typed = firstTypingField(binding, row);
                for (const QString& text : {QStringLiteral("1"), QStringLiteral("123456789.123456789")}) {
                    typeAndEnter(binding, row, typed, text);
                    for (FieldEdit* field : view->findChildren<FieldEdit*>()) {
                        const FieldEdit::Shown shown = field->shown();
                        if (!shown.cut && !shown.rounded) {
                            continue; // its whole text or value (4E+09 of 4000000000)
                        }
                        const int digits = formDigits(field->text(), shown.text);
                        smallest = std::min(smallest, digits);
                        if (digits < least) {
                            few << QStringLiteral("%1.%2 after %3, %4 times as wide: \"%5\" for %6")
                                       .arg(QString::fromStdString(row.frame.name), field->objectName(), text)
                                       .arg(widening)
                                       .arg(shown.text, field->text());
                        }
                    }
                }
            }
            return smallest;
        };
        QStringList few;
        const int designed = fewest(1, few, 5);
        qInfo("at scale %s the designed width shows %d significant digits at least", qPrintable(scale), designed);
        for (const QString& line : few) {
            qWarning("%s", qPrintable(line));
        }
        QVERIFY2(few.isEmpty(), qPrintable(QStringLiteral("%1 fields show too few digits").arg(few.size())));

        // 1.5 times as wide: the fields grow with the window.
        bool grew = false;
        for (const WindowRow& row : binding.app().windows()) {
            ConversionView* view = binding.conversionView(row.frame.name);
            FieldEdit* typed = firstTypingField(binding, row);
            const int before = typed->width();
            view->resize(qRound(view->width() * 1.5), view->height());
            QTest::qWait(0);
            grew = grew || typed->width() > before;
        }
        if (!grew) {
            // Until the windows widen, each field stands in for its window's widening.
            qInfo("the windows keep their fields' width: each field is made 1.5 times as wide instead");
            for (const WindowRow& row : binding.app().windows()) {
                for (FieldEdit* field : binding.conversionView(row.frame.name)->findChildren<FieldEdit*>()) {
                    field->resize(qRound(field->width() * 1.5), field->height());
                }
            }
        }
        const int widened = fewest(1.5, few, 8);
        qInfo("at scale %s 1.5 times the width shows %d significant digits at least", qPrintable(scale), widened);
        for (const QString& line : few) {
            qWarning("%s", qPrintable(line));
        }
        QVERIFY2(few.isEmpty(), qPrintable(QStringLiteral("%1 fields show too few digits").arg(few.size())));
    }

    // Until it is first used a field draws itself, and exactly as its line edit then draws
    // it: in every window, with texts that fit and texts too wide for their fields, at every
    // scale factor, under Fusion, under the plain Windows style (whose frame differs) and
    // under the desktop's own style where it is another. The room for the text comes from
    // the style, its margins inside that room from the line edit.
    void aFieldLooksTheSameOnceItsLineEditIsMade_data()
    {
        QTest::addColumn<QString>("style");
        QStringList styles = {QStringLiteral("fusion"), QStringLiteral("windows")};
        const QString desktop = qobject_cast<const QProxyStyle*>(QApplication::style())->baseStyle()->name();
        if (!styles.contains(desktop, Qt::CaseInsensitive)) {
            styles << desktop;
        }
        for (const QString& style : styles) {
            QTest::newRow(qPrintable(style)) << style;
        }
    }
    void aFieldLooksTheSameOnceItsLineEditIsMade()
    {
        QFETCH(QString, style);
        QStyle* base = QStyleFactory::create(style);
        QVERIFY2(base != nullptr, qPrintable(style + " is no style of this Qt"));
        QApplication::setStyle(readableStyle(base));
        const auto desktopStyle = qScopeGuard([] { QApplication::setStyle(readableStyle()); });
        const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
        AllWindowsShown program;
        Binding& binding = program.binding;
        QStringList differ;
        int compared = 0;
        for (const WindowRow& row : binding.app().windows()) {
            test::enterInFirstField(binding, binding.app().window(row), "1234.56789");
            ConversionView* view = binding.conversionView(row.frame.name);
            QVERIFY(view != nullptr && QTest::qWaitForWindowExposed(view));
            for (FieldEdit* field : view->findChildren<FieldEdit*>()) {
                if (field->hasEditor()) {
                    continue;
                }
                // Every other field with a short number, which the line edit draws itself.
                if (compared % 2 == 1) {
                    field->setText(QStringLiteral("-1.5"));
                }
                const QImage drawn = field->grab().toImage();
                field->editor();
                if (field->grab().toImage() != drawn) {
                    differ << QStringLiteral("%1.%2 (\"%3\")")
                                  .arg(QString::fromStdString(row.frame.name), field->objectName(), field->text());
                }
                ++compared;
            }
        }
        QVERIFY(compared > 100);
        QVERIFY2(differ.isEmpty(),
                 qPrintable(QStringLiteral("under %1 at scale %2 the line edit draws otherwise: %3")
                                .arg(style, scale, differ.join(QStringLiteral(", ")))));
    }

    // Every control stands at least two pixels clear of its neighbours and of the edge of
    // the client area, in every size mode of every window (the controls that the mode shows)
    // at the desktop's scale factor: fields, buttons, gauges, frames and the ink of captions.
    void everyControlHasRoom()
    {
        AllWindowsShown program;
        Binding& binding = program.binding;
        const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1");
        QStringList crowded;
        for (const WindowRow& row : binding.app().windows()) {
            ConversionView* view = binding.conversionView(row.frame.name);
            QVERIFY(view != nullptr);
            for (std::size_t mode = 0; mode < row.frame.modes.size(); ++mode) {
                QTest::qWait(0);
                const QString where = QStringLiteral("%1 mode %2 at scale %3")
                                          .arg(QString::fromStdString(row.frame.name))
                                          .arg(binding.app().window(row).frame().mode())
                                          .arg(scale);
                measureRoom(view->centralWidget(), where, crowded);
                binding.forward([&binding, &row] { binding.app().window(row).menu("mnuS"); });
            }
        }
        for (const QString& line : crowded) {
            qWarning("%s", qPrintable(line));
        }
        QVERIFY2(crowded.isEmpty(), qPrintable(QStringLiteral("%1 controls stand too close").arg(crowded.size())));
    }

private:
    // Per window, the `count` longest distinct field texts that the driver fixtures write.
    static QMap<QString, QStringList> longestFixtureTexts(int count)
    {
        QMap<QString, QStringList> texts;
        const QDir fixtures(QStringLiteral(MEZURA_DRIVER_FIXTURES));
        const QRegularExpression line(QStringLiteral("^(\\w+)\\.txt\\w*=(.+)$"));
        for (const QString& name : fixtures.entryList({QStringLiteral("*.expected")})) {
            QFile file(fixtures.filePath(name));
            if (!file.open(QIODevice::ReadOnly)) {
                continue;
            }
            for (const QString& each : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
                const QRegularExpressionMatch match = line.match(each);
                if (match.hasMatch() && !texts[match.captured(1)].contains(match.captured(2))) {
                    texts[match.captured(1)] << match.captured(2);
                }
            }
        }
        for (QStringList& list : texts) {
            std::stable_sort(list.begin(), list.end(),
                             [](const QString& a, const QString& b) { return a.size() > b.size(); });
            list = list.mid(0, count);
        }
        return texts;
    }

    static FieldEdit* firstTypingField(Binding& binding, const WindowRow& row)
    {
        const auto& rows = binding.app().window(row).layout().fields;
        const auto typing = std::find_if(rows.begin(), rows.end(), [](const FieldSpec& field) { return field.typing; });
        ConversionView* view = binding.conversionView(row.frame.name);
        return typing == rows.end() || view == nullptr
            ? nullptr
            : view->findChild<FieldEdit*>(QString::fromStdString(typing->name));
    }

    // Types `text` into `field` of window `row` as a user does, a click emptying it first,
    // and presses Enter.
    static void typeAndEnter(Binding& binding, const WindowRow& row, FieldEdit* field, const QString& text)
    {
        binding.forward([&binding, &row] { binding.app().showAndFocus(row); });
        QVERIFY(QTest::qWaitForWindowActive(binding.conversionView(row.frame.name)));
        field->setFocus(Qt::OtherFocusReason);
        QLineEdit* editor = field->editor();
        QTest::mouseClick(editor, Qt::LeftButton, {}, QPoint(4, editor->height() / 2)); // empties the field
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    // The significant digits of `shown` as a rounded form of the number `text`; 0 where it is
    // none.
    static int formDigits(const QString& text, const QString& shown)
    {
        for (const RoundedForm& form : roundedForms(text.toStdString())) {
            if (QString::fromStdString(form.text) == shown) {
                return form.digits;
            }
        }
        return 0;
    }

    // What is wrong with what `field` draws of its text, added to `wrong`.
    static void checkShown(const FieldEdit* field, const QString& where, QStringList& wrong)
    {
        const QString text = field->text();
        const FieldEdit::Shown shown = field->shown();
        const qreal width = QFontMetricsF(shown.font).horizontalAdvance(shown.text);
        const auto fault = [&](const QString& what) {
            wrong << QStringLiteral("%1: \"%2\" shows as \"%3\" (%4 pt, %5 wide in %6): %7")
                         .arg(where, text, shown.text)
                         .arg(shown.font.pointSizeF())
                         .arg(width)
                         .arg(shown.line.width())
                         .arg(what);
        };
        if (width > shown.line.width() || !field->contentsRect().contains(shown.line)) {
            fault(QStringLiteral("wider than its line"));
        }
        if (shown.font.pointSizeF() < field->font().pointSizeF() - 1) {
            fault(QStringLiteral("more than a point smaller than the field's font"));
        }
        if (!shown.cut && shown.text == text) {
            if (shown.rounded) {
                fault(QStringLiteral("the whole text marked as rounded"));
            }
            return;
        }
        const std::string exactText = text.toStdString();
        if (roundedForms(exactText).empty()) {
            if (!shown.cut || !shown.text.endsWith(QChar(0x2026)) || !text.startsWith(shown.text.chopped(1))) {
                fault(QStringLiteral("a text that is no number, neither whole nor its start with \"…\""));
            }
            return;
        }
        if (shown.cut) {
            fault(QStringLiteral("a number cut"));
            return;
        }
        // The shown number read back is the exact one rounded at the shown form's last digit.
        const int digits = formDigits(text, shown.text);
        if (digits == 0) {
            fault(QStringLiteral("no rounded form of the number"));
            return;
        }
        const double exact = parseNumber(exactText);
        const double value = parseNumber(shown.text.toStdString());
        const double magnitude = value == 0 ? 0 : std::floor(std::log10(std::fabs(value)));
        const double halfStep = 0.5 * std::pow(10.0, magnitude - digits + 1);
        if (std::fabs(value - exact) > halfStep + std::fabs(exact) * 1e-15) {
            fault(QStringLiteral("not the number rounded to %1 digits").arg(digits));
        }
        if (shown.rounded != (value != exact)) {
            fault(shown.rounded ? QStringLiteral("marked, but the value is the number")
                                : QStringLiteral("a rounded value without the mark"));
        }
    }

    // The controls among the children of `parent` (the client area or a frame), each where it
    // puts something on the screen: a caption where its letters are, any other its rectangle.
    static void measureRoom(QWidget* parent, const QString& where, QStringList& crowded)
    {
        const bool client = qobject_cast<QGroupBox*>(parent) == nullptr;
        struct Placed {
            QString name;
            QRect rect;
            int room; // the empty pixels it keeps around itself
        };
        std::vector<Placed> placed;
        for (QWidget* control : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control->isHidden() || control->objectName().isEmpty()) {
                continue;
            }
            QRect rect = control->geometry();
            int room = 2;
            if (const auto* caption = dynamic_cast<const Caption*>(control)) {
                if (caption->text().isEmpty()) {
                    continue;
                }
                const QFontMetricsF metrics(caption->font());
                const QRectF box = caption->contentsRect();
                const QRectF ink = caption->wordWrap()
                    ? metrics.boundingRect(box, Qt::TextWordWrap, caption->text())
                    : metrics.tightBoundingRect(caption->text()).translated(caption->origin() + box.topLeft());
                rect = ink.toAlignedRect().translated(caption->pos());
                room = 1; // letters that never touch a line read as apart from it
            }
            if (!rect.intersects(parent->rect())) {
                continue; // the size mode leaves it out
            }
            // A control that the size mode cuts at the edge is left out by design; one it shows
            // whole keeps its distance from the edge.
            if (client && parent->rect().contains(rect) &&
                !parent->rect().adjusted(room, room, -room, -room).contains(rect)) {
                crowded << QStringLiteral("%1: %2 at (%3,%4 %5x%6) is not %7 px inside the client area %8x%9")
                               .arg(where, control->objectName())
                               .arg(rect.x())
                               .arg(rect.y())
                               .arg(rect.width())
                               .arg(rect.height())
                               .arg(room)
                               .arg(parent->width())
                               .arg(parent->height());
            }
            if (auto* box = qobject_cast<QGroupBox*>(control)) {
                measureRoom(box, where, crowded);
            }
            placed.push_back({control->objectName(), rect, room});
        }
        for (std::size_t i = 0; i < placed.size(); ++i) {
            for (std::size_t j = i + 1; j < placed.size(); ++j) {
                // A unit caption stands on its own field, as its name says.
                const Placed& one = placed[i];
                const Placed& other = placed[j];
                if (one.name == "lbl_" + other.name || other.name == "lbl_" + one.name) {
                    continue;
                }
                const QRect& a = one.rect;
                const QRect& b = other.rect;
                // Empty pixels between the two, across and down; negative where they overlap.
                const int across = std::max(b.left() - a.right(), a.left() - b.right()) - 1;
                const int down = std::max(b.top() - a.bottom(), a.top() - b.bottom()) - 1;
                if (std::max(across, down) < std::min(one.room, other.room)) {
                    crowded << QStringLiteral("%1: %2 and %3 are %4 px apart")
                                   .arg(where, one.name, other.name)
                                   .arg(std::max(across, down));
                }
            }
        }
    }

    // A window's unit captions are drawn in one size, none smaller than its neighbours.
    static void sharesOneSize(const QWidget* window, const QString& where, const QString& scale, QStringList& cut)
    {
        QMap<qreal, QStringList> sizes;
        for (const Caption* caption : window->findChildren<const Caption*>()) {
            if (caption->objectName().startsWith(QLatin1String("lbl_"))) {
                sizes[caption->font().pointSizeF()] << caption->text();
            }
        }
        if (sizes.size() != 1) {
            QStringList each;
            for (auto size = sizes.cbegin(); size != sizes.cend(); ++size) {
                each << QStringLiteral("%1 pt: %2").arg(size.key()).arg(size.value().join(QStringLiteral(", ")));
            }
            cut << QStringLiteral("%1 at scale %2: the unit captions differ in size (%3)")
                       .arg(where, scale, each.join(QStringLiteral("; ")));
        }
    }

    static void check(QWidget* window, const QString& where, const QString& scale, QStringList& cut)
    {
        const qreal ratio = window->devicePixelRatioF();
        const auto report = [&](const QWidget* control, const QString& text, const QRectF& ink, const QRectF& room) {
            const QRect needs = touched(ink, ratio);
            const QRect has = owned(room, ratio);
            if (!has.contains(needs)) {
                cut << QStringLiteral("%1.%2 at scale %3: \"%4\" needs %5x%6 at (%7,%8), has %9x%10 at (%11,%12)")
                           .arg(where, control->objectName(), scale, text)
                           .arg(needs.width())
                           .arg(needs.height())
                           .arg(needs.x())
                           .arg(needs.y())
                           .arg(has.width())
                           .arg(has.height())
                           .arg(has.x())
                           .arg(has.y());
            }
        };
        const QRect client = window->rect();
        std::vector<std::pair<const QLabel*, QRectF>> lines; // each caption's ink, in the window
        for (QWidget* control : window->findChildren<QWidget*>()) {
            if (control->isHidden() || control->objectName().isEmpty()) {
                continue;
            }
            // A control that lies wholly outside the client area in this size mode is hidden
            // by design (the wide part, the gauge of a short window).
            const QRect placed(control->mapTo(window, QPoint(0, 0)), control->size());
            if (!placed.intersects(client)) {
                continue;
            }
            const QFontMetricsF metrics(control->font());
            if (auto* label = qobject_cast<QLabel*>(control); label != nullptr && !label->text().isEmpty()) {
                const QRectF box = label->contentsRect();
                if (label->wordWrap()) {
                    const QRectF ink = metrics.boundingRect(box, Qt::TextWordWrap, label->text());
                    report(label, label->text(), ink, roomOf(label, ink));
                    continue;
                }
                // A caption sets its line itself; a plain label one ascent below its top.
                const auto* caption = dynamic_cast<const Caption*>(label);
                const QPointF at = caption != nullptr ? caption->origin() + box.topLeft()
                                                      : QPointF(box.left(), box.top() + metrics.ascent());
                const QRectF ink = inkOf(metrics, label->text(), at);
                report(label, label->text(), ink, roomOf(label, ink));
                lines.emplace_back(label, ink.translated(label->mapTo(window, QPoint(0, 0))));
                // A caption that ends a line keeps two pixels from the window's right edge, as
                // the next caption on a line does: letters at the edge read as cut by it.
                const QRectF inWindow = lines.back().second;
                if (caption != nullptr && inWindow.left() < client.width() && inWindow.right() > client.width() - 2) {
                    cut << QStringLiteral("%1.%2 at scale %3: \"%4\" ends %5 px from the window's edge")
                               .arg(where, label->objectName(), scale, label->text())
                               .arg(client.width() - inWindow.right());
                }
            } else if (auto* button = qobject_cast<QPushButton*>(control)) {
                QStyleOptionButton option;
                option.initFrom(button);
                option.text = button->text();
                const QRectF box = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
                const QRectF ink = inkOf(metrics, button->text(), centred(metrics, button->text(), box));
                report(button, button->text(), ink, roomOf(button, ink) & box);
                // The button itself shows whole where it shows at all.
                if (!roomOf(button, button->rect()).contains(QRectF(button->rect()))) {
                    cut << QStringLiteral("%1.%2 at scale %3: the button \"%4\" is cut")
                               .arg(where, button->objectName(), scale, button->text());
                }
            } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
                QStyleOptionButton option;
                option.initFrom(box);
                option.text = box->text();
                const QRectF contents = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
                const QPointF at(contents.left(),
                                 contents.top() + (contents.height() - metrics.height()) / 2 + metrics.ascent());
                const QRectF ink = inkOf(metrics, box->text(), at);
                report(box, box->text(), ink, roomOf(box, ink));
            } else if (auto* frame = qobject_cast<QGroupBox*>(control)) {
                QStyleOptionGroupBox option;
                option.initFrom(frame);
                option.text = frame->title();
                option.subControls = QStyle::SC_GroupBoxLabel;
                const QRectF title =
                    frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
                const QRectF ink = inkOf(metrics, frame->title(), centred(metrics, frame->title(), title));
                report(frame, frame->title(), ink, roomOf(frame, ink));
            } else if (auto* bar = qobject_cast<QMenuBar*>(control)) {
                for (QAction* action : bar->actions()) {
                    const QRectF item = bar->actionGeometry(action);
                    const QRectF ink = inkOf(metrics, action->text(), centred(metrics, action->text(), item));
                    report(bar, action->text(), ink, item.isValid() ? roomOf(bar, item) & item : QRectF());
                }
            }
        }
        // Two captions side by side read as two: a gap of two pixels at least between them.
        for (const auto& [left, ink] : lines) {
            for (const auto& [right, other] : lines) {
                if (other.left() > ink.left() && other.top() < ink.bottom() && ink.top() < other.bottom() &&
                    ink.right() + 2 > other.left()) {
                    cut << QStringLiteral("%1.%2 at scale %3: \"%4\" runs into \"%5\"")
                               .arg(where, left->objectName(), scale, left->text(), right->text());
                }
            }
        }
    }
};

} // namespace mezura::ui

MEZURA_UI_TEST_MAIN(mezura::ui::TextFitTest)
#include "textfit_test.moc"
