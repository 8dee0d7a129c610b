#!/bin/sh
# What the desktop sees of an installed game: the menu entry and the
# software-centre listing pass the desktop's own validators, and the menu
# entry, listing and icons all carry the program's id.
#   tests/pulpit.sh <build dir> <id>
set -eu
build=$1
id=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
DESTDIR=$tmp cmake --install "$build" --prefix /usr >/dev/null
share=$tmp/usr/share

# desktop-file-validate says nothing about a clean file.
out=$(desktop-file-validate "$share/applications/$id.desktop" 2>&1)
[ -z "$out" ] || { echo "$out"; exit 1; }
# Errors and warnings fail; the listing's launchable must be installed.
appstreamcli validate-tree --no-net --explain "$tmp/usr"

grep -qx "Icon=$id" "$share/applications/$id.desktop" || { echo "menu entry: no Icon=$id"; exit 1; }
for size in 16x16 24x24 32x32 48x48 64x64 128x128 256x256; do
    [ -f "$share/icons/hicolor/$size/apps/$id.png" ] || { echo "no $size icon"; exit 1; }
done
[ -f "$share/icons/hicolor/scalable/apps/$id.svg" ] || { echo "no scalable icon"; exit 1; }
echo "pulpit: $id ok"
