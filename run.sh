#!/usr/bin/env bash
# Sets up, builds and runs the program on Debian (or Ubuntu).
#   ./run.sh              install what is missing, build, open the window
#   ./run.sh test         install what is missing, build, run every test
#   ./run.sh package      build the .deb (build/chislova-redica_*.deb)
#   ./run.sh screenshot F take a picture of the window under a virtual display
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
build_dir=build
program=$build_dir/chislova-redica

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev fonts-liberation2 fontconfig)
case $mode in
    run) ;;
    test) packages+=(libgtest-dev desktop-file-utils appstream file) ;;
    package) packages+=(dpkg-dev file) ;;
    screenshot) packages+=(xvfb xauth imagemagick xdotool) ;;
    *) echo "usage: $0 [test|package|screenshot FILE]" >&2; exit 2 ;;
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

build() {
    [ -f "$build_dir/build.ninja" ] || cmake -S . -B "$build_dir" -G Ninja
    cmake --build "$build_dir"
}

install_missing "${packages[@]}"
build

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
