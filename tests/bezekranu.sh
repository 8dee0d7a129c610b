#!/bin/sh
# Started with no display at all (a text console, ssh without X), or with
# an X server that does not let it in and no Wayland: the game says so in
# one line and ends with status 1, before Qt aborts.
#   tests/bezekranu.sh <zmieniarka>
set -u
for display in "" :9999; do
    out=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$1" 2>&1)
    status=$?
    printf 'DISPLAY=%s: %s\n' "$display" "$out"
    [ "$status" -eq 1 ] || { echo "bezekranu: status $status, not 1"; exit 1; }
    [ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || { echo "bezekranu: more than one line"; exit 1; }
    case $out in
        *"no graphical display: start it from a desktop session, or set DISPLAY or WAYLAND_DISPLAY"*) ;;
        *) echo "bezekranu: not the message"; exit 1 ;;
    esac
done
