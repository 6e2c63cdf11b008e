// The help viewer's window: the page, the contents, index and search beside it, the find bar.
#include "ui/helpwindow.h"

#include "help/sitemap.h"
#include "ui/accessible.h"
#include "ui/icon.h"
#include "ui/theme.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <QtMath>
#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace mezura::ui {

namespace {
// The text sizes that zooming steps through, in percent.
constexpr std::array kZoomSteps{50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300};

// Where a site map entry leads: its place in the item's data.
constexpr int kPlaceRole = Qt::UserRole;

const QColor kSearchMark(255, 255, 128);

// A note above a list that the help file's site map cut short, hidden until it is.
QLabel* cutNote(const char* name)
{
    auto* note = new QLabel;
    note->setObjectName(QLatin1String(name));
    note->setWordWrap(true);
    note->hide();
    return note;
}

void showCut(QLabel* note, bool cut)
{
    note->setText(cut ? QStringLiteral("項目が多すぎるため、初めの %1 項目だけを表示しています。").arg(kSitemapEntries)
                      : QString());
    note->setVisible(cut);
}
const QColor kFindMark(255, 210, 140);

// Items that ask for no width of their own: a list gives each the width of its view, and
// the lines of an item that are longer are cut with "…".
class NarrowItems : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {1, QStyledItemDelegate::sizeHint(option, index).height()};
    }
};

std::u16string_view utf16View(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}
} // namespace

HelpWindow::HelpWindow()
    : m_browser(new HelpBrowser(this))
{
    setObjectName(QStringLiteral("help"));
    setWindowTitle(helpTitle());
    setWindowIcon(ui::windowIcon());
    m_browser->setObjectName(QStringLiteral("helpBrowser"));

    QToolBar* bar = addToolBar(QStringLiteral("移動"));
    bar->setObjectName(QStringLiteral("helpTools"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("戻る"));
    back->setObjectName(QStringLiteral("back"));
    back->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    back->setEnabled(false);
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction* forward = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("進む"));
    forward->setObjectName(QStringLiteral("forward"));
    forward->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    forward->setEnabled(false);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    for (const auto& [action, name] : {std::pair(back, QStringLiteral("戻る：前に見たページに戻る")),
                                       std::pair(forward, QStringLiteral("進む：戻る前のページに進む"))}) {
        setSpeech(action, name);
        setSpeech(bar->widgetForAction(action), name);
    }
    setSpeech(bar->toggleViewAction(), QStringLiteral("移動：戻る・進むのバーを表示する"));
    setSpeech(m_browser, QStringLiteral("ヘルプのページ"));
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);

    buildSideTabs();
    buildFindBar();
    buildShortcuts();

    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    pageLayout->setSpacing(0);
    pageLayout->addWidget(m_browser, 1);
    pageLayout->addWidget(m_findBar);

    auto* split = new QSplitter(Qt::Horizontal);
    split->setObjectName(QStringLiteral("helpSplit"));
    split->setChildrenCollapsible(false);
    split->addWidget(m_tabs);
    split->addWidget(page);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    setCentralWidget(split);

    connect(m_browser, &QTextBrowser::sourceChanged, this, &HelpWindow::pageShown);
}

