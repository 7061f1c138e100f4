#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine in a prefix of the build tree's own, never
# ~/.wine, made on first use by whichever test comes first.
#   tests/windows/wine_run.sh PREFIX PROGRAM [ARGUMENTS...]
# Wine's own messages are off; Mono and Gecko are not wanted, so Wine does not
# offer to download them.
set -euo pipefail
prefix=${1:?usage: $0 PREFIX PROGRAM [ARGUMENTS...]}
shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -e "$prefix.ready" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        # Tests run in parallel; one makes the prefix, the others wait for it.
        flock --timeout 360 9 || { echo "wine_run: waited 6 min for $prefix.lock" >&2; exit 1; }
        if [ ! -e "$prefix.ready" ]; then
            rm -rf "$prefix"
            timeout 300 wineboot --init >/dev/null 2>&1 ||
                { echo "wine_run: wineboot --init failed or took over 5 min in $prefix" >&2; exit 1; }
            # wineboot returns before its server has written the registry.
            timeout 60 wineserver --wait || { echo "wine_run: wineserver did not end within 60 s" >&2; exit 1; }
            touch "$prefix.ready"
        fi
    ) 9>"$prefix.lock"
fi
exec wine "$@"
