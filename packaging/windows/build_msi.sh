#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the installer with msitools' wixl, then writes its Bulgarian texts in.
# wixl leaves the database's code page at 0, and a table string outside ASCII
# comes out empty (the Start-menu shortcut would have no name), so the code page
# is set to 1251 (Cyrillic) and every such string is written again.
#   build_msi.sh OUT.msi WXS EXE ICON VERSION PUBLISHER NAME COMMENT DOWNGRADE
set -euo pipefail
[ $# -eq 9 ] || { echo "usage: $0 OUT.msi WXS EXE ICON VERSION PUBLISHER NAME COMMENT DOWNGRADE" >&2; exit 2; }
out=$(realpath -m "$1") wxs=$2 exe=$3 icon=$4 version=$5 publisher=$6 name=$7 comment=$8 downgrade=$9

# wixl finds source files beside the .wxs only, so all three go into one folder.
stage=$out.stage
rm -rf "$stage" "$out"
mkdir -p "$stage"
cp "$wxs" "$stage/product.wxs"
cp "$exe" "$stage/chislova-redica.exe"
cp "$icon" "$stage/chislova-redica.ico"
# wixl takes no text outside ASCII with -D, so the variables come in an include file.
xml() { printf '%s' "$1" | sed 's/&/\&amp;/g; s/</\&lt;/g; s/>/\&gt;/g; s/"/\&quot;/g'; }
{
    echo '<?xml version="1.0" encoding="utf-8"?>'
    echo '<Include>'
    for variable in version publisher name comment downgrade; do
        printf '  <?define %s="%s"?>\n' "${variable^}" "$(xml "${!variable}")"
    done
    echo '</Include>'
} >"$stage/variables.wxi"
(cd "$stage" && wixl --arch x64 -o product.msi product.wxs)

# Directory and shortcut names are "8.3|long" pairs.
sql() { printf '%s' "$1" | sed "s/'/''/g"; }
printf '\r\n\r\n1251\t_ForceCodepage\r\n' >"$stage/_ForceCodepage.idt"
printf 'PropertyId\tValue\r\ni2\tl255\r\n_SummaryInformation\tPropertyId\r\n7\tx64;1026\r\n' \
    >"$stage/_SummaryInformation.idt"
msibuild "$stage/product.msi" \
    -i "$stage/_ForceCodepage.idt" \
    -i "$stage/_SummaryInformation.idt" \
    -q "UPDATE \`Property\` SET \`Value\` = '$(sql "$name")' WHERE \`Property\` = 'ProductName'" \
    -q "UPDATE \`Directory\` SET \`DefaultDir\` = 'Chislova|$(sql "$name")' WHERE \`Directory\` = 'INSTALLDIR'" \
    -q "UPDATE \`Shortcut\` SET \`Name\` = 'Chislova|$(sql "$name")', \`Description\` = '$(sql "$comment")' WHERE \`Shortcut\` = 'StartMenuShortcut'" \
    -q "UPDATE \`LaunchCondition\` SET \`Description\` = '$(sql "$downgrade")' WHERE \`Condition\` = 'NOT WIX_DOWNGRADE_DETECTED'"

# Every string outside ASCII that the .wxs holds must now stand in the database.
check() {
    local table
    table=$(msiinfo export "$stage/product.msi" "$1" | tr -d '\0')
    [[ $table == *"$2"* ]] || { echo "build_msi: $1 lacks \"$2\"" >&2; exit 1; }
}
check _ForceCodepage 1251
check Property "$name"
check Directory "$name"
check Shortcut "$name"
check Shortcut "$comment"
check LaunchCondition "$downgrade"
mv "$stage/product.msi" "$out"
rm -rf "$stage"
