#!/bin/sh
# Runs a Windows program under wine, quiet:
#     wine-run.sh PREFIX DLL_FOLDERS PROGRAM.exe [ARGUMENT...]
# PREFIX is the Windows installation to use; the first run makes it (once,
# under a lock, since tests start in parallel), without the .NET and HTML
# engine installers that would otherwise ask to download themselves.
# DLL_FOLDERS, separated by ':', are where the program's DLLs are (wine's
# search path). Unix paths reach the program through drive Z:, which wine
# maps to /. A program that makes windows, even offscreen ones, needs an X
# display (DISPLAY; `make test-windows` runs the tests under xvfb-run).
set -eu
prefix=$1
dll_folders=$2
shift 2
wine=/usr/lib/wine/wine64
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINEPATH=$(printf '%s\n' "$dll_folders" | tr ':' '\n' | sed 's|^|Z:|' | tr '/\n' '\\;')
export WINEPATH
unset WAYLAND_DISPLAY
# wineboot's exit status says little: under load it has failed while the
# server it started went on to write the prefix. The prefix is made once the
# server, having ended, has saved the registry (system.reg); a try that leaves
# none is repeated.
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$(dirname "$prefix")"
  flock "$prefix.lock" sh -c 'for try in 1 2 3; do
      [ -f "$WINEPREFIX/system.reg" ] && exit 0
      "$1" wineboot --init >"$WINEPREFIX.wineboot.log" 2>&1
      /usr/lib/wine/wineserver -w
    done
    [ -f "$WINEPREFIX/system.reg" ]' sh "$wine" ||
    { echo "wine-run.sh: wine could not make the Windows prefix $prefix:" >&2
      cat "$prefix.wineboot.log" >&2; exit 1; }
fi
# Wine shuts its server down once no program has run for a while (3 s by
# default), and a program starting during that shutdown fails ("recvmsg:
# Connection reset by peer"): tests that start one after another would now
# and then hit it. A server that waits 10 s keeps running through a test run,
# and still ends by itself after it.
/usr/lib/wine/wineserver -p10 >/dev/null 2>&1 || true
exec "$wine" "$@"
