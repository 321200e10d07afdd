// Any bytes as a bank of the logger's memory, with announced and planned block counts, range and
// room for the readings taken from the first bytes: the decoder writes only whole blocks it was
// promised, inside the arrays it was given, and every reading it writes is a code of the 10-bit
// converter at a time after the download's start.
#include "data/DecodeRecordBlocks.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr std::size_t kSettingsBytes = 6;
constexpr double kUntouched = -1.0;
constexpr double kDownloadStart = 45000.5;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kSettingsBytes) return 0;
    const int announcedCode = data[0] | data[1] << 8;
    // Counts past the 409 blocks a bank holds, and one that is not a number at all.
    const double announced = announcedCode == 0xFFFF ? std::numeric_limits<double>::quiet_NaN()
                                                     : double(announcedCode % 512);
    const double transferBlocks = (data[2] | data[3] << 8) % 1300;
    const double rangeFactor = data[4] & 1 ? 2.0 : 1.0;
    // Room for a whole bank (the program's arrays), or for less than it announces.
    const std::size_t rooms[] = {24541, 0, 1, 60, 61, 121, 6001, 24540};
    const std::size_t room = rooms[data[5] % std::size(rooms)];
    const std::span<const std::uint8_t> bank(data + kSettingsBytes, size - kSettingsBytes);

    // Exactly as large as announced to the decoder, so that a write past them is caught.
    std::vector<double> values(room, kUntouched);
    std::vector<double> times(room, kUntouched);
    const BankDecode result =
        DecodeBank(bank, announced, transferBlocks, kDownloadStart, rangeFactor, values, times);

    const int wanted = std::isfinite(announced) && announced <= kMaxBlocksPerDecode
                           ? static_cast<int>(announced)
                           : 0;
    const auto inBank = static_cast<int>(bank.size() / kRecordBlockBytes);
    Check(result.blocks >= 0 && result.blocks <= wanted && result.blocks <= inBank);
    Check(result.blocks <= transferBlocks);
    Check(!result.complete || result.blocks == wanted);
    const std::size_t written = std::size_t(result.blocks) * kSamplesPerBlock;
    Check(written == 0 || written < room);

    for (std::size_t i = 0; i < room; ++i) {
        if (i == 0 || i > written) {
            Check(values[i] == kUntouched && times[i] == kUntouched);
            continue;
        }
        const double code = values[i] / rangeFactor * 4;
        Check(code >= 0 && code <= 1023 && code == std::floor(code));
        Check(std::isfinite(times[i]) && times[i] >= kDownloadStart);
        // Within a block the readings lie a tenth of a second apart.
        if ((i - 1) % kSamplesPerBlock != 0)
            Check(std::fabs((times[i] - times[i - 1]) * 864000 - 1) < 1e-3);
    }
    return 0;
}
