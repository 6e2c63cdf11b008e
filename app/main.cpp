// mezura: the desktop program.
#include "startup/commandline.h"
#include "startup/files.h"
#include "ui/application.h"
#include "ui/binding.h"

#include <QApplication>
#include <iostream>

int main(int argc, char** argv)
{
    // Read before Qt starts: --help and --version need no display, and a wrong option opens
    // no window.
    int status = 0;
    if (!mezura::readCommandLine(mezura::kMezuraCommand, argc, argv, std::cout, std::cerr, status)) {
        return status;
    }
    QApplication application(argc, argv);
    mezura::ui::setUpApplication();
#ifdef MEZURA_DESKTOP_ID
    // Lets the desktop match the windows with the menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(MEZURA_DESKTOP_ID));
#endif
    mezura::DiskFileSystem files; // outlives the windows
    mezura::ui::Binding binding;
    // The settings window starts the program from the directory of the program file.
    binding.start(QCoreApplication::applicationDirPath().toStdString(), files);
    return QApplication::exec();
}
