#include "logger-emulator/Pattern.h"

#include <cmath>
#include <numbers>

namespace emulator {

namespace {

// A fixed hash, so the demo memory is the same on every run and every machine.
quint32 Mix(quint32 x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

// Volts at a tick (relative to the first reading): two slow swings of the supply, a little noise,
// now and then a sag well below the Low limit or a swell above the High limit inside a block.
double DemoVolts(quint32 tick, int block, int sample) {
    constexpr double Tau = 2 * std::numbers::pi;
    double volts =
        175.0 + 40.0 * std::sin(Tau * tick / 36000.0) + 12.0 * std::sin(Tau * tick / 4500.0 + 1.0);
    volts += (double(Mix(tick * 2654435761U) % 1000) - 500.0) / 700.0;
    const quint32 event = Mix(quint32(block) + 0x9e3779b9U);
    const int start = int(event % 30);
    const int length = 8 + int((event >> 8) % 15);
    if (sample >= start && sample < start + length) {
        if (event % 23 == 0)
            volts = 38.0 + double((event >> 16) % 10); // sag
        else if (event % 29 == 1)
            volts = 238.0 + double((event >> 16) % 12); // swell
    }
    return volts;
}

// Ticks the logger stayed quiet after a block of the demo: mostly none, sometimes minutes.
quint32 DemoPause(int block) {
    const quint32 draw = Mix(quint32(block) * 7919U + 17U);
    if (draw % 9 != 0) return 0;
    return 100 + (draw >> 8) % 9000;
}

quint16 CodeOf(double volts) {
    return quint16(qBound(0L, std::lround(volts * 4.0), long(MaxCode)));
}

} // namespace

std::optional<Pattern> Pattern::Parse(const QString& text) {
    if (text == QLatin1String("demo")) return Pattern{Kind::Demo, 0};
    if (text == QLatin1String("ramp")) return Pattern{Kind::Ramp, 0};
    if (text.startsWith(QLatin1String("constant:"))) {
        bool ok = false;
        const uint code = text.mid(9).toUInt(&ok);
        if (ok && code <= MaxCode) return Pattern{Kind::Constant, quint16(code)};
    }
    return std::nullopt;
}

std::vector<Block> MakeBlocks(const Pattern& pattern, int count, quint32 firstTick) {
    std::vector<Block> blocks(size_t(qMax(count, 0)));
    quint32 offset = 0; // from firstTick
    for (int b = 0; b < count; ++b) {
        Block& block = blocks[size_t(b)];
        block.startTick = firstTick + offset;
        for (int s = 0; s < SamplesPerBlock; ++s) {
            const int index = b * SamplesPerBlock + s;
            switch (pattern.kind) {
            case Pattern::Kind::Demo:
                block.codes[size_t(s)] = CodeOf(DemoVolts(offset + quint32(s), b, s));
                break;
            case Pattern::Kind::Ramp:
                block.codes[size_t(s)] = quint16(index % (MaxCode + 1));
                break;
            case Pattern::Kind::Constant:
                block.codes[size_t(s)] = pattern.code;
                break;
            }
        }
        offset += SamplesPerBlock;
        if (pattern.kind == Pattern::Kind::Demo) offset += DemoPause(b);
    }
    return blocks;
}

quint32 SpanOf(const std::vector<Block>& blocks) {
    if (blocks.empty()) return 0;
    return blocks.back().startTick - blocks.front().startTick + SamplesPerBlock;
}

} // namespace emulator
