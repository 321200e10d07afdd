#include "logger-emulator/Pacer.h"

#include <limits>

namespace emulator {

std::optional<LineSpeed> LineSpeed::Parse(const QString& text) {
    if (text == QLatin1String("real")) return Real();
    if (text == QLatin1String("fast")) return Fast();
    bool ok = false;
    const qint64 rate = text.toLongLong(&ok);
    if (ok && rate > 0) return BytesPerSecond(rate);
    return std::nullopt;
}

qint64 LineSpeed::BytesAfter(qint64 elapsedMs) const {
    if (Unpaced()) return std::numeric_limits<qint64>::max();
    return elapsedMs <= 0 ? 0 : elapsedMs * bytes / perMs;
}

qint64 LineSpeed::MsFor(qint64 count) const {
    if (Unpaced() || count <= 0) return 0;
    return (count * perMs + bytes - 1) / bytes;
}

qint64 Pacer::Allowance(qint64 waiting, qint64 nowMs) {
    if (waiting <= 0) return 0;
    if (speed_.Unpaced()) return waiting;
    if (!running_) {
        // The first byte of a run goes out at once; the rest follow at the line rate.
        running_ = true;
        startMs_ = nowMs - speed_.MsFor(1);
        sent_ = 0;
    }
    return qBound<qint64>(0, speed_.BytesAfter(nowMs - startMs_) - sent_, waiting);
}

qint64 Pacer::MsUntilNext(qint64 nowMs) const {
    if (speed_.Unpaced() || !running_) return 0;
    return qMax<qint64>(0, startMs_ + speed_.MsFor(sent_ + 1) - nowMs);
}

} // namespace emulator
