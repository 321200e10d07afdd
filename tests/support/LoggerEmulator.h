#pragma once
// The virtual logger (the vesto-logger-emulator executable) run as a separate process for
// end-to-end tests: it opens a pseudo-terminal and answers the program's commands on it. The test
// reads what it received (its command log) and what it holds (its record of readings).

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class LoggerEmulator {
public:
    struct Command {
        qint64 ms = 0;    // since the logger started
        QByteArray bytes; // as received
    };
    struct Reading {
        int n = 0;        // 1 = oldest
        qint64 ticks = 0; // tenths of a second on the logger clock
        int raw = 0;      // 10-bit code
    };

    // `arguments` are the logger's options; --speed fast, --log and --record are added unless
    // the arguments give their own --speed.
    explicit LoggerEmulator(QStringList arguments);
    ~LoggerEmulator();

    // Starts the logger and returns its line, or an empty path with the reason in `error`.
    QString start(QString& error);

    // A console command: "fault no-answer", "fault clear", "restart", "readings N".
    void console(const QString& line);

    // Commands received whose bytes start with `prefix` ("\0R" for Status, say).
    QList<Command> commands(const QByteArray& prefix = {}) const;
    QList<Reading> readings() const;
    qint64 processId() const { return process_.processId(); }

private:
    QProcess process_;
    QTemporaryDir files_;
    QStringList arguments_;
};
