// The page view of the help viewer; what it may read from the help file and what it refuses.
#include "ui/helpbrowser.h"

#include "framework/frame.h"
#include "help/html.h"
#include "ui/messages.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QRegularExpression>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStringDecoder>
#include <QStyle>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <string_view>
#include <utility>

namespace mezura::ui {

namespace {
const QString kScheme = QStringLiteral("help");

// Beyond these a page or a picture would stall the viewer for minutes or exhaust its memory;
// the help's own pages are a few kilobytes, its pictures a few hundred pixels wide.
constexpr qsizetype kLargestPage = qsizetype{512} * 1024;
constexpr std::size_t kDeepestNesting = 16;
// Pictures side by side take the layout time growing with the square of their number.
constexpr std::size_t kMostPictures = 1000;
constexpr qsizetype kLargestPicture = qsizetype{4} * 1024 * 1024;
constexpr int kWidestPicture = 4096;
// Table cells (each table's rows times its columns), whose layout takes time growing faster
// than their number.
constexpr std::size_t kMostCells = 2000;
// Marks stacked on one character: shaping such a cluster takes time growing faster than its
// length. Text of any language stacks a handful.
constexpr int kMostMarks = 32;

// A page's text: decoded once, as its <meta> names its encoding, else as UTF-8; bytes that are
// no text of that encoding read as U+FFFD.
QString pageText(const QByteArray& html)
{
    QStringDecoder decoder = QStringDecoder::decoderForHtml(html);
    if (!decoder.isValid()) {
        decoder = QStringDecoder(QStringDecoder::Utf8);
    }
    return decoder(html);
}

// The most marks (accents and the like) stacked on one character of `text`.
int mostMarks(const QString& text)
{
    int most = 0;
    int marks = 0;
    for (qsizetype at = 0; at < text.size(); ++at) {
        char32_t c = text[at].unicode();
        if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[at], text[at + 1]);
            ++at;
        }
        const QChar::Category category = QChar::category(c);
        marks = category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
                category == QChar::Mark_Enclosing
            ? marks + 1
            : 0;
        most = std::max(most, marks);
    }
    return most;
}

// Where a zero-width space goes into `text` (a paragraph) so that no run of it is longer than
// `longest` without a place to break the line, a character beyond ASCII counting three (its
// glyph, a kanji's or a replacement character's, is as wide as two or three letters): the
// break goes before the character that makes the run too long, at the end of the character
// (with its marks) that stands there.
QList<qsizetype> addedBreaks(const QString& text, qsizetype longest)
{
    constexpr qsizetype kWide = 3;
    QList<qsizetype> places;
    if (text.size() * kWide <= longest) {
        return places;
    }
    QTextBoundaryFinder lines(QTextBoundaryFinder::Line, text);
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    qsizetype last = 0;
    for (qsizetype next = lines.toNextBoundary(); next != -1; next = lines.toNextBoundary()) {
        qsizetype run = 0;
        for (qsizetype at = last; at < next; ++at) {
            run += text.at(at).unicode() < 0x80 ? 1 : kWide;
            if (run <= longest) {
                continue;
            }
            characters.setPosition(at);
            const qsizetype place = characters.isAtBoundary() ? at : characters.toNextBoundary();
            if (place == -1 || place >= next) {
                break;
            }
            places << place;
            last = place;
            at = place - 1; // the next run starts with the character at the break
            run = 0;
        }
        last = next;
    }
    return places;
}

// What a refused picture shows: an empty box.
QImage emptyBox()
{
    QImage box(16, 16, QImage::Format_ARGB32);
    box.fill(Qt::transparent);
    for (int i = 0; i < 16; ++i) {
        for (const QPoint& edge : {QPoint(i, 0), QPoint(i, 15), QPoint(0, i), QPoint(15, i)}) {
            box.setPixel(edge, qRgb(0xA0, 0xA0, 0xA0));
        }
    }
    return box;
}

