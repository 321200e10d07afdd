#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Its settings and language files live
# in .run/ (created from share/ on the first run), which is the program's working directory.
# Unless VESTO_COM1 names a logger of your own, a virtual logger stands in on COM1.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Only what runs here: the tests are ./test.sh's to build.
cmake --build build --parallel "$(nproc)" --target vesto-logger vesto-logger-emulator

mkdir -p .run
[ -f .run/loglango.txt ] || cp share/loglango.txt .run/
# English until the user picks another language (menu File > Language).
[ -f .run/loggerx.ini ] || sed 's/"language =  0"/"language =  1"/' share/loggerx.ini >.run/loggerx.ini

cd .run

# Without a logger of your own on COM1 (VESTO_COM1 unset), a virtual logger stands in: a memory
# of 30000 readings with pauses and excursions past the limits, talking at the real line rate.
# It goes away with the program.
logger_pid=""
stop_logger() {
    if [ -n "$logger_pid" ]; then
        kill "$logger_pid" 2>/dev/null || true
        wait "$logger_pid" 2>/dev/null || true
    fi
}
if [ -z "${VESTO_COM1:-}" ] && [ -x ../build/vesto-logger-emulator ]; then
    trap stop_logger EXIT
    rm -f com1
    ../build/vesto-logger-emulator --readings 30000 --pattern demo --link "$PWD/com1" >logger.out &
    logger_pid=$!
    for _ in $(seq 50); do
        [ -e com1 ] && break
        sleep 0.1
    done
    if [ -e com1 ]; then
        export VESTO_COM1="$PWD/com1"
        echo "Virtual logger on $(readlink com1) (COM1)." >&2
    else
        echo "The virtual logger did not start; see .run/logger.out." >&2
    fi
fi

status=0
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    ensure_packages "${RUN_PACKAGES[@]}"
    echo "No display found: running under a virtual X server (xvfb-run)." >&2
    xvfb-run -a -s "-screen 0 1280x1024x24" ../build/vesto-logger "$@" || status=$?
else
    ../build/vesto-logger "$@" || status=$?
fi
exit "$status"
