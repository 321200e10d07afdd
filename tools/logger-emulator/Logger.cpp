#include "logger-emulator/Logger.h"

namespace emulator {

namespace {

// Where the readings of a wrapped memory begin when no position was asked for.
constexpr int DefaultWrappedBlock = 419;
// The clock of a freshly made memory starts this long before its first reading.
constexpr quint32 LeadTicks = 100;

// Moves the blocks so that their last reading lies QuietTicks before `clock`, or starts them at
// tick 0 when the clock is too early for that; returns the tick of the first reading.
quint32 EndBefore(std::vector<Block>& blocks, quint32 clock) {
    const quint32 span = SpanOf(blocks);
    const quint32 first = clock >= span + QuietTicks ? clock - span - QuietTicks : 0;
    for (Block& block : blocks) block.startTick += first;
    return first;
}

int BlocksFor(int readings) {
    return qBound(0, readings, MaxReadings) / SamplesPerBlock;
}

} // namespace

Logger::Logger(const LoggerSettings& settings, qint64 nowMs)
    : wrapCount_(qMax<quint8>(settings.wrapCount, 1)), flag_(settings.currentBlockFlag),
      type_(settings.type), number_(settings.number), high_(settings.high), low_(settings.low),
      mode_(settings.mode), present_(quint16(settings.present & MaxCode)),
      presentShown_(settings.presentShown), pattern_(settings.pattern) {
    std::vector<Block> blocks =
        MakeBlocks(pattern_, settings.wrapped ? MemoryBlocks : BlocksFor(settings.readings), 0);
    const quint32 clock = settings.clock.value_or(LeadTicks + SpanOf(blocks) + QuietTicks);
    EndBefore(blocks, clock);
    Store(std::move(blocks), settings.wrapped, settings.currentBlock);
    SetClock(clock, nowMs);
}

void Logger::Store(std::vector<Block> blocks, bool wrapped, std::optional<int> current) {
    memory_ = QByteArray(MemoryBytes, char(0xFF)); // erased memory reads as all ones
    blocks_ = std::move(blocks);
    wrapped_ = wrapped || blocks_.size() == size_t(MemoryBlocks);
    if (!wrapped_) {
        current_ = qBound(0, current.value_or(int(blocks_.size())), MemoryBlocks - 1);
        for (size_t c = 0; c < blocks_.size(); ++c)
            memory_.replace(qsizetype(c) * BlockBytes, BlockBytes, EncodeBlock(blocks_[c]));
        return;
    }
    // A memory filled exactly has just wrapped: its oldest block is block 0 either way.
    const int fallback = wrapped ? DefaultWrappedBlock : (flag_ > 0 ? MemoryBlocks - 1 : 0);
    current_ = qBound(0, current.value_or(fallback), MemoryBlocks - 1);
    const int oldest = flag_ > 0 ? (current_ + 1) % MemoryBlocks : current_;
    for (size_t c = 0; c < blocks_.size(); ++c) {
        const int position = (oldest + int(c)) % MemoryBlocks;
        memory_.replace(qsizetype(position) * BlockBytes, BlockBytes, EncodeBlock(blocks_[c]));
    }
}

void Logger::SetClock(quint32 tick, qint64 nowMs) {
    clockBase_ = tick;
    clockBaseMs_ = nowMs;
}

quint32 Logger::ClockAt(qint64 nowMs) const {
    return clockBase_ + quint32((nowMs - clockBaseMs_) / 100);
}

int Logger::TransferBlocks() const {
    return wrapped_ ? MemoryBlocks : current_;
}

QByteArray Logger::TransferBytes() const {
    return memory_.left(qsizetype(TransferBlocks()) * BlockBytes);
}

QByteArray Logger::StatusRecord(qint64 nowMs) const {
    StatusFields fields;
    fields.clock = ClockAt(nowMs);
    fields.type = type_;
    fields.mode = mode_;
    fields.presentShown = presentShown_;
    fields.number = number_;
    fields.low = low_;
    fields.high = high_;
    fields.currentBlockFlag = flag_;
    fields.present = present_;
    fields.currentBlock = current_;
    fields.wrapCount = WrapCount();
    return EncodeStatus(fields);
}

void Logger::SetLimits(quint8 low, quint8 high, int mode) {
    low_ = low;
    high_ = high;
    mode_ = mode;
}

void Logger::Restart(qint64 nowMs) {
    flag_ = 0;
    Store({}, false, 0);
    SetClock(0, nowMs);
}

void Logger::ReplaceReadings(int readings, qint64 nowMs) {
    std::vector<Block> blocks = MakeBlocks(pattern_, BlocksFor(readings), 0);
    quint32 clock = ClockAt(nowMs);
    const quint32 first = EndBefore(blocks, clock);
    if (!blocks.empty()) clock = qMax(clock, first + SpanOf(blocks) + QuietTicks);
    Store(std::move(blocks), false, std::nullopt);
    SetClock(clock, nowMs);
}

std::vector<Reading> Logger::Readings() const {
    std::vector<Reading> readings;
    readings.reserve(blocks_.size() * SamplesPerBlock);
    for (const Block& block : blocks_)
        for (int s = 0; s < SamplesPerBlock; ++s)
            readings.push_back({block.startTick + quint32(s), block.codes[size_t(s)]});
    return readings;
}

QByteArray Logger::RecordText() const {
    QByteArray text;
    int n = 0;
    for (const Reading& reading : Readings()) {
        text += QByteArray::number(++n) + '\t' + QByteArray::number(reading.tick) + '\t' +
                QByteArray::number(reading.code) + '\n';
    }
    return text;
}

} // namespace emulator
