#include "data/DecodeRecordBlocks.h"

#include "shell/AppState.h"

#include <QString>
#include <algorithm>
#include <cmath>

double RangeFactor(const QString& voltageRange) {
    return voltageRange == QLatin1String("250 Volt") ? 1.0 : 2.0;
}

BankDecode DecodeBank(std::span<const std::uint8_t> bank, double announcedBlocks,
                      double transferBlocks, double downloadStart, double rangeFactor,
                      std::span<double> values, std::span<double> times) {
    BankDecode result;
    if (!std::isfinite(announcedBlocks)) return result;
    // The blocks b = 0 .. announced - 1.
    const double announced = announcedBlocks > 0 ? std::floor(announcedBlocks) : 0.0;
    if (announced > kMaxBlocksPerDecode) return result;
    const int wanted = static_cast<int>(announced);

    const auto inBank = static_cast<int>(bank.size() / kRecordBlockBytes);
    const size_t room = std::min(values.size(), times.size());
    const auto fitting = room == 0 ? 0 : static_cast<int>((room - 1) / kSamplesPerBlock);
    const int available = std::min({wanted, inBank, fitting});

    for (int b = 0; b < available; ++b) {
        // The transfer plan counts fewer blocks than this bank announces: the rest is not data.
        if (b > transferBlocks - 1) return result;
        const std::uint8_t* block = bank.data() + static_cast<size_t>(b) * kRecordBlockBytes;
        const double h1 = block[0], h2 = block[1], h3 = block[2], h4 = block[3];
        const double blockStart =
            downloadStart + 0.2 * (h4 * 65536.0 + h3 * 256.0 + h2 + h1 / 256.0) / 675.0;
        double* value = values.data() + b * kSamplesPerBlock + 1;
        double* time = times.data() + b * kSamplesPerBlock + 1;
        const std::uint8_t* group = block + 4;
        for (int g = 0; g < 15; ++g, group += 5) {
            const int c1 = group[0], c2 = group[1], c3 = group[2], c4 = group[3], c5 = group[4];
            const int codes[4] = {(c2 & 3) * 256 + c1, c2 / 4 + (c3 & 15) * 64,
                                  c3 / 16 + (c4 & 63) * 16, c4 / 64 + c5 * 4};
            for (int k = 0; k < 4; ++k) {
                const int sample = g * 4 + k; // 0-based within the block
                value[sample] = codes[k] / 4.0 * rangeFactor;
                time[sample] = blockStart + sample / 864000.0;
            }
        }
        result.blocks = b + 1;
    }
    result.complete = available == wanted;
    return result;
}

void ShiftToWallTime(std::span<double> times, int count, double downloadStart,
                     const ui::WallShifts& shifts) {
    if (shifts.none()) return;
    const int last = std::min(count, static_cast<int>(times.size()) - 1);
    for (int i = 1; i <= last; ++i) times[size_t(i)] += shifts.at(times[size_t(i)] - downloadStart);
}

void DecodeRecordBlocks(AppState& st) {
    st.DisplayCount = st.RecordCount;
    const double bankIndex = st.BankIndex;
    if (!(bankIndex >= 0 && bankIndex < static_cast<double>(st.BankBlockCounts.size()))) return;
    const double announced = st.BankBlockCounts[static_cast<size_t>(bankIndex)];

    const auto* bytes = reinterpret_cast<const std::uint8_t*>(st.DownloadBuffer.constData());
    const std::span<const std::uint8_t> bank(bytes, static_cast<size_t>(st.DownloadBuffer.size()));
    // The bank arrays are contiguous from index 0.
    const std::span<double> values(&st.BlockValue[0], BankArray<double>::size());
    const std::span<double> times(&st.BlockTime[0], BankArray<double>::size());
    const BankDecode decoded = DecodeBank(bank, announced, st.BlockCount, st.DownloadStart,
                                          RangeFactor(st.VoltageRange), values, times);
    ShiftToWallTime(times, decoded.blocks * kSamplesPerBlock, st.DownloadStart, st.DownloadShifts);
    if (decoded.complete) st.Zoomed = 0;
}
