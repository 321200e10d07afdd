// The end of a full-memory download: from the last byte of the last bank to the graph on the
// picture. Three banks of 24540 readings (73620 in all) from a wrapped memory are decoded, put
// into time order and drawn, as FinishTransfer does once the last bank has come.
#include "app/Application.h"
#include "graph/canvas/PictureBox.h"
#include "link/LoggerLink.h"
#include "link/ReceiveHandler.h"
#include "link/StatusRecord.h"
#include "logger-emulator/Logger.h"
#include "shell/Log1.h"

#include <QProgressBar>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void BM_FinishTransfer(benchmark::State& state) {
    emulator::LoggerSettings settings;
    settings.wrapped = true;
    settings.currentBlock = 419;
    settings.currentBlockFlag = 1;
    const emulator::Logger logger(settings, 0);
    const QByteArray memory = logger.TransferBytes();

    auto st = std::make_unique<AppState>();
    auto w = CreateMainWindow(*st);
    st->VoltageRange = QStringLiteral("250 Volt");
    // Shown at the design size, so that labels and the picture really repaint.
    w->show();
    w->resize(613, 437);
    const auto record = ParseStatusRecord(logger.StatusRecord(0));
    if (!record || memory.size() != 3 * kBankBytes) {
        state.SkipWithError("the virtual logger gave no full memory");
        return;
    }
    ApplyStatusRecord(*w->Link, *record);

    for (auto _ : state) {
        state.PauseTiming();
        st->BankData1 = memory.left(kBankBytes);
        st->BankData2 = memory.mid(kBankBytes, kBankBytes);
        st->BankData3 = memory.mid(2 * kBankBytes);
        st->LinkState = 2;
        st->Transferring = 1;
        st->BankReceiving = 4;
        state.ResumeTiming();
        FinishTransfer(*w->Link); // the window draws the graph when told
        benchmark::DoNotOptimize(w->Picture1->Image().constBits());
    }
    if (int(st->RecordCount) != kMemoryReadings || st->StatMax <= st->StatMin)
        state.SkipWithError("the record was not placed or not drawn");
    state.SetItemsProcessed(state.iterations() * kMemoryReadings);
}

} // namespace

BENCHMARK(BM_FinishTransfer)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
