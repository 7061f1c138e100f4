#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the page and runs its tests in Debian's chromium, headless, through
# puppeteer-core (which downloads no browser of its own). The output is TAP.
set -euo pipefail
cd "$(dirname "$0")/../.."

./run.sh web

missing=()
command -v chromium >/dev/null || missing+=(chromium)
command -v npm >/dev/null || missing+=(npm) # some nodes bring their own
if ((${#missing[@]})); then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -q \
        --no-install-recommends "${missing[@]}"
fi

cd web/tests
npm ci --no-audit --no-fund
exec node --test --test-reporter=tap page.test.mjs
