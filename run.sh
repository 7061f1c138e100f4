#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up, builds and runs the program on Debian (or Ubuntu).
#   ./run.sh              install what is missing, build, open the window
#   ./run.sh test         install what is missing, build, run every test
#   ./run.sh package      build the .deb (build/chislova-redica_*.deb)
#   ./run.sh sanitize     every test again, built with AddressSanitizer and UBSan
#   ./run.sh fuzz [SECS]  fuzz the text conversions for SECS seconds (default 60)
#   ./run.sh bench        print the benchmark table (the web page's figures too)
#   ./run.sh web          build the web page build-web/chislova-redica.html
#   ./run.sh windows      build the Windows program and its installer (build-windows/)
#   ./run.sh screenshot F take a picture of the window under a virtual display
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
build_dir=build
program=$build_dir/chislova-redica

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev fonts-liberation2 fontconfig)
# What the tests need besides: the locale sources for the comma-decimal locale
# test; a virtual display, a window manager, a Wayland compositor and the
# accessibility bus for the tests that meet the program from outside, as a user
# or a screen reader does.
test_packages=(libgtest-dev locales xvfb xauth xdotool x11-utils openbox weston xwayland qt6-wayland imagemagick
    python3-pyatspi at-spi2-core dbus)
# The page: Emscripten, and fonttools with brotli to cut the font down to a WOFF2.
web_packages=(cmake ninja-build emscripten python3 fonttools python3-brotli fonts-liberation2)
# The Windows program: Debian's mingw-w64 (posix threads, 64-bit) and msitools'
# wixl for the installer; its tests run under Wine (64-bit).
windows_packages=(cmake ninja-build g++-mingw-w64-x86-64-posix wixl msitools)
wine_packages=(wine wine64 libgtest-dev binutils)
case $mode in
    run) ;;
    test)
        # Every test: the program's, the page's in three browser engines, and the
        # Windows program's under Wine.
        packages+=("${test_packages[@]}" desktop-file-utils appstream file dpkg-dev lintian "${web_packages[@]}"
            chromium firefox-esr webkit2gtk-driver "${windows_packages[@]}" "${wine_packages[@]}")
        command -v npm >/dev/null || packages+=(npm) # some nodes bring their own
        ;;
    sanitize) packages+=("${test_packages[@]}" desktop-file-utils appstream file dpkg-dev lintian) ;;
    package) packages+=(dpkg-dev file) ;;
    fuzz) packages=(cmake ninja-build clang libclang-rt-dev) ;;
    bench)
        packages+=("${test_packages[@]}" libbenchmark-dev xvfb xauth python3 "${web_packages[@]}"
            chromium firefox-esr "${windows_packages[@]}" "${wine_packages[@]}")
        command -v npm >/dev/null || packages+=(npm) # some nodes bring their own
        ;;
    web) packages=("${web_packages[@]}") ;;
    windows) packages=("${windows_packages[@]}") ;;
    screenshot) packages+=(xvfb xauth imagemagick xdotool) ;;
    *) echo "usage: $0 [test|package|sanitize|fuzz [SECONDS]|bench|screenshot FILE|web|windows]" >&2; exit 2 ;;
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
    # Through env, because sudo drops the caller's environment; on a fresh
    # machine the system's own updates may hold dpkg's lock for a while.
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q -o DPkg::Lock::Timeout=600 \
        --no-install-recommends "${missing[@]}"
}

# build PRESET: configure and build with one of CMakePresets.json's presets
# (web and web-test build the page with Emscripten, windows and windows-test the
# Windows program with mingw-w64). CMake rebuilds only what a changed option touches.
build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

install_missing "${packages[@]}"
case $mode in
    # The program alone, as a user builds it; the developer modes add the tests
    # and make every warning an error.
    run | package | screenshot) build user ;;
    # The page's tree: the web preset for users, web-test adds its tests; the
    # same for the Windows program's.
    test)
        build test
        build web-test
        build windows-test
        ;;
    sanitize | fuzz) build "$mode" ;;
    bench)
        build bench
        build web-test
        build windows-test
        (cd web/tests && npm ci --no-audit --no-fund >/dev/null)
        ;;
    web) build web ;;
    windows) build windows ;;
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
        # Every test, the WebAssembly ones under node, the page's in three
        # browser engines and the Windows program's under Wine too.
        ctest --preset test -j "$(nproc)"
        ;;
    package)
        cpack --preset user
        ;;
    sanitize)
        # Any report fails its test; leaks are checked when each test ends.
        ctest --preset sanitize -j "$(nproc)"
        ;;
    fuzz)
        seconds=${2:-60}
        mkdir -p build-fuzz/corpus
        # New inputs go to build-fuzz/corpus; the seeds in the repository stay as they are.
        build-fuzz/tests/fuzz/conversions_fuzz build-fuzz/corpus tests/fuzz/corpus \
            -max_total_time="$seconds" -print_final_stats=1
        ;;
    bench)
        xvfb-run -a -s "-screen 0 1024x768x24" python3 bench/run_bench.py "$build_dir" \
            --page build-web/chislova-redica.html --windows build-windows-test
        ;;
    screenshot)
        out=$(realpath -m "${2:?usage: $0 screenshot FILE}")
        xvfb-run -a -s "-screen 0 800x600x24" bash -c '
            "$1" & pid=$!
            id=$(xdotool search --sync --onlyvisible --name "Числова редица" | head -n 1)
            # No window manager here to give the new window the focus, as on a desktop.
            xdotool windowfocus --sync "$id"
            sleep 1
            import -window "$id" "$2"
            kill $pid' _ "$program" "$out"
        echo "Saved $out"
        ;;
    web)
        realpath build-web/chislova-redica.html
        ;;
    windows)
        realpath build-windows/chislova-redica.exe build-windows/chislova-redica.msi
        ;;
esac
