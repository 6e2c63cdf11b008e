// mezura-help: the help viewer, a program of its own beside mezura. It reads requests from
// its standard input, one a line, "TOPIC PATH" (the help file's path percent-encoded), shows
// each in its one window, and answers each on its standard output: "shown TOPIC" or
// "refused TOPIC", and "message TEXT" for every problem it reports to the user. It ends when
// its input ends.
#include "ui/application.h"
#include "ui/helpviewer.h"
#include "ui/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QSocketNotifier>
#include <cerrno>
#include <cstdio>
#include <unistd.h>

namespace {

// A request longer than this is no request of the program's.
constexpr qsizetype kLongestRequest = qsizetype{64} * 1024;

void answer(const QByteArray& line)
{
    std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

class Server {
public:
    Server()
        : m_input(STDIN_FILENO, QSocketNotifier::Read)
    {
        QObject::connect(&m_input, &QSocketNotifier::activated, [this] { readInput(); });
    }

private:
    void readInput()
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

    void serve(const QByteArray& line)
    {
        const qsizetype blank = line.indexOf(' ');
        bool number = false;
        const int topic = line.left(blank).toInt(&number);
        if (blank < 0 || !number) {
            answer("refused " + line.left(32));
            return;
        }
        const QByteArray path = QByteArray::fromPercentEncoding(line.mid(blank + 1));
        const bool shown = m_viewer.open(path.toStdString(), topic);
        answer((shown ? "shown " : "refused ") + QByteArray::number(topic));
    }

    QSocketNotifier m_input;
    QByteArray m_pending;
    mezura::ui::HelpViewer m_viewer;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    mezura::ui::setUpApplication();
    // A problem is answered to the program and shown in a box that does not stop the viewer
    // from serving the next request.
    mezura::ui::setMessageSink([](const mezura::ui::Message& message) {
        answer("message " + message.text.toUtf8().replace('\n', ' '));
        auto* box = new QMessageBox(QMessageBox::Warning, message.title, message.text, QMessageBox::Ok);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
    Server server;
    return QApplication::exec();
}
