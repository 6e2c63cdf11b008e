// The window of the help viewer: a HelpBrowser showing the pages, back and forward, and
// beside it the help file's contents, keyword index and full-text search; below the page a
// bar to find text in it. HelpViewer makes one at the first request and hands it the file and
// the topic of every request; the window keeps the contents in step with the page shown.
#pragma once

#include "help/helpfile.h"
#include "help/sitemap.h"
#include "help/textsearch.h"
#include "ui/helpbrowser.h"

#include <QHash>
#include <QMainWindow>
#include <QUrl>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QEvent;
class QHelpEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace mezura::ui {

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
    // The room an item view leaves on either side of an item's text.
    int indexTextMargin() const;
    // Shows the index entry under the pointer whole in a tooltip when the pane cuts it short.
    void indexToolTip(const QHelpEvent* event) const;
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
    QLabel* m_contentsCut = nullptr; // says that the contents are cut short
    QLabel* m_indexCut = nullptr;    // and the index
    QLineEdit* m_indexWord = nullptr;
    QTreeWidget* m_index = nullptr;
    QLabel* m_indexNote = nullptr;
    int m_indexWidth = 0; // of the side, for the index's widest entry
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

} // namespace mezura::ui
