#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program. Its settings and language files live
# in .run/ (created from share/ on the first run), which is the program's working directory.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh

ensure_packages "${BUILD_PACKAGES[@]}"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --parallel "$(nproc)"

mkdir -p .run
for file in share/loglango.txt share/loggerx.ini; do
    [ -f "$file" ] && [ ! -f ".run/$(basename "$file")" ] && cp "$file" .run/
done

cd .run
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    ensure_packages "${RUN_PACKAGES[@]}"
    echo "No display found: running under a virtual X server (xvfb-run)." >&2
    exec xvfb-run -a -s "-screen 0 1280x1024x24" ../build/vesto-logger "$@"
fi
exec ../build/vesto-logger "$@"