// A style sheet with its point sizes scaled to `percent`: "font-size: 10pt" at 150 reads
// "font-size: 15pt".
QString zoomed(QString css, int percent)
{
    if (percent == 100) {
        return css;
    }
    static const QRegularExpression points(QStringLiteral("(\\d+(?:\\.\\d+)?)pt\\b"));
    QString out;
    qsizetype at = 0;
    for (const QRegularExpressionMatch& match : points.globalMatch(css)) {
        out += css.mid(at, match.capturedStart() - at);
        out += QString::number(match.captured(1).toDouble() * percent / 100.0, 'g', 4) + QStringLiteral("pt");
        at = match.capturedEnd();
    }
    return out + css.mid(at);
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
        if (!href.isEmpty() && type.compare(QLatin1String("text/css"), Qt::CaseInsensitive) != 0 &&
            rel.split(QLatin1Char(' ')).contains(QLatin1String("stylesheet"), Qt::CaseInsensitive)) {
            links << href;
        }
    }
    return links;
}
} // namespace

QString helpTitle()
{
    return QString::fromUtf8(kTitlePrefix) + QStringLiteral("ヘルプ");
}

void reportHelpProblem(const std::string& problem)
{
    showMessage({MessageKind::Warning, helpTitle(), QString::fromStdString(problem)});
}

HelpBrowser::HelpBrowser(QWidget* parent)
    : QTextBrowser(parent)
{
    // Lines break between words and between Japanese characters, never inside a word or a
    // number: a page narrower than a table's longest number scrolls sideways instead, and the
    // table's other cells keep their words whole.
    setWordWrapMode(QTextOption::WordWrap);
    // Every link goes through follow(): only places inside the help file are opened.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::follow);
    // A row landed on is tinted fully for two thirds of the time, then fades away.
    m_rowMark.setDuration(kRowMarkMs);
    m_rowMark.setStartValue(1.0);
    m_rowMark.setKeyValueAt(2.0 / 3.0, 1.0);
    m_rowMark.setEndValue(0.0);
    connect(&m_rowMark, &QVariantAnimation::valueChanged, this,
            [this](const QVariant& strength) { tintRow(strength.toReal()); });
    // Told before anything else of a page shown: its document is read, not yet laid out.
    connect(this, &QTextBrowser::sourceChanged, this, &HelpBrowser::pageRead);
}

void HelpBrowser::pageRead()
{
    if (!m_pageSize) {
        return; // the same page at another place: nothing read
    }
    // Added all at once, back to front, so that the places found stay where they are.
    QList<int> places;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (const qsizetype place : addedBreaks(block.text(), kLongestRun)) {
            places << block.position() + static_cast<int>(place);
        }
    }
    if (!places.isEmpty()) {
        QTextCursor cursor(document());
        cursor.beginEditBlock();
        for (qsizetype i = places.size(); i-- > 0;) {
            cursor.setPosition(places[i]);
            cursor.insertText(QString(QChar(0x200B)));
        }
        cursor.endEditBlock();
    }
    // Laid out now, once, at the width it had; in a view never shown, once it has the width
    // its window gives it (HelpWindow::fitToPage), or as it first shows.
    document()->documentLayout()->blockSignals(false);
    const QSizeF size = *std::exchange(m_pageSize, std::nullopt);
    if (m_shown) {
        document()->setPageSize(size);
    }
}