void HelpWindow::buildSideTabs()
{
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("helpTabs"));
    setSpeech(m_tabs, QStringLiteral("目次・索引・検索"));
    // About fourteen characters wide: the longest entries of the contents and the index.
    m_tabs->setMinimumWidth(fontMetrics().horizontalAdvance(QString(14, QChar(0x3042))));

    m_contents = new QTreeWidget;
    m_contents->setObjectName(QStringLiteral("helpContents"));
    setSpeech(m_contents, QStringLiteral("目次"));
    m_contents->setHeaderHidden(true);
    const auto openEntry = [this](QTreeWidgetItem* item) {
        const QString place = item->data(0, kPlaceRole).toString();
        if (place.isEmpty()) {
            item->setExpanded(!item->isExpanded()); // a heading: it only opens and closes
        } else if (const std::optional<HelpLink> link = helpLink("/", place)) {
            go(*link);
        }
    };
    connect(m_contents, &QTreeWidget::itemClicked, this, openEntry);
    connect(m_contents, &QTreeWidget::itemActivated, this, openEntry);
    auto* contents = new QWidget;
    auto* contentsLayout = new QVBoxLayout(contents);
    contentsLayout->setContentsMargins(0, 0, 0, 0);
    m_contentsCut = cutNote("helpContentsCut");
    contentsLayout->addWidget(m_contentsCut);
    contentsLayout->addWidget(m_contents, 1);
    m_tabs->addTab(contents, QStringLiteral("目次"));

    auto* index = new QWidget;
    auto* indexLayout = new QVBoxLayout(index);
    m_indexWord = new QLineEdit;
    m_indexWord->setObjectName(QStringLiteral("helpIndexWord"));
    setSpeech(m_indexWord, QStringLiteral("索引を絞り込む言葉"));
    m_indexWord->setPlaceholderText(QStringLiteral("探す言葉"));
    m_indexWord->setClearButtonEnabled(true);
    m_index = new QTreeWidget;
    m_index->setObjectName(QStringLiteral("helpIndex"));
    setSpeech(m_index, QStringLiteral("索引"));
    m_index->setHeaderHidden(true);
    m_index->setRootIsDecorated(false);
    m_index->viewport()->installEventFilter(this);
    m_indexNote = new QLabel;
    m_indexNote->setObjectName(QStringLiteral("helpIndexNote"));
    m_indexNote->setWordWrap(true);
    m_indexNote->hide();
    m_indexCut = cutNote("helpIndexCut");
    indexLayout->addWidget(m_indexWord);
    indexLayout->addWidget(m_indexCut);
    indexLayout->addWidget(m_indexNote);
    indexLayout->addWidget(m_index, 1);
    connect(m_indexWord, &QLineEdit::textChanged, this, &HelpWindow::filterIndex);
    connect(m_indexWord, &QLineEdit::returnPressed, this, [this] {
        QTreeWidgetItem* item = m_index->currentItem();
        if (item != nullptr && !item->isHidden()) {
            openIndexItem(item);
        }
    });
    connect(m_index, &QTreeWidget::itemActivated, this, &HelpWindow::openIndexItem);
    m_tabs->addTab(index, QStringLiteral("索引"));

    auto* search = new QWidget;
    auto* searchLayout = new QVBoxLayout(search);
    auto* searchRow = new QHBoxLayout;
    m_searchWord = new QLineEdit;
    m_searchWord->setObjectName(QStringLiteral("helpSearchWord"));
    setSpeech(m_searchWord, QStringLiteral("検索する言葉"));
    m_searchWord->setPlaceholderText(QStringLiteral("探す言葉"));
    m_searchWord->setClearButtonEnabled(true);
    auto* start = new QPushButton(QStringLiteral("検索"));
    start->setObjectName(QStringLiteral("helpSearchStart"));
    setSpeech(start, QStringLiteral("検索：言葉を含むページを探す"));
    searchRow->addWidget(m_searchWord, 1);
    searchRow->addWidget(start);
    m_results = new QListWidget;
    m_results->setObjectName(QStringLiteral("helpResults"));
    // Each result as wide as the list, its lines cut with "…" where they are longer.
    m_results->setItemDelegate(new NarrowItems(m_results));
    m_results->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSpeech(m_results, QStringLiteral("検索結果"));
    m_searchNote = new QLabel;
    m_searchNote->setObjectName(QStringLiteral("helpSearchNote"));
    m_searchNote->setWordWrap(true);
    m_searchNote->hide();
    searchLayout->addLayout(searchRow);
    searchLayout->addWidget(m_searchNote);
    searchLayout->addWidget(m_results, 1);
    connect(m_searchWord, &QLineEdit::returnPressed, this, &HelpWindow::runSearch);
    connect(start, &QPushButton::clicked, this, &HelpWindow::runSearch);
    connect(m_results, &QListWidget::itemActivated, this, &HelpWindow::openResult);
    connect(m_results, &QListWidget::itemClicked, this, &HelpWindow::openResult);
    m_tabs->addTab(search, QStringLiteral("検索"));
}

