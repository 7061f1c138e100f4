#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program under Wine on a virtual display of its own, met as a user
# meets it: real clicks and keys on the X server, the window read back by a
# probe that runs beside it in the same Wine. At 96 dpi: the window centred with
# its client area of 481 x 363, a dealt row, boxes advanced by clicks and a
# double click, a solved and a spoiled row scored, Tab, Enter and Space,
# a runtime error told and survived, "Чисти" keeping the score, Alt+F4. At 144
# dpi (Wine's LogPixels), with the system's text light on dark: the client area
# 1.5 times as large, every digit dark and whole inside its white box and drawn
# 1.5 times as tall.
#   wine_window_test.sh PROGRAM.exe PROBE.exe WORK_DIRECTORY
# The Wine prefix is made in WORK_DIRECTORY (once; it takes a while) and the
# screenshots are left there. Needs wine, xvfb (xvfb-run), xdotool and
# ImageMagick; skips (exit 77) where one is missing, fails in CI (CI=true).
set -euo pipefail
# shellcheck source=tests/desktop_test_support.sh
source "$(dirname "$(realpath "$0")")/desktop_test_support.sh"

need_tools wine xvfb-run xauth xdotool import
# Wine's server, where Debian links it into the PATH, else in Wine's own folder.
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
[ -x "$wineserver" ] || missing_needs wineserver
# ImageMagick 7 (Debian 13) names its tool magick; 6 (Debian 12) convert.
magick=$(command -v magick || command -v convert) || missing_needs "ImageMagick's magick or convert"
on_own_display "$0" "$@"

program=$(realpath "$1")
probe=$(realpath "$2")
work=$3
mkdir -p "$work"
work=$(realpath "$work")
export WINEPREFIX=$work/prefix WINEDEBUG=-all
# Wine asks to install Mono and Gecko when it makes a prefix; nothing here needs them.
export WINEDLLOVERRIDES="mscoree,mshtml="

# The digit sequence the rows are cut from, as the program's hidden list holds it.
sequence=311292313304315306317318309311030113112

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

app=
cleanup() {
    "$wineserver" -k 2>/dev/null || true
    [ -z "$app" ] || stop_processes "$app"
}
trap cleanup EXIT

# within SECONDS WHAT COMMAND...: runs COMMAND until it succeeds, for up to SECONDS.
within() {
    local seconds=$1 what=$2 deadline
    shift 2
    deadline=$((SECONDS + seconds))
    until "$@"; do
        ((SECONDS < deadline)) || fail "waited ${seconds}s for $what"
        sleep 0.2
    done
}

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "making the Wine prefix (once)"
    timeout 180 wineboot -i >/dev/null 2>&1 || fail "wineboot could not make the Wine prefix"
fi

# The probe runs beside the program and answers questions: starting Wine for
# each would take far longer than the questions.
start_probe() {
    coproc PROBE { exec wine "$probe" serve 2>/dev/null; }
}
stop_probe() {
    local pid=$PROBE_PID input=${PROBE[1]}
    exec {input}>&-
    wait "$pid" || true
}
# ask WORD...: the probe's answer, on standard output; fails as the question does.
ask() {
    local IFS=$'\t' line
    printf '%s\n' "$*" >&"${PROBE[1]}"
    while IFS= read -r -t 30 line <&"${PROBE[0]}"; do
        [[ $line == end$'\t'* ]] && return "${line#end$'\t'}"
        printf '%s\n' "$line"
    done
    fail "the probe did not answer \"$*\" within 30 s"
}

# The probe's facts about the window, fresh for each question.
state=$work/state.txt
read_state() { ask state >"$state"; }
# ... and what screen readers read for each control, which takes longer to ask.
read_spoken() { ask spoken >"$state"; }
fact() { awk -F'\t' -v key="$1" '$1 == key {print $2, $3, $4, $5}' "$state"; }
control() { awk -F'\t' -v name="$1" '$1 == "control" && $2 == name {print $4, $5, $6, $7}' "$state"; }
text_of() { awk -F'\t' -v name="$1" '$1 == "control" && $2 == name {print $8}' "$state"; }
spoken_name() { awk -F'\t' -v name="$1" '$1 == "spoken" && $2 == name {print $5}' "$state"; }
captions() {
    local k row=
    for k in $(seq 0 14); do row+=$(text_of "Label2($k)"); done
    echo "$row"
}

