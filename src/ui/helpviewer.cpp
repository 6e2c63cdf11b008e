#include "ui/helpviewer.h"

#include "framework/frame.h"
#include "ui/icon.h"
#include "ui/messages.h"

#include <QAction>
#include <QBuffer>
#include <QImageReader>
#include <QImage>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringDecoder>
#include <QStyle>
#include <QToolBar>
#include <algorithm>
#include <cctype>
#include <utility>

namespace mezura::ui {

namespace {
const QString kScheme = QStringLiteral("help");

// Beyond these a page or a picture would stall the viewer for minutes or exhaust its memory;
// the help's own pages are a few kilobytes, its pictures a few hundred pixels wide.
constexpr qsizetype kLargestPage = qsizetype{512} * 1024;
constexpr int kDeepestTables = 16;
constexpr qsizetype kLargestPicture = qsizetype{4} * 1024 * 1024;
constexpr int kWidestPicture = 4096;

// What a refused picture shows: an empty box.
QImage emptyBox()
{
    QImage box(16, 16, QImage::Format_ARGB32);
    box.fill(Qt::transparent);
    for (int i = 0; i < 16; ++i) {
        for (const QPoint& edge : { QPoint(i, 0), QPoint(i, 15), QPoint(0, i), QPoint(15, i) }) {
            box.setPixel(edge, qRgb(0xA0, 0xA0, 0xA0));
        }
    }
    return box;
}

// The deepest nesting of tables in an HTML page; only up to `limit` + 1 is counted.
int tableDepth(const QByteArray& html, int limit)
{
    int depth = 0;
    int deepest = 0;
    for (qsizetype at = html.indexOf('<'); at >= 0 && deepest <= limit; at = html.indexOf('<', at + 1)) {
        const bool closing = at + 1 < html.size() && html[at + 1] == '/';
        const QByteArray name = html.mid(at + (closing ? 2 : 1), 6).toLower();
        if (!name.startsWith("table") || (name.size() == 6 && std::isalnum(static_cast<unsigned char>(name[5])) != 0)) {
            continue;
        }
        depth = closing ? std::max(depth - 1, 0) : depth + 1;
        deepest = std::max(deepest, depth);
    }
    return deepest;
}

QString helpTitle() { return QString::fromUtf8(kTitlePrefix) + QStringLiteral("ヘルプ"); }

void report(const std::string& problem)
{
    showMessage({ MessageKind::Warning, helpTitle(), QString::fromStdString(problem) });
}

// "/common.htm#fields" -> {"/common.htm", "fields"}
HelpLink split(const std::string& page)
{
    const auto hash = page.find('#');
    if (hash == std::string::npos) {
        return { page, {} };
    }
    return { page.substr(0, hash), page.substr(hash + 1) };
}

// The addresses of the style sheets that an HTML page links without saying type="text/css":
// <link rel="stylesheet" href="...">. The document reads those that say it by itself.
QStringList untypedStyleSheetLinks(const QString& html)
{
    static const QRegularExpression tag(QStringLiteral("<link\\s[^>]*>"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression attribute(
        QStringLiteral("\\b(rel|href|type)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList links;
    for (const QRegularExpressionMatch& link : tag.globalMatch(html)) {
        QString rel;
        QString href;
        QString type;
        for (const QRegularExpressionMatch& pair : attribute.globalMatch(link.captured())) {
            const QString value = pair.captured(2) + pair.captured(3) + pair.captured(4);
            const QString name = pair.captured(1).toLower();
            if (name == QLatin1String("rel")) {
                rel = value;
            } else if (name == QLatin1String("type")) {
                type = value;
            } else {
                href = value;
            }
        }
        if (!href.isEmpty() && type.compare(QLatin1String("text/css"), Qt::CaseInsensitive) != 0
            && rel.split(QLatin1Char(' ')).contains(QLatin1String("stylesheet"), Qt::CaseInsensitive)) {
            links << href;
        }
    }
    return links;
}
} // namespace

HelpBrowser::HelpBrowser(QWidget* parent)
    : QTextBrowser(parent)
{
    // Every link goes through follow(): only places inside the help file are opened.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::follow);
}

QUrl HelpBrowser::address(const HelpLink& link)
{
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(QString::fromStdString(link.page));
    if (!link.fragment.empty()) {
        url.setFragment(QString::fromStdString(link.fragment));
    }
    return url;
}

void HelpBrowser::setFile(HelpFile file)
{
    const bool another = !m_file || m_file->path() != file.path();
    m_file = std::move(file);
    if (another) {
        clearHistory(); // the pages visited were those of another file
    }
}

bool HelpBrowser::go(const HelpLink& link, std::string& error)
{
    if (!m_file) {
        error = "ヘルプファイルが開かれていません";
        return false;
    }
    const std::optional<std::string> bytes = m_file->read(link.page, error);
    if (!bytes) {
        return false;
    }
    error = pageProblem(link.page, QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size())));
    if (!error.empty()) {
        return false;
    }
    setSource(address(link));
    if (link.fragment.empty()) {
        verticalScrollBar()->setValue(0); // a topic opens at its top, also on the page shown
    }
    return true;
}

std::optional<HelpLink> HelpBrowser::place(const QUrl& url) const
{
    if (url.isRelative()) {
        return resolveLink(m_page, url.toString(QUrl::FullyEncoded).toStdString());
    }
    if (url.scheme() != kScheme) {
        return std::nullopt;
    }
    std::string path = url.path(QUrl::FullyEncoded).toStdString();
    if (url.hasFragment()) {
        path.push_back('#');
        path += url.fragment(QUrl::FullyEncoded).toStdString();
    }
    return resolveLink("/", path);
}

void HelpBrowser::follow(const QUrl& url)
{
    const std::optional<HelpLink> target = place(url);
    if (!target) {
        return; // a link out of the help file: the viewer shows the help file only
    }
    std::string error;
    if (!go(*target, error)) {
        report(error);
    }
}

std::string HelpBrowser::pageProblem(const std::string& page, const QByteArray& html)
{
    if (html.size() > kLargestPage) {
        return "ページ " + page + " は大きすぎるため表示しません（" + std::to_string(kLargestPage) + " バイトまで）";
    }
    if (tableDepth(html, kDeepestTables) > kDeepestTables) {
        return "ページ " + page + " は表の入れ子が深すぎるため表示しません（" + std::to_string(kDeepestTables) + " 段まで）";
    }
    return {};
}

QImage HelpBrowser::picture(const std::string& name, const QByteArray& bytes, std::string& problem)
{
    problem.clear();
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    const QSize size = reader.size(); // from the picture's header, nothing decoded yet
    if (bytes.size() > kLargestPicture || size.width() > kWidestPicture || size.height() > kWidestPicture) {
        problem = "画像 " + name + " は大きすぎるため表示しません（" + std::to_string(kLargestPicture) + " バイト、"
                  + std::to_string(kWidestPicture) + "×" + std::to_string(kWidestPicture) + " 画素まで）";
        return emptyBox();
    }
    // Decoded by its content whatever its name says; bytes that are no picture show the box.
    QImage image = QImage::fromData(bytes);
    if (image.isNull() || image.width() > kWidestPicture || image.height() > kWidestPicture) {
        return emptyBox();
    }
    return image;
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    // Every answer is a value, also for what is refused: given nothing, the document would
    // read the address itself, from the disk or from any device it names.
    const auto refused = [type]() -> QVariant {
        switch (type) {
        case QTextDocument::ImageResource:
            return emptyBox();
        case QTextDocument::HtmlResource:
        case QTextDocument::StyleSheetResource:
            return QString(QLatin1String(""));
        default:
            return QByteArray("");
        }
    };
    const std::optional<HelpLink> target = place(name);
    if (!m_file || !target) {
        return refused();
    }
    std::string error;
    const std::optional<std::string> bytes = m_file->read(target->page, error);
    if (!bytes) {
        return refused();
    }
    const QByteArray content(bytes->data(), static_cast<qsizetype>(bytes->size()));
    switch (type) {
    case QTextDocument::HtmlResource: {
        if (!pageProblem(target->page, content).empty()) {
            return refused(); // reached through the history: the page was reported when first shown
        }
        m_page = target->page; // the page's own links and pictures are seen from it
        m_pictureReported = false;
        // The page names its encoding; the help pages are written in UTF-8.
        QStringDecoder decoder = QStringDecoder::decoderForHtml(content);
        if (!decoder.isValid()) {
            decoder = QStringDecoder(QStringDecoder::Utf8);
        }
        const QString html = decoder(content);
        // The document reads a linked style sheet only when the link says type="text/css"
        // (as the help's own pages do); the style sheets of links that do not say so become
        // the document's default ones, so that such a page is laid out with them as well.
        QString css;
        for (const QString& href : untypedStyleSheetLinks(html)) {
            css += loadResource(QTextDocument::StyleSheetResource, QUrl(href)).toString() + QLatin1Char('\n');
        }
        document()->setDefaultStyleSheet(css);
        return html;
    }
    case QTextDocument::StyleSheetResource:
        return content.size() > kLargestPage ? refused() : QString::fromUtf8(content);
    case QTextDocument::ImageResource: {
        std::string problem;
        QImage image = picture(target->page, content, problem);
        if (!problem.empty() && !std::exchange(m_pictureReported, true)) {
            report(problem); // once a page: a page of many such pictures is one problem
        }
        return image;
    }
    default:
        return refused();
    }
}

HelpWindow::HelpWindow()
    : m_browser(new HelpBrowser(this))
{
    setObjectName(QStringLiteral("help"));
    setWindowTitle(helpTitle());
    setWindowIcon(ui::windowIcon());
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    setCentralWidget(m_browser);

    QToolBar* bar = addToolBar(QStringLiteral("移動"));
    bar->setObjectName(QStringLiteral("helpTools"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("戻る"));
    back->setObjectName(QStringLiteral("back"));
    back->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("進む"));
    forward->setObjectName(QStringLiteral("forward"));
    forward->setEnabled(false);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    resize(560, 480);
}

HelpViewer::HelpViewer() = default;
HelpViewer::~HelpViewer() = default;

bool HelpViewer::open(const std::string& path, int topic)
{
    if (path.empty()) {
        report("ヘルプファイルが決まっていません（プログラムの起動が済んでいません）");
        return false;
    }
    std::string error;
    std::optional<HelpFile> file = HelpFile::open(path, error);
    if (!file) {
        report(error);
        return false;
    }
    const std::optional<std::string> page = file->pageForTopic(topic, error);
    if (!page) {
        report(error);
        return false;
    }
    if (!m_window) {
        m_window = std::make_unique<HelpWindow>();
    }
    HelpBrowser* browser = m_window->browser();
    // Opened anew at every request: a help file replaced meanwhile is read as it is now.
    browser->setFile(std::move(*file));
    if (!browser->go(split(*page), error)) {
        report(error);
        return false;
    }
    if (m_window->isMinimized()) {
        m_window->showNormal();
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return true;
}

void HelpViewer::close()
{
    if (m_window) {
        m_window->close();
    }
}

} // namespace mezura::ui
