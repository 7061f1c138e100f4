# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tests that start a display server, a window manager or a
# compositor of their own.

# stop_processes PID...: asks each child process to end and waits for it; one
# still there after ten seconds (openbox has been seen to ignore the request
# while it starts) is killed, so that a test never hangs on its way out.
stop_processes() {
    (($#)) || return 0
    kill "$@" 2>/dev/null || true
    (
        sleep 10
        kill -KILL "$@" 2>/dev/null
    ) &
    local watchdog=$!
    wait "$@" 2>/dev/null || true
    kill "$watchdog" 2>/dev/null || true
    wait "$watchdog" 2>/dev/null || true
}
