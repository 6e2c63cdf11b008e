// The page view of the help viewer: one help file's pages, each shown with the links,
// pictures and style sheets it names, all read from that same file and from nowhere else; a
// page or picture too large to show safely is refused and reported. HelpWindow holds one and
// tells it which file and which place to show; the browser follows the links clicked on its
// pages by itself. Also here: what the viewer's messages are titled and how they are shown.
#pragma once

#include "help/helpfile.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <QTextBrowser>
#include <QTextCharFormat>
#include <QTextTable>
#include <QUrl>
#include <QVariant>
#include <QVariantAnimation>
#include <optional>
#include <string>
#include <utility>

namespace mezura::ui {

// The title of the help window and of the boxes that report its problems.
QString helpTitle();
// Shows a problem of the help viewer (a page, picture or topic it cannot show) to the user.
void reportHelpProblem(const std::string& problem);

// Where `href`, written in the page `fromPage`, leads inside the help file:
// ("/sub/a.htm", "../b.htm#x") -> {"/b.htm", "x"}; ("/a.htm", "#top") -> {"/a.htm", "top"}.
// A "\\" counts as "/", a query is left out. Nothing for a link that leaves the file
// ("http:", "mailto:" ...).
std::optional<HelpLink> helpLink(const std::string& fromPage, QString href);

// The pages of one help file. Its addresses are "help:/length.htm", "help:/common.htm#fields".
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpBrowser(QWidget* parent);

    static QUrl address(const HelpLink& link);

    // The file that pages are read from from now on (the viewer reopens it at every request).
    void setFile(HelpFile file);
    const std::optional<HelpFile>& file() const { return m_file; }

    // Shows `link` when the file holds its page; false, with `error` set, when not. A place
    // on the page is brought into view (see land()), once the browser shows.
    bool go(const HelpLink& link, std::string& error);

    // Brings the place `anchor` of the page shown into view, the table row that holds it
    // whole, with a line's room above it, and marks the row for a moment (kRowMarkMs), its
    // cells tinted with the theme's highlight colour, the tint fading away. False for a name
    // that the page lacks.
    bool land(const QString& anchor);
    static constexpr int kRowMarkMs = 1500;

    // A page, picture or style sheet of the current page, read from the help file. Nothing
    // else is ever read: any other address, and anything too large, gets an empty value (a
    // picture an empty box), never nothing, which would let the document read it itself.
    QVariant loadResource(int type, const QUrl& name) override;

    // Why the page `page` of these bytes is not shown (too large, tables nested so deep or
    // with so many cells, or characters with so many marks stacked on them, that laying it out
    // would take minutes or overflow the stack), or empty.
    static std::string pageProblem(const std::string& page, const QByteArray& html);
    // A page's text runs longer than this without a place to break the line are given one
    // (a zero-width space) wherever a run reaches kLongestRun (a character beyond ASCII counts
    // three): the viewer takes time growing with the square of a run's length to fit it into lines.
    static constexpr int kLongestRun = 64;
    // The picture `name` of these bytes, or an empty box for bytes that are no picture, and
    // for a picture too large to show, with `problem` saying so.
    static QImage picture(const std::string& name, const QByteArray& bytes, std::string& problem);

    // The size of the text in percent of the pages' own (100): the page is laid out anew at
    // it, the place read kept.
    int zoom() const { return m_zoom; }
    void setZoom(int percent);

    // The place shown: the page and the fragment of the current address.
    HelpLink current() const;
    // The place in the file that `url` names, relative ones seen from the current page;
    // nothing for an address outside the file.
    std::optional<HelpLink> place(const QUrl& url) const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void follow(const QUrl& url);
    // Once a page is read, and before it is laid out: its long runs broken (kLongestRun).
    void pageRead();
    void tintRow(qreal strength);

    std::optional<HelpFile> m_file;
    std::string m_page = "/"; // the page last loaded: relative addresses are seen from it
    int m_zoom = 100;
    qreal m_pointSize = 0;            // of the text at 100 percent, once zoomed
    bool m_pictureReported = false;   // a picture of that page was refused and reported
    std::optional<QSizeF> m_pageSize; // of the document, while a page read is not laid out
    bool m_shown = false;             // the view has shown once
    QString m_landing;                // the place to bring into view when the browser shows

    // The row marked: its table (gone with the page), its cells and their own looks.
    QPointer<QTextTable> m_markedTable;
    QList<std::pair<QPoint, QTextCharFormat>> m_markedCells; // (column, row) and format
    QVariantAnimation m_rowMark;
};

} // namespace mezura::ui
