// The graph of a full record: DrawGraph with N points on the design-size picture (577 x 281
// pixels) and on a large one (1600 x 900); and the full record on a canvas of the screen's
// device pixel ratio, 1 and 2 (a high-density screen: four times the pixels).
#include "MainsRecord.h"
#include "app/Application.h"
#include "graph/DrawGraph.h"
#include "graph/canvas/Canvas.h"
#include "graph/canvas/PictureBox.h"
#include "shell/Log1.h"

#include <QProgressBar>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The main window shown (so that the status labels really repaint as they do on screen), its
// picture at the size, and a mains record of `readings` in memory.
std::unique_ptr<Log1> ShownWithRecord(AppState& st, int width, int height, int readings) {
    auto w = CreateMainWindow(st);
    w->show();
    w->Picture1->resize(width, height);
    w->ProgressBar1->setValue(100);
    FillMainsRecord(st, readings);
    return w;
}

void BM_DrawGraph(benchmark::State& state, int width, int height) {
    auto st = std::make_unique<AppState>();
    auto w = ShownWithRecord(*st, width, height, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DrawGraph(*w);
        // The picture is finished when the box paints it.
        benchmark::DoNotOptimize(w->Picture1->Image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_DrawGraphAtRatio(benchmark::State& state, int width, int height, qreal ratio) {
    auto st = std::make_unique<AppState>();
    auto w = ShownWithRecord(*st, width, height, static_cast<int>(state.range(0)));
    // Both ratios on a canvas of their own, so that they take the same path.
    ImageCanvas canvas(width, height, Qt::white, ratio);
    for (auto _ : state) {
        DrawGraph(*w, canvas);
        benchmark::DoNotOptimize(canvas.Image().constBits());
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

#define VESTO_RATIO_CASE(name, width, height, ratio)                                               \
    BENCHMARK_CAPTURE(BM_DrawGraphAtRatio, name, width, height, ratio)                             \
        ->Arg(73620)                                                                               \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Repetitions(5)                                                                           \
        ->ReportAggregatesOnly(true)
VESTO_RATIO_CASE(577x281_ratio1, 577, 281, 1.0);
VESTO_RATIO_CASE(577x281_ratio2, 577, 281, 2.0);
VESTO_RATIO_CASE(1600x900_ratio1, 1600, 900, 1.0);
VESTO_RATIO_CASE(1600x900_ratio2, 1600, 900, 2.0);
