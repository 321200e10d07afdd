// Any bytes as the answer to a Status command: the record is taken or refused whole, and what is
// derived from a taken one stays inside the logger's memory: block and bank counts, a transfer
// plan that adds up to the announced bytes, and a ring placement that puts every memory position
// on its own reading.
#include "link/StatusRecord.h"

#include <bitset>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<StatusRecord> record = ParseStatusRecord(bytes);
    if (!record) return 0;
    Check(size >= std::size_t(kStatusRecordBytes));

    const int blocks = record->blockCount();
    const int banks = record->bankCount();
    Check(blocks >= 0 && blocks <= kMemoryBlocks);
    Check(banks >= 0 && banks <= 3 && (banks == 0) == (blocks == 0));
    Check(blocks <= banks * kBlocksPerBank);
    const int writePointer = record->writePointer();
    Check(writePointer >= 0 && writePointer < kMemoryReadings);
    Check(record->currentBlockFlag == 0 || record->currentBlockFlag == 1);
    Check(std::isfinite(record->loggerElapsed()) && record->loggerElapsed() >= 0);
    Check(record->presentReading() >= 0 && record->presentReading() <= 255.75);

    const std::optional<TransferPlan> plan =
        PlanTransfer(banks, record->downloadBytes(), record->loggerRecordCount());
    Check(plan.has_value() == (banks > 0));
    if (plan) {
        int bytesPlanned = 0;
        int readingsPlanned = 0;
        for (int k = 1; k <= 3; ++k) {
            const auto bank = static_cast<std::size_t>(k);
            Check(plan->bankBytes[bank] >= 0 && plan->bankBytes[bank] <= kBankBytes);
            Check(plan->bankBlockCounts[bank] * kBlockBytes <= plan->bankBytes[bank]);
            Check(plan->bankRecordCounts[bank] <= kBankReadings);
            bytesPlanned += plan->bankBytes[bank];
            readingsPlanned += plan->bankRecordCounts[bank];
        }
        Check(bytesPlanned == record->downloadBytes());
        Check(readingsPlanned == record->loggerRecordCount());
    }

    // A wrapped memory is placed in time order: one reading for each position, none outside.
    if (record->wrapCount > 0) {
        static std::bitset<kMemoryReadings + 1> taken;
        taken.reset();
        for (int m = 1; m <= kMemoryReadings; ++m) {
            const int n = WrappedReadingNumber(m, writePointer, record->currentBlockFlag);
            Check(n >= 1 && n <= kMemoryReadings && !taken[std::size_t(n)]);
            taken[std::size_t(n)] = true;
        }
    }
    return 0;
}
