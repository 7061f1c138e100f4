#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix and checks what lands there with the
# desktop's own validators, then builds the .deb from the same tree and checks it
# with lintian, as Debian checks a package.
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

cpack --config "$build_dir/CPackConfig.cmake" -B "$prefix/deb" >/dev/null
debs=("$prefix"/deb/chislova-redica_*.deb)
[ -f "${debs[0]}" ] || { echo "cpack made no .deb" >&2; exit 1; }
# No error and no warning; lintian lists every tag it finds.
lintian --fail-on error,warning "${debs[0]}"
echo "installed files valid"
