#include "support/LoggerEmulator.h"

#include <QDeadlineTimer>
#include <QFile>

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

QString LoggerEmulator::executable() {
    return QStringLiteral(VESTO_BINARY_DIR "/logger-emulator");
}

bool LoggerEmulator::start() {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(executable(), arguments_);
    if (!process_.waitForStarted(10000)) {
        error_ = QStringLiteral("cannot start %1: %2").arg(executable(), process_.errorString());
        return false;
    }
    const QDeadlineTimer deadline(20000);
    while (!process_.canReadLine() && !deadline.hasExpired()) {
        if (process_.state() == QProcess::NotRunning) break;
        process_.waitForReadyRead(200);
    }
    const QByteArray line = process_.readLine().trimmed();
    if (!line.startsWith("PTY ")) {
        error_ = QStringLiteral("the logger did not report its line (%1)")
                     .arg(QString::fromLocal8Bit(line));
        return false;
    }
    ptyPath_ = QString::fromLocal8Bit(line.mid(4));
    return true;
}

void LoggerEmulator::console(const QString& line) {
    process_.write(line.toLocal8Bit() + '\n');
    process_.waitForBytesWritten(3000);
}

QList<LoggerEmulator::Command> LoggerEmulator::commands() const {
    QList<Command> all;
    QFile file(files_.filePath("log"));
    if (!file.open(QIODevice::ReadOnly)) return all;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype tab = line.indexOf('\t');
        if (tab < 0) continue;
        all.append({line.left(tab).toLongLong(), QByteArray::fromHex(line.mid(tab + 1))});
    }
    return all;
}

QList<LoggerEmulator::Command> LoggerEmulator::commands(const QByteArray& prefix) const {
    QList<Command> matching;
    for (const Command& c : commands())
        if (c.bytes.startsWith(prefix)) matching.append(c);
    return matching;
}

QList<LoggerEmulator::Reading> LoggerEmulator::readings() const {
    QList<Reading> all;
    QFile file(files_.filePath("record"));
    if (!file.open(QIODevice::ReadOnly)) return all;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split('\t');
        if (fields.size() != 3) continue;
        all.append({fields[0].toInt(), fields[1].toLongLong(), fields[2].toInt()});
    }
    return all;
}
