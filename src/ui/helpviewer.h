// The help viewer: the compiled help file beside the program, shown at a numeric topic in a
// window of its own that stays open beside the program's windows and is reused by the next
// request. Links, pictures and the style sheet of a page are read from the same file. Beside
// the page: the file's table of contents, its keyword index and a full-text search.
#pragma once

#include "help/helpfile.h"
#include "help/textsearch.h"

#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QTextBrowser>
#include <QUrl>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace mezura::ui {

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

    // Shows `link` when the file holds its page; false, with `error` set, when not.
    bool go(const HelpLink& link, std::string& error);

    // A page, picture or style sheet of the current page, read from the help file. Nothing
    // else is ever read: any other address, and anything too large, gets an empty value (a
    // picture an empty box), never nothing, which would let the document read it itself.
    QVariant loadResource(int type, const QUrl& name) override;

    // Why the page `page` of these bytes is not shown (too large, or tables nested so deep
    // that laying it out would take minutes or overflow the stack), or empty.
    static std::string pageProblem(const std::string& page, const QByteArray& html);
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

private:
    void follow(const QUrl& url);

    std::optional<HelpFile> m_file;
    std::string m_page = "/"; // the page last loaded: relative addresses are seen from it
    int m_zoom = 100;
    qreal m_pointSize = 0;          // of the text at 100 percent, once zoomed
    bool m_pictureReported = false; // a picture of that page was refused and reported
};

// The window of the help viewer: the browser with back and forward, beside it the tabs of
// contents, index and search, and below it the bar to find text in the page.
class HelpWindow : public QMainWindow {
    Q_OBJECT

public:
    HelpWindow();

    HelpBrowser* browser() const { return m_browser; }

    // The file pages are read from from now on; its contents and index are read anew.
    void setFile(HelpFile file);
    // Shows `link` with the contents tree at it; false, with `error` set, when the file does
    // not hold its page.
    bool showTopic(const HelpLink& link, std::string& error);
    // A size that shows the whole current page at the screen's scale, within the screen.
    void fitToPage();

    QTabWidget* tabs() const { return m_tabs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildSideTabs();
    void buildFindBar();
    void buildShortcuts();

    void pageShown(const QUrl& address);
    void followInContents(const HelpLink& here);
    void fillContents();
    void fillIndex();
    void filterIndex();
    void openIndexItem(QTreeWidgetItem* item);
    void runSearch();
    void openResult(QListWidgetItem* item);
    void showFind();
    void findInPage(bool backward, bool fromSelectionStart = false);
    void mark();
    // Where the folded `word` stands in the text of the page shown, as document positions.
    std::vector<std::pair<std::size_t, std::size_t>> placesInPage(const std::u32string& word) const;
    void go(const HelpLink& link);
    void zoom(int percent);

    HelpBrowser* m_browser;
    QTabWidget* m_tabs = nullptr;
    QTreeWidget* m_contents = nullptr;
    QLineEdit* m_indexWord = nullptr;
    QTreeWidget* m_index = nullptr;
    QLabel* m_indexNote = nullptr;
    QLineEdit* m_searchWord = nullptr;
    QListWidget* m_results = nullptr;
    QLabel* m_searchNote = nullptr;
    QWidget* m_findBar = nullptr;
    QLineEdit* m_findWord = nullptr;
    QCheckBox* m_findAll = nullptr;
    QLabel* m_findNote = nullptr;

    std::vector<SitemapEntry> m_keywords; // the index as read from the file
    QHash<const SitemapEntry*, QTreeWidgetItem*> m_keywordItems;
    std::optional<HelpSearch> m_search; // read from the file at the first search
    std::u32string m_searchMarks;       // the searched word, marked on the page it opened
    bool m_keepMarks = false;           // the page shown next is the same, or the one a result opens
};

class HelpViewer {
public:
    HelpViewer();
    ~HelpViewer();
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    // Opens the help file at `path` (empty: none set yet) at `topic`, and brings the help
    // window to the front. A file that is missing or no help file, or a topic that the file
    // does not map, is reported through the message sink, naming the file; false then.
    bool open(const std::string& path, int topic);

    // The help window once help has been shown, else null.
    HelpWindow* window() const { return m_window.get(); }
    void close();

private:
    std::unique_ptr<HelpWindow> m_window;
};

} // namespace mezura::ui
