#!/bin/sh
# Runs a Windows console program under wine, headless and quiet:
#     wine-run.sh PREFIX PROGRAM.exe [ARGUMENT...]
# PREFIX is the Windows installation to use; the first run makes it (once,
# under a lock, since tests start in parallel), without the .NET and HTML
# engine installers that would otherwise ask to download themselves. Unix
# paths reach the program through drive Z:, which wine maps to /.
set -eu
prefix=$1
shift
wine=/usr/lib/wine/wine64
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$(dirname "$prefix")"
  flock "$prefix.lock" sh -c '[ -f "$WINEPREFIX/system.reg" ] ||
    { "$1" wineboot --init >/dev/null 2>&1 && /usr/lib/wine/wineserver -w; }' sh "$wine"
fi
# Wine shuts its server down once no program has run for a while (3 s by
# default), and a program starting during that shutdown fails ("recvmsg:
# Connection reset by peer"): tests that start one after another would now
# and then hit it. A server that waits 10 s keeps running through a test run,
# and still ends by itself after it.
/usr/lib/wine/wineserver -p10 >/dev/null 2>&1 || true
exec "$wine" "$@"
