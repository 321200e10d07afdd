// The graph of a full record: DrawGraph with N points on the design-size picture (577 x 281
// pixels) and on a large one (1600 x 900).
#include "app/Application.h"
#include "graph/DrawGraph.h"
#include "graph/canvas/PictureBox.h"
#include "shell/Log1.h"

#include <QProgressBar>
#include <benchmark/benchmark.h>
#include <cmath>
#include <memory>
#include <random>

namespace {

// A mains voltage logged in blocks of 60 readings 0.1 s apart; each block starts a few seconds
// after the one before, as an exception logger's record does.
void FillRecord(AppState& st, int n) {
    std::mt19937 rng(42);
    std::normal_distribution<double> noise(0.0, 1.5);
    const double start = 45000.0 + 9.5 / 24;
    double time = start;
    for (int i = 1; i <= n; ++i) {
        if (i > 1) time += (i - 1) % 60 == 0 ? 4.0 / 86400 : 0.1 / 86400;
        st.DisplayTime.point(i) = time;
        st.DisplayValue.point(i) = 230 + 12 * std::sin(i / 900.0) + noise(rng);
    }
    st.DisplayCount = n;
    st.RecordCount = n;
    st.HighLimitValue = 250;
    st.LowLimitValue = 210;
    st.LoggerNumber = 1234;
    st.GraphTitle = QStringLiteral("Feeder 3, phase L1");
    st.Zoomed = 0;
}

void BM_DrawGraph(benchmark::State& state, int width, int height) {
    auto st = std::make_unique<AppState>();
    auto w = CreateMainWindow(*st);
    // Shown, so that the status labels really repaint as they do on screen.
    w->show();
    w->Picture1->resize(width, height);
    w->ProgressBar1->setValue(100);
    FillRecord(*st, static_cast<int>(state.range(0)));
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
