#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts a program (the installed one by default) on a virtual display and
# waits for its window; fails when the window does not appear or the program dies.
#   packaging/smoke_test.sh [PROGRAM] [SCREENSHOT.png]
set -euo pipefail
program=${1:-chislova-redica}
shot=${2:-}
command -v "$program" >/dev/null || { echo "smoke test: $program not found" >&2; exit 1; }

xvfb-run -a -s "-screen 0 800x600x24" bash -c '
    "$1" & pid=$!
    for _ in $(seq 1 100); do
        kill -0 $pid 2>/dev/null || { echo "smoke test: $1 exited early" >&2; exit 1; }
        id=$(xdotool search --onlyvisible --name "Числова редица" 2>/dev/null | head -n 1) || true
        if [ -n "$id" ]; then
            [ -z "$2" ] || import -window "$id" "$2"
            echo "smoke test: $1 opened its window"
            kill $pid
            exit 0
        fi
        sleep 0.2
    done
    echo "smoke test: no window from $1 after 20 s" >&2
    kill $pid
    exit 1' _ "$program" "$shot"
