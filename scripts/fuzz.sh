#!/usr/bin/env bash
# Builds the fuzz targets with clang (build-fuzz/) and runs each for a bounded time, starting
# from its seeds in fuzz/seeds/ and the corpus of earlier runs in build-fuzz/corpus/:
#   scripts/fuzz.sh [seconds per target]
# An input that makes a target fail is kept in build-fuzz/crashes/ and the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVESTO_FUZZ=ON -DVESTO_TESTS=OFF >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
shopt -s nullglob
targets=(build-fuzz/fuzz/fuzz_*)
if [ "${#targets[@]}" -eq 0 ]; then echo "no fuzz targets"; exit 0; fi
for target in "${targets[@]}"; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name="$(basename "$target")"
    corpus="build-fuzz/corpus/$name"
    mkdir -p "$corpus" build-fuzz/crashes
    seeds=()
    [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
    echo "== $name for ${seconds}s"
    if ! "$target" -max_total_time="$seconds" -max_len=200000 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/crashes/$name-" "$corpus" "${seeds[@]}" \
        >"build-fuzz/$name.log" 2>&1; then
        tail -n 40 "build-fuzz/$name.log"
        echo "$name failed; its input is in build-fuzz/crashes/" >&2
        exit 1
    fi
    grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "build-fuzz/$name.log" || true
done
