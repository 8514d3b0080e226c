#!/usr/bin/env bash
# Set-up, build, run and test on Debian or Ubuntu.
#   ./dev.sh run    install what is missing, build, start the program
#   ./dev.sh test   install what is missing, build, run the whole test suite headless, then
#                   the same suite again in a build with the address and undefined-behaviour
#                   sanitizers (what CI runs)
#   ./dev.sh sanitize  only the sanitizer build and its run of the suite (in build-san/)
#   ./dev.sh build  install what is missing and build only
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libgl-dev
    libsqlite3-dev sqlite3 libgtest-dev libbenchmark-dev
    fonts-dejavu-core xauth xvfb poppler-utils zbar-tools qt6-translations-l10n
)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Kuruluyor: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    if [ ! -f build/build.ninja ]; then
        cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    cmake --build build --parallel
}

headless() {
    export QT_QPA_PLATFORM=offscreen
    export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
    chmod 700 "$XDG_RUNTIME_DIR"
}

sanitize() {
    if [ ! -f build-san/build.ninja ]; then
        # -O1 -g1: quick to build, still fast enough to run, with line numbers in reports.
        cmake -S . -B build-san -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -g1" \
            -DDULVET_SANITIZE=ON -DDULVET_BENCHMARKS=OFF
    fi
    cmake --build build-san --parallel
    headless
    # Leaks of the system's font and display libraries are theirs; ours are reported.
    export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1"
    export LSAN_OPTIONS="suppressions=$PWD/tests/sanitizer.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
    ctest --test-dir build-san --output-on-failure --parallel 2
}

case "${1:-}" in
run)
    install_missing
    build
    home="${DULVET_HOME:-${XDG_CONFIG_HOME:-$HOME/.config}/dulvet}"
    if [ ! -f "$home/Users.ini" ]; then
        # First start: an installation with a small demo company to look around in.
        ./build/tools/dulvet-admin init "$home"
        ./build/tools/dulvet-admin demo "$home" ORNEK --size small
    fi
    exec ./build/dulvet --dir "$home" "${@:2}"
    ;;
test)
    install_missing
    build
    headless
    ctest --test-dir build --output-on-failure --parallel 2
    sanitize
    ;;
sanitize)
    install_missing
    sanitize
    ;;
build)
    install_missing
    build
    ;;
*)
    echo "Kullanım: $0 run|test|sanitize|build" >&2
    exit 2
    ;;
esac
