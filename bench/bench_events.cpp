// The record as data: the events of a full record (73620 readings) as the Events window finds
// them, and the readings written as a CSV file as Export CSV writes them.
#include "MainsRecord.h"
#include "files/Csv.h"
#include "output/Events.h"
#include "ui/ReplaceFile.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The mains record: blocks of 60 readings with a pause after each, 1227 events. With
// `singles`, every reading stands alone (0.2 s apart): 73620 events, the most a record holds.
void BM_FindEvents(benchmark::State& state, bool singles) {
    auto st = std::make_unique<AppState>();
    FillMainsRecord(*st, kMaxReadings);
    if (singles)
        for (int i = 1; i <= kMaxReadings; ++i) st->RecordTime.point(i) = 45000 + i * 2.0 / 864000;
    size_t events = 0;
    for (auto _ : state) {
        const std::vector<RecordEvent> found =
            FindEvents(st->RecordTime, st->RecordValue, kMaxReadings, 250, 210);
        events = found.size();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["events"] = double(events);
    state.SetItemsProcessed(state.iterations() * kMaxReadings);
}

// Export CSV once the name is chosen: the text of 73620 readings, then written to a temporary
// file flushed to the disk and renamed over the earlier one. With textOnly, the text alone.
void BM_ExportCsv(benchmark::State& state, bool textOnly) {
    auto st = std::make_unique<AppState>();
    FillMainsRecord(*st, kMaxReadings);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("record.csv"));
    for (auto _ : state) {
        const QByteArray bytes = RecordCsv(
            kMaxReadings,
            [&st](int i) {
                return RecordPoint{st->RecordTime.point(i), st->RecordValue.point(i)};
            },
            st->UnitName);
        if (!textOnly && !ui::ReplaceFile(path, bytes).isEmpty())
            state.SkipWithError("write failed");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetItemsProcessed(state.iterations() * kMaxReadings);
}

// Each figure the median of five runs of at least half a second.
void Repeated(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MinTime(0.5)->Repetitions(5)->ReportAggregatesOnly(true);
}

} // namespace

BENCHMARK_CAPTURE(BM_FindEvents, mains, false)->Apply(Repeated);
BENCHMARK_CAPTURE(BM_FindEvents, singles, true)->Apply(Repeated);
BENCHMARK_CAPTURE(BM_ExportCsv, written, false)->Apply(Repeated);
BENCHMARK_CAPTURE(BM_ExportCsv, text, true)->Apply(Repeated);
