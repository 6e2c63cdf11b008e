// mezura-probe: prints the pixel size that the settings window takes on the current display
// ("399x201"), for the smoke test to compare with the running program's window.
// mezura-probe --font: prints the family of the program's font instead.
#include "ui/application.h"
#include "ui/binding.h"
#include "ui/settingsview.h"

#include <QApplication>
#include <cstdio>
#include <string_view>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    mezura::ui::setUpApplication();
    if (argc == 2 && std::string_view(argv[1]) == "--font") {
        std::printf("%s\n", qPrintable(QApplication::font().family()));
        return 0;
    }
    mezura::ui::Binding binding;
    binding.app().form("config");
    const auto* view = dynamic_cast<mezura::ui::SettingsView*>(binding.view("config"));
    if (view == nullptr) {
        return 1;
    }
    const QSize size = view->pixelSize();
    std::printf("%dx%d\n", size.width(), size.height());
    return 0;
}
