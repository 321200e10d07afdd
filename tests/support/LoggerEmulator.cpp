#include "support/LoggerEmulator.h"

#include <QDeadlineTimer>
#include <QFile>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

LoggerEmulator::LoggerEmulator(QStringList arguments) : arguments_(std::move(arguments)) {
    if (!arguments_.contains(QLatin1String("--speed")))
        arguments_ << "--speed"
                   << "fast";
    arguments_ << "--log" << files_.filePath("log") << "--record" << files_.filePath("record");
}

LoggerEmulator::~LoggerEmulator() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.write("quit\n");
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

QString LoggerEmulator::start(QString& error) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Should the test program crash, the logger ends with it instead of holding its line.
    const pid_t test = ::getpid();
    process_.setChildProcessModifier([test] {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (::getppid() != test) ::_exit(1);
    });
    process_.start(QStringLiteral(VESTO_BINARY_DIR "/vesto-logger-emulator"), arguments_);
    process_.waitForStarted(10000);
    const QDeadlineTimer deadline(20000);
    while (process_.state() == QProcess::Running && !process_.canReadLine() &&
           !deadline.hasExpired())
        process_.waitForReadyRead(200);
    const QByteArray line = process_.readLine().trimmed();
    if (line.startsWith("PTY ")) return QString::fromLocal8Bit(line.mid(4));
    error = QStringLiteral("the logger did not report its line (%1, %2)")
                .arg(QString::fromLocal8Bit(line), process_.errorString());
    return {};
}

void LoggerEmulator::console(const QString& line) {
    process_.write(line.toLocal8Bit() + '\n');
    process_.waitForBytesWritten(3000);
}

namespace {
// The lines of a file the logger writes, split at their tabs.
QList<QList<QByteArray>> Fields(const QString& path) {
    QFile file(path);
    QList<QList<QByteArray>> lines;
    if (file.open(QIODevice::ReadOnly))
        for (const QByteArray& line : file.readAll().trimmed().split('\n'))
            lines << line.trimmed().split('\t');
    return lines;
}
} // namespace

QList<LoggerEmulator::Command> LoggerEmulator::commands(const QByteArray& prefix) const {
    QList<Command> matching;
    for (const QList<QByteArray>& f : Fields(files_.filePath("log"))) {
        const QByteArray bytes = QByteArray::fromHex(f.value(1));
        if (f.size() == 2 && bytes.startsWith(prefix)) matching.append({f[0].toLongLong(), bytes});
    }
    return matching;
}

QList<LoggerEmulator::Reading> LoggerEmulator::readings() const {
    QList<Reading> all;
    for (const QList<QByteArray>& f : Fields(files_.filePath("record")))
        if (f.size() == 3) all.append({f[0].toInt(), f[1].toLongLong(), f[2].toInt()});
    return all;
}