void HelpWindow::buildFindBar()
{
    m_findBar = new QWidget;
    m_findBar->setObjectName(QStringLiteral("helpFind"));
    auto* row = new QHBoxLayout(m_findBar);
    row->setContentsMargins(4, 2, 4, 2);
    m_findWord = new QLineEdit;
    m_findWord->setObjectName(QStringLiteral("helpFindWord"));
    setSpeech(m_findWord, QStringLiteral("ページ内で探す言葉"));
    m_findWord->setPlaceholderText(QStringLiteral("ページ内を探す"));
    m_findWord->installEventFilter(this);
    const auto button = [](const char* name, const QString& caption, const QString& speech) {
        auto* tool = new QToolButton;
        tool->setObjectName(QLatin1String(name));
        tool->setText(caption);
        setSpeech(tool, caption + QStringLiteral("：") + speech);
        tool->setAutoRaise(true);
        return tool;
    };
    QToolButton* previous = button("helpFindPrevious", QStringLiteral("前へ"), QStringLiteral("ひとつ前の箇所に移る"));
    QToolButton* next = button("helpFindNext", QStringLiteral("次へ"), QStringLiteral("次の箇所に移る"));
    QToolButton* close = button("helpFindClose", QStringLiteral("閉じる"), QStringLiteral("ページ内の検索を閉じる"));
    m_findAll = new QCheckBox(QStringLiteral("すべて強調"));
    m_findAll->setObjectName(QStringLiteral("helpFindAll"));
    setSpeech(m_findAll, QStringLiteral("すべて強調：見つかった箇所をすべて色付けする"));
    m_findNote = new QLabel;
    m_findNote->setObjectName(QStringLiteral("helpFindNote"));
    row->addWidget(m_findWord, 1);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(m_findAll);
    row->addWidget(m_findNote);
    row->addWidget(close);
    m_findBar->hide();
    // Typing looks from the start of the place found last, so that the word grows in place.
    connect(m_findWord, &QLineEdit::textChanged, this, [this] { findInPage(false, true); });
    connect(next, &QToolButton::clicked, this, [this] { findInPage(false); });
    connect(previous, &QToolButton::clicked, this, [this] { findInPage(true); });
    connect(m_findAll, &QCheckBox::toggled, this, &HelpWindow::mark);
    connect(close, &QToolButton::clicked, this, [this] {
        m_findBar->hide();
        mark();
        m_browser->setFocus();
    });
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_index->viewport() && event->type() == QEvent::ToolTip) {
        indexToolTip(static_cast<QHelpEvent*>(event));
        return true;
    }
    // Enter in the find field finds the next place, Shift+Enter the one before. Esc there
    // closes the find bar, as its close button does, and leaves the window open: the field
    // claims Esc before the window's shortcut sees it.
    if (watched == m_findWord && event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    if (watched == m_findWord && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            findInPage(key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            m_findBar->findChild<QToolButton*>(QStringLiteral("helpFindClose"))->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void HelpWindow::buildShortcuts()
{
    const auto shortcut = [this](const char* name, const QList<QKeySequence>& keys, auto action) {
        auto* item = new QAction(this);
        item->setObjectName(QLatin1String(name));
        item->setShortcuts(keys);
        connect(item, &QAction::triggered, this, action);
        addAction(item);
    };
    const auto zoomStep = [this](int step) {
        const auto* at = std::find(kZoomSteps.begin(), kZoomSteps.end(), m_browser->zoom());
        const auto index = std::clamp<std::ptrdiff_t>((at - kZoomSteps.begin()) + step, 0,
                                                      static_cast<std::ptrdiff_t>(kZoomSteps.size()) - 1);
        zoom(kZoomSteps[static_cast<std::size_t>(index)]);
    };
    shortcut("helpFindShow", {QKeySequence::Find}, [this] { showFind(); });
    shortcut("helpFindNextKey", {QKeySequence::FindNext}, [this] { findInPage(false); });
    shortcut("helpFindPreviousKey", {QKeySequence::FindPrevious}, [this] { findInPage(true); });
    // Ctrl and "+" (or "=", "+" without Shift on many keyboards), also on the keypad.
    shortcut("helpZoomIn",
             {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal),
              QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus))},
             [zoomStep] { zoomStep(1); });
    shortcut("helpZoomOut",
             {QKeySequence(Qt::CTRL | Qt::Key_Minus),
              QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus))},
             [zoomStep] { zoomStep(-1); });
    shortcut("helpZoomReset", {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { zoom(100); });
    shortcut("helpClose", {QKeySequence(Qt::Key_Escape)}, [this] { close(); });
}

