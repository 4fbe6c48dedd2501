#!/bin/sh
# Checks the Windows installer the way a Windows user meets it, under wine on
# a virtual X display: installed silently (/S) into a fresh Windows prefix, it
# puts the program, its DLLs and a Start-menu entry in place; the installed
# program opens its window; the uninstaller, run silently, leaves nothing in
# the install folder and takes the Start-menu entry away.
#
# Usage: windows_installer_test.sh BUILD_DIR   (the folder `cpack -G NSIS` ran in)
set -eu

build=${1:?usage: windows_installer_test.sh BUILD_DIR}
fail() {
  echo "FAILED: $*" >&2
  exit 1
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
installer="$build/curveplot-$version-win64.exe"
[ -f "$installer" ] || fail "no installer $installer"
echo "ok: $(basename "$installer") ($(du -h "$installer" | cut -f1))"

tmp=$(mktemp -d)
xvfb="" app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  WINEPREFIX="$tmp/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

export WINEPREFIX="$tmp/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do grep -q '[0-9]' "$tmp/display" 2>/dev/null && break; sleep 0.1; done
DISPLAY=":$(tr -dc '0-9' <"$tmp/display")"
export DISPLAY
# wineboot's status says little (under load it fails while its server goes
# on to make the prefix); the installation below tells.
"$wine" wineboot --init >/dev/null 2>&1 || true
/usr/lib/wine/wineserver -w

# Wine keeps Windows' folders under drive_c.
drive_c="$WINEPREFIX/drive_c"
folder="$drive_c/Program Files/curveplot"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/curveplot"

"$wine" "$installer" /S >"$tmp/install.log" 2>&1 || fail "the installer failed: $(tail -n 5 "$tmp/install.log")"
/usr/lib/wine/wineserver -w
for file in bin/curveplot.exe bin/Qt6Core.dll bin/Qt6Gui.dll bin/Qt6Widgets.dll \
  bin/Qt6PrintSupport.dll bin/libstdc++-6.dll bin/libgcc_s_seh-1.dll bin/libwinpthread-1.dll \
  bin/platforms/qwindows.dll bin/styles/qwindowsvistastyle.dll bin/qt.conf \
  share/curveplot/translations/curveplot_zh_CN.qm share/qt6/translations/qtbase_zh_TW.qm \
  licences/windows-licence.txt licences/GPL-3 Uninstall.exe; do
  [ -f "$folder/$file" ] || fail "the installer did not put $file in place"
done
[ -f "$menu/curveplot.lnk" ] || fail "no Start-menu entry: $(ls "$menu" 2>&1)"
echo "ok: program, DLLs, plugins, translations, licences, uninstaller and Start-menu entry installed"

"$wine" "$folder/bin/curveplot.exe" >"$tmp/program.log" 2>&1 &
app=$!
window_up() { xdotool search --onlyvisible --name '^Form1$' >/dev/null 2>&1; }
for _ in $(seq 300); do window_up && break; sleep 0.1; done
window_up || fail "the installed program showed no window Form1 in 30 s: $(tail -n 5 "$tmp/program.log")"
echo "ok: the installed program opens its window"
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
app=""
/usr/lib/wine/wineserver -k 2>/dev/null || true

# The uninstaller copies itself away and runs from there; the wine server
# ends once that copy is done.
"$wine" "$folder/Uninstall.exe" /S >"$tmp/uninstall.log" 2>&1 ||
  fail "the uninstaller failed: $(tail -n 5 "$tmp/uninstall.log")"
/usr/lib/wine/wineserver -w
left=$(find "$folder" 2>/dev/null | head -n 5)
[ -z "$left" ] || fail "the uninstaller left behind: $left"
[ ! -e "$menu" ] || fail "the Start-menu entry is still there: $(ls "$menu")"
echo "ok: the uninstaller removed the install folder and the Start-menu entry"
