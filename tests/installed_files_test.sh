#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix and checks what lands there with the
# desktop's own validators.
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build_dir" --prefix "$prefix" >/dev/null
id=org.example.ChislovaRedica
for f in bin/chislova-redica share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/32x32/apps/$id.png share/icons/hicolor/scalable/apps/$id.svg \
         share/doc/chislova-redica/copyright; do
    [ -s "$prefix/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
[ -x "$prefix/bin/chislova-redica" ] || { echo "not executable: bin/chislova-redica" >&2; exit 1; }
file "$prefix/share/icons/hicolor/32x32/apps/$id.png" | grep -q '32 x 32, 8-bit colormap' \
    || { echo "the 32 x 32 icon is not a 256-colour image" >&2; exit 1; }
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop"
grep -qx "Name\[bg\]=Числова редица" "$prefix/share/applications/$id.desktop"
grep -qx "Categories=Education;Math;" "$prefix/share/applications/$id.desktop"

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
echo "installed files valid"