void HelpWindow::zoom(int percent)
{
    // As numbers: a cursor follows the page as it is read again.
    const int anchor = m_browser->textCursor().anchor();
    const int position = m_browser->textCursor().position();
    m_keepMarks = true; // the page is read again: what was marked on it stays marked
    m_browser->setZoom(percent);
    m_keepMarks = false;
    mark();
    // Text found, by the find bar or by a search, stays selected and in view at the new size.
    if (anchor != position || !m_searchMarks.empty()) {
        const int last = m_browser->document()->characterCount() - 1;
        QTextCursor found(m_browser->document());
        found.setPosition(std::min(anchor, last));
        found.setPosition(std::min(position, last), QTextCursor::KeepAnchor);
        m_browser->setTextCursor(found);
        m_browser->ensureCursorVisible();
    }
}

void HelpWindow::setFile(HelpFile file)
{
    m_browser->setFile(std::move(file));
    m_search.reset(); // searched anew in the file as it is now
    Sitemap keywords = m_browser->file()->keywords();
    m_keywords = std::move(keywords.entries);
    showCut(m_indexCut, keywords.cut);
    fillContents();
    fillIndex();
}

bool HelpWindow::showTopic(const HelpLink& link, std::string& error)
{
    if (!m_browser->go(link, error)) {
        return false;
    }
    m_tabs->setCurrentIndex(0); // the contents
    followInContents(m_browser->current());
    return true;
}

void HelpWindow::go(const HelpLink& link)
{
    std::string error;
    if (!m_browser->go(link, error)) {
        reportHelpProblem(error);
    }
}

void HelpWindow::pageShown(const QUrl& address)
{
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? helpTitle() : helpTitle() + QStringLiteral("－") + title);
    if (!m_keepMarks) {
        m_searchMarks.clear(); // the search's marks belong to the page it opened
    }
    m_findNote->clear();
    // The browser tells of the new address before source() gives it.
    followInContents(m_browser->place(address).value_or(HelpLink{}));
    mark();
}

void HelpWindow::fillContents()
{
    m_contents->clear();
    const auto add = [](const auto& self, const std::vector<SitemapEntry>& entries, QTreeWidgetItem* parent,
                        QTreeWidget* tree) -> void {
        for (const SitemapEntry& entry : entries) {
            auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
            item->setText(0, QString::fromStdString(entry.name));
            if (!entry.topics.empty()) {
                item->setData(0, kPlaceRole, QString::fromStdString(entry.topics.front().local));
            }
            self(self, entry.children, item, tree);
        }
    };
    const Sitemap contents = m_browser->file()->contents();
    add(add, contents.entries, nullptr, m_contents);
    showCut(m_contentsCut, contents.cut);
    followInContents(m_browser->current());
}

