// mezura-help: the help viewer, a program of its own beside mezura. It serves the program's
// requests to show a topic of the help file (ui/helpserver.h) in its one window, and ends
// when its input ends.
#include "startup/commandline.h"
#include "ui/application.h"
#include "ui/helpserver.h"
#include "ui/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <iostream>

int main(int argc, char** argv)
{
    // Read before Qt starts: --help and --version need no display.
    int status = 0;
    if (!mezura::readCommandLine(mezura::kHelpCommand, argc, argv, std::cout, std::cerr, status)) {
        return status;
    }
    QApplication application(argc, argv);
    mezura::ui::setUpApplication();
    // A problem is answered to the program and shown in a box that does not stop the viewer
    // from serving the next request.
    mezura::ui::setMessageSink([](const mezura::ui::Message& message) {
        mezura::ui::answerProgram("message " + message.text.toUtf8().replace('\n', ' '));
        auto* box = new QMessageBox(QMessageBox::Warning, message.title, message.text, QMessageBox::Ok);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
    mezura::ui::HelpServer server;
    return QApplication::exec();
}
