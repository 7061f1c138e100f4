#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Opens the window under a real window manager (openbox on a virtual display) and checks
# what the user sees: the framed window centred on the screen, the focus mark following
# the Tab key on screen, the window staying where the user drags it, and a resize request
# that leaves the client area at its fixed size.
#   window_manager_test.sh PROGRAM [SCREENSHOT.png]
# Needs xvfb (xvfb-run), xauth, openbox, xdotool, x11-utils (xwininfo, xprop) and
# ImageMagick (import, convert); skips (exit 77) where one is missing, fails in CI (CI=true).
set -euo pipefail
# shellcheck source=tests/desktop_test_support.sh
source "$(dirname "$(realpath "$0")")/desktop_test_support.sh"

need_tools xvfb-run xauth openbox xdotool xwininfo xprop import convert
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
    rm -f "${openbox_log:-}" "${shot:-}"
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

# The user drags the window by its title bar; it must stay where it is put.
frame=$(frame_of "$client")
read -r fx fy fw _ < <(geometry "$frame")
read -r _ cy _ _ < <(geometry "$client")
xdotool mousemove $((fx + fw / 2)) $(((fy + cy) / 2)) mousedown 1
for _ in $(seq 10); do
    xdotool mousemove_relative -- -25 -20
    sleep 0.02
done
xdotool mouseup 1
target="$((fx - 250)),$((fy - 200))"
# where: "X,Y" of the frame on the screen.
where() {
    local x y
    read -r x y _ < <(geometry "$frame")
    echo "$x,$y"
}
deadline=$((SECONDS + 10))
until [ "$(where)" = "$target" ]; do
    ((SECONDS < deadline)) ||
        fail "dragged by its title bar to $target, the window stands at $(where)"
    sleep 0.1
done
echo "after a drag by the title bar: frame at $target"

# The text boxes that take the focus, "x y width height" in the client area: the layout
# table's twips at 96 dpi, 15 to a pixel.
declare -A text_box=([help]="16 176 449 177" [right]="192 144 41 27" [wrong]="272 144 41 27")
ink=000000    # the window's text colour, the focus mark's
ground=C0C0FF # the window's ground

# focus_marks: for each text box, "ring" where the window's focus mark (two pixels of
# ink all round it) stands on screen, "none" where only the ground is there, else "part".
shot=$(mktemp --suffix=.png)
focus_marks() {
    local name x y w h crops=() sides=() mark marks=()
    import -window "$client" "$shot"
    for name in help right wrong; do
        read -r x y w h <<<"${text_box[$name]}"
        crops+=("(" mpr:shot -crop "$((w + 4))x2+$((x - 2))+$((y - 2))" +repage ")"
            "(" mpr:shot -crop "$((w + 4))x2+$((x - 2))+$((y + h))" +repage ")"
            "(" mpr:shot -crop "2x$h+$((x - 2))+$y" +repage ")"
            "(" mpr:shot -crop "2x$h+$((x + w))+$y" +repage ")")
    done
    # Each side of each band: how many colours it holds, and the first.
    mapfile -t sides < <(convert "$shot" -write mpr:shot +delete "${crops[@]}" \
        -format "%k %[hex:p{0,0}]\n" info:)
    for name in help right wrong; do
        mark=$(printf '%s\n' "${sides[@]:0:4}" | sort -u)
        sides=("${sides[@]:4}")
        case $mark in
        "1 $ink") marks+=("$name:ring") ;;
        "1 $ground") marks+=("$name:none") ;;
        *) marks+=("$name:part") ;;
        esac
    done
    echo "${marks[*]}"
}

# expect_marks WHEN MARKS: the screen shows MARKS, once the program has repainted.
expect_marks() {
    local marks deadline=$((SECONDS + 10))
    while :; do
        marks=$(focus_marks)
        [ "$marks" = "$2" ] && return
        ((SECONDS < deadline)) || fail "$1: the focus marks show $marks, not $2"
        sleep 0.1
    done
}

# The focus goes round with Tab: the help text, the two buttons (which mark it on their
# faces), the counters, the help text again. The mark must follow it on the real screen;
# the old one must go.
timeout 10 xdotool windowactivate --sync "$client" || fail "the window could not be activated"
expect_marks "opened" "help:ring right:none wrong:none"
for step in "Провери:help:none right:none wrong:none" \
    "Чисти:help:none right:none wrong:none" \
    "the green counter:help:none right:ring wrong:none" \
    "the red counter:help:none right:none wrong:ring" \
    "the help text:help:ring right:none wrong:none"; do
    xdotool key Tab
    expect_marks "Tab to ${step%%:*}" "${step#*:}"
done
echo "focus marks: followed the Tab key round the window"
# The program has long since heard of the drag, and shown that it reads its events.
[ "$(where)" = "$target" ] ||
    fail "dragged by its title bar to $target, the window moved on to $(where)"

# A tool asks for a larger window. The window manager takes requests in order, so once
# a later move has been carried out the resize has been answered: it must be refused.
xdotool windowsize "$client" 700 600
timeout 10 xdotool windowmove --sync "$client" 100 100 ||
    fail "a move to 100,100 was not carried out within ten seconds"
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
