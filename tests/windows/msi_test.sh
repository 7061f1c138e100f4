#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installer as a user meets it, under Wine in a prefix of its own, made
# afresh: installed per machine, it puts the program into Program Files, a
# shortcut "Числова редица" with the program's icon into the Start menu, and an
# entry with name, publisher, version and icon into Add or Remove Programs. A
# later version replaces it rather than standing beside it; removed, it leaves
# nothing of itself.
#   tests/windows/msi_test.sh MSI EXE ICON VERSION PUBLISHER WORK_DIR
set -euo pipefail
[ $# -eq 6 ] || { echo "usage: $0 MSI EXE ICON VERSION PUBLISHER WORK_DIR" >&2; exit 2; }
msi=$(realpath "$1") exe=$(realpath "$2") icon=$(realpath "$3") version=$4 publisher=$5
work=$(realpath -m "$6")
here=$(cd "$(dirname "$0")" && pwd)
name='Числова редица'
fail() { echo "msi_test: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The prefix and one Wine session for every command below, by the same runner as
# the other tests'.
"$here/wine_run.sh" "$prefix" --start-session || fail "no Wine session in $prefix"
trap '"$here/wine_run.sh" "$prefix" --end-session >/dev/null 2>&1 || true' EXIT
# A bounded Wine command: none of these asks anything, so two minutes are plenty.
wine_cmd() { timeout 120 wine "$@" || fail "wine $* failed or took over 2 min (status $?)"; }
drive=$prefix/drive_c
installed=$drive/Program\ Files/$name/chislova-redica.exe
# Windows puts a per-machine shortcut into the common Start menu; Wine puts it
# into the user's.
start_menus=("$drive/ProgramData/Microsoft/Windows/Start Menu/Programs"
    "$drive"/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs)
shortcuts() { find "${start_menus[@]}" -name '*.lnk' 2>/dev/null | sort; }

# read_entries: reads the Add or Remove Programs keys into `entries`, one
# "[key]" line followed by its "name"="value" lines, in UTF-8 (reg export
# writes UTF-16).
read_entries() {
    wine_cmd reg export 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' "$work/uninstall.reg" /y >/dev/null
    entries=$(iconv -f UTF-16 -t UTF-8 "$work/uninstall.reg" | tr -d '\r')
}
# our_entries: the keys whose DisplayName is the program's.
our_entries() {
    printf '%s\n' "$entries" | awk -v name="\"DisplayName\"=\"$name\"" '
        /^\[/ { key = $0 } $0 == name { print key }'
}
# value KEY NAME: a value of the key (without quotes).
value() {
    printf '%s\n' "$entries" | awk -v key="$1" -v name="\"$2\"=" '
        /^\[/ { inside = ($0 == key) } inside && index($0, name) == 1 {
            v = substr($0, length(name) + 1); gsub(/^"|"$/, "", v); gsub(/\\\\/, "\\", v); print v }'
}
# unix_path WINDOWS_PATH: where a C:\ path of the prefix lies.
unix_path() { printf '%s/drive_c/%s' "$prefix" "$(printf '%s' "${1#[Cc]:\\}" | tr '\\' /)"; }

before=$(shortcuts)
read_entries
[ -z "$(our_entries)" ] || fail "a fresh prefix already lists the program"

echo "msi_test: installing $msi"
wine_cmd msiexec /i "$msi" /qn
[ -f "$installed" ] || fail "no $installed"
cmp -s "$installed" "$exe" || fail "the installed program differs from $exe"

mapfile -t links < <(comm -13 <(printf '%s\n' "$before") <(shortcuts))
[ ${#links[@]} -eq 1 ] || fail "expected one new Start-menu shortcut, found ${#links[@]}: ${links[*]}"
[ "$(basename "${links[0]}")" = "$name.lnk" ] || fail "the shortcut is named \"$(basename "${links[0]}")\""
# A shell link keeps its icon's path in UTF-16.
link_icon=$(strings -e l "${links[0]}" | grep -io '[a-z]:\\.*\.ico$' | head -n 1) ||
    fail "the shortcut names no icon"
cmp -s "$(unix_path "$link_icon")" "$icon" || fail "the shortcut's icon $link_icon is not the program's"

read_entries
mapfile -t keys < <(our_entries)
[ ${#keys[@]} -eq 1 ] || fail "expected one Add or Remove Programs entry, found ${#keys[@]}"
key=${keys[0]}
[ "$(value "$key" Publisher)" = "$publisher" ] || fail "Publisher is \"$(value "$key" Publisher)\""
[ "$(value "$key" DisplayVersion)" = "$version" ] || fail "DisplayVersion is \"$(value "$key" DisplayVersion)\""
# Windows Installer writes the ARPPRODUCTICON's cached copy as DisplayIcon;
# Wine keeps it only as the product's ProductIcon.
product_code=${key##*\\}
product_code=${product_code%]}
display_icon=$(value "$key" DisplayIcon)
if [ -z "$display_icon" ]; then
    display_icon=$(wine_cmd reg query 'HKLM\Software\Classes\Installer\Products' /s /v ProductIcon |
        tr -d '\r' | sed -n 's/^ *ProductIcon *REG_SZ *//p' | grep -F "\\$product_code\\" | head -n 1) || true
fi
[ -n "$display_icon" ] || fail "the entry has no icon (DisplayIcon or ProductIcon)"
cmp -s "$(unix_path "$display_icon")" "$icon" || fail "the entry's icon $display_icon is not the program's"
echo "msi_test: installed: $installed, $(basename "${links[0]}"), $key"

# A later version, built from the same sources, replaces this one.
later=$work/later.msi
"$here/../../packaging/windows/build_msi.sh" "$later" "$here/../../packaging/windows/chislova-redica.wxs" \
    "$exe" "$icon" 99.0.0 "$publisher" "$name" later later >/dev/null
echo "msi_test: upgrading to 99.0.0"
wine_cmd msiexec /i "$later" /qn
read_entries
mapfile -t keys < <(our_entries)
[ ${#keys[@]} -eq 1 ] || fail "after an upgrade: ${#keys[@]} Add or Remove Programs entries"
[ "$(value "${keys[0]}" DisplayVersion)" = 99.0.0 ] || fail "the upgrade left version $(value "${keys[0]}" DisplayVersion)"
[ "$(comm -13 <(printf '%s\n' "$before") <(shortcuts))" = "${links[0]}" ] ||
    fail "after an upgrade the Start menu has not the one shortcut of the program"

echo "msi_test: removing it"
wine_cmd msiexec /x "$later" /qn
[ ! -e "$drive/Program Files/$name" ] || fail "removed, it leaves $drive/Program Files/$name"
[ "$(shortcuts)" = "$before" ] || fail "removed, it leaves shortcuts: $(comm -13 <(printf '%s\n' "$before") <(shortcuts))"
read_entries
[ -z "$(our_entries)" ] || fail "removed, it is still in Add or Remove Programs"
leftovers=$(find "$drive/windows/Installer" -mindepth 1 -maxdepth 1 2>/dev/null)
[ -z "$leftovers" ] || fail "removed, it leaves in Windows' installer cache: $leftovers"
echo "msi_test: installed, upgraded and removed cleanly"
