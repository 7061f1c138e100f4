#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine in a prefix of the build tree's own, never
# ~/.wine, made on first use by whichever test comes first.
#   tests/windows/wine_run.sh PREFIX PROGRAM [ARGUMENTS...]
#   tests/windows/wine_run.sh PREFIX --start-session | --end-session
# Each program started alone pays for a Wine session of its own (the server and
# Wine's services start and stop with it, seconds each time), so a test run
# starts one session that its tests share and ends it afterwards. The session
# is started with no terminal or pipe of a test's, since Wine's services outlive
# the program that started them, and a test's output would stay open with them.
# Wine's own messages are off; Mono and Gecko are not wanted, so Wine does not
# offer to download them.
set -euo pipefail
usage="usage: $0 PREFIX PROGRAM [ARGUMENTS...] | PREFIX --start-session | PREFIX --end-session"
prefix=${1:?$usage}
shift
[ $# -gt 0 ] || { echo "$usage" >&2; exit 2; }
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
case $1 in
    --start-session)
        # The server stays a minute after the last program, should the end be missed.
        wineserver --persistent=60 </dev/null >/dev/null 2>&1
        timeout 120 wine cmd /c exit 0 </dev/null >/dev/null 2>&1 ||
            { echo "wine_run: no Wine session in $prefix within 2 min" >&2; exit 1; }
        ;;
    --end-session)
        timeout 60 wineserver --kill || true
        timeout 60 wineserver --wait || { echo "wine_run: wineserver did not end within 60 s" >&2; exit 1; }
        ;;
    *) exec wine "$@" ;;
esac
