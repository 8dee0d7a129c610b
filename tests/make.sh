#!/bin/sh
# Every make target from a checkout whose path has spaces, quotes and other
# shell characters (a path with & < ; is refused before anything is built:
# Qt's resource compiler or CMake cannot take it), and into such prefixes: the Makefile runs for real, with
# the tools it calls replaced by stand-ins that write down their folder and
# arguments, so nothing is built or installed. Also: `make` alone lists
# every target, one line each, as `make help` does.
#   tests/make.sh <source dir>
set -eu
src=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
co="$tmp/gra z \"cudzysłowem\" 'apostrofem' (1) | \$HOME"
mkdir -p "$co/tools" "$co/dist" "$tmp/bin"
cp "$src/Makefile" "$co/"
log=$tmp/log

# Each stand-in: its name, the folder it ran in, then one argument a line.
for name in cmake ctest cpack lintian dpkg-buildflags sudo; do
    cat > "$tmp/bin/$name" <<STUB
#!/bin/sh
{ echo "== $name"; pwd; for a in "\$@"; do printf '%s\n' "\$a"; done; } >> '$log'
b=
for a in "\$@"; do [ "\$b" != -B ] || mkdir -p "\$a"; b=\$a; done
[ $name != cpack ] || : > zmieniarka_1.0_test.deb
[ $name != sudo ] || exec "\$@"
STUB
    chmod +x "$tmp/bin/$name"
done
for name in install-deps fuzz bench screenshots instrukcje; do
    cp "$tmp/bin/cmake" "$co/tools/$name"
    sed -i "s/== cmake/== $name/" "$co/tools/$name"
done
sed "s/== cmake/== zmieniarka/" "$tmp/bin/cmake" > "$tmp/zmieniarka"
chmod +x "$tmp/zmieniarka"
PATH="$tmp/bin:$PATH"
export PATH

cd "$co"
targets=$(sed -n '/^\.PHONY:/,/[^\\]$/p' Makefile | tr -d '\\' | sed 's/^\.PHONY://')
[ -n "$targets" ]
prefix="$tmp/pre fix 'x' (&)"
for t in $targets; do
    : > "$log"
    mkdir -p "$co/build"
    cp -p "$tmp/zmieniarka" "$co/build/"
    make -s "$t" PREFIX="$prefix" USER_PREFIX="$prefix" > "$tmp/out" 2>&1 ||
        { cat "$tmp/out"; echo "make: make $t failed in a path with shell characters"; exit 1; }
    # A path the stand-ins saw is the checkout's or the prefix's, whole.
    if grep -e 'gra z' -e 'pre fix' "$log" | grep -v -x -F -e "$co" -e "$co/build" -e "$co/build-package" \
            -e "$co/build-asan" -e "$prefix" -e "ZM_PREFIX=$prefix" -e "$tmp/log" -e "$co/zmieniarka_1.0_test.deb"; then
        echo "make: make $t split a path"
        exit 1
    fi
done

# The listing: one line per target, and `make` alone is `make help`.
make -s > "$tmp/bez"
make -s help > "$tmp/help"
cmp "$tmp/bez" "$tmp/help"
for t in $targets; do
    [ "$(grep -c "^make $t " "$tmp/help")" -eq 1 ] || { echo "make: no line for $t"; exit 1; }
done
[ "$(wc -l < "$tmp/help")" -eq "$(echo $targets | wc -w)" ]
# Refused at once, before any package or build.
mkdir "$tmp/a&b"
cp Makefile "$tmp/a&b/"
: > "$log"
if (cd "$tmp/a&b" && make -s game) > "$tmp/out" 2>&1; then
    echo "make: a checkout under a path with & was not refused"; exit 1
fi
grep -q "cannot take" "$tmp/out" && [ ! -s "$log" ]
echo "make: $(echo $targets | wc -w) targets ok"
