// mezura: the desktop program.
#include "ui/application.h"
#include "ui/binding.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    mezura::ui::setUpApplication();
    mezura::ui::Binding binding;
    // Until the settings window starts the program, it opens with the temperature window.
    binding.forward([&binding] { binding.app().showAndFocus("temp"); });
    return QApplication::exec();
}
