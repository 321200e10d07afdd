#!/usr/bin/env bash
# The program's start-up as a person sees it: from the launch to the end of the main window's
# first painting, measured by the program itself (VESTO_STARTUP_PROBE, see src/desktop/app/
# StartupProbe.h), which then quits. It runs in a scratch working folder with the shipped language
# and settings files, COM1 on a virtual logger, on the display there is or else under a virtual
# X server. The first launch only warms the caches; prints the median of the rest:
# "start-up <ms> <runs>".
#   scripts/bench-startup.sh build-folder [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
build="$1"
runs="${2:-7}"
work="$(mktemp -d)"
logger_pid=""
cleanup() {
    [ -n "$logger_pid" ] && kill "$logger_pid" 2>/dev/null && wait "$logger_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
cp share/loglango.txt "$work/"
# A user who chose a language before: the first start's question would stop the clock.
sed 's/"language =  0"/"language =  1"/' share/loggerx.ini >"$work/loggerx.ini"
"$build/vesto-logger-emulator" --readings 73620 --link "$work/com1" >"$work/logger.out" 2>&1 &
logger_pid=$!
for _ in $(seq 50); do [ -e "$work/com1" ] && break; sleep 0.1; done
[ -e "$work/com1" ] || { echo "the virtual logger did not start" >&2; exit 1; }

program="$(realpath "$build/vesto-logger")"
# Each launch is stamped just before it starts; the warm-up launch comes first.
launches='cd "$0" && for ((r = 0; r <= $1; r++)); do
    VESTO_COM1="$0/com1" VESTO_STARTUP_PROBE=$(date +%s%N) timeout 60 "$2" 2>/dev/null
done'
if [ -n "${DISPLAY:-}" ]; then
    out="$(env -u QT_QPA_PLATFORM bash -c "$launches" "$work" "$runs" "$program")"
else
    out="$(env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash -c "$launches" "$work" "$runs" "$program")"
fi
echo "$out" | awk '/^first window:/ { n++; if (n > 1) print $3 }' | sort -n |
    awk -v runs="$runs" '{ a[NR] = $1 } END { if (NR) printf "start-up %s %d\n", a[int((NR + 1) / 2)], NR; else print "start-up - 0" }'
