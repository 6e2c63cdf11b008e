// Opens the help file at a topic in the one help window, made at the first request.
#include "ui/helpviewer.h"

#include "help/helpfile.h"
#include "ui/helpbrowser.h"
#include "ui/helpwindow.h"

#include <optional>
#include <utility>

namespace mezura::ui {

namespace {
// "/common.htm#fields" -> {"/common.htm", "fields"}
HelpLink split(const std::string& page)
{
    const auto hash = page.find('#');
    if (hash == std::string::npos) {
        return {page, {}};
    }
    return {page.substr(0, hash), page.substr(hash + 1)};
}
} // namespace

HelpViewer::HelpViewer() = default;
HelpViewer::~HelpViewer() = default;

bool HelpViewer::open(const std::string& path, int topic)
{
    if (path.empty()) {
        reportHelpProblem("ヘルプファイルが決まっていません（プログラムの起動が済んでいません）");
        return false;
    }
    std::string error;
    std::optional<HelpFile> file = HelpFile::open(path, error);
    if (!file) {
        reportHelpProblem(error);
        return false;
    }
    const std::optional<std::string> page = file->pageForTopic(topic, error);
    if (!page) {
        reportHelpProblem(error);
        return false;
    }
    const bool first = !m_window;
    if (first) {
        m_window = std::make_unique<HelpWindow>();
    }
    // Opened anew at every request: a help file replaced meanwhile is read as it is now.
    m_window->setFile(std::move(*file));
    if (!m_window->showTopic(split(*page), error)) {
        reportHelpProblem(error);
        return false;
    }
    if (first) {
        m_window->fitToPage();
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