void HelpBrowser::resizeEvent(QResizeEvent* event)
{
    // A page already laid out at the view's new width (the first page, at the width its window
    // took for it) is not laid out again: only the scroll bars follow the view's size, as the
    // document's size tells them. The width counts the vertical scroll bar that a page taller
    // than the view is about to show.
    const QSizeF page = document()->pageSize();
    if (event->size().width() == event->oldSize().width() || page.height() >= 0) {
        QTextBrowser::resizeEvent(event);
        return;
    }
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    const int width = viewport()->width();
    const bool barToShow =
        !verticalScrollBar()->isVisibleTo(this) && layout->documentSize().height() > viewport()->height();
    const int bar = barToShow ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    if (page.width() != width && page.width() != width - bar) {
        QTextBrowser::resizeEvent(event);
        return;
    }
    // The scroll area's own handling, without the text edit's new layout.
    // NOLINTNEXTLINE(bugprone-parent-virtual-call)
    QAbstractScrollArea::resizeEvent(event);
    // The scroll bar shown first, so that the view does not lay the page out again as it shows
    // it.
    if (page.width() != width) {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    emit layout->documentSizeChanged(layout->documentSize());
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

std::optional<HelpLink> helpLink(const std::string& fromPage, QString href)
{
    href.replace(QStringLiteral("%5C"), QStringLiteral("/"), Qt::CaseInsensitive)
        .replace(QLatin1Char('\\'), QLatin1Char('/'));
    QUrl from;
    from.setScheme(kScheme);
    from.setPath(QString::fromStdString(fromPage.starts_with('/') ? fromPage : "/" + fromPage));
    const QUrl target = from.resolved(QUrl(href));
    if (target.scheme() != kScheme) {
        return std::nullopt;
    }
    return HelpLink{target.path(QUrl::FullyDecoded).toStdString(), target.fragment(QUrl::FullyDecoded).toStdString()};
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
    m_landing.clear();
    if (link.fragment.empty()) {
        verticalScrollBar()->setValue(0); // a topic opens at its top, also on the page shown
    } else if (isVisible()) {
        land(QString::fromStdString(link.fragment));
    } else {
        m_landing = QString::fromStdString(link.fragment); // laid out at its size once shown
    }
    return true;
}

void HelpBrowser::showEvent(QShowEvent* event)
{
    m_shown = true;
    QTextBrowser::showEvent(event);
    if (!m_landing.isEmpty()) {
        land(std::exchange(m_landing, QString()));
    }
}

bool HelpBrowser::land(const QString& anchor)
{
    QTextBlock block;
    for (QTextBlock it = document()->begin(); it.isValid() && !block.isValid(); it = it.next()) {
        for (auto part = it.begin(); !part.atEnd(); ++part) {
            if (part.fragment().charFormat().anchorNames().contains(anchor)) {
                block = it;
                break;
            }
        }
    }
    if (!block.isValid()) {
        return false;
    }
    m_rowMark.stop();
    tintRow(0.0); // a row marked before looks as it did
    QAbstractTextDocumentLayout* layout = document()->documentLayout();
    QRectF place = layout->blockBoundingRect(block);
    QTextCursor at(block);
    QTextTable* table = at.currentTable();
    m_markedTable = table;
    m_markedCells.clear();
    if (table != nullptr) {
        // The row: every cell that begins in it, from its top border to its bottom one (a
        // cell spanning rows from above is the rows' before, one spanning columns counted
        // once).
        const int row = table->cellAt(at).row();
        const qreal border = table->format().border();
        place = QRectF();
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (!cell.isValid() || cell.row() != row || cell.column() != column) {
                continue;
            }
            const QTextTableCellFormat look = cell.format().toTableCellFormat();
            QRectF text = layout->blockBoundingRect(cell.firstCursorPosition().block())
                              .united(layout->blockBoundingRect(cell.lastCursorPosition().block()));
            text.adjust(0, -look.topPadding() - border, 0, look.bottomPadding() + border);
            place = place.isNull() ? text : place.united(text);
            m_markedCells.append({QPoint(column, row), cell.format()});
        }
    }
    // A line's room above: the row stands whole below the top of the view.
    verticalScrollBar()->setValue(qRound(place.top()) - fontMetrics().lineSpacing());
    if (!m_markedCells.isEmpty()) {
        tintRow(1.0);
        m_rowMark.start();
    }
    return true;
}

void HelpBrowser::tintRow(qreal strength)
{
    if (m_markedTable.isNull()) {
        return; // the page is no longer shown: the row went with it
    }
    // The theme's highlight mixed into the page's own background, so that the theme's text
    // stays readable on it.
    const QColor base = palette().color(QPalette::Base);
    const QColor highlight = palette().color(QPalette::Highlight);
    const qreal share = 0.4 * strength;
    const auto mixed = [share](int a, int b) { return a + qRound((b - a) * share); };
    const QColor tint(mixed(base.red(), highlight.red()), mixed(base.green(), highlight.green()),
                      mixed(base.blue(), highlight.blue()));
    for (const auto& [cell, look] : std::as_const(m_markedCells)) {
        QTextTableCell marked = m_markedTable->cellAt(cell.y(), cell.x());
        if (!marked.isValid()) {
            continue;
        }
        QTextCharFormat format = look;
        if (strength > 0) {
            format.setBackground(tint);
        }
        marked.setFormat(format);
    }
    if (strength <= 0) {
        m_markedTable.clear();
    }
}

HelpLink HelpBrowser::current() const
{
    return place(source()).value_or(HelpLink{});
}

void HelpBrowser::setZoom(int percent)
{
    if (percent == m_zoom) {
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    const double read = bar->maximum() > 0 ? double(bar->value()) / bar->maximum() : 0.0;
    m_zoom = percent;
    QFont text = font();
    if (m_pointSize <= 0) {
        m_pointSize = text.pointSizeF();
    }
    text.setPointSizeF(m_pointSize * percent / 100.0);
    setFont(text);
    reload(); // the page and its style sheet read again at the new size
    bar->setValue(qRound(read * bar->maximum()));
}

std::optional<HelpLink> HelpBrowser::place(const QUrl& url) const
{
    return helpLink(url.isRelative() ? m_page : "/", url.toString(QUrl::FullyEncoded));
}

void HelpBrowser::follow(const QUrl& url)
{
    const std::optional<HelpLink> target = place(url);
    if (!target) {
        return; // a link out of the help file: the viewer shows the help file only
    }
    std::string error;
    if (!go(*target, error)) {
        reportHelpProblem(error);
    }
}

std::string HelpBrowser::pageProblem(const std::string& page, const QByteArray& html)
{
    if (html.size() > kLargestPage) {
        return "ページ " + page + " は大きすぎるため表示しません（" + std::to_string(kLargestPage) + " バイトまで）";
    }
    const QString decoded = pageText(html);
    const std::string utf8 = decoded.toStdString();
    const std::string_view text = utf8;
    if (html::nestsTooDeep(text, kDeepestNesting)) {
        return "ページ " + page + " は要素の入れ子が深すぎるため表示しません（" + std::to_string(kDeepestNesting) +
            " 段まで）";
    }
    if (html::countTags(text, "img", kMostPictures) > kMostPictures) {
        return "ページ " + page + " は画像が多すぎるため表示しません（" + std::to_string(kMostPictures) + " 個まで）";
    }
    if (html::tableCells(text, kMostCells) > kMostCells) {
        return "ページ " + page + " は表のセルが多すぎるため表示しません（" + std::to_string(kMostCells) + " 個まで）";
    }
    if (mostMarks(decoded) > kMostMarks) {
        return "ページ " + page + " は一つの文字に重なる記号が多すぎるため表示しません（" + std::to_string(kMostMarks) +
            " 個まで）";
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
        problem = "画像 " + name + " は大きすぎるため表示しません（" + std::to_string(kLargestPicture) + " バイト、" +
            std::to_string(kWidestPicture) + "×" + std::to_string(kWidestPicture) + " 画素まで）";
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
        // The page names its encoding; the help pages are written in UTF-8. Its table cells
        // span no more than the table holds.
        const QString html = QString::fromStdString(html::clampSpans(pageText(content).toStdString()));
        // The document reads a linked style sheet only when the link says type="text/css"
        // (as the help's own pages do); the style sheets of links that do not say so become
        // the document's default ones, so that such a page is laid out with them as well.
        QString css;
        for (const QString& href : untypedStyleSheetLinks(html)) {
            css += loadResource(QTextDocument::StyleSheetResource, QUrl(href)).toString() + QLatin1Char('\n');
        }
        document()->setDefaultStyleSheet(css);
        // Read without a layout, and without the view asking for one: laid out once its long
        // runs are broken (pageRead).
        if (!m_pageSize) {
            m_pageSize = document()->pageSize();
        }
        document()->setPageSize(QSizeF(0, 0)); // null: no layout
        document()->documentLayout()->blockSignals(true);
        return html;
    }
    case QTextDocument::StyleSheetResource:
        return content.size() > kLargestPage ? refused() : zoomed(QString::fromUtf8(content), m_zoom);
    case QTextDocument::ImageResource: {
        std::string problem;
        QImage image = picture(target->page, content, problem);
        if (!problem.empty() && !std::exchange(m_pictureReported, true)) {
            reportHelpProblem(problem); // once a page: a page of many such pictures is one problem
        }
        return image;
    }
    default:
        return refused();
    }
}

} // namespace mezura::ui
