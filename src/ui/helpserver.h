// The help viewer's side of its line to the program that started it: requests come in on
// standard input, one a line, "TOPIC PATH" (the help file's path percent-encoded), and each
// is shown by the one HelpViewer and answered on standard output, "shown TOPIC" or "refused
// TOPIC". The viewer's messages to the user are answered as "message TEXT" (answerProgram).
// When the input ends, the viewer ends.
#pragma once

#include "ui/helpviewer.h"

#include <QByteArray>
#include <QSocketNotifier>

namespace mezura::ui {

// One line to the program on standard output, written at once.
void answerProgram(const QByteArray& line);

class HelpServer {
public:
    HelpServer();

private:
    void readInput();
    void serve(const QByteArray& line);

    QSocketNotifier m_input;
    QByteArray m_pending;
    HelpViewer m_viewer;
};

} // namespace mezura::ui
