#!/bin/sh
# Opens the tool. Without a display (no DISPLAY set) it starts the window on a
# virtual X display instead, saves a screenshot to BUILD/screenshot.png and exits.
set -eu
build=${1:-build/release}
program="$build/app/curveplot"

if [ -n "${DISPLAY:-}" ]; then
  exec "$program"
fi

tmp=$(mktemp -d)
xvfb="" app=""
trap 'kill $app $xvfb 2>/dev/null || true; rm -rf "$tmp"' EXIT
# Xvfb picks a free display number and writes it to fd 3 once it is ready.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$tmp/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do grep -q '[0-9]' "$tmp/display" && break; sleep 0.1; done
DISPLAY=":$(tr -dc '0-9' <"$tmp/display")"
XDG_RUNTIME_DIR="$tmp"
export DISPLAY XDG_RUNTIME_DIR

"$program" &
app=$!
if ! timeout 20 xdotool search --sync --onlyvisible --name '^Form1$' >/dev/null; then
  echo "The window did not open." >&2
  exit 1
fi
sleep 1  # let the first paint finish
import -window root -crop 1100x780+0+0 "$build/screenshot.png"
echo "No display here: the tool ran on a virtual display. Screenshot: $build/screenshot.png"