void HelpWindow::followInContents(const HelpLink& here)
{
    // The entry of the page shown: the one of its very place, else the page's own, else any
    // entry on that page.
    QTreeWidgetItem* best = nullptr;
    int bestFit = 0;
    for (QTreeWidgetItemIterator it(m_contents); *it != nullptr; ++it) {
        const std::optional<HelpLink> link = helpLink("/", (*it)->data(0, kPlaceRole).toString());
        if ((*it)->data(0, kPlaceRole).toString().isEmpty() || !link || link->page != here.page) {
            continue;
        }
        const int fit = link->fragment == here.fragment ? 3 : link->fragment.empty() ? 2 : 1;
        if (fit > bestFit) {
            best = *it;
            bestFit = fit;
        }
    }
    const QSignalBlocker quiet(m_contents);
    if (best == nullptr) {
        m_contents->clearSelection();
        m_contents->setCurrentItem(nullptr);
        return;
    }
    for (QTreeWidgetItem* above = best->parent(); above != nullptr; above = above->parent()) {
        above->setExpanded(true);
    }
    best->setExpanded(true);
    m_contents->setCurrentItem(best);
    m_contents->scrollToItem(best);
}

void HelpWindow::fillIndex()
{
    m_index->clear();
    m_keywordItems.clear();
    const auto add = [this](const auto& self, const std::vector<SitemapEntry>& entries,
                            QTreeWidgetItem* parent) -> void {
        for (const SitemapEntry& entry : entries) {
            auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_index);
            item->setText(0, QString::fromStdString(entry.name));
            m_keywordItems.insert(&entry, item);
            if (entry.topics.size() == 1) {
                item->setData(0, kPlaceRole, QString::fromStdString(entry.topics.front().local));
            } else {
                // A keyword on several pages lists them under it, by their titles.
                for (const SitemapTopic& topic : entry.topics) {
                    auto* page = new QTreeWidgetItem(item);
                    page->setText(0, QString::fromStdString(topic.title));
                    page->setData(0, kPlaceRole, QString::fromStdString(topic.local));
                }
            }
            self(self, entry.children, item);
        }
    };
    add(add, m_keywords, nullptr);
    filterIndex();
    // The side made wide enough for the widest entry, within reason (30 characters); a
    // narrower pane tells an entry it cuts in its tooltip.
    const QFontMetrics metrics = m_index->fontMetrics();
    int widest = 0;
    for (QTreeWidgetItemIterator it(m_index); *it != nullptr; ++it) {
        int depth = 0;
        for (const QTreeWidgetItem* above = (*it)->parent(); above != nullptr; above = above->parent()) {
            ++depth;
        }
        widest = std::max(widest, depth * m_index->indentation() + metrics.horizontalAdvance((*it)->text(0)));
    }
    const int around = 2 * (indexTextMargin() + m_index->frameWidth()) +
        style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth) +
        m_indexWord->parentWidget()->layout()->contentsMargins().left() +
        m_indexWord->parentWidget()->layout()->contentsMargins().right() +
        metrics.horizontalAdvance(QChar(0x3042)) / 2; // the frames the style may add
    // No wider than a short line of Japanese: the index's longest entries (a unit's English
    // names beside its label) scroll, and the page keeps the room to be read.
    m_indexWidth = std::min(widest + around, around + metrics.horizontalAdvance(QString(18, QChar(0x3042))));
}

int HelpWindow::indexTextMargin() const
{
    return m_index->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_index) + 1;
}

