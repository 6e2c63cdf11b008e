// The help viewer: the compiled help file beside the program, shown at a numeric topic in a
// window of its own that stays open beside the program's windows and is reused by the next
// request. Links, pictures and the style sheet of a page are read from the same file.
#pragma once

#include "help/helpfile.h"

#include <QImage>
#include <QMainWindow>
#include <QTextBrowser>
#include <QUrl>
#include <memory>
#include <optional>
#include <string>

class QAction;

namespace mezura::ui {

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

private:
    void follow(const QUrl& url);
    // The place in the file that `url` names, relative ones seen from the current page;
    // nothing for an address outside the file.
    std::optional<HelpLink> place(const QUrl& url) const;

    std::optional<HelpFile> m_file;
    std::string m_page = "/"; // the page last loaded: relative addresses are seen from it
    bool m_pictureReported = false; // a picture of that page was refused and reported
};

// The window of the help viewer: the browser with back and forward.
class HelpWindow : public QMainWindow {
    Q_OBJECT

public:
    HelpWindow();

    HelpBrowser* browser() const { return m_browser; }

private:
    HelpBrowser* m_browser;
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
