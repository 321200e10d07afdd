#include "link/StatusRecord.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace {

// Byte n of the record, counting from 1 as the logger's documentation does.
int byteAt(const QByteArray& bytes, int n) {
    return static_cast<quint8>(bytes.at(n - 1));
}

int toByte(double value) {
    // The current rounding mode is round-to-nearest-even unless someone changed it.
    const double rounded = std::nearbyint(value);
    if (!(rounded >= 0)) return 0;
    return static_cast<int>(std::min(rounded, 255.0));
}

} // namespace

int StatusRecord::blockCount() const {
    const int count = blockIndex + kBlocksPerBank * bank + kMemoryBlocks * wrapCount;
    return std::min(count, kMemoryBlocks);
}

int StatusRecord::bankCount() const {
    if (blockCount() == 0) return 0;
    return wrapCount != 0 ? 3 : bank + 1;
}

int StatusRecord::writePointer() const {
    return kReadingsPerBlock * (blockIndex + kBlocksPerBank * bank);
}

double StatusRecord::loggerElapsed() const {
    return (clockBytes[0] + 256.0 * clockBytes[1]) / 864000.0 + clockBytes[2] * 0.075851859 +
           clockBytes[3] * 19.41807407;
}

std::array<qint16, 9> StatusRecord::statusBits() const {
    std::array<qint16, 9> bits{};
    for (int b = 0; b < 8; ++b)
        bits[static_cast<size_t>(b)] = static_cast<qint16>((flags >> b) & 1);
    return bits;
}

double StatusRecord::presentReading() const {
    return ((presentHigh % 4) * 256 + presentLow) / 4.0;
}

std::optional<StatusRecord> ParseStatusRecord(const QByteArray& bytes) {
    if (bytes.size() < kStatusRecordBytes) return std::nullopt;
    StatusRecord r;
    r.blockIndex = byteAt(bytes, 68) + 256 * byteAt(bytes, 69);
    r.bank = byteAt(bytes, 70);
    if (r.bank > 2 || r.blockIndex >= kBlocksPerBank) return std::nullopt;
    r.wrapCount = byteAt(bytes, 71);
    for (int i = 0; i < 4; ++i) r.clockBytes[static_cast<size_t>(i)] = byteAt(bytes, 2 + i);
    r.loggerType = byteAt(bytes, 11);
    r.flags = byteAt(bytes, 24);
    r.loggerNumber = byteAt(bytes, 28) + 256 * byteAt(bytes, 29);
    r.lowRaw = byteAt(bytes, 35);
    r.highRaw = byteAt(bytes, 36);
    r.currentBlockFlag = byteAt(bytes, 43) > 0 ? 1 : 0;
    r.presentLow = byteAt(bytes, 44);
    r.presentHigh = byteAt(bytes, 45);
    return r;
}

double LimitRangeFactor(const QString& voltageRange) {
    return voltageRange == QLatin1String("250 Volt") ? 1.0 : 2.0;
}

double PresentRangeFactor(const QString& voltageRange) {
    return voltageRange == QLatin1String("500 Volt") ? 2.0 : 1.0;
}

std::optional<TransferPlan> PlanTransfer(int bankCount, qint32 downloadBytes,
                                         int loggerRecordCount) {
    if (bankCount < 1 || bankCount > 3) return std::nullopt;
    TransferPlan plan;
    for (int k = 1; k < bankCount; ++k) {
        plan.bankBytes[static_cast<size_t>(k)] = kBankBytes;
        plan.bankRecordCounts[static_cast<size_t>(k)] = kBankReadings;
    }
    const auto last = static_cast<size_t>(bankCount);
    plan.bankBytes[last] = std::max(0, downloadBytes - kBankBytes * (bankCount - 1));
    plan.bankRecordCounts[last] = std::max(0, loggerRecordCount - kBankReadings * (bankCount - 1));
    for (size_t k = 1; k <= 3; ++k) plan.bankBlockCounts[k] = plan.bankBytes[k] / kBlockBytes;
    return plan;
}

int WrappedReadingNumber(int memoryPosition, int writePointer, int currentBlockFlag) {
    int n = memoryPosition - writePointer - kReadingsPerBlock * currentBlockFlag;
    // Positions and pointer come from a checked status record, so one turn of the ring is
    // enough; the remainder keeps any other input inside the record as well.
    n %= kMemoryReadings;
    if (n < 1) n += kMemoryReadings;
    return n;
}

int TransferReadingNumber(int bank, int i, bool wrapped, int writePointer, int currentBlockFlag) {
    const int position = i + kBankReadings * (bank - 1);
    return wrapped ? WrappedReadingNumber(position, writePointer, currentBlockFlag) : position;
}

int WatchdogLimitSeconds(double loggerRecordCount) {
    int limit = static_cast<int>(std::clamp(loggerRecordCount, 0.0, 1e6) / 275.0);
    if (limit > 270) limit = 270;
    if (limit < 40) limit = 41;
    return limit;
}

QByteArray LimitsCommand(double low, double high, double mode) {
    QByteArray command("\0L", 2);
    command.append(static_cast<char>(toByte(low)));
    command.append(static_cast<char>(toByte(high)));
    command.append(static_cast<char>(toByte(mode)));
    return command;
}

float TransferProgress(int bankReceiving, qint64 bytesWaiting, qint32 downloadBytes) {
    if (downloadBytes <= 0) return 0.0f;
    const double received = (bankReceiving - 1.0) * kBankBytes + static_cast<double>(bytesWaiting);
    return static_cast<float>(received * 100.0 / downloadBytes);
}
