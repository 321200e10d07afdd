// The record as data: the events of a full record (73620 readings) as the Events window finds
// them, judged against the tolerance curves and drawn on their chart, and the readings written
// as a CSV file as Export CSV writes them.
#include "MainsRecord.h"
#include "files/Csv.h"
#include "graph/ToleranceChart.h"
#include "graph/canvas/Canvas.h"
#include "output/Events.h"
#include "output/EventTable.h"
#include "ui/ReplaceFile.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
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

// The most events a record holds: every reading alone, 0.2 s apart, sags and swells of every
// depth around 230 V.
std::vector<RecordEvent> SingleReadingEvents() {
    auto st = std::make_unique<AppState>();
    FillMainsRecord(*st, kMaxReadings);
    for (int i = 1; i <= kMaxReadings; ++i) {
        st->RecordTime.point(i) = 45000 + i * 2.0 / 864000;
        st->RecordValue.point(i) = float(230 + std::fmod(i * 7.3, 120) - 60);
    }
    return FindEvents(st->RecordTime, st->RecordValue, kMaxReadings, 250, 210);
}

// Per cents of nominal, ITIC regions and SEMI F47 verdicts for 73620 events, as the Events window
// finds them again when the nominal voltage changes.
void BM_JudgeEvents(benchmark::State& state) {
    std::vector<RecordEvent> events = SingleReadingEvents();
    for (auto _ : state) {
        JudgeEvents(events, 230.0);
        benchmark::DoNotOptimize(events.data());
    }
    state.SetItemsProcessed(state.iterations() * kMaxReadings);
}

// The tolerance-curve chart of those 73620 events as the window draws it at its opening size.
void BM_DrawCurveChart(benchmark::State& state) {
    std::vector<RecordEvent> events = SingleReadingEvents();
    JudgeEvents(events, 230.0);
    const std::vector<ChartMark> marks = ChartMarks(events);
    const quality::RegionCounts counts = CountRegions(events);
    ChartTexts texts;
    texts.axisDuration = QStringLiteral("Duration (s)");
    texts.axisPercent = QStringLiteral("% of nominal");
    texts.regions = {QStringLiteral("Within the curves: %1"), QStringLiteral("No-damage: %1"),
                     QStringLiteral("Prohibited: %1")};
    texts.semi = QStringLiteral("SEMI F47: %1 inside, %2 outside, %3 not covered");
    ImageCanvas canvas(740, 500);
    for (auto _ : state) {
        canvas.Cls();
        DrawToleranceChart(canvas, QRectF(8, 8, 724, 484), marks, counts, texts, 1);
        benchmark::DoNotOptimize(canvas.Image().constBits());
    }
    state.counters["marks"] = double(marks.size());
    state.SetItemsProcessed(state.iterations() * int64_t(marks.size()));
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
BENCHMARK(BM_JudgeEvents)->Apply(Repeated);
BENCHMARK(BM_DrawCurveChart)->Apply(Repeated);
BENCHMARK_CAPTURE(BM_ExportCsv, written, false)->Apply(Repeated);
BENCHMARK_CAPTURE(BM_ExportCsv, text, true)->Apply(Repeated);
