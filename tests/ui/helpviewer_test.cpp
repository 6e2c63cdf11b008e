#include "startup/files.h"
#include "ui/binding.h"
#include "ui/helpclient.h"
#include "ui/helpviewer.h"
#include "ui/messages.h"
#include "uitest.h"

#include <QAction>
#include <QBuffer>
#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <memory>

#include <csignal>
#include <sys/stat.h>

namespace mezura::ui {

namespace {
// The help file that the build compiled beside the program.
const QString kBuiltHelp = QStringLiteral(MEZURA_HELP_FILE);

QString firstLine(const QTextBrowser* browser) { return browser->document()->begin().text().trimmed(); }

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
        // clang-format off
        QTest::newRow("common") << 1000 << "/common.htm" << "共通事項" << "ヨモギの単位計算 ― 共通事項";
        QTest::newRow("length") << 1010 << "/length.htm" << "長さの画面" << "長さの画面";
        QTest::newRow("square") << 1020 << "/square.htm" << "面積の画面" << "面積の画面";
        QTest::newRow("cubic") << 1030 << "/cubic.htm" << "体積の画面" << "体積の画面";
        QTest::newRow("weight") << 1040 << "/weight.htm" << "重さの画面" << "重さの画面";
        QTest::newRow("press") << 1050 << "/press.htm" << "圧力の画面" << "圧力の画面";
        QTest::newRow("temp") << 1060 << "/temp.htm" << "温度の画面" << "温度の画面";
        QTest::newRow("year") << 1070 << "/year.htm" << "年号の画面" << "年号の画面";
        QTest::newRow("velocity") << 1080 << "/velocity.htm" << "速度の画面" << "速度の画面";
        QTest::newRow("heat") << 1090 << "/heat.htm" << "熱量の画面" << "熱量の画面";
        QTest::newRow("radio") << 1100 << "/radio.htm" << "壊変率の画面" << "壊変率の画面";
        // clang-format on
    }
    // One window for all of them; the page's style sheet comes from the file as well (its
    // headings are 14 points).
    void everyTopicShowsItsPage()
    {
        QFETCH(int, topic);
        QFETCH(QString, page);
        QFETCH(QString, title);
        QFETCH(QString, heading);
        HelpViewer& help = viewer();
        QVERIFY(help.open(kBuiltHelp.toStdString(), topic));
        QVERIFY(m_messages.isEmpty());
        HelpWindow* window = help.window();
        QVERIFY(window != nullptr && window->isVisible());
        if (m_firstWindow == nullptr) {
            m_firstWindow = window;
        }
        QCOMPARE(window, m_firstWindow);
        QCOMPARE(window->windowTitle(), "ヨモギの単位計算－ヘルプ");
        const HelpBrowser* browser = window->browser();
        QCOMPARE(browser->source(), QUrl("help:" + page));
        QCOMPARE(browser->documentTitle(), title);
        QCOMPARE(firstLine(browser), heading);
        QCOMPARE(browser->document()->begin().charFormat().fontPointSize(), 14.0);
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
        QVERIFY(back->isEnabled() && !forward->isEnabled());
        back->trigger();
        QCOMPARE(browser->documentTitle(), "共通事項");
        QVERIFY(forward->isEnabled());
        forward->trigger();
        QCOMPARE(browser->documentTitle(), "長さの画面");
        QVERIFY(m_messages.isEmpty());
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
        const struct {
            const char* what;
            QByteArray html;
            std::string problem;
        } pages[] = {
            { "a page at the limit", QByteArray(512 * 1024, 'x'), "" },
            { "a larger page", QByteArray(512 * 1024 + 1, 'x'), "ページ /p.htm は大きすぎるため表示しません（524288 バイトまで）" },
            { "tables 16 deep", nested(16), "" },
            { "tables 17 deep", nested(17), "ページ /p.htm は表の入れ子が深すぎるため表示しません（16 段まで）" },
            { "many tables side by side", nested(1).repeated(100), "" },
            { "a word starting with table", "<tablex><tablex><tablex><tablex><tablex><tablex><tablex><tablex><tablex><tablex><tablex>"
                                              "<tablex><tablex><tablex><tablex><tablex><tablex>", "" },
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
            { "too many bytes", png(40, 30) + QByteArray(4 * 1024 * 1024, '\0'), QSize(16, 16), tooLarge },
            { "no picture", "GIF89a", QSize(16, 16), "" },
        };
        for (const auto& row : pictures) {
            std::string problem;
            QCOMPARE(HelpBrowser::picture("/i.png", row.bytes, problem).size(), row.shown);
            QCOMPARE(problem, row.problem);
        }
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
