#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   ./test.sh             the normal build (build/) and every test
#   ./test.sh --sanitize  the same in build-sanitize/ with AddressSanitizer and UBSan
#   ./test.sh --fuzz      builds the fuzz targets (clang) and runs each for a bounded time
#   ./test.sh --all       all of the above
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

mode_normal=1 mode_sanitize=0 mode_fuzz=0
for arg in "$@"; do
    case "$arg" in
        --sanitize) mode_normal=0 mode_sanitize=1 ;;
        --fuzz) mode_normal=0 mode_fuzz=1 ;;
        --all) mode_normal=1 mode_sanitize=1 mode_fuzz=1 ;;
        -h|--help) sed -n '2,7p' "$0"; exit 0 ;;
        *) echo "unknown option: $arg" >&2; exit 2 ;;
    esac
done

ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
if [ "$mode_fuzz" = 1 ]; then ensure_packages "${FUZZ_PACKAGES[@]}"; fi

run_suite() { # build folder, extra cmake options...
    local dir="$1"; shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
    (cd "$dir" && ctest --output-on-failure --parallel "$(nproc)")
}

if [ "$mode_normal" = 1 ]; then
    run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
if [ "$mode_sanitize" = 1 ]; then
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVESTO_SANITIZE=ON
fi
if [ "$mode_fuzz" = 1 ]; then
    scripts/fuzz.sh "${FUZZ_SECONDS:-60}"
fi
