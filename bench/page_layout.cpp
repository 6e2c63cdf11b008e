// mezura-page-bench: how the help viewer's time to show a page grows with the page. Pages of
// one paragraph, one run of N letters with no place to break a line (and, beside them, N
// characters of words, and of invalid UTF-8), each shown as a page of the help file in a
// window of the viewer's page view and painted, offscreen; the median of ROUNDS showings,
// each after another page, and the time per 1,000 characters, which stays level when the
// time grows linearly with the page.
//   mezura-page-bench [ROUNDS]
#include "help/helpfile.h"
#include "ui/helpbrowser.h"
#include "ui/messages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The page of `count` characters of this kind.
std::string page(const std::string& kind, std::size_t count)
{
    std::string body;
    if (kind == "run") {
        body.assign(count, 'x');
    } else if (kind == "words") {
        for (std::size_t i = 0; i < count; i += 8) {
            body += "xxxxxxx ";
        }
    } else {
        body.assign(count, '\xFF');
    }
    return "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\"></head><body><p>" +
        body + "</p></body></html>";
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    mezura::ui::setMessageSink(
        [](const mezura::ui::Message& message) { std::fprintf(stderr, "%s\n", qPrintable(message.text)); });
    mezura::ui::HelpBrowser browser(nullptr);
    browser.resize(640, 480);
    browser.show();
    std::printf("%-6s %9s %10s %14s\n", "page", "chars", "ms", "ms per 1,000");
    for (const std::string kind : {"run", "words", "invalid UTF-8"}) {
        for (const std::size_t count : {10000, 25000, 50000, 100000, 200000, 400000}) {
            browser.setFile(mezura::HelpFile::fromObjects(
                "bench.chm", {{"/page.htm", page(kind, count)}, {"/other.htm", "<p>other</p>"}}));
            std::vector<double> times;
            for (int round = 0; round < rounds; ++round) {
                std::string error;
                browser.go({"/other.htm", {}}, error);
                QElapsedTimer clock;
                clock.start();
                if (!browser.go({"/page.htm", {}}, error)) {
                    std::fprintf(stderr, "%s\n", error.c_str());
                    return 1;
                }
                browser.viewport()->grab(); // laid out and painted
                times.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            }
            const double ms = median(times);
            std::printf("%-6s %9zu %10.1f %14.2f\n", kind == "invalid UTF-8" ? "bytes" : kind.c_str(), count, ms,
                        ms * 1000.0 / static_cast<double>(count));
        }
    }
    return 0;
}
