#include "logger-emulator/CommandParser.h"

namespace emulator {

namespace {
bool IsLetter(char c) {
    return c >= 'A' && c <= 'Z';
}
} // namespace

QList<Command> CommandParser::Feed(const QByteArray& bytes, qint64 nowMs) {
    if (!pending_.isEmpty() && nowMs - lastMs_ > PartialTimeoutMs) pending_.clear();
    if (!bytes.isEmpty()) lastMs_ = nowMs;
    pending_ += bytes;

    QList<Command> commands;
    qsizetype at = 0;
    while (at < pending_.size()) {
        if (pending_[at] != '\0') {
            ++at;
            continue;
        }
        if (at + 1 >= pending_.size()) break; // the letter has not come yet
        const char letter = pending_[at + 1];
        if (!IsLetter(letter)) {
            ++at; // a zero that starts nothing; the next byte may be the zero of a command
            continue;
        }
        const int length = LengthOf(letter);
        if (at + length > pending_.size()) break; // parameters still on their way
        commands.append({letter, pending_.mid(at, length)});
        at += length;
    }
    pending_.remove(0, at);
    return commands;
}

} // namespace emulator