void HelpWindow::indexToolTip(const QHelpEvent* event) const
{
    const QTreeWidgetItem* item = m_index->itemAt(event->pos());
    if (item == nullptr ||
        m_index->fontMetrics().horizontalAdvance(item->text(0)) <=
            m_index->visualItemRect(item).width() - 2 * indexTextMargin()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(event->globalPos(), item->text(0), m_index->viewport(), m_index->visualItemRect(item));
}

void HelpWindow::filterIndex()
{
    const std::string word = m_indexWord->text().toStdString();
    const std::vector<const SitemapEntry*> found = lookUp(m_keywords, word);
    for (QTreeWidgetItem* item : std::as_const(m_keywordItems)) {
        item->setHidden(true);
    }
    for (const SitemapEntry* entry : found) {
        for (QTreeWidgetItem* item = m_keywordItems.value(entry); item != nullptr; item = item->parent()) {
            item->setHidden(false);
        }
    }
    QTreeWidgetItem* first = found.empty() ? nullptr : m_keywordItems.value(found.front());
    m_index->setCurrentItem(first);
    if (first != nullptr) {
        m_index->scrollToItem(first);
    }
    const bool none = found.empty() && !folded(word).empty();
    m_indexNote->setText(none ? QStringLiteral("「%1」は索引にありません。").arg(m_indexWord->text().trimmed())
                              : QString());
    m_indexNote->setVisible(none);
}

void HelpWindow::openIndexItem(QTreeWidgetItem* item)
{
    const QString place = item->data(0, kPlaceRole).toString();
    if (!place.isEmpty()) {
        if (const std::optional<HelpLink> link = helpLink("/", place)) {
            go(*link);
        }
    } else if (item->childCount() > 0) {
        // A keyword on several pages: its pages are chosen from below it.
        item->setExpanded(true);
        m_index->setCurrentItem(item->child(0));
    }
}

void HelpWindow::runSearch()
{
    const QString word = m_searchWord->text().trimmed();
    m_results->clear();
    if (folded(word.toStdString()).empty()) {
        m_searchNote->hide();
        return;
    }
    if (!m_search) {
        m_search.emplace();
        const HelpFile& file = *m_browser->file();
        for (const std::string& page : file.pages()) {
            std::string error;
            if (const std::optional<std::string> html = file.read(page, error)) {
                m_search->add(page, *html);
            }
        }
    }
    const std::vector<HelpSearch::Hit> hits = m_search->find(word.toStdString());
    for (const HelpSearch::Hit& hit : hits) {
        // The title, and below it the line of text around the word.
        auto* item = new QListWidgetItem(
            (hit.title.empty() ? QString::fromStdString(hit.page) : QString::fromStdString(hit.title)) +
            (hit.excerpt.empty() ? QString() : QLatin1Char('\n') + QString::fromStdString(hit.excerpt)));
        item->setData(kPlaceRole, QString::fromStdString(hit.page));
        item->setToolTip(QStringLiteral("%1 か所").arg(hit.count));
        m_results->addItem(item);
    }
    m_searchNote->setText(hits.empty() ? QStringLiteral("「%1」はどのページにもありません。").arg(word)
                                       : QStringLiteral("「%1」は %2 ページにあります。").arg(word).arg(hits.size()));
    m_searchNote->show();
    if (!hits.empty()) {
        m_results->setCurrentRow(0);
    }
}

void HelpWindow::openResult(QListWidgetItem* item)
{
    m_searchMarks = folded(m_searchWord->text().toStdString());
    m_keepMarks = true;
    go(HelpLink{item->data(kPlaceRole).toString().toStdString(), {}});
    m_keepMarks = false;
    mark();
    // The first place found is brought into view.
    const auto places = placesInPage(m_searchMarks);
    if (!places.empty()) {
        QTextCursor at(m_browser->document());
        at.setPosition(static_cast<int>(places.front().first));
        m_browser->setTextCursor(at);
        m_browser->ensureCursorVisible();
    }
}

void HelpWindow::showFind()
{
    m_findBar->show();
    m_findWord->setFocus();
    m_findWord->selectAll();
    mark();
}

std::vector<std::pair<std::size_t, std::size_t>> HelpWindow::placesInPage(const std::u32string& word) const
{
    if (word.empty()) {
        return {};
    }
    // The raw text holds one character for every position of the document.
    const QString text = m_browser->document()->toRawText();
    return findAll(fold(utf16View(text)), word);
}

void HelpWindow::findInPage(bool backward, bool fromSelectionStart)
{
    if (m_findBar->isHidden()) {
        showFind();
    }
    mark();
    const std::u32string word = folded(m_findWord->text().toStdString());
    const auto places = placesInPage(word);
    QTextCursor cursor = m_browser->textCursor();
    if (places.empty()) {
        m_findNote->setText(word.empty() ? QString() : QStringLiteral("見つかりません"));
        cursor.clearSelection();
        m_browser->setTextCursor(cursor);
        return;
    }
    const auto start = static_cast<std::size_t>(cursor.selectionStart());
    const auto end = static_cast<std::size_t>(cursor.selectionEnd());
    std::size_t chosen = 0;
    if (backward) {
        // The last place that begins before the one selected; from the end again past the top.
        chosen = places.size() - 1;
        for (std::size_t i = places.size(); i-- > 0;) {
            if (places[i].first < start) {
                chosen = i;
                break;
            }
        }
    } else {
        const std::size_t from = fromSelectionStart ? start : end;
        const auto next =
            std::find_if(places.begin(), places.end(), [&](const auto& place) { return place.first >= from; });
        chosen = next == places.end() ? 0 : static_cast<std::size_t>(next - places.begin());
    }
    QTextCursor found(m_browser->document());
    found.setPosition(static_cast<int>(places[chosen].first));
    found.setPosition(static_cast<int>(places[chosen].second), QTextCursor::KeepAnchor);
    m_browser->setTextCursor(found);
    m_browser->ensureCursorVisible();
    m_findNote->setText(QStringLiteral("%1 / %2").arg(chosen + 1).arg(places.size()));
}

void HelpWindow::mark()
{
    QList<QTextEdit::ExtraSelection> marks;
    const auto add = [&](const std::u32string& word, const QColor& colour) {
        for (const auto& [begin, end] : placesInPage(word)) {
            QTextEdit::ExtraSelection mark;
            mark.cursor = QTextCursor(m_browser->document());
            mark.cursor.setPosition(static_cast<int>(begin));
            mark.cursor.setPosition(static_cast<int>(end), QTextCursor::KeepAnchor);
            mark.format.setBackground(colour);
            mark.format.setForeground(inkOn(colour)); // the theme's text may be white
            marks << mark;
        }
    };
    add(m_searchMarks, kSearchMark);
    if (!m_findBar->isHidden() && m_findAll->isChecked()) {
        add(folded(m_findWord->text().toStdString()), kFindMark);
    }
    m_browser->setExtraSelections(marks);
}

void HelpWindow::fitToPage()
{
    // The page laid out at a comfortable reading width (or wider, where a picture or a table
    // needs it), as far as the screen has room for it beside the side, and the window made to
    // hold it all, as far as the screen allows. Measured in the fonts the window is shown with:
    // polishing may give the page another one. The view is given just the width the page was
    // laid out at, so that the page is laid out once, here, and not again as the view takes
    // its size (HelpBrowser::resizeEvent).
    ensurePolished();
    m_browser->ensurePolished();
    QTextDocument* document = m_browser->document();
    const int frame = 2 * m_browser->frameWidth();
    const int scrollBarWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    // The side wide enough that a search word of several characters shows beside its button,
    // and the index's entries whole; the tool bar and the window's frame around the page.
    const int side = std::max({m_tabs->minimumWidth(), m_tabs->minimumSizeHint().width(),
                               fontMetrics().horizontalAdvance(QString(18, QChar(0x3042))), m_indexWidth});
    auto* split = qobject_cast<QSplitter*>(centralWidget());
    const int around = sizeHint().height() - centralWidget()->sizeHint().height();
    const QSize room = screen()->availableGeometry().size() * 9 / 10;
    const int widest = std::max(1, room.width() - side - split->handleWidth() - frame - scrollBarWidth);
    const int reading = fontMetrics().horizontalAdvance(QString(40, QChar(0x3042)));
    // The view, not shown yet, would lay the page out at its own width as the layout tells it
    // of each step: it is told once it shows.
    const QSignalBlocker quiet(document->documentLayout());
    document->setTextWidth(std::min(reading, widest));
    // Laid out again only for a page wider than that, where there is room for more.
    if (const int wider = std::min(qCeil(document->idealWidth()), widest); wider > document->textWidth()) {
        document->setTextWidth(wider);
    }
    const int height = qCeil(document->size().height()) + frame; // with the document's margins
    // A page taller than the room scrolls: the scroll bar stands beside the text.
    const int scrollBar = height + around > room.height() ? scrollBarWidth : 0;
    const int page = qCeil(document->textWidth()) + frame + scrollBar;
    resize(side + split->handleWidth() + page, std::min(height + around, room.height()));
    split->setSizes({side, page});
}

} // namespace mezura::ui
