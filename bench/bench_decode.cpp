// Decoding a full download: three banks of 409 record blocks, 73620 readings, as the end of a
// transfer runs it.
#include "data/DecodeRecordBlocks.h"
#include "shell/AppState.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {

// A bank as the logger sends it: per block a 4-byte tick count, 15 groups of four 10-bit codes
// packed little-endian into 5 bytes, and a spare byte.
QByteArray LoggerBank(std::mt19937& rng, quint32& ticks) {
    std::uniform_int_distribution<int> code(880, 960); // about 230 V on the 250 V range
    QByteArray bank;
    bank.reserve(409 * 80);
    for (int b = 0; b < 409; ++b) {
        for (int i = 0; i < 4; ++i) bank.append(char(ticks >> (8 * i)));
        for (int g = 0; g < 15; ++g) {
            quint64 packed = 0;
            for (int k = 0; k < 4; ++k) packed |= quint64(code(rng)) << (10 * k);
            for (int i = 0; i < 5; ++i) bank.append(char(packed >> (8 * i)));
        }
        bank.append(char(0));
        ticks += 100; // 60 readings, then a 4 s pause
    }
    return bank;
}

void BM_DecodeBanks(benchmark::State& state) {
    auto st = std::make_unique<AppState>();
    std::mt19937 rng(7);
    quint32 ticks = 1000;
    QByteArray banks[3];
    for (QByteArray& bank : banks) bank = LoggerBank(rng, ticks);
    st->BlockCount = 1227;
    st->DownloadStart = 45000.5;
    st->VoltageRange = QStringLiteral("250 Volt");
    for (int i = 1; i <= 3; ++i) st->BankBlockCounts[size_t(i)] = 409;
    for (auto _ : state) {
        for (int i = 1; i <= 3; ++i) {
            st->DownloadBuffer = banks[i - 1];
            st->BankIndex = i;
            DecodeRecordBlocks(*st);
            benchmark::DoNotOptimize(st->BlockValue[24540]);
        }
    }
    state.SetItemsProcessed(state.iterations() * 73620);
}

} // namespace

BENCHMARK(BM_DecodeBanks)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
