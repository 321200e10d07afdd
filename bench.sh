#!/usr/bin/env bash
# The performance report in one command: installs what is missing, builds the program and the
# benchmarks in Release (build-release/), runs every benchmark, gnuplot drawing the same record
# file and the program's start-up, then prints every figure side by side with its target.
#   ./bench.sh                         the report
#   ./bench.sh --write-doc             the same, also written to docs/performance.md
#   ./bench.sh --benchmark_filter=RE   options starting with --benchmark go to every benchmark
# The raw output of each part stays in build-release/bench-results/.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

write_doc=0
bench_options=()
for arg in "$@"; do
    case "$arg" in
        --write-doc) write_doc=1 ;;
        --benchmark*) bench_options+=("$arg") ;;
        -h|--help) sed -n '2,8p' "$0"; exit 0 ;;
        *) echo "unknown option: $arg" >&2; exit 2 ;;
    esac
done

ensure_packages "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}" "${RUN_PACKAGES[@]}"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESTO_BENCH=ON \
    -DVESTO_TESTS=OFF >/dev/null
cmake --build build-release --parallel "$(nproc)"

results=build-release/bench-results
rm -rf "$results"
mkdir -p "$results"
{
    echo "processors (nproc): $(nproc)"
    echo "CPU: $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)"
    echo "memory: $(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)"
    echo "system: $(. /etc/os-release && echo "$PRETTY_NAME"), Linux $(uname -r)"
    echo "Qt: $(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || echo unknown)," \
        "compiler: $(c++ --version | head -n 1)"
    echo "load average before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
    echo "run: $(date -u '+%Y-%m-%d %H:%M UTC')"
} >"$results/machine.txt"

# The record file is written with a period as decimal separator, so gnuplot reads it as it is.
export LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='qt.qpa.*=false'
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
export VESTO_BENCH_RECORD_FILE="$PWD/$results/record-73620.txt"
# One at a time, the memory benchmark in a process of its own.
for name in bench_decode bench_transfer bench_graph bench_files bench_events bench_print \
    bench_adapter bench_cli bench_memory; do
    echo "running $name" >&2
    "build-release/bench/$name" --benchmark_out="$results/$name.json" \
        --benchmark_out_format=json "${bench_options[@]}" >"$results/$name.txt" 2>&1 ||
        { echo "$name failed; see $results/$name.txt" >&2; }
done
if [ -f "$VESTO_BENCH_RECORD_FILE" ]; then
    echo "running gnuplot on the same record file" >&2
    scripts/bench-gnuplot.sh "$VESTO_BENCH_RECORD_FILE" 5 >"$results/gnuplot.txt"
fi
if [ -f "$VESTO_BENCH_RECORD_FILE" ]; then
    echo "running vesto-cli convert and a Python csv script on the same record file" >&2
    scripts/bench-cli.sh build-release "$VESTO_BENCH_RECORD_FILE" 11 >"$results/cli.txt"
fi
echo "running the program's start-up" >&2
scripts/bench-startup.sh build-release 7 >"$results/startup.txt" ||
    echo "start-up not measured" >&2

echo
cat "$results/machine.txt"
echo
doc_options=()
[ "$write_doc" = 1 ] && doc_options=(--doc docs/performance.md)
python3 scripts/bench-report.py "$results" "${doc_options[@]}"
