// Writing and reading a full record file (73620 readings, three storage blocks), archiving a
// download of that size, and opening one as the program does: read, replace the record in
// memory, draw it. Set VESTO_BENCH_RECORD_FILE
// to a path to keep a copy of the file there (bench.sh has gnuplot draw the same file).
#include "MainsRecord.h"
#include "app/Application.h"
#include "files/Archive.h"
#include "files/OpenRecord.h"
#include "files/RecordFile.h"
#include "files/SaveRecord.h"
#include "graph/canvas/PictureBox.h"
#include "shell/AppState.h"
#include "shell/FileLocations.h"
#include "shell/Log1.h"

#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// A full record in memory and a place to write it.
struct Files {
    QTemporaryDir dir;
    std::unique_ptr<AppState> st = std::make_unique<AppState>();
    std::unique_ptr<Log1> w = std::make_unique<Log1>(*st);
    Files() {
        FillMainsRecord(*st, kMaxReadings);
        st->SaveFileName = dir.filePath(QStringLiteral("record.txt"));
    }
    // Writes the file once, keeping a copy where VESTO_BENCH_RECORD_FILE says.
    bool write() {
        if (!WriteRecordFile(*w)) return false;
        const QString keep = qEnvironmentVariable("VESTO_BENCH_RECORD_FILE");
        if (!keep.isEmpty()) {
            QFile::remove(keep);
            QFile::copy(st->SaveFileName, keep);
        }
        return true;
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

// WriteRecordFile: the text written to a temporary file, flushed to the disk and renamed over
// the earlier one.
void BM_WriteRecordFile(benchmark::State& state) {
    Files files;
    for (auto _ : state) {
        if (!WriteRecordFile(*files.w)) state.SkipWithError("write failed");
    }
    state.SetItemsProcessed(state.iterations() * kMaxReadings);
}

// The archive of a download of 73620 readings, as it follows the graph: the file's text, written
// to a new file in the archive folder, flushed and renamed into place, the folder's size rule
// and the Recent list. With a limit of 0 bytes the rule keeps the 20 newest files, so every
// round also deletes one.
void BM_ArchiveDownload(benchmark::State& state) {
    Files files;
    QSettings(ProgramSettingsPath(), QSettings::IniFormat).setValue("archive/maxBytes", 0);
    for (auto _ : state) ArchiveDownload(files.w->st);
    int kept = 0;
    for (QDirIterator it(ArchiveFolder(), QDir::Files, QDirIterator::Subdirectories); it.hasNext();
         it.next())
        ++kept;
    if (kept < 1 || kept > kArchiveKeptNewest)
        state.SkipWithError("the archive does not hold the files it should");
    state.SetItemsProcessed(state.iterations() * kMaxReadings);
}

// The reader's work up to the point where the record replaces the one in memory: the file's
// bytes and the parse of its header and 73620 data lines.
void BM_ReadRecordFile(benchmark::State& state) {
    Files files;
    if (!files.write()) state.SkipWithError("write failed");
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

// Opening a file as the Open command does once a name is chosen: the file read whole, the record
// in memory replaced, the graph drawn on a picture of the given size.
void BM_ReadAndDraw(benchmark::State& state, int width, int height) {
    Files files;
    if (!files.write()) state.SkipWithError("write failed");
    auto st = std::make_unique<AppState>();
    auto w = CreateMainWindow(*st);
    w->show();
    w->Picture1->resize(width, height);
    st->OpenFileName = files.st->SaveFileName;
    for (auto _ : state) {
        if (ReadRecordFile(*w)) state.SkipWithError("read failed");
        benchmark::DoNotOptimize(w->Picture1->Image().constBits());
    }
    if (int(st->RecordCount) != kMaxReadings) state.SkipWithError("the record was not read");
    state.SetItemsProcessed(state.iterations() * kMaxReadings);
}

} // namespace

BENCHMARK(BM_FormatRecordFile)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_WriteRecordFile)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ArchiveDownload)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ReadRecordFile)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ReadAndDraw, 577x281, 577, 281)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_ReadAndDraw, 1600x900, 1600, 900)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
