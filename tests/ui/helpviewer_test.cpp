#include "startup/files.h"
#include "ui/binding.h"
#include "ui/helpbrowser.h"
#include "ui/helpclient.h"
#include "ui/helpviewer.h"
#include "ui/helpwindow.h"
#include "ui/messages.h"
#include "uitest.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QHelpEvent>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextBrowser>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <QTextTable>
#include <QToolTip>
#include <QTreeWidget>
#include <csignal>
#include <cstdio>
#include <memory>
#include <sys/stat.h>

// clang-format off

namespace mezura::ui {

namespace {
// The help file that the build compiled beside the program.
const QString kBuiltHelp = QStringLiteral(MEZURA_HELP_FILE);

QString firstLine(const QTextBrowser* browser) { return browser->document()->begin().text().trimmed(); }

// The entry the contents tree stands at, and whether every entry above it is open.
QString contentsAt(const HelpWindow* window)
{
    const auto* tree = window->findChild<QTreeWidget*>(QStringLiteral("helpContents"));
    const QTreeWidgetItem* item = tree == nullptr ? nullptr : tree->currentItem();
    if (item == nullptr) {
        return QStringLiteral("(none)");
    }
    for (const QTreeWidgetItem* above = item->parent(); above != nullptr; above = above->parent()) {
        if (!above->isExpanded()) {
            return item->text(0) + QStringLiteral(" (closed)");
        }
    }
    return item->text(0);
}

// Types `text` as the keyboard would, one character after another (Japanese too).
void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

// The texts the page marks (search results, find's "highlight all").
QStringList marked(const QTextBrowser* browser)
{
    QStringList texts;
    for (const QTextEdit::ExtraSelection& mark : browser->extraSelections()) {
        texts << mark.cursor.selectedText();
    }
    return texts;
}

// The first picture of the shown page: its name as the page writes it, and the block and the
// place within it where it stands.
struct Picture {
    QString name;
    QTextBlock block;
    int position = -1;
};

Picture firstPicture(const QTextDocument* document)
{
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat()) {
                return { fragment.charFormat().toImageFormat().name(), block, fragment.position() - block.position() };
            }
        }
    }
    return {};
}

// How many pixels of two pictures of one size differ in colour (their colour spaces aside).
int differingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size()) {
        return a.width() * a.height() + b.width() * b.height();
    }
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            count += a.pixel(x, y) == b.pixel(x, y) ? 0 : 1;
        }
    }
    return count;
}

QImage asImage(const QVariant& resource)
{
    if (resource.userType() == QMetaType::QImage) {
        return resource.value<QImage>();
    }
    if (resource.userType() == QMetaType::QPixmap) {
        return resource.value<QPixmap>().toImage();
    }
    return {};
}
} // namespace

class HelpViewerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        test::quietPlatform();
        QVERIFY2(QFile::exists(kBuiltHelp), qPrintable("no help file at " + kBuiltHelp));
    }

    void init()
    {
        m_messages.clear();
        setMessageSink([this](const Message& message) { m_messages << message; });
    }

    void cleanup()
    {
        setMessageSink({});
        const QString stray = m_guard.take();
        QVERIFY2(stray.isEmpty(), qPrintable("unexpected modal dialog: " + stray));
    }

    void cleanupTestCase() { m_viewer.reset(); }

    void everyTopicShowsItsPage_data()
    {
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("entry"); // where the contents tree stands
        QTest::newRow("common") << 1000 << "/common.htm" << "共通事項" << "ヨモギの単位計算 ― 共通事項" << "共通事項";
        QTest::newRow("length") << 1010 << "/length.htm" << "長さの画面" << "長さの画面" << "長さ";
        QTest::newRow("square") << 1020 << "/square.htm" << "面積の画面" << "面積の画面" << "面積";
        QTest::newRow("cubic") << 1030 << "/cubic.htm" << "体積の画面" << "体積の画面" << "体積";
        QTest::newRow("weight") << 1040 << "/weight.htm" << "重さの画面" << "重さの画面" << "重さ";
        QTest::newRow("press") << 1050 << "/press.htm" << "圧力の画面" << "圧力の画面" << "圧力";
        QTest::newRow("temp") << 1060 << "/temp.htm" << "温度の画面" << "温度の画面" << "温度";
        QTest::newRow("year") << 1070 << "/year.htm" << "年号の画面" << "年号の画面" << "年号";
        QTest::newRow("velocity") << 1080 << "/velocity.htm" << "速度の画面" << "速度の画面" << "速度";
        QTest::newRow("heat") << 1090 << "/heat.htm" << "熱量の画面" << "熱量の画面" << "熱量";
        QTest::newRow("radio") << 1100 << "/radio.htm" << "壊変率の画面" << "壊変率の画面" << "壊変率";
        QTest::newRow("common again") << 1000 << "/common.htm" << "共通事項" << "ヨモギの単位計算 ― 共通事項" << "共通事項";
    }
    // One window for all of them, already open at another page from the second on: the
    // topic is shown with the contents tree at it. The page's style sheet comes from the
    // file as well (its headings are 14 points).
    void everyTopicShowsItsPage()
    {
        QFETCH(int, topic);
        QFETCH(QString, page);
        QFETCH(QString, title);
        QFETCH(QString, heading);
        QFETCH(QString, entry);
        HelpViewer& help = viewer();
        if (help.window() != nullptr) {
            help.window()->tabs()->setCurrentIndex(2); // the search tab in front
        }
        QVERIFY(help.open(kBuiltHelp.toStdString(), topic));
        QVERIFY(m_messages.isEmpty());
        HelpWindow* window = help.window();
        QVERIFY(window != nullptr && window->isVisible());
        if (m_firstWindow == nullptr) {
            m_firstWindow = window;
        }
        QCOMPARE(window, m_firstWindow);
        QCOMPARE(window->windowTitle(), "ヨモギの単位計算－ヘルプ－" + title);
        QCOMPARE(window->tabs()->currentIndex(), 0);
        QCOMPARE(contentsAt(window), entry);
        const HelpBrowser* browser = window->browser();
        QCOMPARE(browser->source(), QUrl("help:" + page));
        QCOMPARE(browser->documentTitle(), title);
        QCOMPARE(firstLine(browser), heading);
        QCOMPARE(browser->document()->begin().charFormat().fontPointSize(), 14.0);
        // Laid out far narrower than its unit table, the page breaks no line inside a number:
        // the table scrolls sideways instead.
        const std::unique_ptr<QTextDocument> narrow(browser->document()->clone());
        narrow->setTextWidth(160);
        const auto inNumber = [](QChar c) {
            return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.');
        };
        for (QTextBlock block = narrow->begin(); block.isValid(); block = block.next()) {
            narrow->documentLayout()->blockBoundingRect(block);
            const QTextLayout* lines = block.layout();
            const QString text = block.text();
            for (int i = 1; i < lines->lineCount(); ++i) {
                const int at = lines->lineAt(i).textStart();
                QVERIFY2(at == 0 || !inNumber(text[at - 1]) || !inNumber(text[at]),
                         qPrintable(page + ": \"" + text + "\" breaks at " + QString::number(at)));
            }
        }
    }

    void pagesShowTheirPicturesFromTheFile_data()
    {
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QSize>("size");
        QTest::newRow("common: the settings window") << 1000 << "images/config.png" << QSize(399, 201);
        QTest::newRow("length") << 1010 << "images/length.png" << QSize(381, 432);
        QTest::newRow("square") << 1020 << "images/square.png" << QSize(292, 372);
        QTest::newRow("cubic: wider than the view") << 1030 << "images/cubic.png" << QSize(525, 404);
        QTest::newRow("temp") << 1060 << "images/temp.png" << QSize(221, 124);
        QTest::newRow("year") << 1070 << "images/year.png" << QSize(219, 224);
        QTest::newRow("radio") << 1100 << "images/radio.png" << QSize(219, 233);
    }
    // The picture is read from inside the help file and painted where the page puts it.
    void pagesShowTheirPicturesFromTheFile()
    {
        QFETCH(int, topic);
        QFETCH(QString, picture);
        QFETCH(QSize, size);
        HelpViewer& help = viewer();
        QVERIFY(help.open(kBuiltHelp.toStdString(), topic));
        HelpBrowser* browser = help.window()->browser();
        QTextDocument* document = browser->document();
        const Picture shown = firstPicture(document);
        QCOMPARE(shown.name, picture);

        // Scrolled to the top of the picture's line and painted.
        const QRectF blockRect = document->documentLayout()->blockBoundingRect(shown.block);
        const QTextLine line = shown.block.layout()->lineForTextPosition(shown.position);
        QVERIFY(line.isValid());
        const QPointF onPage = blockRect.topLeft() + QPointF(line.cursorToX(shown.position), line.y());
        browser->verticalScrollBar()->setValue(qRound(onPage.y()));
        const QImage painted = browser->viewport()->grab().toImage();

        const QImage image = asImage(document->resource(QTextDocument::ImageResource, QUrl(picture)));
        QVERIFY2(!image.isNull(), qPrintable(picture + " was not loaded"));
        QCOMPARE(image.size(), size);
        // What of the picture the viewport shows is the picture itself, pixel for pixel.
        const QPoint topLeft = (onPage - QPointF(0, browser->verticalScrollBar()->value())).toPoint();
        const QRect seen = QRect(topLeft, size).intersected(painted.rect());
        QVERIFY2(seen.width() > size.width() / 2 && seen.height() > size.height() / 3,
                 qPrintable(QStringLiteral("only %1x%2 of the picture in view").arg(seen.width()).arg(seen.height())));
        QCOMPARE(differingPixels(painted.copy(seen), image.copy(QRect(seen.topLeft() - topLeft, seen.size()))), 0);
        QVERIFY(m_messages.isEmpty());
    }

    // A link is seen from the page it stands in and never leaves the help file.
    void linksResolveAgainstThePageTheyStandIn()
    {
        const struct {
            const char* from;
            const char* href;
            std::optional<HelpLink> link;
        } rows[] = {
            { "/common.htm", "length.htm", HelpLink { "/length.htm", "" } },
            { "common.htm", "length.htm#gauge", HelpLink { "/length.htm", "gauge" } },
            { "/common.htm", "#gauge", HelpLink { "/common.htm", "gauge" } },
            { "/common.htm", "", HelpLink { "/common.htm", "" } },
            { "/sub/a.htm", "b.htm", HelpLink { "/sub/b.htm", "" } },
            { "/sub/a.htm", "../b.htm", HelpLink { "/b.htm", "" } },
            { "/sub/a.htm", "../../../b.htm", HelpLink { "/b.htm", "" } },
            { "/sub/a.htm", "./c/./d.htm", HelpLink { "/sub/c/d.htm", "" } },
            { "/sub/a.htm", "/top.htm", HelpLink { "/top.htm", "" } },
            { "/sub/a.htm", "..\\win.htm", HelpLink { "/win.htm", "" } },
            { "/sub/a.htm", "..%5Cwin.htm", HelpLink { "/win.htm", "" } },
            { "/a.htm", "with%20blank.htm?x=1#f", HelpLink { "/with blank.htm", "f" } },
            { "/a.htm", "bad%zzescape.htm", HelpLink { "/bad%zzescape.htm", "" } },
            { "/a.htm", "help:/b/../c.htm#x", HelpLink { "/c.htm", "x" } },
            { "/a.htm", "http://example.invalid/", std::nullopt },
            { "/a.htm", "mailto:someone", std::nullopt },
            { "/a.htm", "ms-its:Other.chm::/x.htm", std::nullopt },
        };
        for (const auto& row : rows) {
            const std::optional<HelpLink> link = helpLink(row.from, QString::fromUtf8(row.href));
            QVERIFY2(link == row.link, row.href);
        }
    }

    // The keyboard reaches the first link of the common page (the length page); back and
    // forward walk the pages seen.
    void followsLinksBackAndForward()
    {
        HelpViewer& help = viewer();
        QVERIFY(help.open(kBuiltHelp.toStdString(), 1000));
        HelpBrowser* browser = help.window()->browser();
        FIND(back, QAction, help.window(), "back");
        FIND(forward, QAction, help.window(), "forward");
        QTest::keyClick(browser, Qt::Key_Tab);
        QTest::keyClick(browser, Qt::Key_Return);
        QCOMPARE(browser->source(), QUrl("help:/length.htm"));
        QCOMPARE(browser->documentTitle(), "長さの画面");
        QCOMPARE(contentsAt(help.window()), "長さ");
        QVERIFY(back->isEnabled() && !forward->isEnabled());
        QVERIFY(QTest::qWaitForWindowActive(help.window()));
        // Alt+Left and Alt+Right wherever the focus is in the window.
        FIND(contents, QTreeWidget, help.window(), "helpContents");
        contents->setFocus();
        QTest::keyClick(contents, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(browser->documentTitle(), "共通事項");
        QCOMPARE(contentsAt(help.window()), "共通事項");
        QVERIFY(forward->isEnabled());
        QTest::keyClick(browser, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(browser->documentTitle(), "長さの画面");
        // A section of the contents opens its place, and the tree stays at it.
        const QList<QTreeWidgetItem*> gauge = contents->findItems("ゲージ", Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(gauge.size(), 1);
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, {}, contents->visualItemRect(gauge[0]).center());
        QCOMPARE(browser->source(), QUrl("help:/common.htm#gauge"));
        QCOMPARE(contentsAt(help.window()), "ゲージ");
        QCOMPARE(help.window()->windowTitle(), "ヨモギの単位計算－ヘルプ－共通事項");
        QVERIFY(m_messages.isEmpty());
    }


    // The index narrows to what holds the typed word in any script form; Enter opens the
    // entry (a keyword on several pages first shows them); a word it lacks says so.
    void indexOpensWhatIsTyped_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("enters");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("row"); // the unit's row that comes into view, by its field
        QTest::newRow("坪") << "坪" << 1 << "/square.htm" << "" << "txtS3";
        QTest::newRow("half-width katakana") << "ﾏｯﾊ" << 1 << "/velocity.htm" << "" << "txtS2";
        QTest::newRow("full-width Latin") << "ＭＡＣＨ" << 1 << "/velocity.htm" << "" << "txtS2";
        QTest::newRow("九星") << "九星" << 1 << "/year.htm" << "" << "txtE4";
        QTest::newRow("on two pages") << "合" << 2 << "/square.htm" << "" << "txtS8";
        QTest::newRow("nowhere") << "ヨモギ餅" << 1 << "/common.htm" << "「ヨモギ餅」は索引にありません。" << "";
    }
    void indexOpensWhatIsTyped()
    {
        QFETCH(QString, word);
        QFETCH(int, enters);
        QFETCH(QString, page);
        QFETCH(QString, note);
        QFETCH(QString, row);
        HelpViewer& help = viewer();
        QVERIFY(help.open(kBuiltHelp.toStdString(), 1000));
        HelpWindow* window = help.window();
        FIND(field, QLineEdit, window, "helpIndexWord");
        FIND(index, QTreeWidget, window, "helpIndex");
        FIND(says, QLabel, window, "helpIndexNote");
        window->tabs()->setCurrentIndex(1);
        field->clear();
        QVERIFY(!says->isVisibleTo(window));
        const int everything = visibleItems(index);
        typeText(field, word);
        QVERIFY(visibleItems(index) < everything);
        for (int i = 0; i < enters; ++i) {
            QTest::keyClick(field, Qt::Key_Return);
        }
        QCOMPARE(window->browser()->source().path(), page);
        QCOMPARE(window->browser()->source().fragment(), row);
        if (!row.isEmpty()) { // the unit's table row stands whole in view, below the top, marked for a moment
            QTextBrowser* browser = window->browser();
            QTextCursor found(browser->document());
            for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    if (it.fragment().charFormat().anchorNames().contains(row)) {
                        found = QTextCursor(block);
                    }
                }
            }
            QVERIFY2(!found.isNull() && found.block().isValid(), qPrintable(row + " is no anchor of the page"));
            const QTextTable* table = found.currentTable();
            QVERIFY2(table != nullptr, qPrintable(row + " stands in no table"));
            const int at = table->cellAt(found).row();
            QList<QTextTableCell> cells; // those that begin in the row
            for (int column = 0; column < table->columns(); ++column) {
                const QTextTableCell cell = table->cellAt(at, column);
                if (cell.row() == at && cell.column() == column) {
                    cells << cell;
                }
            }
            const auto tinted = [&] {
                int count = 0;
                for (const QTextTableCell& cell : cells) {
                    count += table->cellAt(cell.row(), cell.column()).format().background().style() == Qt::NoBrush ? 0 : 1;
                }
                return count;
            };
            QCOMPARE(tinted(), cells.size());
            for (const QTextTableCell& cell : cells) {
                const QTextTableCellFormat look = cell.format().toTableCellFormat();
                const int top = browser->cursorRect(cell.firstCursorPosition()).top() - qCeil(look.topPadding() + table->format().border());
                const int bottom = browser->cursorRect(cell.lastCursorPosition()).bottom();
                QVERIFY2(top > 0 && bottom < browser->viewport()->height(),
                         qPrintable(QStringLiteral("%1: the row spans %2 to %3 in a view %4 px high").arg(row).arg(top).arg(bottom)
                                        .arg(browser->viewport()->height())));
            }
            QTRY_COMPARE_WITH_TIMEOUT(tinted(), 0, 3 * HelpBrowser::kRowMarkMs);
        }
        QCOMPARE(says->isVisibleTo(window), !note.isEmpty());
        QCOMPARE(says->text(), note);
        QCOMPARE(visibleItems(index) == 0, !note.isEmpty());
        QVERIFY(m_messages.isEmpty());
    }

    // Search over every page: a word in another script form finds the same pages, listed by
    // title; the page opened from the list marks every place of the word.
    void searchFindsAndMarks()
    {
        HelpViewer& help = viewer();
        QVERIFY(help.open(kBuiltHelp.toStdString(), 1000));
        HelpWindow* window = help.window();
        FIND(field, QLineEdit, window, "helpSearchWord");
        FIND(results, QListWidget, window, "helpResults");
        FIND(says, QLabel, window, "helpSearchNote");
        window->tabs()->setCurrentIndex(2);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // The word typed shows: room for eight full-width characters beside the button.
        QVERIFY2(field->width() >= field->fontMetrics().horizontalAdvance(QString(8, QChar(0x3042))),
                 QByteArray::number(field->width()));
        const auto search = [&](const QString& word) {
            field->clear();
            typeText(field, word);
            QTest::keyClick(field, Qt::Key_Return);
            QStringList titles; // a result's first line, the excerpt its second
            for (int i = 0; i < results->count(); ++i) {
                titles << results->item(i)->text().section('\n', 0, 0);
            }
            return titles;
        };
        const QStringList tsubo = search("つぼ");
        QVERIFY2(tsubo.contains("面積の画面"), qPrintable(tsubo.join(',')));
        QCOMPARE(search("ツボ"), tsubo);
        QCOMPARE(search("ﾂﾎﾞ"), tsubo);
        QCOMPARE(says->text(), QStringLiteral("「ﾂﾎﾞ」は %1 ページにあります。").arg(tsubo.size()));
        QCOMPARE(search("ｅｎｔｅｒ"), search("Enter"));

        search("ﾂﾎﾞ");
        const QList<QListWidgetItem*> square = results->findItems("面積の画面\n", Qt::MatchStartsWith);
        QCOMPARE(square.size(), 1);
        const QString excerpt = square[0]->text().section('\n', 1);
        QVERIFY2(excerpt.contains("つぼ") || excerpt.contains("ツボ"), qPrintable(excerpt));
        QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, results->visualItemRect(square[0]).center());
        QCOMPARE(window->browser()->source().path(), "/square.htm");
        const QStringList marks = marked(window->browser());
        QVERIFY(!marks.isEmpty());
        for (const QString& mark : marks) {
            QCOMPARE(mark, "つぼ");
        }
        // Zooming lays the page out anew with its marks.
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window->browser(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(marked(window->browser()), marks);
        QTest::keyClick(window->browser(), Qt::Key_0, Qt::ControlModifier);
        // Elsewhere the marks are gone.
        QVERIFY(help.open(kBuiltHelp.toStdString(), 1010));
        QVERIFY(marked(window->browser()).isEmpty());

        QVERIFY(search("ヨモギ餅").isEmpty());
        QCOMPARE(says->text(), "「ヨモギ餅」はどのページにもありません。");
        QVERIFY(m_messages.isEmpty());
    }

    // Ctrl+F finds in the page shown, in any script form: Enter goes on, Shift+Enter back,
    // both round the ends; "すべて強調" marks every place.
    void findsInThePage()
    {
        HelpViewer& help = viewer();
        QVERIFY(help.open(kBuiltHelp.toStdString(), 1010));
        HelpWindow* window = help.window();
        QVERIFY(QTest::qWaitForWindowActive(window));
        HelpBrowser* browser = window->browser();
        FIND(bar, QWidget, window, "helpFind");
        FIND(field, QLineEdit, window, "helpFindWord");
        FIND(all, QCheckBox, window, "helpFindAll");
        FIND(says, QLabel, window, "helpFindNote");
        QTest::keyClick(browser, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(bar->isVisible() && field->hasFocus());
        typeText(field, "ｉｎｃｈ");
        const QString text = browser->document()->toRawText();
        const int places = int(text.count("inch"));
        QVERIFY(places >= 3);
        const int first = int(text.indexOf("inch"));
        QCOMPARE(browser->textCursor().selectionStart(), first);
        QCOMPARE(browser->textCursor().selectedText(), "inch");
        QCOMPARE(says->text(), QStringLiteral("1 / %1").arg(places));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(browser->textCursor().selectionStart(), int(text.indexOf("inch", first + 1)));
        QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(browser->textCursor().selectionStart(), first);
        QTest::keyClick(field, Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(browser->textCursor().selectionStart(), int(text.lastIndexOf("inch")));
        QCOMPARE(says->text(), QStringLiteral("%1 / %1").arg(places));
        // The place found stays selected and in view as the text grows and shrinks.
        for (const Qt::Key key : { Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_0 }) {
            QTest::keyClick(browser, key, Qt::ControlModifier);
            QCOMPARE(browser->textCursor().selectionStart(), int(text.lastIndexOf("inch")));
            QVERIFY2(browser->viewport()->rect().contains(browser->cursorRect()),
                     qPrintable(QStringLiteral("at %1 percent").arg(browser->zoom())));
        }
        QVERIFY(marked(browser).isEmpty());
        all->setChecked(true);
        QCOMPARE(marked(browser), QStringList(places, "inch"));
        field->clear();
        typeText(field, "ヨモギ餅");
        QCOMPARE(says->text(), "見つかりません");
        QVERIFY(marked(browser).isEmpty());
        all->setChecked(false);
        // Esc in the find field closes the bar only; the window stays.
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        QVERIFY(window->isVisible());
    }

    // Ctrl++, Ctrl+- and Ctrl+0 size the text, the page read at the same place; Esc closes.
    void zoomsAndCloses()
    {
        HelpViewer& help = viewer();
        QVERIFY(help.open(kBuiltHelp.toStdString(), 1000));
        HelpWindow* window = help.window();
        QVERIFY(QTest::qWaitForWindowActive(window));
        HelpBrowser* browser = window->browser();
        const auto heading = [&] { return browser->document()->begin().charFormat().fontPointSize(); };
        QCOMPARE(heading(), 14.0);
        QTest::keyClick(browser, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(browser, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(heading(), 14.0 * 1.25);
        QCOMPARE(browser->documentTitle(), "共通事項");
        QTest::keyClick(browser, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(browser, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(browser, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(heading(), 14.0 * 0.9);
        QTest::keyClick(browser, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(heading(), 14.0);
        FIND(field, QLineEdit, window, "helpIndexWord");
        window->tabs()->setCurrentIndex(1);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QVERIFY(help.open(kBuiltHelp.toStdString(), 1000));
        QVERIFY(window->isVisible());
    }

    // A new help window shows the whole page at the screen's scale as far as the screen has
    // room for it: no scroll bar unless the window fills the screen that way.
    void opensAtTheSizeOfThePage_data()
    {
        QTest::addColumn<int>("topic");
        QTest::newRow("common") << 1000;
        QTest::newRow("cubic: the widest picture") << 1030;
        QTest::newRow("temp: a short page") << 1060;
    }
    void opensAtTheSizeOfThePage()
    {
        QFETCH(int, topic);
        HelpViewer fresh;
        QVERIFY(fresh.open(kBuiltHelp.toStdString(), topic));
        HelpWindow* window = fresh.window();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QSize room = window->screen()->availableGeometry().size();
        QVERIFY(window->width() <= room.width() && window->height() <= room.height());
        const QScrollBar* across = window->browser()->horizontalScrollBar();
        const QScrollBar* down = window->browser()->verticalScrollBar();
        QVERIFY2(across->maximum() == 0 || window->width() >= room.width() * 85 / 100,
                 qPrintable(QStringLiteral("%1 px left to scroll in a window %2 px wide")
                                .arg(across->maximum())
                                .arg(window->width())));
        QVERIFY2(down->maximum() == 0 || window->height() >= room.height() * 85 / 100,
                 qPrintable(QStringLiteral("%1 px left to scroll in a window %2 px high")
                                .arg(down->maximum())
                                .arg(window->height())));
        // Every entry of the index whole, none cut with "…", but for one longer than a short
        // line of Japanese (a unit's English names beside its label), which the page's room
        // goes before; in a narrower pane the one cut shows whole in its tooltip.
        FIND(index, QTreeWidget, window, "helpIndex");
        window->tabs()->setCurrentIndex(1);
        const int margin = 2 * (index->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, index) + 1);
        const auto cut = [&](const QTreeWidgetItem* item) {
            return index->fontMetrics().horizontalAdvance(item->text(0)) > index->visualItemRect(item).width() - margin;
        };
        const QTreeWidgetItem* longest = nullptr;
        for (int i = 0; i < index->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = index->topLevelItem(i);
            const bool beyondLine = index->fontMetrics().horizontalAdvance(item->text(0)) >
                index->fontMetrics().horizontalAdvance(QString(18, QChar(0x3042)));
            QVERIFY2(!cut(item) || beyondLine, qPrintable(item->text(0) + QStringLiteral(" %1 > %2 - %3; tabs %4 window %5").arg(index->fontMetrics().horizontalAdvance(item->text(0))).arg(index->visualItemRect(item).width()).arg(margin).arg(window->tabs()->width()).arg(window->width())));
            if (longest == nullptr || item->text(0).size() > longest->text(0).size()) {
                longest = item;
            }
        }
        window->findChild<QSplitter*>("helpSplit")->setSizes({ 1, window->width() });
        index->scrollToItem(longest);
        QVERIFY(cut(longest));
        QHelpEvent tip(QEvent::ToolTip, index->visualItemRect(longest).center(),
                       index->viewport()->mapToGlobal(index->visualItemRect(longest).center()));
        QApplication::sendEvent(index->viewport(), &tip);
        QCOMPARE(QToolTip::text(), longest->text(0));
        QToolTip::hideText();
    }

    // Every failure names the file; the viewer shows nothing new and the program goes on.
    void problemsAreReported_data()
    {
        QTest::addColumn<QString>("file"); // "built", "missing", "text" or "" (none set)
        QTest::addColumn<int>("topic");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing file") << "missing" << 1000 << "が見つかりません";
        QTest::newRow("not a help file") << "text" << 1000 << "ヘルプファイルの形式ではありません";
        QTest::newRow("unmapped topic") << "built" << 1005 << "トピック 1005 がありません";
        QTest::newRow("negative topic") << "built" << -1 << "トピック -1 がありません";
        QTest::newRow("no file set") << "" << 1000 << "ヘルプファイルが決まっていません";
    }
    void problemsAreReported()
    {
        QFETCH(QString, file);
        QFETCH(int, topic);
        QFETCH(QString, says);
        QTemporaryDir dir;
        QString path = file == "built" ? kBuiltHelp : file.isEmpty() ? QString() : dir.filePath("Mezura.chm");
        if (file == "text") {
            QFile text(path);
            QVERIFY(text.open(QIODevice::WriteOnly) && text.write("<html>no help here</html>\n") > 0);
        }
        HelpViewer fresh;
        QVERIFY(!fresh.open(path.toStdString(), topic));
        QVERIFY(fresh.window() == nullptr);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].kind, MessageKind::Warning);
        QCOMPARE(m_messages[0].title, "ヨモギの単位計算－ヘルプ");
        QVERIFY2(m_messages[0].text.contains(path) && m_messages[0].text.contains(says),
                 qPrintable(m_messages[0].text));
    }

    // A page that names a local file, by address and by absolute path, a FIFO and a device
    // gets none of them: each picture is the empty box, the style sheet nothing. Were any of
    // them read from the disk, the picture would show, the FIFO would stall the test and
    // /dev/zero would fill the memory.
    void nothingOutsideTheFileIsRead()
    {
        QTemporaryDir outside;
        const QString picture = outside.filePath("picture.png");
        QImage red(40, 30, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(picture));
        const QString fifo = outside.filePath("fifo");
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        HelpViewer& help = viewer();
        QVERIFY(help.open(kBuiltHelp.toStdString(), 1000));
        HelpBrowser* browser = help.window()->browser();
        const QStringList pictures = { QUrl::fromLocalFile(picture).toString(), picture, QUrl::fromLocalFile(fifo).toString(),
                                       "file:///dev/zero", "/dev/zero" };
        QString html = "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"" + fifo + "\"></head><body>";
        for (const QString& name : pictures) {
            html += "<p><img src=\"" + name + "\"></p>";
        }
        browser->setHtml(html + "</body></html>");
        browser->viewport()->grab();
        const QImage box = HelpBrowser::picture("/none", QByteArray("no picture"), *std::make_unique<std::string>());
        for (const QString& name : pictures) {
            QCOMPARE(asImage(browser->document()->resource(QTextDocument::ImageResource, QUrl(name))), box);
        }
        QCOMPARE(browser->document()->resource(QTextDocument::StyleSheetResource, QUrl(fifo)), QVariant(QString("")));
        QVERIFY(m_messages.isEmpty());
    }

    // A page or a picture that would stall the viewer or exhaust its memory is refused with a
    // message; what lies within the limits is shown.
    void tooLargeIsRefused()
    {
        const auto nested = [](int depth) {
            return QByteArray("<table><tr><td>").repeated(depth) + "x" + QByteArray("</td></tr></TABLE>").repeated(depth);
        };
        const auto deep = [](const char* open, const char* close, int depth) {
            return QByteArray(open).repeated(depth) + "x" + QByteArray(close).repeated(depth);
        };
        const std::string tooDeep = "ページ /p.htm は要素の入れ子が深すぎるため表示しません（16 段まで）";
        const std::string tooManyCells = "ページ /p.htm は表のセルが多すぎるため表示しません（2000 個まで）";
        // A page written in UTF-16, as its byte order mark says: read as the viewer reads it.
        const auto utf16 = [](const QByteArray& ascii) {
            const QString text = QString::fromLatin1(ascii);
            return QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        };
        const struct {
            const char* what;
            QByteArray html;
            std::string problem;
        } pages[] = {
            { "a page at the limit", QByteArray(qsizetype{512} * 1024, 'x'), "" },
            { "a larger page", QByteArray(qsizetype{512} * 1024 + 1, 'x'), "ページ /p.htm は大きすぎるため表示しません（524288 バイトまで）" },
            { "tables 16 deep", nested(16), "" },
            { "tables 17 deep", nested(17), tooDeep },
            { "many tables side by side", nested(1).repeated(100), "" },
            { "lists 16 deep", deep("<ul><li>", "</li></ul>", 16), "" },
            { "lists 17 deep", deep("<ul><li>", "</li></ul>", 17), tooDeep },
            { "20,000 lists", deep("<ol><li>", "", 20000), tooDeep },
            { "blocks 17 deep", deep("<div>", "</div>", 17), tooDeep },
            { "inline elements 17 deep", deep("<span>", "</span>", 17), tooDeep },
            { "unknown elements 17 deep", deep("<tablex>", "", 17), tooDeep },
            { "lists 17 deep inside a script", "<script>" + deep("<ul>", "", 17), tooDeep },
            { "cells and paragraphs 129 deep", deep("<td><p>", "", 65), tooDeep },
            { "lists inside a comment", "<!--" + deep("<ul>", "", 17) + "-->", "" },
            { "lists written loosely 17 deep", deep("< ul>", "", 8) + deep("<\nol>", "", 9), tooDeep },
            { "processing instructions 17 deep", deep("<?x>", "", 17), tooDeep },
            { "1000 pictures", deep("<img src=x.png>", "", 1000), "" },
            { "1001 pictures", deep("<IMG src=x.png>", "", 1001), "ページ /p.htm は画像が多すぎるため表示しません（1000 個まで）" },
            { "elements closed where they open", deep("<a name='x'/><br><img src=x.png>", "", 100), "" },
            { "closed lists side by side", deep("<ul><li>x</li></ul>", "", 100), "" },
            { "paragraphs, items and cells whose end tags are left out", deep("<p>", "", 100) + deep("<li>", "", 100) +
                  "<dl>" + deep("<dt><dd>", "", 100) + "</dl><table>" + deep("<tr><td><td><th>", "", 100) + "</table>", "" },
            { "an end tag closes what is open within it", deep("<div><b><i>x</div>", "", 100), "" },
            { "lists 17 deep in UTF-16", utf16(deep("<ul>", "", 17)), tooDeep },
            { "a table of 2000 cells", "<table><tr>" + deep("<td>x", "", 2000) + "</table>", "" },
            { "a table of 2001 cells", "<table><tr>" + deep("<td>x", "", 2001) + "</table>", tooManyCells },
            { "a sparse table of 21 rows of 100 columns", "<table><tr>" + deep("<td>x", "", 100) + deep("<tr><td>", "", 20) + "</table>",
              tooManyCells },
            { "a table spanning 2147483647 columns", "<table><tr><td colspan=2147483647>x<tr><td>a<td>b</table>", "" },
            { "32 marks on a letter", "a" + deep("\xCC\x81", "", 32), "" },
            { "33 marks on a letter", "a" + deep("\xCC\x81", "", 33),
              "ページ /p.htm は一つの文字に重なる記号が多すぎるため表示しません（32 個まで）" },
            { "33 marks beyond the 16-bit plane", "a" + deep("\xF0\x9D\x85\xA5", "", 33),
              "ページ /p.htm は一つの文字に重なる記号が多すぎるため表示しません（32 個まで）" },
        };
        for (const auto& row : pages) {
            QCOMPARE(HelpBrowser::pageProblem("/p.htm", row.html), row.problem);
        }
        HelpBrowser browser(nullptr);
        browser.setHtml(QString::fromLatin1(nested(16)));
        browser.viewport()->grab(); // laid out at once

        const auto png = [](int width, int height) {
            QImage image(width, height, QImage::Format_RGB32);
            image.fill(Qt::blue);
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            image.save(&buffer, "PNG");
            return buffer.data();
        };
        const std::string tooLarge = "画像 /i.png は大きすぎるため表示しません（4194304 バイト、4096×4096 画素まで）";
        const struct {
            const char* what;
            QByteArray bytes;
            QSize shown;
            std::string problem;
        } pictures[] = {
            { "a picture", png(40, 30), QSize(40, 30), "" },
            { "as wide as allowed", png(4096, 1), QSize(4096, 1), "" },
            { "too wide", png(4097, 1), QSize(16, 16), tooLarge },
            { "too high", png(1, 4097), QSize(16, 16), tooLarge },
            { "too many bytes", png(40, 30) + QByteArray(qsizetype{4} * 1024 * 1024, '\0'), QSize(16, 16), tooLarge },
            { "no picture", "GIF89a", QSize(16, 16), "" },
        };
        for (const auto& row : pictures) {
            std::string problem;
            QCOMPARE(HelpBrowser::picture("/i.png", row.bytes, problem).size(), row.shown);
            QCOMPARE(problem, row.problem);
        }
    }

    // A run of text with no place to break a line gets one after every kLongestRun characters
    // (a zero-width space, which shows nothing), never within a character and its marks; text
    // that breaks by itself gets none. So too when the page is shown again through the history
    // in a window that is shown.
    void longRunsAreBroken_data()
    {
        QTest::addColumn<QString>("body");
        QTest::addColumn<int>("added"); // zero-width spaces, or -1: some
        const auto times = [](const QString& text, int count) { return text.repeated(count); };
        QTest::newRow("words") << times("word ", 2000) << 0;
        QTest::newRow("Japanese") << times(QStringLiteral("単位を換算します。"), 300) << 0;
        QTest::newRow("64 letters") << times("x", 64) << 0;
        QTest::newRow("65 letters") << times("x", 65) << 1;
        QTest::newRow("1000 letters") << times("x", 1000) << 15;
        QTest::newRow("an address") << "see http://example.invalid/" + times("a", 200) + " here" << -1;
        QTest::newRow("no-break spaces") << "<nobr>" + times("x ", 500) + "</nobr>" << -1;
        QTest::newRow("letters with marks") << times(QStringLiteral("e\u0301"), 100) << -1;
    }
    void longRunsAreBroken()
    {
        QFETCH(QString, body);
        QFETCH(int, added);
        const std::string page = "<html><body><p>" + body.toStdString() + "</p></body></html>";
        HelpBrowser browser(nullptr);
        browser.setFile(HelpFile::fromObjects("runs.chm", { { "/runs.htm", page }, { "/other.htm", "<p>other</p>" } }));
        const auto check = [&] {
            const QString text = browser.document()->toPlainText();
            const int spaces = int(text.count(QChar(0x200B)));
            QVERIFY2(added < 0 ? spaces > 0 : spaces == added, qPrintable(QString::number(spaces)));
            QCOMPARE(QString(text).remove(QChar(0x200B)).trimmed(), QTextDocumentFragment::fromHtml(body).toPlainText().trimmed());
            for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
                const QString line = block.text();
                QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, line);
                qsizetype last = 0;
                for (qsizetype next = breaks.toNextBoundary(); next != -1; next = breaks.toNextBoundary()) {
                    QVERIFY2(next - last <= HelpBrowser::kLongestRun + 1, qPrintable(QStringLiteral("%1 characters unbroken").arg(next - last)));
                    QVERIFY(next >= line.size() || line[next - 1] != QChar(0x200B) || !line[next].isMark());
                    last = next;
                }
            }
        };
        std::string error;
        QVERIFY2(browser.go({ "/runs.htm", {} }, error), error.c_str());
        check();
        browser.resize(400, 300);
        browser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&browser));
        QVERIFY(browser.go({ "/other.htm", {} }, error));
        browser.backward();
        QCOMPARE(browser.source(), QUrl("help:/runs.htm"));
        check();
        QCOMPARE(browser.horizontalScrollBar()->maximum(), 0);
    }

    // Help files whose pages, contents or index once held the viewer for seconds to minutes
    // (tests/help/hostile.sh makes them): each request is answered, the page shown whole within
    // the limits, or refused with a message. The time each took is printed, not judged.
    void hostileFilesAnswer_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("refused"); // what the message says; empty: the page shows
        QTest::addColumn<QChar>("letter");    // a character the page's text holds so often
        QTest::addColumn<int>("letters");
        QTest::addColumn<QSize>("table");     // the first table's columns and rows
        QTest::addColumn<int>("contents");    // entries in the contents pane
        QTest::addColumn<int>("index");       // and in the index pane
        const QSize none;
        QTest::newRow("an unbreakable run") << "unbreakable-run.chm" << "" << QChar('x') << 100000 << none << 1 << 1;
        QTest::newRow("invalid UTF-8") << "invalid-utf8.chm" << "" << QChar(0xFFFD) << 100000 << none << 1 << 1;
        QTest::newRow("a span of 2147483647 columns") << "wide-span.chm" << "" << QChar('b') << 1 << QSize(2, 2) << 1 << 1;
        QTest::newRow("a span of 65536 rows") << "tall-span.chm" << "" << QChar('b') << 1 << QSize(2, 2) << 1 << 1;
        QTest::newRow("a row of 20,000 cells") << "many-cells.chm" << "表のセルが多すぎるため表示しません（2000 個まで）"
                                               << QChar() << 0 << none << 0 << 0;
        QTest::newRow("a sparse grid") << "sparse-grid.chm" << "表のセルが多すぎるため表示しません（2000 個まで）"
                                       << QChar() << 0 << none << 0 << 0;
        QTest::newRow("100,000 marks on a letter") << "stacked-marks.chm" << "一つの文字に重なる記号が多すぎるため表示しません（32 個まで）"
                                                   << QChar() << 0 << none << 0 << 0;
        QTest::newRow("100,000 contents") << "long-contents.chm" << "" << QChar('c') << 2 << none << 10000 << 1;
        QTest::newRow("100,000 keywords") << "long-index.chm" << "" << QChar('c') << 1 << none << 1 << 10000;
    }
    void hostileFilesAnswer()
    {
        QFETCH(QString, file);
        QFETCH(QString, refused);
        QFETCH(QChar, letter);
        QFETCH(int, letters);
        QFETCH(QSize, table);
        QFETCH(int, contents);
        QFETCH(int, index);
        const QString path = QStringLiteral(MEZURA_DAMAGED_HELP "/") + file;
        // As the first request, and in the window already open at the help's own page.
        const auto answer = [&](HelpViewer& help, const char* how) {
            QElapsedTimer clock;
            clock.start();
            const bool shown = help.open(path.toStdString(), 1000);
            const bool exposed = !shown || QTest::qWaitForWindowExposed(help.window());
            if (shown) {
                help.window()->grab(); // laid out and painted
            }
            std::printf("hostile help file %s, %s: answered in %lld ms\n", qPrintable(file), how, clock.elapsed());
            return shown && exposed;
        };
        QVERIFY(viewer().open(kBuiltHelp.toStdString(), 1000));
        QVERIFY(QTest::qWaitForWindowExposed(viewer().window()));
        QCOMPARE(answer(viewer(), "in the open window"), refused.isEmpty());
        m_messages.clear();
        HelpViewer fresh;
        const bool shown = answer(fresh, "first request");
        if (!refused.isEmpty()) {
            QVERIFY(!shown);
            QCOMPARE(m_messages.size(), 1);
            QVERIFY2(m_messages[0].text.contains(refused), qPrintable(m_messages[0].text));
            return;
        }
        QVERIFY(shown);
        QVERIFY(m_messages.isEmpty());
        const HelpBrowser* browser = fresh.window()->browser();
        QCOMPARE(int(browser->document()->toPlainText().count(letter)), letters);
        // The page fits the window's width: no line is wider than the view.
        QCOMPARE(browser->horizontalScrollBar()->maximum(), 0);
        if (table.isValid()) {
            const QTextTable* shownTable = nullptr;
            for (QTextFrame* frame : browser->document()->rootFrame()->childFrames()) {
                shownTable = shownTable != nullptr ? shownTable : qobject_cast<QTextTable*>(frame);
            }
            QVERIFY(shownTable != nullptr);
            QCOMPARE(QSize(shownTable->columns(), shownTable->rows()), table);
        }
        FIND(contentsTree, QTreeWidget, fresh.window(), "helpContents");
        FIND(indexTree, QTreeWidget, fresh.window(), "helpIndex");
        FIND(contentsNote, QLabel, fresh.window(), "helpContentsCut");
        FIND(indexNote, QLabel, fresh.window(), "helpIndexCut");
        QCOMPARE(contentsTree->topLevelItemCount(), contents);
        QCOMPARE(indexTree->topLevelItemCount(), index);
        // A list cut short says so above it.
        const QString cut = QStringLiteral("項目が多すぎるため、初めの %1 項目だけを表示しています。").arg(kSitemapEntries);
        QCOMPARE(!contentsNote->isHidden(), contents == int(kSitemapEntries));
        QCOMPARE(!indexNote->isHidden(), index == int(kSitemapEntries));
        QCOMPARE(contentsNote->text(), contents == int(kSitemapEntries) ? cut : QString());
        QCOMPARE(indexNote->text(), index == int(kSitemapEntries) ? cut : QString());
    }

    // "?" in the settings window asks the help viewer's program, once the handler has
    // returned, for the help file beside the program; the viewer reports a missing file
    // itself. A second request reuses the running viewer; a viewer that crashes is reported
    // once, and the next request starts it afresh. The program's windows go on throughout.
    void helpRunsInAProgramOfItsOwn_data()
    {
        QTest::addColumn<bool>("present");
        QTest::newRow("present") << true;
        QTest::newRow("missing") << false;
    }
    void helpRunsInAProgramOfItsOwn()
    {
        QFETCH(bool, present);
        QTemporaryDir program;
        const QString helpFile = program.filePath("Mezura.chm");
        if (present) {
            QVERIFY(QFile::copy(kBuiltHelp, helpFile));
        }
        DiskFileSystem files;
        Binding binding;
        HelpClient& help = binding.host().helpClient();
        help.setProgram(QStringLiteral(MEZURA_HELP_PROGRAM));
        QStringList replies;
        connect(&help, &HelpClient::replied, this, [&replies](const QString& line) { replies << line; });
        binding.start(program.path().toStdString(), files);
        QWidget* settings = binding.view("config")->widget();
        FIND(question, QPushButton, settings, "Command6");
        const QString outcome = present ? "shown 1000" : "refused 1000";

        QTest::mouseClick(question, Qt::LeftButton);
        QVERIFY(help.process() == nullptr); // not yet: the handler runs
        QTRY_VERIFY_WITH_TIMEOUT(replies.contains(outcome), 20000);
        if (!present) {
            QCOMPARE(replies.size(), 2);
            QVERIFY2(replies[0].startsWith("message ") && replies[0].contains(helpFile)
                         && replies[0].contains("が見つかりません"),
                     qPrintable(replies[0]));
        }
        const qint64 first = help.process()->processId();
        replies.clear();
        QTest::mouseClick(question, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(replies.contains(outcome), 20000);
        QCOMPARE(help.process()->processId(), first);
        QVERIFY(m_messages.isEmpty());

        ::kill(static_cast<pid_t>(first), SIGKILL);
        QTRY_VERIFY_WITH_TIMEOUT(help.process() == nullptr, 20000);
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages[0].title, "ヨモギの単位計算－ヘルプ");
        QCOMPARE(m_messages[0].text, "ヘルプの画面が異常終了しました。次にヘルプを開くときに起動し直します。");
        replies.clear();
        QTest::mouseClick(question, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(replies.contains(outcome), 20000);
        QVERIFY(help.process()->processId() != first);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY(settings->isVisible() && !binding.app().ended());
    }

    // A viewer program that cannot be started is reported, and so is it again at the next
    // request.
    void missingViewerProgramIsReported()
    {
        QTemporaryDir program;
        HelpClient help;
        help.setProgram(program.filePath("mezura-help"));
        for (int request = 1; request <= 2; ++request) {
            help.open(kBuiltHelp.toStdString(), 1000);
            QTRY_COMPARE(m_messages.size(), request);
            QCOMPARE(m_messages.last().text, "ヘルプの画面のプログラム " + program.filePath("mezura-help") + " を起動できません。");
            QVERIFY(help.process() == nullptr);
        }
    }

private:
    static int visibleItems(const QTreeWidget* tree)
    {
        int count = 0;
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            count += tree->topLevelItem(i)->isHidden() ? 0 : 1;
        }
        return count;
    }

    HelpViewer& viewer()
    {
        if (!m_viewer) {
            m_viewer = std::make_unique<HelpViewer>();
        }
        return *m_viewer;
    }

    test::ModalGuard m_guard;
    std::unique_ptr<HelpViewer> m_viewer; // shared by the cases that open the built file
    HelpWindow* m_firstWindow = nullptr;
    QList<Message> m_messages;
};

} // namespace mezura::ui

MEZURA_UI_TEST_MAIN(mezura::ui::HelpViewerTest)
#include "helpviewer_test.moc"
// clang-format on
