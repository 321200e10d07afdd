#pragma once
// The virtual logger's state: its memory of 1227 blocks written as a ring, its clock, and the
// settings the status record reports. Time comes in as milliseconds since the emulator started,
// so the model runs the same in tests as on a live line.

#include "logger-emulator/LoggerFormat.h"
#include "logger-emulator/Pattern.h"

#include <QByteArray>
#include <optional>
#include <vector>

namespace emulator {

struct LoggerSettings {
    int readings = 0;                // rounded down to whole blocks; 73620 fills the memory
    bool wrapped = false;            // every block holds readings
    std::optional<int> currentBlock; // where the ring stands (see Logger)
    quint8 wrapCount = 1;            // reported while wrapped
    quint8 currentBlockFlag = 0;
    quint8 type = 80;
    quint16 number = 1234;
    quint8 high = 200;
    quint8 low = 50;
    int mode = 1;
    std::optional<quint32> clock; // at start; by default a little after the last reading
    quint16 present = 480;
    bool presentShown = true;
    Pattern pattern;
};

struct Reading {
    quint32 tick = 0;
    quint16 code = 0;
};

// The ring: the status record names a current block C (bytes 68..70) and a flag (byte 43).
//  - Memory not wrapped: blocks 0..C-1 hold the readings, oldest first; C is where the next
//    block goes and holds nothing yet, whatever the flag says.
//  - Memory wrapped, flag 0: C is the next block to be overwritten, so it holds the oldest
//    readings; the newest are in C-1.
//  - Memory wrapped, flag above 0: C is the block written last and holds the newest readings;
//    the oldest are in C+1.
class Logger {
public:
    Logger(const LoggerSettings& settings, qint64 nowMs);

    QByteArray StatusRecord(qint64 nowMs) const;
    // The used memory from the start of bank 1: as many blocks as the status record announces.
    QByteArray TransferBytes() const;
    // Blocks a transfer brings: the current block's position plus a whole memory per wrap.
    int TransferBlocks() const;

    void SetLimits(quint8 low, quint8 high, int mode);
    // Memory cleared, clock back to 0.
    void Restart(qint64 nowMs);
    // New readings in a memory that has not wrapped (73620 fill it exactly); the clock moves on
    // if it would stand before the last of them.
    void ReplaceReadings(int readings, qint64 nowMs);

    quint32 ClockAt(qint64 nowMs) const;
    // Every reading held, oldest first.
    std::vector<Reading> Readings() const;
    // Lines `n<TAB>tick<TAB>code`, n from 1, oldest first.
    QByteArray RecordText() const;

    int CurrentBlock() const { return current_; }
    bool Wrapped() const { return wrapped_; }
    quint8 WrapCount() const { return wrapped_ ? wrapCount_ : 0; }
    quint8 CurrentBlockFlag() const { return flag_; }
    quint8 Low() const { return low_; }
    quint8 High() const { return high_; }
    int Mode() const { return mode_; }
    const QByteArray& Memory() const { return memory_; }
    const std::vector<Block>& Blocks() const { return blocks_; }

private:
    void Store(std::vector<Block> blocks, bool wrapped, std::optional<int> current);
    void SetClock(quint32 tick, qint64 nowMs);

    QByteArray memory_;
    std::vector<Block> blocks_; // oldest first
    int current_ = 0;
    bool wrapped_ = false;
    quint8 wrapCount_ = 1;
    quint8 flag_ = 0;
    quint8 type_;
    quint16 number_;
    quint8 high_;
    quint8 low_;
    int mode_;
    quint16 present_;
    bool presentShown_;
    Pattern pattern_;
    quint32 clockBase_ = 0; // clock reading at clockBaseMs_
    qint64 clockBaseMs_ = 0;
};

} // namespace emulator
