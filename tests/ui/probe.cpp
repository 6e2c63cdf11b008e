// mezura-probe: prints the pixel size that the temperature window takes on the current
// display ("221x127"), for the smoke test to compare with the running program's window.
#include "ui/application.h"
#include "ui/binding.h"
#include "ui/conversionview.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    mezura::ui::setUpApplication();
    mezura::ui::Binding binding;
    binding.app().form("temp");
    const QSize size = binding.conversionView("temp")->pixelSize();
    std::printf("%dx%d\n", size.width(), size.height());
    return 0;
}
