#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program on a Wayland desktop: Weston with XWayland, itself on a virtual display of
# its own, the program started as a Wayland session starts it. Weston's own shortcuts
# ask to maximise it and to make it full screen; it must keep its size and live on.
# A window that may be maximised (xev) proves that the shortcuts work here. Then the
# same once more on Qt's own Wayland platform, with the frame Qt draws itself.
#   wayland_test.sh PROGRAM [SCREENSHOT.png]
# Needs xvfb (xvfb-run), xauth, weston, xwayland, xdotool, x11-utils (xwininfo, xprop,
# xev), ImageMagick (import, convert) and Qt's Wayland platform (qt6-wayland); skips
# (exit 77) where one is missing, fails in CI (CI=true).
set -euo pipefail
# shellcheck source=tests/desktop_test_support.sh
source "$(dirname "$(realpath "$0")")/desktop_test_support.sh"

need_tools xvfb-run xauth weston Xwayland xdotool xwininfo xprop xev import convert
need_file qt6-wayland '/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so'
# Larger than Weston's output, so that the pointer can enter it from outside.
on_own_display "$0" "$@"

program=$(realpath "$1")
screenshot=${2:-}
client_size="481x363"

fail() {
    echo "FAIL: $*" >&2
    [ -z "${log:-}" ] || { echo "--- weston's log:" >&2; tail -n 20 "$log" >&2; }
    exit 1
}

work=$(mktemp -d)
pids=()
cleanup() {
    stop_processes "${pids[@]}"
    rm -rf "$work"
}
trap cleanup EXIT

# wait_for WHAT COMMAND...: polls until COMMAND succeeds, for up to thirty seconds
# (a loaded machine is slow); fails when the program has ended meanwhile.
wait_for() {
    local what=$1 deadline=$((SECONDS + 30))
    shift
    until "$@"; do
        if [ -n "${app:-}" ] && ! kill -0 "$app" 2>/dev/null; then
            wait "$app" && status=0 || status=$?
            fail "the program ended (status $status) while waiting for $what"
        fi
        ((SECONDS < deadline)) || fail "timed out waiting for $what"
        sleep 0.1
    done
}

# A session of its own: Weston's sockets and XWayland's display.
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
log=$work/weston.log
cat >"$work/weston.ini" <<'EOF'
[core]
idle-time=0

[shell]
panel-position=none
locking=false
EOF
outer=$DISPLAY
weston --backend=x11-backend.so --use-pixman --width=1024 --height=768 --socket=wayland-test --xwayland \
    --config="$work/weston.ini" --log="$log" &
pids+=($!)
weston=$!

