#pragma once
// What the logger tells about itself and its memory: the 112-byte status record that follows the
// acknowledge of a Status command, the values the program derives from it, the plan of a record
// transfer, and where each transferred reading belongs in time order.
//
// The logger's memory is three banks of 409 blocks of 80 bytes; a block holds 60 readings. It is
// written as a ring: once full, the oldest block is overwritten by the newest.

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>

constexpr int kStatusRecordBytes = 112;
constexpr int kBlockBytes = 80;
constexpr int kReadingsPerBlock = 60;
constexpr int kBlocksPerBank = 409;
constexpr int kBankBytes = kBlocksPerBank * kBlockBytes;           // 32720
constexpr int kBankReadings = kBlocksPerBank * kReadingsPerBlock;  // 24540
constexpr int kMemoryBlocks = 3 * kBlocksPerBank;                  // 1227
constexpr int kMemoryReadings = kMemoryBlocks * kReadingsPerBlock; // 73620
constexpr char kAcknowledge = 4;

// The fields of one status record, as the logger sent them.
struct StatusRecord {
    std::array<int, 4> clockBytes{}; // logger clock in tenths of a second, least significant first
    int loggerType = 0;
    int flags = 0; // bit 7: mode 1; bit 3: the present reading is shown
    int loggerNumber = 0;
    int lowRaw = 0, highRaw = 0; // limits in raw steps
    int currentBlockFlag = 0;    // 0 or 1
    int presentLow = 0, presentHigh = 0;
    int blockIndex = 0; // block being written, within its bank (0..408)
    int bank = 0;       // bank being written (0..2)
    int wrapCount = 0;  // 0 until the memory has wrapped

    // Blocks the logger holds, at most the whole memory.
    int blockCount() const;
    // Banks a transfer brings: 0 when the memory is empty, all three once it has wrapped.
    int bankCount() const;
    // Readings that lie before the block being written, in memory order.
    int writePointer() const;
    int loggerRecordCount() const { return kReadingsPerBlock * blockCount(); }
    qint32 downloadBytes() const { return kBlockBytes * blockCount(); }
    // The logger clock in days, converted with the two rounded factors the logger's makers give
    // for the upper clock bytes.
    double loggerElapsed() const;
    // Bits 0..7 of the flags byte at entries 0..7 (entry 8 stays 0).
    std::array<qint16, 9> statusBits() const;
    int presentShown() const { return (flags >> 3) & 1; }
    // 1 records between High and Low ("Exception IN"), 2 outside them ("Exception OUT").
    int mode() const { return flags < 128 ? 2 : 1; }
    // The present reading in quarter steps of the 10-bit converter (0 .. 255.75).
    double presentReading() const;
};

// Reads a status record. Returns nothing when the bytes cannot be a status record: fewer than 112,
// a bank number above 2 or a block index of 409 or more. Bytes beyond the 112th are ignored.
std::optional<StatusRecord> ParseStatusRecord(const QByteArray& bytes);

// Raw steps to display units for the limits: 1 on "250 Volt", 2 on any other range.
double LimitRangeFactor(const QString& voltageRange);
// Raw steps to display units for the present reading: 2 on "500 Volt", 1 on any other range.
double PresentRangeFactor(const QString& voltageRange);

// How a transfer arrives: bytes, readings and blocks of banks 1..3 (entry 0 unused).
struct TransferPlan {
    std::array<int, 4> bankBytes{};
    std::array<int, 4> bankRecordCounts{};
    std::array<int, 4> bankBlockCounts{};
};
// The plan for 1..3 banks; nothing for 0 banks (the previous plan stays).
std::optional<TransferPlan> PlanTransfer(int bankCount, qint32 downloadBytes,
                                         int loggerRecordCount);

// Time-order number (1 = oldest .. 73620) of the reading at memory position m (1..73620) of a
// memory that has wrapped. The newest block is the one being written; with the current-block
// flag set it holds the newest readings, else it is taken as the oldest.
int WrappedReadingNumber(int memoryPosition, int writePointer, int currentBlockFlag);

// Time-order number of reading i (1..24540) of bank 1..3 as the transfer brings it; the memory
// is in time order unless it has wrapped. A completed transfer and a cut one place their
// readings by it alike.
int TransferReadingNumber(int bank, int i, bool wrapped, int writePointer, int currentBlockFlag);

// Seconds a transfer of that many readings may take before it is given up: the line brings
// about 275 readings a second; never more than 270 s and never below 41 s.
int WatchdogLimitSeconds(double loggerRecordCount);

// The Limits command: a zero byte, "L", then Low, High and Mode as single bytes, each rounded to
// the nearest whole number with halves going to the even neighbour.
QByteArray LimitsCommand(double low, double high, double mode);

// Percentage of a transfer received: banks before the one arriving count whole, plus the bytes
// waiting; 0 when nothing is announced.
float TransferProgress(int bankReceiving, qint64 bytesWaiting, qint32 downloadBytes);
