#pragma once
// The logger's bytes on the line: the 80-byte record block of its memory and the 112-byte status
// record it sends after the acknowledge.

#include <QByteArray>
#include <QtGlobal>
#include <array>

namespace emulator {

constexpr int SamplesPerBlock = 60;
constexpr int BlockBytes = 80;
constexpr int BlocksPerBank = 409;
constexpr int Banks = 3;
constexpr int MemoryBlocks = BlocksPerBank * Banks;         // 1227
constexpr int MemoryBytes = MemoryBlocks * BlockBytes;      // 98160
constexpr int MaxReadings = MemoryBlocks * SamplesPerBlock; // 73620
constexpr int StatusBytes = 112;
constexpr quint16 MaxCode = 1023; // readings are 10-bit codes
constexpr char Acknowledge = 0x04;

// 60 readings taken 0.1 s apart from `startTick` on (tenths of a second on the logger clock).
struct Block {
    quint32 startTick = 0;
    std::array<quint16, SamplesPerBlock> codes{};
};

// Four 10-bit codes share five bytes, read as a 40-bit little-endian number: the first code in
// bits 0..9, the second in bits 10..19, and so on.
std::array<quint8, 5> PackGroup(quint16 first, quint16 second, quint16 third, quint16 fourth);

// Bytes 1..4 the start tick (least significant first), bytes 5..79 the 15 groups of four codes,
// byte 80 unused (sent as 0).
QByteArray EncodeBlock(const Block& block);

struct StatusFields {
    quint32 clock = 0; // tenths of a second since the logger was restarted
    quint8 type = 80;
    int mode = 1; // 1 records between High and Low, anything else outside them
    bool presentShown = true;
    quint16 number = 0;
    quint8 low = 0;
    quint8 high = 0;
    quint8 currentBlockFlag = 0;
    quint16 present = 0;  // 10-bit reading of the channel now
    int currentBlock = 0; // 0..1226, reported as bank and index within the bank
    quint8 wrapCount = 0;
};

// Every byte the logger does not define carries this filler, so a reader that takes the wrong
// position gets a value it cannot mistake for a plausible one.
constexpr quint8 StatusFiller = 0xA5;

QByteArray EncodeStatus(const StatusFields& fields);

} // namespace emulator