# Clicks on a control with the real mouse, at its middle.
click() {
    local name=$1 repeat=${2:-1} x y w h cx cy
    read -r x y w h < <(control "$name")
    read -r cx cy _ _ < <(fact client)
    xdotool mousemove $((cx + x + w / 2)) $((cy + y + h / 2)) click --repeat "$repeat" --delay 120 1
}

# After a click or a key: the probe sees the box or counter showing TEXT, the
# control NAME having the focus, the message box or none, a dealt row.
shows() { read_state && [ "$(text_of "$1")" = "$2" ]; }
focus_of() { awk -F'\t' '$1 == "focus" {print $2}' "$state"; }
has_focus() { read_state && [ "$(focus_of)" = "$1" ]; }
message_shown() { ask message >"$work/message.txt"; }
no_message() { ! ask message >/dev/null; }
row_dealt() { read_state && dealt_from "$(captions)" >/dev/null; }

start_program() {
    wine "$program" &
    app=$!
    start_probe
    within 60 "the window to show its first row" read_state
    window=$(xdotool search --onlyvisible --class chislova-redica | head -n1)
    [ -n "$window" ] || fail "no X window of the program"
}

# The window's size and place: the client area from the probe, the whole
# window as the X server has it, centred on the screen (no panel, so the work
# area is the screen) to the pixel that halving an odd difference leaves.
check_window() {
    local dpi=$1 want_w want_h cw ch wx wy ww wh sw sh
    want_w=$2 want_h=$3
    read -r _ _ cw ch < <(fact client)
    [ "${cw}x${ch}" = "${want_w}x${want_h}" ] ||
        fail "$dpi dpi: client area ${cw}x${ch}, not ${want_w}x${want_h}"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    wx=$X wy=$Y ww=$WIDTH wh=$HEIGHT
    read -r sw sh < <(xdotool getdisplaygeometry)
    local dx=$((2 * wx + ww - sw)) dy=$((2 * wy + wh - sh))
    ((dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1)) ||
        fail "$dpi dpi: window ${ww}x${wh} at $wx,$wy is not centred on the ${sw}x${sh} screen"
    echo "$dpi dpi: window ${ww}x${wh} at $wx,$wy, client ${cw}x${ch}"
}

# The start offset of a dealt row: ten digits of the sequence from there on, then five "?".
dealt_from() {
    local row=$1 s
    [ "${row:10}" = "?????" ] || return 1
    for s in $(seq 0 24); do
        [ "${sequence:s+1:10}" = "${row:0:10}" ] && { echo "$s"; return 0; }
    done
    return 1
}

close_with_alt_f4() {
    local deadline=$((SECONDS + 20)) code=0
    while kill -0 "$app" 2>/dev/null; do
        ((SECONDS < deadline)) || fail "the program did not end on Alt+F4"
        xdotool windowfocus --sync "$window" key alt+F4 2>/dev/null || true
        sleep 0.5
    done
    wait "$app" || code=$?
    app=
    ((code == 0)) || fail "the program ended with exit code $code on Alt+F4"
    stop_probe
}

# glyph_boxes FILE "X Y W H"...: for each part of a screenshot, a line
# "WxH+X+Y" of its dark pixels, measured in it with a white pixel added around;
# "0x0" where there are none. One ImageMagick run for them all.
glyph_boxes() {
    local shot=$1 parts=() x y w h
    shift
    for part in "$@"; do
        read -r x y w h <<<"$part"
        parts+=('(' mpr:shot -crop "${w}x${h}+${x}+${y}" +repage -bordercolor white -border 1
            -format '%@\n' -write info: ')')
    done
    "$magick" "$shot" -colorspace Gray -threshold 50% -write mpr:shot +delete "${parts[@]}" \
        null: 2>/dev/null
}

