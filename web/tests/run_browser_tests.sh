#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the page's tests in Debian's browsers: chromium and
# firefox-esr headless through puppeteer-core, WebKitGTK through its WebDriver
# (WebKitWebDriver) on a virtual display. No browser is downloaded. The output
# is TAP.
#   run_browser_tests.sh            installs what is missing, then runs every engine
#   run_browser_tests.sh setup      only installs what is missing (npm ci included)
#   run_browser_tests.sh ENGINE...  runs chromium, firefox or webkit, once set up
# Without arguments PAGE_ENGINES=chromium,firefox,webkit picks the engines. Each
# engine runs in a node of its own that ends within PAGE_ENGINE_BOUND seconds
# (default 300), saying where it was; this script stops it 30 s later whatever
# it does. The page is the one in PAGE_BUILD_DIR (default build-web), built
# first by ./run.sh test or cmake --workflow --preset web-test. CTest runs
# this as browser_tests_setup and browser_tests_ENGINE.
set -euo pipefail
cd "$(dirname "$0")/../.."

PAGE_BUILD_DIR=$(realpath -m "${PAGE_BUILD_DIR:-build-web}")
export PAGE_BUILD_DIR
page=$PAGE_BUILD_DIR/chislova-redica.html
bound=${PAGE_ENGINE_BOUND:-300}

setup() {
    local missing=() need sudo=()
    for need in chromium:chromium firefox-esr:firefox-esr WebKitWebDriver:webkit2gtk-driver \
        xvfb-run:xvfb xauth:xauth npm:npm; do # some nodes bring their own npm
        command -v "${need%%:*}" >/dev/null || missing+=("${need#*:}")
    done
    if ((${#missing[@]})); then
        [ "$(id -u)" -eq 0 ] || sudo=(sudo)
        "${sudo[@]}" apt-get update -q
        DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -q \
            --no-install-recommends "${missing[@]}"
    fi
    (cd web/tests && npm ci --no-audit --no-fund)
}

# Every process an engine's run starts carries its mark in its environment,
# the browsers too: none may outlive the run.
marked() {
    grep -lxzsF "$1" /proc/[0-9]*/environ | cut -d/ -f3 || true
}

run_engine() {
    local engine=$1 status=0 mark=PAGE_TESTS_RUN=$$.$1 left=()
    # WebKitGTK draws on a display even under WebDriver: a virtual one unless there is one.
    local run=(node --test --test-reporter=tap page.test.mjs)
    [ -n "${DISPLAY:-}" ] || run=(xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}")
    (cd web/tests && env "$mark" PAGE_ENGINES="$engine" PAGE_ENGINE_BOUND="$bound" \
        timeout --kill-after=10 $((bound + 30)) "${run[@]}") || status=$?
    if ((status == 124 || status == 137)); then
        echo "$engine: stopped after $((bound + 30)) s; the output above shows the last check it began" >&2
    fi
    mapfile -t left < <(marked "$mark")
    if ((${#left[@]})); then
        sleep 2 # a browser killed as the run ended may not be gone yet
        mapfile -t left < <(marked "$mark")
    fi
    if ((${#left[@]})); then
        echo "$engine: still running after the run, now ended:" >&2
        ps -o pid=,args= -p "$(IFS=,; echo "${left[*]}")" >&2 || true
        kill -KILL "${left[@]}" 2>/dev/null || true
        ((status)) || status=1
    fi
    return "$status"
}

if [ "${1:-}" = setup ]; then
    setup
    exit
fi
[ -f "$page" ] || { echo "$page is missing: build it with cmake --workflow --preset web-test" >&2; exit 1; }
if (($#)); then
    engines=("$@")
    [ -d web/tests/node_modules ] || { echo "the tests' modules are missing: run $0 setup first" >&2; exit 1; }
else
    IFS=, read -ra engines <<<"${PAGE_ENGINES:-chromium,firefox,webkit}"
    setup
fi
failed=()
for engine in "${engines[@]}"; do
    run_engine "$engine" || failed+=("$engine")
done
if ((${#failed[@]})); then
    echo "the page's tests failed in: ${failed[*]}" >&2
    exit 1
fi
