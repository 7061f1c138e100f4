#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the page's tests in Debian's browsers: chromium and
# firefox-esr headless through puppeteer-core, WebKitGTK through its WebDriver
# (WebKitWebDriver) on a virtual display. No browser is downloaded. The output
# is TAP. PAGE_ENGINES=chromium,firefox,webkit picks the engines. The page is
# the one in PAGE_BUILD_DIR (default build-web), built first by ./run.sh test or
# cmake --workflow --preset web-test; CTest runs this as browser_tests.
set -euo pipefail
cd "$(dirname "$0")/../.."

page=${PAGE_BUILD_DIR:-build-web}/chislova-redica.html
[ -f "$page" ] || { echo "$page is missing: build it with cmake --workflow --preset web-test" >&2; exit 1; }

missing=()
for need in chromium:chromium firefox-esr:firefox-esr WebKitWebDriver:webkit2gtk-driver \
    xvfb-run:xvfb xauth:xauth npm:npm; do # some nodes bring their own npm
    command -v "${need%%:*}" >/dev/null || missing+=("${need#*:}")
done
if ((${#missing[@]})); then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -q \
        --no-install-recommends "${missing[@]}"
fi

cd web/tests
npm ci --no-audit --no-fund
# WebKitGTK draws on a display even under WebDriver: a virtual one unless there is one.
run=(node --test --test-reporter=tap page.test.mjs)
[ -n "${DISPLAY:-}" ] || run=(xvfb-run -a -s "-screen 0 1280x1024x24" "${run[@]}")
exec "${run[@]}"
