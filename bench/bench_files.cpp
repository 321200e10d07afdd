// Writing and reading a full record file (73620 readings, three storage blocks).
#include "files/RecordFile.h"
#include "files/SaveRecord.h"
#include "shell/AppState.h"
#include "shell/Log1.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A full record: a reading every tenth of a second with two-decimal values.
void FillRecord(AppState& st) {
    for (int i = 1; i <= kMaxReadings; ++i) {
        st.RecordTime.point(i) = 38412.25 + i / 864000.0;
        st.RecordValue.point(i) = static_cast<float>(230 + (i % 997) * 0.01);
    }
    st.RecordCount = st.DisplayCount = kMaxReadings;
    st.GraphTitle = QStringLiteral("Feeder 3");
    st.ProbeScale = 1;
    st.LoggerNumber = 12;
    st.UnitName = QStringLiteral("Volt");
    st.HighLimitValue = 250;
    st.LowLimitValue = 190;
}

struct Files {
    QTemporaryDir dir;
    std::unique_ptr<AppState> st = std::make_unique<AppState>();
    std::unique_ptr<Log1> w = std::make_unique<Log1>(*st);
    Files() {
        FillRecord(*st);
        st->SaveFileName = dir.filePath(QStringLiteral("record.txt"));
    }
};

// The text of the file alone: header and 73620 data lines.
void BM_FormatRecordFile(benchmark::State& state) {
    Files files;
    const AppState& st = *files.st;
    for (auto _ : state) {
        const QByteArray bytes = FormatRecordFile({}, kMaxReadings, [&st](int i) {
            return RecordPoint{st.RecordTime.point(i), st.RecordValue.point(i)};
        });
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetItemsProcessed(state.iterations() * kMaxReadings);
}
BENCHMARK(BM_FormatRecordFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// WriteRecordFile: the text written to a temporary file, flushed to the disk and renamed over
// the earlier one.
void BM_WriteRecordFile(benchmark::State& state) {
    Files files;
    for (auto _ : state) {
        if (!WriteRecordFile(*files.w)) state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations() * kMaxReadings);
    // A copy for drawing the same file with other tools (scripts/bench-gnuplot.sh --file).
    const QString keep = qEnvironmentVariable("VESTO_BENCH_RECORD_FILE");
    if (!keep.isEmpty()) {
        QFile::remove(keep);
        QFile::copy(files.st->SaveFileName, keep);
    }
}
BENCHMARK(BM_WriteRecordFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The reader's work up to the point where the record replaces the one in memory: the file's
// bytes and the parse of its header and 73620 data lines.
void BM_ReadRecordFile(benchmark::State& state) {
    Files files;
    WriteRecordFile(*files.w);
    for (auto _ : state) {
        QFile file(files.st->SaveFileName);
        if (!file.open(QIODevice::ReadOnly)) state.SkipWithError("open failed");
        const RecordFileResult result = ParseRecordFile(file.readAll());
        const auto* record = std::get_if<ParsedRecordFile>(&result);
        if (!record || record->times.size() != size_t(kMaxReadings))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations() * kMaxReadings);
}
BENCHMARK(BM_ReadRecordFile)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
