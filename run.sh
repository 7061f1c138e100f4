#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and runs the program on Debian (or Ubuntu).
#   ./run.sh              install what is missing, build, open the window
#   ./run.sh test         install what is missing, build, run every test
#   ./run.sh package      build the .deb (build/chislova-redica_*.deb)
#   ./run.sh sanitize     every test again, built with AddressSanitizer and UBSan
#   ./run.sh fuzz [SECS]  fuzz the text conversions for SECS seconds (default 60)
#   ./run.sh bench        print the benchmark table
#   ./run.sh screenshot F take a picture of the window under a virtual display
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
build_dir=build
program=$build_dir/chislova-redica

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev fonts-liberation2 fontconfig libfmt-dev libfast-float-dev locales)
case $mode in
    run) ;;
    test | sanitize) packages+=(libgtest-dev desktop-file-utils appstream file) ;;
    package) packages+=(dpkg-dev file) ;;
    fuzz) packages=(cmake ninja-build clang libclang-rt-14-dev libfmt-dev libfast-float-dev) ;;
    bench) packages+=(libgtest-dev libbenchmark-dev xvfb xauth python3) ;;
    screenshot) packages+=(xvfb xauth imagemagick xdotool) ;;
    *) echo "usage: $0 [test|package|sanitize|fuzz [SECONDS]|bench|screenshot FILE]" >&2; exit 2 ;;
esac

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    if ! command -v apt-get >/dev/null; then
        echo "Please install: ${missing[*]} (or your system's equivalents)" >&2
        exit 1
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Installing ${missing[*]} needs root or sudo." >&2; exit 1; }
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# build DIR [cmake options...]: configure once, then build.
build() {
    local dir=$1
    shift
    [ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja "$@"
    cmake --build "$dir"
}

install_missing "${packages[@]}"
case $mode in
    sanitize) build build-sanitize -DCHISLOVA_SANITIZE=ON ;;
    fuzz) CXX=clang++ build build-fuzz -DCHISLOVA_FUZZ=ON ;;
    bench)
        cmake -S . -B "$build_dir" -G Ninja -DCHISLOVA_BENCH=ON >/dev/null
        build "$build_dir"
        ;;
    *) build "$build_dir" ;;
esac

case $mode in
    run)
        if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
            echo "No display to open the window on; run it on a virtual one: xvfb-run -a $program" >&2
            exit 1
        fi
        exec "$program"
        ;;
    test)
        ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
        ;;
    package)
        (cd "$build_dir" && cpack -G DEB)
        ;;
    sanitize)
        # Any report fails its test; leaks are checked when each test ends.
        ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1 \
            UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
        ;;
    fuzz)
        seconds=${2:-60}
        mkdir -p build-fuzz/corpus
        # New inputs go to build-fuzz/corpus; the seeds in the repository stay as they are.
        build-fuzz/tests/fuzz/conversions_fuzz build-fuzz/corpus tests/fuzz/corpus \
            -max_total_time="$seconds" -print_final_stats=1
        ;;
    bench)
        xvfb-run -a -s "-screen 0 1024x768x24" python3 bench/run_bench.py "$build_dir"
        ;;
    screenshot)
        out=$(realpath -m "${2:?usage: $0 screenshot FILE}")
        xvfb-run -a -s "-screen 0 800x600x24" bash -c '
            "$1" & pid=$!
            id=$(xdotool search --sync --onlyvisible --name "Числова редица" | head -n 1)
            sleep 1
            import -window "$id" "$2"
            kill $pid' _ "$program" "$out"
        echo "Saved $out"
        ;;
esac
