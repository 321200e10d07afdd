#pragma once
// Picks the program's commands out of the bytes arriving on the line. A command is a zero byte,
// an upper-case letter and, for Limits ("L"), three parameter bytes. Anything else on the line
// (noise, a half command that never finished) is skipped; a command may arrive in pieces.

#include <QByteArray>
#include <QList>
#include <QtGlobal>

namespace emulator {

struct Command {
    char letter = 0;
    QByteArray bytes; // the whole command as received, zero byte first
};

class CommandParser {
public:
    // A command left unfinished for this long is noise, not the start of the next command.
    static constexpr qint64 PartialTimeoutMs = 1000;

    QList<Command> Feed(const QByteArray& bytes, qint64 nowMs);
    bool HasPartial() const { return !pending_.isEmpty(); }

    // Bytes a command with this letter has in all.
    static int LengthOf(char letter) { return letter == 'L' ? 5 : 2; }

private:
    QByteArray pending_;
    qint64 lastMs_ = 0;
};

} // namespace emulator
