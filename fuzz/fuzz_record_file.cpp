// Any bytes handed to the record file reader: it must answer with a record or an error, never
// read outside the bytes, and a record it accepts must hold what the arrays can take.
#include "files/RecordFile.h"
#include "shell/RecordArrays.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const RecordFileResult result = ParseRecordFile(bytes);
    if (const auto* record = std::get_if<ParsedRecordFile>(&result)) {
        const size_t n = record->times.size();
        if (n < 1 || n > size_t(kMaxReadings) || record->values.size() != n) std::abort();
        for (size_t i = 0; i < n; ++i) {
            if (!std::isfinite(record->times[i]) || !(std::fabs(record->values[i]) <= FLT_MAX))
                std::abort();
        }
    } else if (std::get<RecordFileError>(result).line < 1) {
        std::abort();
    }
    return 0;
}
