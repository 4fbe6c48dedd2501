#!/bin/sh
# Opens the tool. Without a display (no DISPLAY set) it starts the window on a
# virtual X display instead, saves a screenshot to build/screenshot.png and exits.
set -eu
build=${1:-build}
program="$build/app/curveplot"

if [ -n "${DISPLAY:-}" ]; then
  exec "$program"
fi

display=:$((90 + $$ % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
export DISPLAY="$display"
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

"$program" &
app=$!
if ! timeout 20 xdotool search --sync --onlyvisible --name '^Form1$' >/dev/null; then
  echo "The window did not open." >&2
  exit 1
fi
sleep 1  # let the first paint finish
import -window root -crop 1100x780+0+0 "$build/screenshot.png"
kill "$app"
wait "$app" 2>/dev/null || true
echo "No display here: the tool ran on a virtual display. Screenshot: $build/screenshot.png"
