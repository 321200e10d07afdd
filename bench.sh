#!/usr/bin/env bash
# Installs what is missing, builds the benchmarks in Release (build-release/) and runs every one,
# then times gnuplot drawing a record of the same size for comparison.
#   ./bench.sh [benchmark options]   e.g. --benchmark_filter=DrawGraph
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESTO_BENCH=ON \
    -DVESTO_TESTS=OFF >/dev/null
cmake --build build-release --parallel "$(nproc)"

export QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.qpa.*=false'
for bench in build-release/bench/bench_*; do
    [ -f "$bench" ] && [ -x "$bench" ] || continue
    echo "== $(basename "$bench")"
    "$bench" "$@"
done
echo "== gnuplot"
scripts/bench-gnuplot.sh
