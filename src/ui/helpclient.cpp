#include "ui/helpclient.h"

#include "framework/frame.h"
#include "ui/messages.h"

#include <QCoreApplication>
#include <QDir>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>
#include <utility>

namespace mezura::ui {

namespace {
QString helpTitle()
{
    return QString::fromUtf8(kTitlePrefix) + QStringLiteral("ヘルプ");
}

void report(const QString& text)
{
    showMessage({MessageKind::Warning, helpTitle(), text});
}

// How long an ending viewer is given to go before it is killed.
constexpr int kEndWaitMs = 2000;
} // namespace

HelpClient::HelpClient()
    : m_program(defaultProgram())
{
}

HelpClient::~HelpClient()
{
    close();
}

QString HelpClient::defaultProgram()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("mezura-help"));
}

QByteArray HelpClient::request(const std::string& path, int topic)
{
    return QByteArray::number(topic) + ' ' +
        QByteArray(path.data(), static_cast<qsizetype>(path.size())).toPercentEncoding("/") + '\n';
}

void HelpClient::open(const std::string& path, int topic)
{
    if (m_process == nullptr) {
        m_process = new QProcess(this);
        m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        connect(m_process, &QProcess::finished, this, &HelpClient::ended);
        connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart) {
                failedToStart();
            }
        });
        connect(m_process, &QProcess::readyReadStandardOutput, this, &HelpClient::readReplies);
        // The viewer goes when this program goes, however it ends: in the viewer's process,
        // before its program runs, the system is told to kill it when its parent ends (a
        // SIGKILL ends it even while it is stopped), and should this program have ended
        // already, the viewer does not start.
        const pid_t parent = ::getpid();
        m_process->setChildProcessModifier([parent] {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent) {
                ::_exit(1);
            }
        });
        m_process->start(m_program, {});
    }
    // Written once the viewer runs, when it is just starting.
    m_process->write(request(path, topic));
}

void HelpClient::close()
{
    if (m_process == nullptr) {
        return;
    }
    QProcess* process = std::exchange(m_process, nullptr);
    process->disconnect(this);
    // The end of its input ends the viewer; one that does not go is killed.
    process->closeWriteChannel();
    if (process->state() != QProcess::NotRunning && !process->waitForFinished(kEndWaitMs)) {
        process->kill();
        process->waitForFinished(kEndWaitMs);
    }
    delete process;
}

void HelpClient::readReplies()
{
    while (m_process != nullptr && m_process->canReadLine()) {
        const QString line = QString::fromUtf8(m_process->readLine()).chopped(1);
        emit replied(line);
    }
}

void HelpClient::ended(int exitCode, QProcess::ExitStatus status)
{
    readReplies();
    m_process->deleteLater();
    m_process = nullptr;
    // It ends by itself only when something went wrong; the next request starts it afresh.
    if (status == QProcess::CrashExit || exitCode != 0) {
        report(QStringLiteral("ヘルプの画面が異常終了しました。次にヘルプを開くときに起動し直します。"));
    }
}

void HelpClient::failedToStart()
{
    const QString program = m_program;
    m_process->deleteLater();
    m_process->disconnect(this);
    m_process = nullptr;
    report(QStringLiteral("ヘルプの画面のプログラム %1 を起動できません。").arg(program));
}

} // namespace mezura::ui
