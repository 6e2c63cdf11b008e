// The help viewer: the compiled help file beside the program, shown at a numeric topic in a
// window of its own (HelpWindow, with its HelpBrowser) that stays open beside the program's
// windows and is reused by the next request. HelpViewer is what the requests reach: it opens
// the file anew at each, makes the window at the first and brings it to the front; mezura-help
// passes it the requests it reads from the program.
#pragma once

#include <memory>
#include <string>

namespace mezura::ui {

class HelpWindow;

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
