#!/bin/sh
# The README's lists follow the tools: its list of screenshots is what
# `tools/screenshots --readme` prints, docs/screenshots/ holds no picture
# that `make screenshots` does not make (developer sheets live in docs/dev/),
# every picture the README shows is one of them, and every make target is
# named in it.
#   tests/readme.sh <source dir>
set -eu
cd "$1"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
zle=0

bash tools/screenshots --list | sort > "$tmp/lista"
bash tools/screenshots --readme > "$tmp/oczekiwana"
sed -n '/^<!-- tools\/screenshots --readme -->$/,/^<!-- end of the list -->$/p' README.md | sed '1d;$d' > "$tmp/readme"
if ! diff -u "$tmp/oczekiwana" "$tmp/readme"; then
    echo "readme: the screenshot list is not what tools/screenshots --readme prints (- tool, + README)"
    zle=1
fi
for plik in docs/screenshots/*; do
    [ -e "$plik" ] || continue
    grep -qxF "${plik#docs/screenshots/}" "$tmp/lista" || { echo "readme: $plik is not made by tools/screenshots"; zle=1; }
done
for plik in $(grep -o 'docs/screenshots/[a-z0-9-]*\.png' README.md | sort -u); do
    grep -qxF "${plik#docs/screenshots/}" "$tmp/lista" || { echo "readme: shows $plik, which tools/screenshots does not make"; zle=1; }
done
for cel in $(sed -n 's/^\([a-z-]*\):.*## .*/\1/p' Makefile); do
    grep -q "make $cel\b" README.md || { echo "readme: make $cel is not mentioned"; zle=1; }
done
[ "$zle" -eq 0 ] && echo "readme: ok"