# Every box's digit is dark on the box's white, clear of the box's edges: none
# cut off. Prints the height of the last box's "?".
check_digits() {
    local dpi=$1 shot=$2 cx cy k x y w h parts=() boxes box gw gh gx gy
    read -r cx cy _ _ < <(fact client)
    for k in $(seq 0 14); do
        read -r x y w h < <(control "Label2($k)")
        parts+=("$((cx + x)) $((cy + y)) $w $h")
    done
    mapfile -t boxes < <(glyph_boxes "$shot" "${parts[@]}")
    for k in $(seq 0 14); do
        read -r _ _ w h <<<"${parts[k]}"
        box=${boxes[k]:-}
        [[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] ||
            fail "$dpi dpi: no digit drawn in box $k ($box)"
        gw=${BASH_REMATCH[1]} gh=${BASH_REMATCH[2]} gx=${BASH_REMATCH[3]} gy=${BASH_REMATCH[4]}
        # Measured with a one-pixel border added: the box spans 1 to w, 1 to h.
        ((gw > 0 && gh > 0)) || fail "$dpi dpi: no digit drawn in box $k"
        ((gx > 1 && gy > 1 && gx + gw <= w && gy + gh <= h)) ||
            fail "$dpi dpi: the digit of box $k is cut off: ${gw}x${gh} at $((gx - 1)),$((gy - 1)) in ${w}x${h}"
    done
    echo "$gh"
}

# set_desktop DPI TEXT WINDOW: Wine's system DPI and the system's text and
# ground colours ("R G B"); and Wine draws the window's frame itself, as Windows
# does, so that the X window is the whole window.
set_desktop() {
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n\n[HKEY_CURRENT_USER\\Control Panel\\Colors]\n"WindowText"="%s"\n"ButtonText"="%s"\n"Window"="%s"\n"ButtonFace"="%s"\n\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Decorated"="N"\n' \
        "$1" "$2" "$2" "$3" "$3" >"$work/settings.reg"
    wine reg import "$work/settings.reg" >/dev/null 2>&1 || fail "Wine did not take $work/settings.reg"
    # Wine 10 takes the desktop's DPI when its session starts: the next program
    # starts a new one.
    timeout 60 "$wineserver" -w || fail "Wine's session did not end within 60 s"
}

# ---- 96 dpi ----
set_desktop 96 "0 0 0" "255 255 255"
start_program
check_window 96 481 363
read_state
[ "$(focus_of)" = "Text1(0)" ] ||
    fail "the help text does not have the focus at start"
# Every control where the layout table puts it, to the pixel.
awk -F'\t' '$1 == "control" && $4 " " $5 " " $6 " " $7 != $10 " " $11 " " $12 " " $13 {
    print "FAIL: " $2 " stands at " $4 "," $5 ", " $6 "x" $7 ", not " $10 "," $11 ", " $12 "x" $13
    bad = 1 } END {exit bad}' "$state" >&2
# Every text as the layout has it, letter for letter and line for line, but
# those the puzzle writes.
awk -F'\t' '$1 == "control" && $2 !~ /^(Label2|Text2)\(/ && $8 != $9 {
    print "FAIL: " $2 " shows \"" $8 "\", not \"" $9 "\""; bad = 1 } END {exit bad}' "$state" >&2
[ "$(awk -F'\t' '$1 == "entries" {print $3}' "$state")" = "$sequence" ] ||
    fail "the hidden list does not hold the sequence in its order"
for hidden in List1 "Text1(1)"; do
    [ "$(awk -F'\t' -v name="$hidden" '$1 == "control" && $2 == name {print $3}' "$state")" = 0 ] ||
        fail "$hidden is not hidden"
done
row=$(captions)
start=$(dealt_from "$row") || fail "the first row $row is no run of the sequence"
echo "dealt $row from position $start"
read_spoken
[ "$(spoken_name 'Label2(14)')" = "Цифра 15: неизвестна" ] ||
    fail "box 15 is read as \"$(spoken_name 'Label2(14)')\""
import -window root "$work/window-96.png"
question_height_96=$(check_digits 96 "$work/window-96.png")

