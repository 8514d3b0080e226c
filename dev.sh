#!/usr/bin/env bash
# Set-up, build, run and test on Debian or Ubuntu.
#   ./dev.sh run    install what is missing, build, start the program
#   ./dev.sh test   install what is missing, build, run the whole test suite headless on
#                   database files, again on a private PostgreSQL server started for the run,
#                   then once more in a build with the address and undefined-behaviour
#                   sanitizers (what CI runs)
#   ./dev.sh server-test  only the run on a private PostgreSQL server
#   ./dev.sh sanitize  only the sanitizer build and its run of the suite (in build-san/)
#   ./dev.sh build  install what is missing and build only
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libgl-dev
    libsqlite3-dev sqlite3 libpq-dev libgtest-dev libbenchmark-dev
    fonts-dejavu-core xauth xvfb poppler-utils zbar-tools qt6-translations-l10n
)

# The database server the suite also runs against.
SERVER_PACKAGES=(postgresql postgresql-contrib)

install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}" "$@"; do
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

# A private PostgreSQL cluster in a temporary directory, reached only through its Unix socket
# there, fast rather than durable; stopped and removed when the script ends. initdb refuses to
# run as root, so root runs it as the server's own user (or nobody).
start_test_server() {
    local bin
    bin="$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)"
    SERVER_DIR="$(mktemp -d /tmp/dulvet-pg.XXXXXX)"
    SERVER_RUN=()
    if [ "$(id -u)" -eq 0 ]; then
        local user=postgres
        id -u postgres >/dev/null 2>&1 || user=nobody
        chown "$user" "$SERVER_DIR"
        SERVER_RUN=(runuser -u "$user" --)
    fi
    SERVER_CTL="$bin/pg_ctl"
    trap stop_test_server EXIT
    "${SERVER_RUN[@]}" "$bin/initdb" -D "$SERVER_DIR/data" -U dulvet --auth=trust -E UTF8 \
        --locale=C.UTF-8 >"$SERVER_DIR/initdb.log"
    "${SERVER_RUN[@]}" "$SERVER_CTL" -D "$SERVER_DIR/data" -l "$SERVER_DIR/log" -w -o \
        "-k $SERVER_DIR -c listen_addresses='' -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=200" \
        start >/dev/null
    export DULVET_TEST_SERVER="host=$SERVER_DIR user=dulvet dbname=postgres"
}

stop_test_server() {
    [ -n "${SERVER_DIR:-}" ] || return 0
    "${SERVER_RUN[@]}" "$SERVER_CTL" -D "$SERVER_DIR/data" -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$SERVER_DIR"
    SERVER_DIR=""
    unset DULVET_TEST_SERVER
}

server_test() {
    start_test_server
    echo "Aynı testler PostgreSQL sunucusunda:"
    ctest --test-dir build --output-on-failure --parallel 2
    stop_test_server
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
    install_missing "${SERVER_PACKAGES[@]}"
    build
    headless
    ctest --test-dir build --output-on-failure --parallel 2
    server_test
    sanitize
    ;;
server-test)
    install_missing "${SERVER_PACKAGES[@]}"
    build
    headless
    server_test
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
    echo "Kullanım: $0 run|test|server-test|sanitize|build" >&2
    exit 2
    ;;
esac
