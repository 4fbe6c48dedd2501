#!/bin/sh
# Checks the Debian package the way a user meets it: its file name, where it
# puts the program, its desktop files and documentation, its dependencies,
# Debian's own checker (lintian: no error, no warning), the desktop entry and
# AppStream metadata against their validators, the manual page as man shows
# it, and finally the program unpacked from it, started on a virtual display,
# plotting and exiting with 0.
#
# Usage: package_test.sh BUILD_DIR   (the folder `cpack` ran in)
set -eu

build=${1:?usage: package_test.sh BUILD_DIR}
here=$(cd "$(dirname "$0")" && pwd)
app_id=org.curveplot.curveplot

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
deb="$build/curveplot_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no package $deb (found: $(ls "$build"/*.deb 2>/dev/null || echo none))"
echo "ok: $(basename "$deb")"

listing=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
for path in \
  ./usr/bin/curveplot \
  ./usr/share/applications/$app_id.desktop \
  ./usr/share/icons/hicolor/scalable/apps/$app_id.svg \
  ./usr/share/icons/hicolor/256x256/apps/$app_id.png \
  ./usr/share/metainfo/$app_id.metainfo.xml \
  ./usr/share/man/man1/curveplot.1.gz \
  ./usr/share/doc/curveplot/copyright \
  ./usr/share/doc/curveplot/changelog.gz \
  ./usr/share/curveplot/translations/curveplot_zh_CN.qm \
  ./usr/share/curveplot/translations/curveplot_zh_TW.qm; do
  echo "$listing" | grep -qx "$path" || fail "the package lacks $path"
done
echo "ok: program, desktop entry, icons, metainfo, manual page, copyright, changelog and translations at their paths"

# Overrides, if the package ever needs one, ship in it, each with its reason.
lintian --fail-on error,warning "$deb" || fail "lintian finds errors or warnings in the package"
echo "ok: lintian accepts the package"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libqt6widgets6 libqcustomplot2.1-qt6 qt6-qpa-plugins; do
  echo "$depends" | grep -q "$needed" || fail "Depends lacks $needed: $depends"
done
echo "ok: Depends: $depends"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

desktop-file-validate "$root/usr/share/applications/$app_id.desktop" ||
  fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "appstreamcli rejects the metainfo"
[ "$(identify -format '%wx%h' "$root/usr/share/icons/hicolor/256x256/apps/$app_id.png")" = 256x256 ] ||
  fail "the PNG icon is not 256x256"
echo "ok: desktop entry, metainfo and icon valid"

# (lintian has already run man on it, warnings included.)
LC_ALL=C.UTF-8 man -l "$root/usr/share/man/man1/curveplot.1.gz" |
  grep -q "curveplot - plot two curves from four numbers" || fail "man -l does not render the page"
echo "ok: man -l renders the manual page"

# The unpacked program, run the way a user runs it: window, OK, exit 0.
(cd "$root" && sh "$here/../e2e/window_e2e.sh" "$root/usr/bin/curveplot") ||
  fail "the unpacked program failed its run on a virtual display"
echo "ok: the unpacked program runs"
