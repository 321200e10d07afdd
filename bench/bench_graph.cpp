// The graph of a full record: DrawGraph with N points on the design-size picture (577 x 281
// pixels) and on a large one (1600 x 900).
#include "MainsRecord.h"
#include "app/Application.h"
#include "graph/DrawGraph.h"
#include "graph/canvas/PictureBox.h"
#include "shell/Log1.h"

#include <QProgressBar>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void BM_DrawGraph(benchmark::State& state, int width, int height) {
    auto st = std::make_unique<AppState>();
    auto w = CreateMainWindow(*st);
    // Shown, so that the status labels really repaint as they do on screen.
    w->show();
    w->Picture1->resize(width, height);
    w->ProgressBar1->setValue(100);
    FillMainsRecord(*st, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DrawGraph(*w);
        // The picture is finished when the box paints it.
        benchmark::DoNotOptimize(w->Picture1->Image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK_CAPTURE(BM_DrawGraph, 577x281, 577, 281)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(73620)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_DrawGraph, 1600x900, 1600, 900)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(73620)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
