#!/bin/sh
# The layer rule, app -> ui -> game -> widgets (app, ui -> store -> fileio):
# a library includes only its own folder and the layers it may use, and no
# source anywhere climbs out of its folder with "../" (a quoted include
# finds a file next to the including one before any include path, so the
# build alone does not catch it).
#   tests/warstwy.sh <source dir>
set -eu
cd "$1"
zle=0

# "layer: what it may include besides itself"
for para in "app: ui game widgets store fileio" "ui: game widgets store fileio" "game: widgets" \
            "widgets:" "store: fileio" "fileio:"; do
    warstwa=${para%%:*}
    wolno=" $warstwa ${para#*:} "
    obce=""
    for obcy in app ui game widgets store fileio; do
        case $wolno in *" $obcy "*) ;; *) obce="$obce|$obcy" ;; esac
    done
    [ -n "$obce" ] || continue
    for plik in "$warstwa"/*.cpp "$warstwa"/*.h; do
        [ -f "$plik" ] || continue
        if grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<](${obce#|})/" "$plik"; then
            echo "warstwy: $plik includes a layer $warstwa may not use"
            zle=1
        fi
    done
done

wyzej=$(find app ui game widgets store fileio tests tools bench fuzz \( -name '*.cpp' -o -name '*.h' \) \
        -exec grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*["<][.][.]/' /dev/null {} + 2>/dev/null || true)
if [ -n "$wyzej" ]; then
    printf '%s\n' "$wyzej"
    echo "warstwy: an include above climbs out of its folder"
    zle=1
fi
[ "$zle" -eq 0 ] && echo "warstwy: ok"
