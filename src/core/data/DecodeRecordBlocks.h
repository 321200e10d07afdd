#pragma once
// Turns one bank of the logger's 80-byte record blocks into readings in volts with time stamps.
//
// A record block is 4 header bytes (the block's start, in 0.1 s ticks from the logger clock's
// zero, unsigned 32-bit little-endian), 15 groups of 5 bytes each packing four 10-bit sample
// codes little-endian (sample 1 in the lowest bits), and one byte the decoder does not use. The
// 60 samples of a block lie 0.1 s apart; every block carries its own start, so consecutive blocks
// need not be contiguous in time.

#include "ui/DateSerial.h"

#include <cstdint>
#include <span>

class QString;
struct AppState;

constexpr int kRecordBlockBytes = 80;
constexpr int kSamplesPerBlock = 60;
// One storage block of the record arrays holds 24540 readings, 409 record blocks: a decode is
// never asked for more by a sound transfer plan.
constexpr int kMaxBlocksPerDecode = 409;

// 1 on the 250 V range, 2 on any other ("500 Volt").
double RangeFactor(const QString& voltageRange);

struct BankDecode {
    int blocks = 0;        // record blocks decoded
    bool complete = false; // every announced block was decoded
};

// Decodes the first `announcedBlocks` record blocks of `bank`. Sample n (1-based, n = 60 x block
// + 4 x group + k) goes to values[n] in volts (code / 4 x rangeFactor) and times[n] as a day
// serial from `downloadStart`.
//   - Decoding stops without error at the first block index not below `transferBlocks` (the
//     blocks of the whole transfer); such a decode is not complete.
//   - A bank shorter than it announces decodes only its complete 80-byte blocks; not complete.
//   - More than 409 announced blocks (or a count that is not a number) is refused: nothing is
//     written and the decode is not complete.
//   - Samples that would fall outside `values` or `times` are never written; the decode stops at
//     the last block that fits and is not complete.
// Entries not written keep what they held.
BankDecode DecodeBank(std::span<const std::uint8_t> bank, double announcedBlocks,
                      double transferBlocks, double downloadStart, double rangeFactor,
                      std::span<double> values, std::span<double> times);

// Times 1..count of a decoded bank moved to the wall time at which each reading was taken,
// where the computer's UTC offset changed between it and the present (see ui::WallShifts).
void ShiftToWallTime(std::span<double> times, int count, double downloadStart,
                     const ui::WallShifts& shifts);

// The decode of the download: DownloadBuffer holds bank BankIndex with BankBlockCounts(BankIndex)
// blocks; the result goes to BlockValue / BlockTime from index 1. DisplayCount takes RecordCount
// first; Zoomed becomes 0 only when every announced block was decoded. A BankIndex outside the
// count table decodes nothing.
void DecodeRecordBlocks(AppState& st);
