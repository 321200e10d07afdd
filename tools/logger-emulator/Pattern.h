#pragma once
// What the virtual logger's memory holds: blocks of readings in the order they were taken.

#include "logger-emulator/LoggerFormat.h"

#include <QString>
#include <optional>
#include <vector>

namespace emulator {

struct Pattern {
    enum class Kind {
        Demo,     // mains voltage drifting between about 120 and 230 V, with dips and pauses
        Ramp,     // reading i (from 0) holds i mod 1024, no pauses: its value tells its place
        Constant, // every reading holds `code`, no pauses
    };
    Kind kind = Kind::Demo;
    quint16 code = 0;

    // "demo", "ramp" or "constant:RAW" (RAW 0..1023).
    static std::optional<Pattern> Parse(const QString& text);
};

// Ticks that pass after the last reading before the clock is read, when nothing else says.
constexpr quint32 QuietTicks = 300;

// `count` blocks in the order they were taken, the first starting at `firstTick`.
std::vector<Block> MakeBlocks(const Pattern& pattern, int count, quint32 firstTick);

// Tenths of a second from the first block's start to the end of the last block's last reading.
quint32 SpanOf(const std::vector<Block>& blocks);

} // namespace emulator
