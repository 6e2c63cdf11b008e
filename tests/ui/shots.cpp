// mezura-shots OUTDIR: a picture of every window under each theme of palettes.h, as
// OUTDIR/WINDOW-THEME.png, each window filled by Enter with 1 in its first field and its
// first field focused. Run on a real display (scripts/theme-shots.sh starts a virtual one).
#include "framework/app.h"
#include "framework/window.h"
#include "palettes.h"
#include "ui/application.h"
#include "ui/binding.h"
#include "ui/fieldedit.h"
#include "ui/theme.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mezura-shots OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    mezura::ui::setUpApplication();
    const QPalette light = QApplication::palette();
    const char* const windows[] = {"config", "length", "square", "cubic", "weight", "velocity",
                                   "press",  "heat",   "temp",   "radio", "year"};
    int taken = 0;
    for (const auto& [theme, palette] : mezura::ui::test::themes(light)) {
        QApplication::setPalette(mezura::ui::readablePalette(palette));
        for (const char* name : windows) {
            mezura::ui::Binding binding;
            binding.forward([&] { binding.app().showAndFocus(name); });
            if (std::string_view(name) != "config") {
                binding.forward([&] {
                    mezura::ConversionWindow& window = binding.app().window(name);
                    window.typeText(0, "1");
                    window.keyPress(0, 13);
                });
            }
            QWidget* view = binding.view(name)->widget();
            if (!QTest::qWaitForWindowExposed(view)) {
                std::fprintf(stderr, "mezura-shots: %s did not show\n", name);
                return 1;
            }
            view->activateWindow();
            (void)QTest::qWaitForWindowActive(view, 1000);
            if (auto* first = view->findChild<mezura::ui::FieldEdit*>()) {
                first->setFocus(Qt::TabFocusReason);
            }
            QTest::qWait(50);
            const QString file = out.filePath(QStringLiteral("%1-%2.png").arg(QString::fromLatin1(name), theme));
            if (!view->grab().save(file)) {
                std::fprintf(stderr, "mezura-shots: cannot write %s\n", qPrintable(file));
                return 1;
            }
            ++taken;
        }
    }
    std::printf("mezura-shots: %d pictures in %s\n", taken, qPrintable(out.path()));
    return 0;
}
