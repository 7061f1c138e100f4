#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Opens the window under a real window manager (openbox on a virtual display) and checks
# what the user sees: the framed window centred on the screen, and a resize request that
# leaves the client area at its fixed size.
#   window_manager_test.sh PROGRAM [SCREENSHOT.png]
# Needs xvfb (xvfb-run), xauth, openbox, xdotool and x11-utils (xwininfo, xprop); skips
# (exit 77) where one is missing, fails in CI (CI=true). ImageMagick's import for the screenshot.
set -euo pipefail
# shellcheck source=tests/desktop_test_support.sh
source "$(dirname "$(realpath "$0")")/desktop_test_support.sh"

need_tools xvfb-run xauth openbox xdotool xwininfo xprop
on_own_display "$0" "$@"

program=$(realpath "$1")
screenshot=${2:-}
tolerance=2
client_size="481x363"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

pids=()
cleanup() {
    stop_processes "${pids[@]}"
    rm -f "${openbox_log:-}"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
export QT_QPA_PLATFORM=xcb

openbox_log=$(mktemp)
openbox --sm-disable >"$openbox_log" 2>&1 &
pids+=($!)
# openbox announces itself on the root window once it manages the screen.
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' ||
    fail "openbox did not start: $(cat "$openbox_log")"

"$program" &
app=$!
pids+=("$app")

# The program's window once it is mapped and framed (openbox sets the frame extents then).
client=$(xdotool search --sync --onlyvisible --pid "$app" --class chislova-redica | head -n1)
[ -n "$client" ] || fail "no window of the program appeared"
for _ in $(seq 100); do
    xprop -id "$client" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '=' && break
    sleep 0.1
done

# frame_of ID: the window manager's frame, the ancestor just below the root.
root=$(xwininfo -root | awk '/Window id:/ {print $4}')
frame_of() {
    local id=$1 parent
    while :; do
        parent=$(xwininfo -children -id "$id" | awk '/Parent window id:/ {print $4}')
        [ "$((parent))" -eq "$((root))" ] && break
        id=$parent
    done
    echo "$id"
}
# geometry ID: "X Y WIDTH HEIGHT" of a window, on the screen.
geometry() {
    xwininfo -id "$1" | awk '
        /Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4}
        /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}'
}

# centred_within DX DY: whether twice the centre's offset is within the tolerance.
centred_within() { (($1 <= 2 * tolerance && $1 >= -2 * tolerance && $2 <= 2 * tolerance && $2 >= -2 * tolerance)); }

# offsets: twice the offset of the frame's centre from the screen's, so halves stay whole.
# No panel runs, so the screen's work area is all of it.
offsets() {
    local fx fy fw fh sw sh
    read -r fx fy fw fh < <(geometry "$(frame_of "$client")")
    read -r _ _ sw sh < <(geometry "$root")
    echo $((2 * fx + fw - sw)) $((2 * fy + fh - sh))
}

# The program may move its frame once it knows the frame's size: give it up to ten
# seconds to get there (a loaded machine is slow), then judge what stands.
wait_until_centred() {
    local dx dy deadline=$((SECONDS + 10))
    while ((SECONDS < deadline)); do
        read -r dx dy < <(offsets)
        centred_within "$dx" "$dy" && return
        sleep 0.1
    done
}

check_window() {
    local when=$1 frame fx fy fw fh cx cy cw ch dx dy
    frame=$(frame_of "$client")
    [ "$((frame))" -ne "$((client))" ] || fail "$when: the window has no frame"
    read -r fx fy fw fh < <(geometry "$frame")
    read -r cx cy cw ch < <(geometry "$client")
    echo "$when: frame ${fw}x${fh} at $fx,$fy, client ${cw}x${ch} at $cx,$cy"
    [ "${cw}x${ch}" = "$client_size" ] || fail "$when: client area is ${cw}x${ch}, not $client_size"
    ((fh > ch)) || fail "$when: the frame has no title bar"
    read -r dx dy < <(offsets)
    centred_within "$dx" "$dy" ||
        fail "$when: frame off centre by $((dx / 2)),$((dy / 2)) px"
}

wait_until_centred
check_window "opened"
if [ -n "$screenshot" ]; then
    import -window root "$screenshot"
fi

# A tool asks for a larger window. The window manager takes requests in order, so once
# a later move has been carried out the resize has been answered: it must be refused.
xdotool windowsize "$client" 700 600
xdotool windowmove --sync "$client" 100 100
read -r _ _ cw ch < <(geometry "$client")
echo "after a resize request: client ${cw}x${ch}"
[ "${cw}x${ch}" = "$client_size" ] || fail "a resize request made the client area ${cw}x${ch}"

# Closed as a user closes it: the window manager's Alt+F4 asks the program to close.
# A key pressed before the window manager has given the window the focus reaches no
# one, so it is pressed again, until the window is gone (for up to thirty seconds).
deadline=$((SECONDS + 30))
while xwininfo -id "$client" >/dev/null 2>&1; do
    ((SECONDS < deadline)) || fail "the window did not close on Alt+F4"
    timeout 5 xdotool windowactivate --sync "$client" key alt+F4 2>/dev/null || true
    sleep 0.5
done
wait "$app" || fail "the program did not end cleanly on closing its window"
echo "PASS"
