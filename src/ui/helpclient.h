// The program's side of help: the help viewer runs as a program of its own (mezura-help,
// beside this one), so that nothing a help file holds can end or stall the conversion
// windows. The first request starts it; later ones reuse it through its standard input. It
// never outlives this program.
#pragma once

#include <QObject>
#include <QProcess>
#include <QString>
#include <string>

namespace mezura::ui {

class HelpClient : public QObject {
    Q_OBJECT

public:
    HelpClient();
    ~HelpClient() override;

    // The viewer program beside this program's file.
    static QString defaultProgram();
    // The viewer program started from now on.
    void setProgram(const QString& program) { m_program = program; }

    // Asks the viewer to show `topic` of the help file at `path`, starting the viewer when it
    // does not run. The viewer reports the help file's problems itself.
    void open(const std::string& path, int topic);

    // Ends the viewer, if it runs.
    void close();

    // The running viewer, else null.
    const QProcess* process() const { return m_process; }

    // One request line: "TOPIC PATH\n", the path percent-encoded so that it holds no line end.
    static QByteArray request(const std::string& path, int topic);

signals:
    // A line the viewer answered: "shown 1010", "refused 1005", "message TEXT".
    void replied(const QString& line);

private:
    void ended(int exitCode, QProcess::ExitStatus status);
    void failedToStart();
    void readReplies();

    QString m_program;
    QProcess* m_process = nullptr;
};

} // namespace mezura::ui
