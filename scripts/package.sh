#!/usr/bin/env bash
# Builds the Debian package vesto-logger_<version>_amd64.deb (Release) in build-package/, checks
# it with lintian, appstreamcli and desktop-file-validate, then unpacks it into a temporary root
# and runs the installed programs there: --version, a record file opened at start-up, and the
# command-line tool with no display against the installed virtual logger.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${PACKAGE_PACKAGES[@]}"

cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DVESTO_TESTS=OFF >/dev/null
cmake --build build-package --parallel "$(nproc)"
rm -f build-package/vesto-logger_*.deb
(cd build-package && cpack -G DEB >/dev/null)
deb=$(ls build-package/vesto-logger_*_amd64.deb)
echo "Built $deb"
dpkg-deb --field "$deb" Depends

passed=0 failed=0
check() { # name, command...
    local name="$1"; shift
    if "$@"; then passed=$((passed + 1)); echo "ok: $name"
    else failed=$((failed + 1)); echo "FAILED: $name"; fi
}

check "lintian reports no errors" lintian --fail-on error "$deb"
root=$(mktemp -d)
trap 'kill "${logger_pid:-0}" 2>/dev/null || true; rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
check "appstreamcli validate" appstreamcli validate --no-net \
    "$root/usr/share/metainfo/example.vesto.logger.metainfo.xml"
check "desktop-file-validate" desktop-file-validate "$root/usr/share/applications/vesto-logger.desktop"
check "installed default settings leave the language to the first start" \
    grep -q '"language =  0"' "$root/usr/share/vesto-logger/loggerx.ini"

export QT_QPA_PLATFORM=offscreen
version=$("$root/usr/bin/vesto-logger" --version)
check "--version: $version" test "$version" = "vesto-logger $(dpkg-deb --field "$deb" Version)"

cli_version=$(env -u QT_QPA_PLATFORM "$root/usr/bin/vesto-cli" --version)
check "vesto-cli --version: $cli_version" \
    test "$cli_version" = "vesto-cli $(dpkg-deb --field "$deb" Version)"
check "vesto-cli links no widgets" sh -c "! ldd '$root/usr/bin/vesto-cli' | grep -q Widgets"
check "bash completion installed" test -f "$root/usr/share/bash-completion/completions/vesto-cli"

# A user who chose English before, the installed virtual logger on COM1, and a record file of
# five readings named on the command line.
home="$root/home"
mkdir -p "$home/.config/vesto-logger" "$home/work"
sed 's/"language =  0"/"language =  1"/' "$root/usr/share/vesto-logger/loggerx.ini" \
    >"$home/.config/vesto-logger/loggerx.ini"
"$root/usr/bin/vesto-logger-emulator" --speed fast --link "$home/com1" </dev/null >/dev/null &
logger_pid=$!
for _ in $(seq 50); do [ -e "$home/com1" ] && break; sleep 0.1; done
printf '"loggerfile"\r\n"exception recorder"\r\n5\r\n"Installed"\r\n""\r\n""\r\n""\r\n""\r\n""\r\n""\r\n1\r\n1234\r\n"V"\r\n200\r\n50\r\n' >"$home/record.txt"
for i in 0 1 2 3 4; do printf '46362.1591%s\t21%s.5\r\n' "$i" "$i" >>"$home/record.txt"; done
opened=$(cd "$home/work" && HOME="$home" XDG_CONFIG_HOME="$home/.config" VESTO_COM1="$home/com1" \
    VESTO_STARTUP_PROBE="$(date +%s%N)" timeout 60 "$root/usr/bin/vesto-logger" ../record.txt |
    sed -n 's/^readings: //p')
check "the installed program opens a record file named on its command line ($opened readings)" \
    test "$opened" = 5
# The tool, with no display at all, asks the installed virtual logger and converts the file.
logger=$(cd "$home/work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" \
    XDG_CONFIG_HOME="$home/.config" timeout 30 "$root/usr/bin/vesto-cli" status --port \
    "$home/com1" --json | sed -n 's/.*"logger":\([0-9]*\).*/\1/p')
check "vesto-cli status with no display finds logger No. $logger" test "$logger" = 1234
rows=$(cd "$home/work" && env -u DISPLAY -u QT_QPA_PLATFORM HOME="$home" \
    XDG_CONFIG_HOME="$home/.config" "$root/usr/bin/vesto-cli" convert ../record.txt -o - | wc -l)
check "vesto-cli convert writes the header and five readings ($rows lines)" test "$rows" = 6

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
