# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tests that meet the program on a display of their own, with a
# window manager or a compositor they start themselves.

# need_tools TOOL...: skips the test (exit 77) where a tool is missing; in CI
# (CI=true) the check must run, not pass by being skipped, so it fails there.
need_tools() {
    local missing=() tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || missing+=("$tool")
    done
    ((${#missing[@]})) || return 0
    missing_needs "${missing[@]}"
}

# need_file PACKAGE PATTERN: the same for a file that no command stands for, such
# as a Qt plugin; PATTERN is a glob.
need_file() {
    compgen -G "$2" >/dev/null || missing_needs "$1"
}

missing_needs() {
    [ "${CI:-}" = true ] && { echo "FAIL: needs $*" >&2; exit 1; }
    echo "SKIP: needs $*" >&2
    exit 77
}

# on_own_display SCRIPT ARG...: runs the script again on a virtual display of
# its own, so that tests run side by side, unless it already runs on one.
# Without -noreset the server starts afresh whenever its last client leaves, and
# a client that connects meanwhile is turned away: a first probe for a window
# manager could do that to the window manager.
on_own_display() {
    [ -z "${IN_VIRTUAL_DISPLAY:-}" ] || return 0
    IN_VIRTUAL_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" "$@"
}

# stop_processes PID...: asks each child process to end and waits for it; one
# still there after ten seconds (openbox has been seen to ignore the request
# while it starts) is killed, so that a test never hangs on its way out.
stop_processes() {
    (($#)) || return 0
    kill "$@" 2>/dev/null || true
    (
        exec >/dev/null 2>&1
        sleep 10
        kill -KILL "$@"
    ) &
    local watchdog=$!
    wait "$@" 2>/dev/null || true
    # KILL, not TERM: a subshell that has not yet dropped the traps it inherited runs
    # the test's EXIT trap on a TERM, and that would clean up under the test's feet.
    kill -KILL "$watchdog" 2>/dev/null || true
    wait "$watchdog" 2>/dev/null || true
}
