// mezura-enter-bench: how long Enter takes in the real windows, from the key event in a unit
// field until the window has painted what changed (the paint of every dirty control and its
// flush to the window's backing store, or to the X server under X), for the largest chain of
// every window, on the Qt platform it runs on (QT_QPA_PLATFORM=offscreen, or an X display).
//   mezura-enter-bench [ROUNDS]      warm: after one Enter in each window, ROUNDS more in
//                                    each, 1 and 2 typed in turn so that every field changes,
//                                    the windows in turn (one shown at a time), 20 Enters at a
//                                    time; median and minimum
//   mezura-enter-bench ROUNDS NAME   the same in window NAME only
//   mezura-enter-bench --cold NAME   the first Enter after the start, in window NAME only
//                                    (run it in a fresh process each time)
//   mezura-enter-bench --long ENTERS [NAME]
//                                    a long session: every window (or NAME) in turn shown
//                                    alone, ENTERS Enters in it, each on a new number; the
//                                    growth of the resident memory over each window's Enters
#include "largest_chain.h"
#include "ui/application.h"
#include "ui/binding.h"
#include "ui/conversionview.h"
#include "ui/fieldedit.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Lets every pending event and paint run.
void settle()
{
    QTest::qWait(5);
}

// The key event and every paint it causes: what is timed, kept out of line so that a profiler
// can count it alone (valgrind --tool=callgrind --toggle-collect='*enterUntilPainted*').
[[gnu::noinline]] void enterUntilPainted(QLineEdit* field)
{
    QTest::keyClick(field, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

// One Enter, timed from the key event until the window's paints are done, in microseconds.
double timedEnter(QLineEdit* field, const char* typed)
{
    field->selectAll();
    QTest::keyClicks(field, QString::fromLatin1(typed));
    settle();
    QElapsedTimer timer;
    timer.start();
    enterUntilPainted(field);
    const double micros = static_cast<double>(timer.nsecsElapsed()) / 1000.0;
    settle();
    return micros;
}

// Lets what is pending run at once, objects to delete later included, as the event loop
// does between the user's keys.
void settleAtOnce()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The resident memory of this process, in kB.
long residentKb()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    mezura::ui::setUpApplication();
    const bool cold = argc == 3 && std::strcmp(argv[1], "--cold") == 0;
    const bool longRun = argc >= 3 && std::strcmp(argv[1], "--long") == 0;
    const int rounds = std::max(1, longRun ? std::atoi(argv[2]) : !cold && argc >= 2 ? std::atoi(argv[1]) : 200);
    const char* only = longRun ? (argc == 4 ? argv[3] : nullptr) : cold ? argv[2] : argc == 3 ? argv[2] : nullptr;

    // The largest chain's field of every window (or of the one named); a window's widgets
    // are built when it first shows.
    struct Target {
        const mezura::WindowRow* row;
        mezura::bench::LargestChain chain;
        std::vector<double> samples;
    };
    std::vector<Target> targets;
    for (const mezura::WindowRow& row : mezura::windowTable().windows) {
        if (only == nullptr || row.frame.name == only) {
            targets.push_back({&row, mezura::bench::largestChain(row), {}});
        }
    }
    mezura::ui::Binding binding;
    // Shows the target's window alone and gives its field.
    const auto show = [&binding](const Target& target) -> QLineEdit* {
        binding.forward([&] { binding.app().showAndFocus(*target.row); });
        mezura::ui::ConversionView* view = binding.conversionView(target.row->frame.name);
        if (view == nullptr || !QTest::qWaitForWindowExposed(view)) {
            std::fprintf(stderr, "%s does not show\n", target.row->frame.name.c_str());
            std::exit(1);
        }
        // The line edit that the user types into, made as a click or Tab into the field makes it.
        auto* field = view->findChild<mezura::ui::FieldEdit*>(QString::fromStdString(target.chain.field));
        QLineEdit* editor = field->editor();
        settle();
        return editor;
    };
    const auto hide = [&binding](const Target& target) {
        binding.forward([&] { binding.app().window(*target.row).setVisible(false); });
        settle();
    };
    if (cold) {
        const Target& target = targets.front();
        QLineEdit* field = show(target);
        std::printf("%s cold %-8s %-6s %2d fields  %8.0f us\n", qPrintable(QGuiApplication::platformName()),
                    target.row->frame.name.c_str(), target.chain.field.c_str(), target.chain.rewritten,
                    timedEnter(field, "1"));
        return 0;
    }
    if (longRun) {
        // A user's Enters, one after another as fast as the window takes them.
        for (const Target& target : targets) {
            QLineEdit* field = show(target);
            enterUntilPainted(field);
            settleAtOnce();
            const long before = residentKb();
            long half = before;
            for (int i = 1; i <= rounds; ++i) {
                field->selectAll();
                QTest::keyClicks(field, QString::number(i * 7 % 1000 + 1));
                enterUntilPainted(field);
                settleAtOnce();
                half = i == rounds / 2 ? residentKb() : half;
            }
            const long after = residentKb();
            // The second half shows whether it still grows once every cache has filled.
            std::printf("%s long %-8s %d Enters: resident %6ld kB, then %6ld kB: %+5ld kB (second half %+5ld kB)\n",
                        qPrintable(QGuiApplication::platformName()), target.row->frame.name.c_str(), rounds, before,
                        after, after - before, after - half);
            hide(target);
        }
        return 0;
    }
    // The windows take turns, a batch of Enters each, so that a slow moment of the machine
    // falls on all of them alike rather than on one window's whole run.
    constexpr int kBatch = 20;
    for (int done = 0; done < rounds; done += kBatch) {
        for (Target& target : targets) {
            QLineEdit* field = show(target);
            if (done == 0) {
                timedEnter(field, "1");
            }
            for (int i = done; i < std::min(rounds, done + kBatch); ++i) {
                target.samples.push_back(timedEnter(field, i % 2 == 0 ? "2" : "1"));
            }
            hide(target);
        }
    }
    for (Target& target : targets) {
        std::vector<double>& samples = target.samples;
        std::sort(samples.begin(), samples.end());
        std::printf("%s warm %-8s %-6s %2d fields  median %6.0f us  min %6.0f us  (%d Enters)\n",
                    qPrintable(QGuiApplication::platformName()), target.row->frame.name.c_str(),
                    target.chain.field.c_str(), target.chain.rewritten, samples[samples.size() / 2], samples.front(),
                    rounds);
    }
    return 0;
}
