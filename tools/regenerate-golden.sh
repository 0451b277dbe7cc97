#!/bin/sh
# Writes the expected 7.0 text of every 6.4 example into tests/convert/golden/, converted by the
# program's own batch conversion. A deliberate change of the conversion then shows up as a diff
# of these files: read it against the rules before committing it.
set -eu
cd "$(dirname "$0")/.."
build="${VORPEN_BUILD_DIR:-build}"
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target vorpen -j "$(nproc)" >/dev/null
golden=tests/convert/golden
converted=$(mktemp -d)
trap 'rm -rf "$converted"' EXIT
mkdir -p "$golden"
rm -f "$golden"/*.expected
for example in examples/*; do
    head -n 1 "$example" | grep -q '^# ZELMORA 6\.4 ' || continue
    name=$(basename "$example")
    "$build/vorpen" -convert "$converted" "$example"
    cp "$converted/$name" "$golden/$name.expected"
done
