#!/usr/bin/env bash
# Makes the pictures of the documents afresh with tools/screenshots and holds
# them against those checked in under docs/screenshots: the same pictures, each
# of the same size in pixels, none over 150 KB, and none of a single colour
# (a window taken before it was drawn).
#   screenshots_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1 build=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

"$src/tools/screenshots" --no-build -o "$work/made" "$build"

pixels() { file -b "$1" | grep -oE '[0-9]+ x [0-9]+'; }
for kept in "$src"/docs/screenshots/*.png; do
    name=$(basename "$kept")
    made=$work/made/$name
    [[ -f $made ]] || { fail "$name was not made"; continue; }
    [[ $(pixels "$made") == "$(pixels "$kept")" ]] ||
        fail "$name is $(pixels "$made") pixels, the one checked in $(pixels "$kept")"
    bytes=$(stat -c %s "$made")
    ((bytes <= 153600)) || fail "$name has $bytes bytes"
    colours=$(pngtopnm "$made" | ppmhist -noheader | wc -l)
    ((colours > 2)) || fail "$name has $colours colours"
done
for made in "$work"/made/*.png; do
    [[ -f $src/docs/screenshots/$(basename "$made") ]] ||
        fail "$(basename "$made") is not checked in under docs/screenshots"
done
((failures == 0)) || exit 1
echo "pictures: $(ls "$work/made" | tr '\n' ' ')"
