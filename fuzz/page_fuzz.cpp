// The help viewer's page view on arbitrary bytes as a page of the help file, seeded with the
// help's own pages: whatever the bytes hold, the page is refused with its reason or read, laid
// out at a window's width and painted, without a crash, without undefined behaviour, and
// within the run's time limit for an input (scripts/fuzz.sh), which a page that holds the
// viewer for seconds exceeds.
#include "help/helpfile.h"
#include "ui/helpbrowser.h"
#include "ui/messages.h"

#include <QApplication>
#include <QScrollBar>
#include <QTextDocument>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication application(*argc, *argv);
    mezura::ui::setMessageSink([](const mezura::ui::Message&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace mezura;
    static ui::HelpBrowser* browser = [] {
        auto* view = new ui::HelpBrowser(nullptr);
        view->resize(640, 480);
        view->show();
        return view;
    }();
    // Each input a page of a file of its own, read anew from another page shown before it.
    browser->setFile(HelpFile::fromObjects(
        "page.chm",
        {{"/page.htm", std::string(reinterpret_cast<const char*>(data), size)}, {"/other.htm", "<p>x</p>"}}));
    browser->clearHistory();
    std::string error;
    browser->go({"/other.htm", {}}, error);
    if (browser->go({"/page.htm", {}}, error)) {
        browser->verticalScrollBar()->setValue(browser->verticalScrollBar()->maximum());
        browser->viewport()->grab(); // laid out whole and painted
    }
    return 0;
}
