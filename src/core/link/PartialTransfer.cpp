#include "link/PartialTransfer.h"

#include "data/DecodeRecordBlocks.h"
#include "link/StatusRecord.h"
#include "shell/AppState.h"

#include <algorithm>
#include <cstdint>
#include <utility>

std::vector<RecordPoint> ReadingsReceived(const ReceivedBanks& r) {
    std::vector<std::pair<int, RecordPoint>> numbered;
    std::vector<double> values(kBankReadings + 1), times(kBankReadings + 1);
    for (size_t bank = 1; bank <= 3; ++bank) {
        const QByteArrayView bytes = r.banks[bank];
        if (bytes.isEmpty()) continue;
        const std::span<const std::uint8_t> data(
            reinterpret_cast<const std::uint8_t*>(bytes.data()), size_t(bytes.size()));
        const BankDecode decoded = DecodeBank(data, r.bankBlockCounts[bank], r.blockCount,
                                              r.downloadStart, r.rangeFactor, values, times);
        ShiftToWallTime(times, decoded.blocks * kReadingsPerBlock, r.downloadStart, r.shifts);
        const int count = std::min(decoded.blocks * kReadingsPerBlock, r.bankRecordCounts[bank]);
        for (int i = 1; i <= count; ++i) {
            const int n =
                TransferReadingNumber(int(bank), i, r.wrapped, r.writePointer, r.currentBlockFlag);
            if (n <= r.recordCount) numbered.push_back({n, {times[size_t(i)], values[size_t(i)]}});
        }
    }
    std::sort(numbered.begin(), numbered.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<RecordPoint> points;
    points.reserve(numbered.size());
    for (const auto& [n, point] : numbered) points.push_back(point);
    return points;
}

ReceivedBanks ReceivedSoFar(const AppState& st, QByteArrayView current) {
    ReceivedBanks r;
    const int receiving = std::clamp(static_cast<int>(st.BankReceiving.value()), 0, 4);
    const QByteArrayView taken[4] = {{}, st.BankData1, st.BankData2, st.BankData3};
    for (int bank = 1; bank <= 3; ++bank) {
        const auto k = size_t(bank);
        r.banks[k] = bank < receiving ? taken[k] : bank == receiving ? current : QByteArrayView();
        r.bankBlockCounts[k] = static_cast<int>(st.BankBlockCounts[k].value());
        r.bankRecordCounts[k] = static_cast<int>(st.BankRecordCounts[k].value());
    }
    r.blockCount = static_cast<int>(st.BlockCount.value());
    r.wrapped = st.WrapCount > 0;
    r.writePointer = static_cast<int>(st.WritePointer.value());
    r.currentBlockFlag = st.CurrentBlockFlag > 0 ? 1 : 0;
    // A memory wrapped more than once leaves the current block out, as a completed transfer does.
    r.recordCount = st.CurrentBlockFlag == 1 && st.WrapCount > 1
                        ? kMemoryReadings - kReadingsPerBlock
                        : kMemoryReadings;
    r.downloadStart = st.DownloadStart;
    r.shifts = st.DownloadShifts;
    r.rangeFactor = RangeFactor(st.VoltageRange);
    return r;
}
