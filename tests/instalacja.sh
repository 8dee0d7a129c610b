#!/bin/sh
# The way back from an install: into a fresh prefix (twice, as a player who
# installs again), then uninstalled, leaves nothing; into a prefix that
# already holds an icon theme and another menu entry, it leaves exactly
# those. The caches the install ran (mimeinfo.cache, icon-theme.cache) go
# with it.
#   tests/instalacja.sh <build dir> <source dir>
set -eu
build=$1
src=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

zainstaluj() { cmake --install "$build" --prefix "$1" > "$tmp/out" || { cat "$tmp/out"; exit 1; }; }
odinstaluj() { cmake -D ZM_PREFIX="$1" -P "$src/dist/uninstall.cmake" > "$tmp/out" || { cat "$tmp/out"; exit 1; }; }
stan() { (cd "$1" && find . | LC_ALL=C sort); }

p="$tmp/pusty prefiks"
zainstaluj "$p"
[ -x "$p/bin/zmieniarka" ] && [ -f "$p/share/applications/mimeinfo.cache" ]
zainstaluj "$p"
odinstaluj "$p"
if [ -e "$p" ]; then
    echo "instalacja: left behind in a fresh prefix:"; stan "$p"; exit 1
fi

p="$tmp/zajety prefiks"
mkdir -p "$p/share/icons/hicolor" "$p/share/applications" "$p/bin"
printf '[Icon Theme]\nName=Hicolor\nDirectories=\n' > "$p/share/icons/hicolor/index.theme"
cp "$build"/*.desktop "$p/share/applications/inna.desktop"
stan "$p" > "$tmp/przed"
zainstaluj "$p"
if command -v gtk-update-icon-cache > /dev/null; then
    [ -f "$p/share/icons/hicolor/icon-theme.cache" ]
fi
odinstaluj "$p"
stan "$p" > "$tmp/po"
diff "$tmp/przed" "$tmp/po" || { echo "instalacja: not as before the install"; exit 1; }
echo "instalacja: ok"
