# Shared by run.sh, test.sh and bench.sh: the Debian packages each needs, and their installation.

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-serialport-dev fonts-liberation)
TEST_PACKAGES=(poppler-utils tzdata)
RUN_PACKAGES=(xvfb xauth)
BENCH_PACKAGES=(libbenchmark-dev gnuplot-nox python3)
FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)
PACKAGE_PACKAGES=(dpkg-dev file lintian appstream desktop-file-utils xauth)

ensure_packages() {
    local missing=()
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ "${#missing[@]}" -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
