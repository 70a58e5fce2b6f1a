#!/usr/bin/env bash
# Builds the Debian package and checks what it holds and what it depends on.
set -euo pipefail
build=$1
version=$2
id=org.brumo.Brumo

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
cpack --config "$build/CPackConfig.cmake" -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }
deb=$(ls ./*.deb)

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

[ "$(dpkg-deb -f "$deb" Package)" = brumo ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6widgets6 libqt6core6 libstdc++6; do
    [[ $depends == *"$lib "* ]] || fail "Depends lacks $lib: $depends"
done

dpkg-deb -x "$deb" root
for f in usr/bin/brumo usr/share/applications/$id.desktop \
    usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/metainfo/$id.metainfo.xml; do
    [ -s "root/$f" ] || fail "missing $f"
done
[ -x root/usr/bin/brumo ] && head -c 4 root/usr/bin/brumo | grep -q ELF || fail "brumo is no program"
desktop-file-validate "root/usr/share/applications/$id.desktop" || fail "desktop entry invalid"
grep -q "^Exec=brumo$" "root/usr/share/applications/$id.desktop" || fail "Exec is not brumo"
appstreamcli validate --no-net "root/usr/share/metainfo/$id.metainfo.xml" >appstream.log 2>&1 ||
    { cat appstream.log; fail "metainfo invalid"; }
grep -q "release version=\"$version\"" "root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "metainfo names another release"

echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
[ "$failures" -eq 0 ]
