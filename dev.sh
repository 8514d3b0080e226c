#!/usr/bin/env bash
# Set-up, build, run and test on Debian or Ubuntu.
#   ./dev.sh run    install what is missing, build, start the program
#   ./dev.sh test   install what is missing, build, run the whole test suite headless
#   ./dev.sh build  install what is missing and build only
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libgl-dev
    libsqlite3-dev sqlite3 libgtest-dev libbenchmark-dev
    fonts-dejavu-core xauth xvfb poppler-utils zbar-tools
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
    export QT_QPA_PLATFORM=offscreen
    export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
    chmod 700 "$XDG_RUNTIME_DIR"
    ctest --test-dir build --output-on-failure --parallel 2
    ;;
build)
    install_missing
    build
    ;;
*)
    echo "Kullanım: $0 run|test|build" >&2
    exit 2
    ;;
esac
