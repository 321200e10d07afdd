#pragma once
// How fast the logger's bytes go out. The real line runs at 4800 baud with 8 data bits, no
// parity and 2 stop bits: with the start bit every byte takes 11 bit times, about 436 bytes a
// second, so a full memory (98160 bytes) takes about 225 s.

#include <QString>
#include <QtGlobal>
#include <optional>

namespace emulator {

struct LineSpeed {
    // `bytes` may go out every `perMs` milliseconds; perMs 0 means no pacing at all.
    qint64 bytes = 4800;
    qint64 perMs = 11000;

    static LineSpeed Real() { return {4800, 11 * 1000}; }
    static LineSpeed Fast() { return {0, 0}; }
    static LineSpeed BytesPerSecond(qint64 rate) { return {rate, 1000}; }
    // "real", "fast" or a whole number of bytes per second above 0.
    static std::optional<LineSpeed> Parse(const QString& text);

    bool Unpaced() const { return perMs == 0; }
    // Bytes that may have gone out `elapsedMs` after the first of a run.
    qint64 BytesAfter(qint64 elapsedMs) const;
    // Milliseconds from the start of a run until `count` bytes have gone out.
    qint64 MsFor(qint64 count) const;
};

// Paces one run of bytes after another: a run starts when bytes are waiting after the line was
// quiet, and from then on the bytes go out no faster than the line speed allows.
class Pacer {
public:
    explicit Pacer(LineSpeed speed) : speed_(speed) {}

    // How many of the `waiting` bytes may be written at `nowMs`.
    qint64 Allowance(qint64 waiting, qint64 nowMs);
    void Sent(qint64 count) { sent_ += count; }
    // The line fell quiet: the next bytes start a new run.
    void Idle() { running_ = false; }
    // Milliseconds until the next byte is due (0 when one is due now).
    qint64 MsUntilNext(qint64 nowMs) const;

    const LineSpeed& Speed() const { return speed_; }

private:
    LineSpeed speed_;
    bool running_ = false;
    qint64 startMs_ = 0;
    qint64 sent_ = 0;
};

} // namespace emulator