# The hidden digits entered with the mouse: a "?" reads as 0, so a 0 needs no
# click. The first digit of 2 or more takes a double click first.
doubled=
for k in 10 11 12 13 14; do
    digit=${sequence:start+k+1:1}
    digit=${digit:-0} # past the sequence's end, a 0 is right
    clicks=$digit
    ((clicks > 0)) || continue
    if [ -z "$doubled" ] && ((digit >= 2)); then
        click "Label2($k)" 2
        within 10 "a double click to advance box $k twice" shows "Label2($k)" 2
        doubled=$k
        clicks=$((digit - 2))
    fi
    ((clicks == 0)) || click "Label2($k)" "$clicks"
    within 10 "box $k to show $digit" shows "Label2($k)" "$digit"
done
# Every row hides a digit of 2 or more.
[ -n "$doubled" ] || fail "no double click was tried on $row"
read_spoken
[ "$(spoken_name 'Label2(14)')" = "Цифра 15: $(text_of 'Label2(14)' | sed 's/?/неизвестна/')" ] ||
    fail "box 15 is read as \"$(spoken_name 'Label2(14)')\" after a click"

click "Command1(0)"
within 10 "the green counter to count a solved row" shows "Text2(0)" 1
[ "$(text_of 'Text2(1)')" = 0 ] || fail "a solved row raised the red counter"

# Spoiled: a shown digit advanced.
before=$(text_of "Label2(0)")
click "Label2(0)"
within 10 "box 0 to advance" shows "Label2(0)" $(((before + 1) % 10))
click "Command1(0)"
within 10 "the red counter to count a spoiled row" shows "Text2(1)" 1
[ "$(text_of 'Text2(0)')" = 1 ] || fail "a spoiled row changed the green counter"

# The keyboard: Tab from the help text to "Провери", Enter presses it. A click
# puts the focus in the help text (the last click gave it to "Провери").
click "Text1(0)"
within 10 "a click to put the focus in the help text" has_focus "Text1(0)"
xdotool key Tab
within 10 "Tab to move the focus to Провери" has_focus "Command1(0)"
xdotool key Return
within 10 "Enter on Провери to count the row again" shows "Text2(1)" 2
xdotool key space
within 10 "Space on Провери to count the row again" shows "Text2(1)" 3

# A runtime error no user can cause: the box is told, the program carries on.
ask set "Label2(3)" 32767 >/dev/null
click "Label2(3)"
within 10 "the message box telling of the overflow" message_shown
[ "$(cut -f2 "$work/message.txt")" = "Числова редица" ] ||
    fail "the message box's caption is \"$(cut -f2 "$work/message.txt")\""
grep -q 'Препълване' "$work/message.txt" || fail "the message box says: $(cat "$work/message.txt")"
grep -q 'Програмата продължава да работи' "$work/message.txt" ||
    fail "the message box does not say the program carries on: $(cat "$work/message.txt")"
xdotool key Return
within 10 "the message box to close" no_message
before=$(text_of "Label2(4)")
click "Label2(4)"
within 10 "box 4 to advance after the error" shows "Label2(4)" $(((before + 1) % 10))

# "Чисти" deals again and keeps the score.
click "Command1(1)"
within 10 "a new row" row_dealt
[ "$(text_of 'Text2(0)'):$(text_of 'Text2(1)')" = "1:3" ] ||
    fail "Чисти changed the score to $(text_of 'Text2(0)'):$(text_of 'Text2(1)')"
close_with_alt_f4
echo "96 dpi: played, scored and closed"

# ---- 144 dpi, light text on dark as a high-contrast theme has it ----
# The digits stay dark on their white boxes all the same.
set_desktop 144 "255 255 255" "0 0 0"
start_program
check_window 144 722 545
import -window root "$work/window-144.png"
question_height_144=$(check_digits 144 "$work/window-144.png")
# The digits' font is made for the DPI: a "?" about 1.5 times as tall (hinting
# at 96 dpi and smoothing at 144 make it 1.4 to 1.6).
((10 * question_height_144 >= 13 * question_height_96 &&
    10 * question_height_144 <= 17 * question_height_96)) ||
    fail "a \"?\" is $question_height_144 px tall at 144 dpi and $question_height_96 px at 96"
echo "144 dpi: a \"?\" $question_height_144 px tall, $question_height_96 px at 96 dpi"
close_with_alt_f4
echo "PASS"
