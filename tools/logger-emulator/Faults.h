#pragma once
// Faults the virtual logger can put on the line, so the program's handling of a bad line can be
// tried without a bad cable. Each holds until cleared, or for a given number of answers.

#include <QList>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace emulator {

struct Fault {
    enum class Kind {
        NoAnswer,    // deaf: commands are neither answered nor carried out
        BadAck,      // a wrong acknowledge byte (0x15) and nothing after it
        StallAt,     // a transfer stops after `bytes` bytes of memory; later commands answered
        CutAt,       // a transfer stops after `bytes` bytes and the line stays dead
        Garbage,     // a few noise bytes (never 0x04) before each acknowledge
        OneByte,     // every byte written on its own, at least 2 ms apart
        ShortStatus, // the status record stops after `bytes` bytes (default 56)
    };
    Kind kind = Kind::NoAnswer;
    qint64 bytes = 0;
    int remaining = -1; // answers it still spoils; -1 for ever

    // "no-answer", "bad-ack", "stall-at:BYTES", "cut-at:BYTES", "garbage", "one-byte",
    // "short-status" or "short-status:BYTES", each optionally followed by "/N": only the next
    // N answers (commands, for no-answer) are spoilt.
    static std::optional<Fault> Parse(const QString& text);
};

class Faults {
public:
    void Add(const Fault& fault);
    void Clear() { faults_.clear(); }
    bool Has(Fault::Kind kind) const { return Find(kind) != nullptr; }
    // The fault of this kind, if any, counted as used once; nullopt when there is none.
    std::optional<Fault> Use(Fault::Kind kind);
    bool Empty() const { return faults_.isEmpty(); }

private:
    const Fault* Find(Fault::Kind kind) const;
    QList<Fault> faults_;
};

} // namespace emulator