xwayland_display() { sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$log" 2>/dev/null | tail -n 1; }
listening() { [ -n "$(xwayland_display)" ] || { kill -0 "$weston" || fail "weston ended"; false; }; }
wait_for "XWayland's display" listening
export DISPLAY
DISPLAY=$(xwayland_display)

# in_weston COMMAND...: on the outer display, where Weston reads its input.
in_weston() { DISPLAY=$outer "$@"; }
# Weston takes the keyboard when the pointer comes into its output.
in_weston xdotool mousemove 1200 1000 mousemove 512 384

size_of() { xwininfo -id "$1" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}'; }
active_is() { xprop -root _NET_ACTIVE_WINDOW | grep -qi "$(printf '0x%x' "$1")\$"; }
# activate ID: Weston's window switcher, Super+Tab, passes the keyboard to the other
# of the two windows, ID.
activate() {
    active_is "$1" && return
    in_weston xdotool keydown super key Tab keyup super
    wait_for "the switch to window $1" active_is "$1"
}

xev -geometry 300x200 -name reference >/dev/null &
pids+=($!)
xev=$!
has_reference() { xdotool search --onlyvisible --name '^reference$' >/dev/null; }
wait_for "the reference window" has_reference
reference=$(xdotool search --onlyvisible --name '^reference$' | head -n 1)

# As a Wayland session starts a program: nothing chooses its platform for it.
XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-test env -u QT_QPA_PLATFORM "$program" &
app=$!
pids+=("$app")
found() { xdotool search --onlyvisible --pid "$app" --class chislova-redica >/dev/null; }
wait_for "the program's window on XWayland" found
client=$(xdotool search --onlyvisible --pid "$app" --class chislova-redica | head -n 1)
wait_for "the program's window to take the keyboard" active_is "$client"
size=$(size_of "$client")
echo "opened: client area $size"
[ "$size" = "$client_size" ] || fail "the client area is $size, not $client_size"
if [ -n "$screenshot" ]; then
    in_weston import -window root "$screenshot"
fi

# shortcut KEYS WHAT: Weston's shortcut on the program's window, then the reference
# window takes the keyboard: Weston has carried the shortcut out by then. The
# program's window must be, or come back to, its own size. One at a time: Weston 14
# itself may crash when full screen follows maximise within a moment.
has_client_size() { [ "$(size_of "$client")" = "$client_size" ]; }
shortcut() {
    activate "$client"
    in_weston xdotool key "$1"
    activate "$reference"
    wait_for "the client area back at $client_size after $2" has_client_size
    echo "after $2: client area $(size_of "$client")"
}
shortcut super+shift+m "maximise"
shortcut super+shift+f "full screen"
shortcut super+shift+m "maximise once more"

# The same shortcut maximises a window that may be maximised.
in_weston xdotool key super+shift+m
grown() { [ "$(size_of "$reference")" != 300x200 ]; }
wait_for "Weston to maximise the reference window" grown
echo "the reference window maximised to $(size_of "$reference")"
kill -0 "$app" || fail "the program ended"
# Alone on the output from here on, so that nothing else shows its colours.
stop_processes "$app" "$xev"

# On Qt's own Wayland platform, as QT_QPA_PLATFORM=wayland or a desktop without
# XWayland chooses it. Its window is no X window: its client area is where Weston's
# output shows the window's background colour in runs longer than the 22 pixels of
# the icon in Qt's frame, and the client's protocol log (its stderr) shows what Weston
# asked of it.
wayland_log=$work/wayland.log
QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-test WAYLAND_DEBUG=client "$program" 2>"$wayland_log" &
app=$!
pids+=("$app")
# Sized configures ask for a size, maximised or full screen; Weston leaves the size of
# a window in its normal state to the window (0 x 0).
configures() { grep -Eo 'xdg_toplevel[@#][0-9]+\.configure\([0-9]+, [0-9]+' "$wayland_log" | sed 's/.*(//'; }
sized_configures() { configures | grep -cv '^0,' || true; }
back_to_normal() { [ "$(configures | tail -n 1)" = "0, 0" ]; }
client_area_on_screen() {
    in_weston import -window root png:- |
        convert png:- -fill black +opaque 'rgb(192,192,255)' -fill white -opaque 'rgb(192,192,255)' \
            -morphology Open Rectangle:23x1 -trim -format '%wx%h' info:
}
shows_client_size() { [ "$(client_area_on_screen)" = "$client_size" ]; }
activated() { grep -Eq 'xdg_toplevel[@#][0-9]+\.configure\(0, 0, array\[[1-9]' "$wayland_log"; }
wait_for "the program's window on Wayland to take the keyboard" activated
wait_for "the program's client area on Wayland at $client_size" shows_client_size
echo "opened on Wayland: client area $(client_area_on_screen)"

# wayland_shortcut KEYS WHAT: Weston asks the window for a size with the shortcut; the
# window then asks for its normal state, which Weston grants with a configure of its
# own, and it must show its own size again.
wayland_shortcut() {
    local before
    before=$(sized_configures)
    in_weston xdotool key "$1"
    sized_since() { (($(sized_configures) > before)); }
    wait_for "Weston to ask the window on Wayland for $2" sized_since
    back() { back_to_normal && shows_client_size; }
    wait_for "the client area on Wayland back at $client_size after $2" back
    echo "after $2 on Wayland: client area $(client_area_on_screen)"
}
wayland_shortcut super+shift+m "maximise"
wayland_shortcut super+shift+f "full screen"
wayland_shortcut super+shift+m "maximise once more"
kill -0 "$app" || fail "the program on Wayland ended"
echo "PASS"
