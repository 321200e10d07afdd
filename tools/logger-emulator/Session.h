#pragma once
// One virtual logger on a line: takes the bytes the program sends, carries out its commands on
// the logger model, queues the answers and hands them out at the line's pace. Faults spoil the
// answers; the console (stdin) changes the logger while it runs. No I/O on the line itself: the
// caller reads and writes the device and passes the time in milliseconds since start.

#include "logger-emulator/CommandParser.h"
#include "logger-emulator/Faults.h"
#include "logger-emulator/Logger.h"
#include "logger-emulator/Pacer.h"

#include <QFile>
#include <QString>

namespace emulator {

struct SessionFiles {
    QString record; // the readings held, rewritten whenever the memory changes
    QString log;    // one line per command received
};

class Session {
public:
    // Sent instead of the acknowledge byte by the bad-ack fault.
    static constexpr char WrongAcknowledge = 0x15;
    // The smallest gap between two bytes while the one-byte fault holds.
    static constexpr qint64 OneByteGapMs = 2;

    Session(const LoggerSettings& settings, LineSpeed speed, SessionFiles files, qint64 nowMs);

    // Writes the first record file and opens the log; false with a message when one fails.
    bool Start(QString* error);

    void Receive(const QByteArray& bytes, qint64 nowMs);

    enum class ConsoleResult { Done, Quit, Error };
    // One line typed on stdin: fault F, fault clear, restart, readings N, quit.
    ConsoleResult Console(const QString& line, qint64 nowMs, QString* message);

    // The bytes that may be written now (empty when none are due).
    QByteArray Due(qint64 nowMs);
    // `count` bytes of Due() went out.
    void Written(qint64 count, qint64 nowMs);
    // Bytes of answers not yet written; while any wait, new commands are ignored.
    bool Busy() const { return !output_.isEmpty(); }
    // The answer being written goes nowhere (the line was unplugged): it is dropped.
    void DropOutput() {
        output_.clear();
        pacer_.Idle();
    }
    // Milliseconds until the next byte is due.
    qint64 MsUntilDue(qint64 nowMs) const;

    void AddFault(const Fault& fault) { faults_.Add(fault); }
    bool LineCut() const { return lineCut_; }
    Logger& Model() { return logger_; }
    const LineSpeed& Speed() const { return pacer_.Speed(); }

private:
    void Execute(const Command& command, qint64 nowMs);
    void Answer(QByteArray body, char letter);
    void Log(const Command& command, qint64 nowMs);
    bool WriteRecord(QString* error = nullptr);

    Logger logger_;
    CommandParser parser_;
    Faults faults_;
    Pacer pacer_;
    SessionFiles files_;
    QFile log_;
    QByteArray output_;
    bool oneByte_ = false; // the answer being written goes out byte by byte
    qint64 lastByteMs_ = -OneByteGapMs;
    bool lineCut_ = false;
};

} // namespace emulator
