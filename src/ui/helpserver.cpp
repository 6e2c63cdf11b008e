// Requests from the program to the help viewer, and the viewer's answers.
#include "ui/helpserver.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace mezura::ui {

namespace {
// A request longer than this is no request of the program's.
constexpr qsizetype kLongestRequest = qsizetype{64} * 1024;
} // namespace

void answerProgram(const QByteArray& line)
{
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

HelpServer::HelpServer()
    : m_input(STDIN_FILENO, QSocketNotifier::Read)
{
    QObject::connect(&m_input, &QSocketNotifier::activated, [this] { readInput(); });
}

void HelpServer::readInput()
{
    char buffer[4096];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) {
        return;
    }
    if (got <= 0) {
        m_input.setEnabled(false);
        QCoreApplication::quit();
        return;
    }
    m_pending.append(buffer, got);
    for (qsizetype end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n')) {
        const QByteArray line = m_pending.left(end);
        m_pending.remove(0, end + 1);
        serve(line);
    }
    if (m_pending.size() > kLongestRequest) {
        m_pending.clear();
    }
}

void HelpServer::serve(const QByteArray& line)
{
    const qsizetype blank = line.indexOf(' ');
    bool number = false;
    const int topic = line.left(blank).toInt(&number);
    if (blank < 0 || !number) {
        answerProgram("refused " + line.left(32));
        return;
    }
    const QByteArray path = QByteArray::fromPercentEncoding(line.mid(blank + 1));
    const bool shown = m_viewer.open(path.toStdString(), topic);
    answerProgram((shown ? "shown " : "refused ") + QByteArray::number(topic));
}

} // namespace mezura::ui
