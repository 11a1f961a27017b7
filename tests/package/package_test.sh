#!/usr/bin/env bash
# Builds the Debian package from the build tree, checks its files and control
# fields, runs lintian and the desktop validators on it, unpacks it into a
# scratch root and runs the program there.
#   package_test.sh SOURCE_DIR BUILD_DIR VERSION WITH_POOL_TOOL(0|1)
set -euo pipefail
src=$1 build=$(realpath "$2") version=$3 with_pool=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

"$src/tools/package" -o "$work" "$build" >"$work/package.log" 2>&1 || {
    cat "$work/package.log"
    exit 1
}
debs=("$work"/korvell_"$version"_*.deb)
deb=${debs[0]}
[[ -f $deb ]] || { fail "no package korvell_${version}_*.deb"; exit 1; }
echo "package: $(basename "$deb")"

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == korvell ]] || fail "Package: $(field Package)"
[[ $(field Version) == "$version" ]] || fail "Version: $(field Version), expected $version"
[[ $(field Section) == hamradio ]] || fail "Section: $(field Section)"
[[ -n $(field Maintainer) ]] || fail "no Maintainer"
depends=$(field Depends)
for dep in fonts-liberation libqt6widgets6 libqt6gui6 libqt6core6 libsqlite3-0 libc6; do
    [[ ,$depends, =~ [,\ ]$dep[,\ ] ]] || fail "Depends lacks $dep: $depends"
done
for dep in qt6-speech-speechd-plugin qt6-speech-flite-plugin speech-dispatcher; do
    [[ $(field Recommends) == *$dep* ]] || fail "Recommends lacks $dep: $(field Recommends)"
done

# The file list (directories aside): what must be there, and nothing from outside /usr.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|' | sort >"$work/files"
data=/usr/lib/korvell
expected=(/usr/bin/korvell $data/korvell
    /usr/share/applications/org.korvell.Korvell.desktop
    /usr/share/applications/org.korvell.KorvellRecord.desktop
    /usr/share/mime/packages/org.korvell.Korvell.xml
    /usr/share/metainfo/org.korvell.Korvell.metainfo.xml
    /usr/share/icons/hicolor/scalable/apps/korvell.svg
    /usr/share/man/man1/korvell.1.gz
    /usr/share/doc/korvell/copyright /usr/share/doc/korvell/changelog.gz)
((with_pool)) && expected+=(/usr/bin/korvell-pool /usr/share/man/man1/korvell-pool.1.gz)
# Every data file the build puts beside the program, and no other file, lies beside it.
while IFS= read -r f; do
    expected+=("$data/$f")
done < <(cd "$build/korvell" && find . -type f ! -name korvell ! -name korvell-pool | sed 's|^\./||')
for f in "${expected[@]}"; do
    grep -qxF "$f" "$work/files" || fail "missing from the package: $f"
done
for f in Tech_Pool.txt SecCntTbl.txt Tech_Syllabus.txt Vellkor-Help.txt Disclaimer.txt Tech_Explain.txt; do
    grep -qxF "$data/$f" "$work/files" || fail "no data file $f beside the program"
done
while IFS= read -r f; do
    [[ $f == /usr || $f == /usr/* ]] || fail "outside /usr: $f"
    if [[ $f == $data/* ]]; then
        printf '%s\n' "${expected[@]}" | grep -qxF "$f" || fail "not a data file of the build: $f"
    fi
done <"$work/files"

# Lintian: no errors; warnings and notes are shown.
lintian --fail-on error --info "$deb" >"$work/lintian" 2>&1 || fail "lintian reports errors"
grep -v 'running with root privileges' "$work/lintian" | sed 's/^/lintian: /' || true

# Unpacked: desktop entry and metainfo validate, and name each other.
root=$work/root
dpkg-deb -x "$deb" "$root"
for entry in org.korvell.Korvell org.korvell.KorvellRecord; do
    said=$(desktop-file-validate "$root/usr/share/applications/$entry.desktop" 2>&1) &&
        [[ -z $said ]] || fail "desktop-file-validate $entry: $said"
done
# The study record's type: known by its name and by its header.
mime=$work/mime
mkdir -p "$mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$root/usr/share/mime/packages/org.korvell.Korvell.xml" \
    "$mime/packages/"
update-mime-database "$mime" >/dev/null 2>&1 || fail "update-mime-database"
grep -qx 'application/x-korvell-record:\*.korvell' "$mime/globs" || fail "no glob *.korvell"
grep -qa 'application/x-korvell-record' "$mime/magic" || fail "no magic for a record"
metainfo=$root/usr/share/metainfo/org.korvell.Korvell.metainfo.xml
appstreamcli validate --no-net "$metainfo" >"$work/appstream" 2>&1 || {
    cat "$work/appstream"
    fail "appstreamcli validate"
}
grep -q '<id>org.korvell.Korvell</id>' "$metainfo" || fail "metainfo id"
grep -q '<launchable type="desktop-id">org.korvell.Korvell.desktop</launchable>' "$metainfo" ||
    fail "metainfo launchable"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo has no release $version"
[[ $(zcat "$root/usr/share/man/man1/korvell.1.gz" | head -c 3) == .\\\" ]] ||
    fail "korvell.1.gz is not roff"

# The unpacked program answers without a display and reads its data beside itself.
version_out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/korvell" --version) ||
    fail "korvell --version failed"
[[ $(head -1 <<<"$version_out") == "korvell $version" ]] || fail "--version said: $version_out"
[[ $(sed -n 2p <<<"$version_out") == "Data directory: $root$data" ]] ||
    fail "data directory: $version_out"
for f in Tech_Pool.txt SecCntTbl.txt Tech_Syllabus.txt Vellkor-Help.txt Disclaimer.txt Tech_Explain.txt; do
    cmp -s "$root$data/$f" "$build/korvell/$f" || fail "$f differs from the build's"
done
if ((with_pool)); then
    "$root/usr/bin/korvell-pool" --version >/dev/null || fail "korvell-pool --version"
    "$root/usr/bin/korvell-pool" check "$root$data" || fail "korvell-pool check of the data"
fi

((failures == 0)) && echo "package checks passed"
exit $((failures > 0))
