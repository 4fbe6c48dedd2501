#!/bin/sh
# Drives the built program the way a user does: on its own virtual X display
# with the openbox window manager (so the window gets a real frame), it checks
# the framed window size, types numbers and presses OK (the curves appear),
# enters a bad number (an "Error" box appears, closes with Return, the window
# keeps working), copies the points through the X clipboard, saves a PNG and a
# CSV through the file dialog, presses Clear (curves and field text go) and
# closes the window through the window manager (the program exits with 0).
# Then it starts the program again at 200% (QT_SCALE_FACTOR=2) on the same
# 1280x1024 screen, checks that the whole framed window is on the screen, and
# uses it with the keyboard alone: Tab through the fields typing numbers, Tab
# to OK and Enter (the curves appear), F6 to the chart, Shift+F10 for its menu
# and Enter on Copy data (the points reach the clipboard), then steers the
# view by keys alone (a typed range, +, Back, Forward, an arrow), counting the
# rows Copy data gives after each. Meanwhile it asks over AT-SPI, as a screen
# reader does, for the window and the chart: named by caption and title, the
# chart's description following what it shows. Last it starts the program
# under LANGUAGE=zh_CN and reads the chart's menu over AT-SPI: in Chinese.
#
# Usage: window_e2e.sh PATH/TO/curveplot
#        window_e2e.sh PATH/TO/curveplot.exe RUNNER...
# The second form drives the Windows program, which RUNNER (wine-run.sh with
# its prefix and DLL folders) runs under wine with Qt's windows platform
# plugin: the window opens, OK plots both curves, Copy data reaches the X
# clipboard, a bad number is reported, Clear empties the fields and the
# window closes with status 0. The file dialogs (wine's own on Windows), the
# 200% and keyboard-only runs and AT-SPI (Linux's accessibility bus) are the
# Linux program's alone.
# A screenshot taken after the successful plot is saved as e2e_after_ok.png in
# the working directory; on a failure, e2e_failure.png shows the screen then.
set -eu

program=${1:?usage: window_e2e.sh PATH/TO/curveplot [RUNNER...]}
shift
runner="$*"
windows=${runner:+yes}

step="start-up"
fail() {
  echo "FAILED [$step]: $*" >&2
  if [ -n "${DISPLAY:-}" ] && import -window root e2e_failure.png 2>/dev/null; then
    echo "Screen at the failure: $PWD/e2e_failure.png" >&2
  fi
  if [ -s "${tmp:-/nonexistent}/program.log" ]; then
    echo "--- program output ---" >&2
    tail -n 40 "$tmp/program.log" >&2
  fi
  exit 1
}

[ -f "$program" ] || fail "the program $program does not exist"
for tool in Xvfb openbox xdotool xwininfo xprop wmctrl xclip import convert identify timeout \
  dbus-daemon; do
  command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing; run tools/setup.sh"
done
accessible_tree="$(dirname "$0")/accessible_tree.py"
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is missing; run tools/setup.sh"

tmp=$(mktemp -d)
xvfb="" wm="" app="" clip="" bus=""
cleanup() {
  for pid in $clip $app $wm $xvfb $bus; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in $clip $app $wm $xvfb $bus; do
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$tmp"
}
# A signal ends the script through exit, so that the EXIT trap runs and no
# Xvfb or openbox is left behind (also when the output pipe closes early).
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 141' PIPE
trap 'exit 143' TERM

# Private per-run state: runtime dir, and empty configuration and cache
# directories so that neither a developer's openbox theme nor Qt settings
# change frame sizes or widget looks.
mkdir -p "$tmp/runtime" "$tmp/config" "$tmp/cache" "$tmp/data"
chmod 700 "$tmp/runtime"
export XDG_RUNTIME_DIR="$tmp/runtime" XDG_CONFIG_HOME="$tmp/config"
export XDG_CACHE_HOME="$tmp/cache" XDG_DATA_HOME="$tmp/data"
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
# No desktop's platform theme either: the file dialogs driven below are Qt's own.
unset WAYLAND_DISPLAY SESSION_MANAGER QT_QPA_PLATFORMTHEME XDG_CURRENT_DESKTOP DESKTOP_SESSION || true
# In a sanitizer build, LeakSanitizer runs at exit and turns any leak into a
# non-zero exit status. D-Bus, which Qt talks to on a desktop, keeps one
# allocation to the end; that system library's leaks are not the program's,
# so they are suppressed, and every other leak still fails the exit check.
printf 'leak:libdbus-1.so\n' >"$tmp/lsan.supp"
export LSAN_OPTIONS="suppressions=$tmp/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

# Runs "$@" every 0.1 s until it succeeds, for at most $1 seconds; returns 1
# if it never does. A check that finds the program dead fails the step at once
# (through expect_alive), rather than after the whole wait.
wait_until() {
  tenths=$(($1 * 10))
  shift
  while ! "$@"; do
    tenths=$((tenths - 1))
    [ "$tenths" -gt 0 ] || return 1
    sleep 0.1
  done
}

# ---------------------------------------------------------------------------
step="session bus"
# A private D-Bus session bus, through which the accessibility bus starts on
# demand; like Xvfb, it writes its address once it accepts connections.
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$tmp/bus" >"$tmp/dbus.log" 2>&1 &
bus=$!
bus_ready() {
  kill -0 "$bus" 2>/dev/null || fail "dbus-daemon exited: $(tail -n 5 "$tmp/dbus.log")"
  grep -q . "$tmp/bus" 2>/dev/null
}
wait_until 10 bus_ready || fail "the session bus did not come up within 10 s"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$tmp/bus")
export DBUS_SESSION_BUS_ADDRESS

# ---------------------------------------------------------------------------
step="virtual display"
# Xvfb picks a free display number itself and writes it to fd 3 once it
# accepts connections, so parallel runs never race for the same number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" \
  >"$tmp/xvfb.log" 2>&1 &
xvfb=$!
display_ready() {
  kill -0 "$xvfb" 2>/dev/null || fail "Xvfb exited: $(tail -n 5 "$tmp/xvfb.log")"
  grep -q '[0-9]' "$tmp/display" 2>/dev/null
}
wait_until 10 display_ready || fail "Xvfb did not come up within 10 s"
DISPLAY=":$(tr -dc '0-9' <"$tmp/display")"
export DISPLAY

step="window manager"
openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
wm=$!
# A running window manager announces itself on the root window.
wm_ready() {
  kill -0 "$wm" 2>/dev/null || fail "openbox exited: $(tail -n 5 "$tmp/openbox.log")"
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}
wait_until 10 wm_ready || fail "openbox did not take over the display within 10 s"

# ---------------------------------------------------------------------------
# Helpers.

# Fails the step unless the program still runs. A crashed program is reaped
# here so its exit status can be reported.
expect_running() {
  state=$(ps -o stat= -p "$app" 2>/dev/null || true)
  case "$state" in
    "" | Z*)
      status=0
      wait "$app" || status=$?
      app=""
      if [ "$status" -gt 128 ]; then
        fail "the program died from signal $((status - 128)) $1"
      fi
      fail "the program exited with status $status $1"
      ;;
  esac
}

# Fails the step unless the program still runs and its window exists.
# (A search can miss while the X server is busy with another window, so a
# miss is looked at again for a second before it counts.)
expect_alive() {
  expect_running "$1"
  wait_until 1 main_window_exists || fail "the window Form1 is gone $1"
}
main_window_exists() { xdotool search --name '^Form1$' >/dev/null 2>&1; }

# Sets $found to the visible window titled exactly $1, waiting up to $2
# seconds; a program that dies meanwhile is reported at once ($3 says when).
window_found() {
  found=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
  [ -n "$found" ] && return 0
  expect_running "$2"
  return 1
}
wait_for_window() {
  wait_until "$2" window_found "$1" "$3" || fail "no visible window titled '$1' within $2 s $3"
}
no_window_titled() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }

# Prints "X Y WIDTH HEIGHT" of a window: its absolute top-left corner (inside
# its border) and its size.
geometry_of() {
  xwininfo -id "$1" | awk '
    /Absolute upper-left X:/ { x = $4 }
    /Absolute upper-left Y:/ { y = $4 }
    /Width:/ { w = $2 }
    /Height:/ { h = $2 }
    /Border width:/ { b = $3 }
    END { print x - b, y - b, w + 2 * b, h + 2 * b }'
}

# Starts the program with the environment given after the first argument
# (what the failure message adds) and waits for its window: app, win.
start_program() {
  local when=$1
  shift
  # shellcheck disable=SC2086
  env "$@" $runner "$program" >"$tmp/program.log" 2>&1 &
  app=$!
  wait_for_window Form1 20 "before its window showed$when"
  win=$found
}

# Prints the window manager's frame around a client window: the ancestor that
# is a direct child of the root window.
frame_of() {
  w=$1
  for _ in 1 2 3 4 5 6 7 8; do
    tree=$(xwininfo -children -id "$w")
    root=$(echo "$tree" | awk '/Root window id:/ { print $4 }')
    parent=$(echo "$tree" | awk '/Parent window id:/ { print $4 }')
    if [ "$parent" = "$root" ]; then
      echo "$w"
      return 0
    fi
    w=$parent
  done
  return 1
}

# Moves the pointer to client coordinates X Y of the main window and clicks.
click_at() {
  xdotool mousemove $((client_x + $1)) $((client_y + $2))
  sleep 0.1
  xdotool click 1
}

# Clicks into the field whose top (inside the group box) is $1, selects its
# text and types $2 over it. The fields sit in the group box at 32,8; each is
# 73x28 at left 64, so its centre is at 32+64+36, 8+top+14.
set_field() {
  click_at $((32 + 64 + 36)) $((8 + $1 + 14))
  sleep 0.2
  xdotool key ctrl+a
  xdotool type --delay 30 "$2"
}
VRAMP=32 SPAN1=72 OMAGA=112 SPAN2=152

# The buttons: OK at 496,88 and Clear at 624,88, both 81x25.
press_ok() { click_at $((496 + 40)) $((88 + 12)); }
press_clear() { click_at $((624 + 40)) $((88 + 12)); }

# Counts the pixels of the series' point colours (blue and yellow) in the
# client window $1, wherever the chart has scrolled to.
series_pixels() {
  read -r x y w h <<EOF
$(geometry_of "$1")
EOF
  import -window root -crop "${w}x$h+$x+$y" png:- |
    convert png:- -format %c histogram:info:- |
    awk '/#0000FF|#FFFF00/ { sum += $1 } END { print sum + 0 }'
}

# Counts the strongly coloured pixels in the chart (client 432,216, 400x250).
# Its background, axes and labels are white, black and grey; only plotted
# curves carry colour.
chart_colour_pixels() {
  import -window root -crop "400x250+$((client_x + 432))+$((client_y + 216))" png:- |
    convert png:- -colorspace HSL -channel G -separate +channel -threshold 50% \
      -format '%[fx:round(mean*w*h)]' info:
}

# True when the chart shows curves ($1 = curves) or none ($1 = empty); the
# coloured pixel count is left in $count.
chart_shows() {
  expect_alive "while waiting for the chart"
  count=$(chart_colour_pixels)
  case "$1" in
    curves) [ "$count" -ge 200 ] ;;
    empty) [ "$count" -lt 10 ] ;;
  esac
}
wait_for_chart() { wait_until 10 chart_shows "$1"; }
# Counts the chart's pixels of exactly the colour $1 (RRGGBB).
chart_pixels_of() {
  import -window root -crop "400x250+$((client_x + 432))+$((client_y + 216))" png:- |
    convert png:- -format %c histogram:info:- |
    awk -v colour="#$1" 'index($0, colour) { sum += $1 } END { print sum + 0 }'
}

clipboard_holds() { [ "$(xclip -o -selection clipboard 2>/dev/null || true)" = "$1" ]; }
clipboard_changed_from() { ! clipboard_holds "$1"; }

# Reads the text of the field whose top is $1 into $field_text by copying it
# to the clipboard. A "|" is appended to the field first, so that an empty
# field still copies something, and taken off again afterwards; the clipboard
# is first owned by xclip holding a marker, so a copy that never happens is
# told apart from an empty field.
read_field() {
  printf '<nothing copied>' | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
  clip=$!
  wait_until 2 clipboard_holds '<nothing copied>' || fail "could not set the clipboard"
  click_at $((32 + 64 + 36)) $((8 + $1 + 14))
  sleep 0.2
  xdotool key End
  xdotool type '|'
  # Wine, busy, may take the keys in a burst out of turn.
  sleep 0.3
  xdotool key --delay 100 ctrl+a ctrl+c
  wait_until 10 clipboard_changed_from '<nothing copied>' || true
  copied=$(xclip -o -selection clipboard 2>/dev/null || true)
  xdotool key End BackSpace
  kill "$clip" 2>/dev/null || true
  wait "$clip" 2>/dev/null || true
  clip=""
  case "$copied" in
    *'|') field_text=${copied%|} ;;
    *) fail "copying a field's text did not work (clipboard: '$copied')" ;;
  esac
}

# ---------------------------------------------------------------------------
step="1 window opens"
start_program ""

# ---------------------------------------------------------------------------
step="2 framed window size"
# The window declares an outer size of 949x640 (frame included) with its outer
# top-left corner at 92,115; the program shrinks its client area by the frame
# openbox adds, which it learns only once the window is shown. So this polls
# until the frame window openbox put around the client (the client's ancestor
# directly under the root window) measures 949x640, and cross-checks that the
# client size plus the frame extents openbox announces in _NET_FRAME_EXTENTS
# (left, right, top, bottom) add up to the same outer size.
frame_is_declared() {
  expect_alive "while its size was checked"
  frame=$(frame_of "$win") || fail "found no frame window around the client"
  read -r frame_x frame_y frame_w frame_h <<EOF
$(geometry_of "$frame")
EOF
  outer="${frame_w}x$frame_h" outer_at="$frame_x,$frame_y"
  read -r client_x client_y client_w client_h <<EOF
$(geometry_of "$win")
EOF
  # "_NET_FRAME_EXTENTS(CARDINAL) = 1, 1, 20, 5" gives "1 1 20 5".
  read -r left right top bottom <<EOF
$(xprop -id "$win" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr ',' ' ')
EOF
  if [ -n "$bottom" ]; then
    by_extents="$((client_w + left + right))x$((client_h + top + bottom))"
  else
    by_extents="unknown (no _NET_FRAME_EXTENTS)"
  fi
  [ "$outer" = 949x640 ] && [ "$by_extents" = 949x640 ] && [ "$outer_at" = 92,115 ]
}
if [ -n "$windows" ]; then
  # Wine places and frames the window its own way.
  read -r client_x client_y client_w client_h <<EOF
$(geometry_of "$win")
EOF
else
  wait_until 10 frame_is_declared ||
    fail "outer window is $outer at $outer_at (client ${client_w}x$client_h + frame extents = $by_extents), expected 949x640 at 92,115"
  echo "ok: outer window 949x640 at 92,115 (client ${client_w}x$client_h at $client_x,$client_y)"
fi

# ---------------------------------------------------------------------------
step="3 OK plots the curves"
wait_for_chart empty || fail "the chart shows colour ($count pixels) before anything was plotted"
set_field $VRAMP 4
set_field $SPAN1 5
set_field $OMAGA 8
set_field $SPAN2 15
press_ok
wait_for_chart curves || fail "no curves appeared in the chart after OK (only $count coloured pixels)"
for colour in 0000FF FFFF00; do
  drawn=$(chart_pixels_of "$colour")
  [ "$drawn" -ge 20 ] || fail "only $drawn pixels of the curve colour #$colour in the chart"
done
expect_alive "after OK"
import -window root e2e_after_ok.png
echo "ok: curves plotted; screenshot: $PWD/e2e_after_ok.png"
read_field $VRAMP
[ "$field_text" = 4 ] || fail "Vramp reads '$field_text' after typing 4"

# ---------------------------------------------------------------------------
step="3b Copy data reaches the X clipboard"
# A click gives the chart the keyboard focus; Ctrl+C copies the points in
# view as a table, which any X client can paste.
click_at $((432 + 200)) $((216 + 125))
sleep 0.2
xdotool key ctrl+c
expected=$(printf 'series\tindex\tlabel\tvalue
Series1\t0\t0\t0
Series1\t1\t1\t0.0023750002
Series1\t2\t2\t0.018000001
Series1\t3\t3\t0.057375006
Series1\t4\t4\t0.128
Series1\t5\t5\t0.234375
Series2\t0\t10\t1.25
Series2\t1\t11\t2
Series2\t2\t12\t2.75
Series2\t3\t13\t3.5
Series2\t4\t14\t4.25
Series2\t5\t15\t5')
wait_until 10 clipboard_holds "$expected" ||
  fail "the clipboard holds '$(xclip -o -selection clipboard 2>&1 | head -n 3)…', not the plotted points"
expect_alive "after Copy data"
echo "ok: Copy data put the twelve points on the X clipboard"

if [ -z "$windows" ]; then
# ---------------------------------------------------------------------------
step="3c Save image and Save data through the file dialog"
# Ctrl+S and Ctrl+Shift+S open Qt's own file dialog with the name field
# focused; the full path is typed over the suggested name and Enter saves.
mkdir "$tmp/saved"
# Types $2 into the file dialog titled $1 and presses Enter; waits for the
# file $2 to appear and the dialog to close.
save_through_dialog() {
  wait_for_window "$1" 10 "after asking to save"
  sleep 0.3
  xdotool key ctrl+a
  xdotool type --delay 20 "$2"
  sleep 0.3
  xdotool key Return
  wait_until 10 saved_and_closed "$1" "$2" ||
    fail "no file $2 (or the dialog '$1' still open) 10 s after Enter"
}
saved_and_closed() {
  expect_running "while saving $2"
  [ -s "$2" ] && no_window_titled "$1"
}
click_at $((432 + 200)) $((216 + 125))
sleep 0.2
xdotool key ctrl+s
save_through_dialog "Save image" "$tmp/saved/chart.png"
size=$(identify -format '%wx%h' "$tmp/saved/chart.png") || fail "chart.png is not an image"
[ "$size" = 400x250 ] || fail "chart.png is $size, not the chart's 400x250"
colour=$(convert "$tmp/saved/chart.png" -colorspace HSL -channel G -separate +channel \
  -threshold 50% -format '%[fx:round(mean*w*h)]' info:)
[ "$colour" -ge 200 ] || fail "chart.png shows only $colour coloured pixels, no curves"
xdotool key ctrl+shift+s
save_through_dialog "Save data: all 12 points" "$tmp/saved/points.csv"
printf 'series,index,label,value\r
Series1,0,0,0\r
Series1,1,1,0.0023750002\r
Series1,2,2,0.018000001\r
Series1,3,3,0.057375006\r
Series1,4,4,0.128\r
Series1,5,5,0.234375\r
Series2,0,10,1.25\r
Series2,1,11,2\r
Series2,2,12,2.75\r
Series2,3,13,3.5\r
Series2,4,14,4.25\r
Series2,5,15,5\r
' >"$tmp/expected.csv"
cmp -s "$tmp/saved/points.csv" "$tmp/expected.csv" ||
  fail "points.csv differs from the plotted points: $(head -c 300 "$tmp/saved/points.csv")"
expect_alive "after saving"
echo "ok: chart.png (400x250, $colour coloured pixels) and points.csv saved through the file dialog"

# ---------------------------------------------------------------------------
step="3d the keyboard works on after replacing a file"
# Saving over chart.png asks whether to replace it; after Yes the message box
# and the file dialog close together, and the chart has the keyboard again:
# Ctrl+C copies without a click.
xdotool key ctrl+s
wait_for_window "Save image" 10 "after asking to save again"
sleep 0.3
xdotool key ctrl+a
xdotool type --delay 20 "$tmp/saved/chart.png"
xdotool key Return
# The question has the dialog's title: two windows of that name.
question_shown() { [ "$(xdotool search --onlyvisible --name '^Save image$' | wc -l)" -ge 2 ]; }
wait_until 5 question_shown || fail "no question before replacing chart.png"
sleep 0.5
xdotool key y
wait_until 10 no_window_titled "Save image" || fail "the dialog is still open after replacing"
printf 'before' | xclip -selection clipboard
sleep 0.5
xdotool key ctrl+c
wait_until 10 clipboard_holds "$expected" ||
  fail "Ctrl+C after replacing chart.png copied nothing: the keyboard focus did not come back"
echo "ok: after a replace, Ctrl+C still copies the points"
fi

# ---------------------------------------------------------------------------
step="4 bad number is reported"
set_field $OMAGA abc
press_ok
wait_for_window Error 10 "after OK with Omaga 'abc'"
box=$found
# The box has the keyboard focus; Return presses its default button.
has_ended() {
  case "$(ps -o stat= -p "$app" 2>/dev/null || true)" in "" | Z*) return 0 ;; esac
  return 1
}
# Asks the window to close as a window manager does and expects the program to
# end by itself with status 0.
close_and_expect_exit_0() {
  wmctrl -c Form1 || fail "wmctrl could not ask the window to close"
  wait_until 10 has_ended || fail "the program still runs 10 s after its window was asked to close"
  local status=0
  wait "$app" || status=$?
  app=""
  [ "$status" -eq 0 ] || fail "the program exited with status $status"
}
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
wait_until 2 has_focus "$box" || fail "the Error box did not get the keyboard focus"
xdotool key Return
wait_until 5 no_window_titled Error || fail "the Error box is still open 5 s after pressing Return"
expect_alive "after the Error box closed"
wait_for_chart curves || fail "the curves are gone after the failed OK ($count coloured pixels)"
echo "ok: Error box shown and closed; window still there"

# ---------------------------------------------------------------------------
step="5 Clear empties chart and fields"
press_clear
wait_for_chart empty || fail "the chart still shows $count coloured pixels after Clear"
expect_alive "after Clear"
read_field $VRAMP
[ -z "$field_text" ] || fail "Vramp still reads '$field_text' after Clear"
echo "ok: Clear removed the curves and emptied Vramp"

# ---------------------------------------------------------------------------
step="6 window closes"
close_and_expect_exit_0
echo "ok: program exited with 0"
[ -z "$windows" ] || exit 0

# ---------------------------------------------------------------------------
# The same screen at 200%: a 949x640 window would need 1898x1280 pixels.
step="7 window at 200% fits the screen"
# Asking once starts the accessibility bus and its registry, which the program
# joins at start-up when accessibility is on.
/usr/bin/python3 "$accessible_tree" >/dev/null 2>"$tmp/atspi.log" ||
  fail "could not reach the accessibility bus: $(tail -n 3 "$tmp/atspi.log")"
start_program " at 200%" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_SCALE_FACTOR=2
# Only once openbox has framed the client (the frame is then another window)
# does the frame's place say anything.
frame_on_screen() {
  expect_alive "while its frame was checked at 200%"
  frame=$(frame_of "$win") || fail "found no frame window around the client"
  [ "$frame" != "$win" ] || return 1
  read -r frame_x frame_y frame_w frame_h <<EOF
$(geometry_of "$frame")
EOF
  [ "$frame_x" -ge 0 ] && [ "$frame_y" -ge 0 ] &&
    [ $((frame_x + frame_w)) -le 1280 ] && [ $((frame_y + frame_h)) -le 1024 ]
}
wait_until 10 frame_on_screen ||
  fail "the framed window is ${frame_w}x$frame_h at $frame_x,$frame_y: not within the 1280x1024 screen"
echo "ok: at 200% the framed window is ${frame_w}x$frame_h at $frame_x,$frame_y, on the screen"

# True when the program's window and chart, as AT-SPI shows them to a screen
# reader ("role|name|description" a line), are $1 and $2.
tree_shows() {
  expect_alive "while asking for its accessible objects"
  tree=$(/usr/bin/python3 "$accessible_tree" 2>>"$tmp/atspi.log" || true)
  [ "$tree" = "$(printf '%s\n%s' "$1" "$2")" ]
}

# ---------------------------------------------------------------------------
step="8 keyboard only: Tab to OK, Enter plots"
# The focus starts on Clear, the first control in the tab order; a field that
# Tab reaches has its text selected, so typing replaces it. After Clear come
# Span 1, Omaga, Span 2, nine more fields, Vramp, and OK.
wait_until 5 has_focus "$win" || fail "the window did not get the keyboard focus"
[ "$(series_pixels "$win")" -lt 10 ] || fail "the chart shows curves before anything was plotted"
wait_until 10 tree_shows "frame|Form1|" "chart|TChart|Series1: no points; Series2: no points" ||
  fail "before OK, over AT-SPI the window and chart read '$tree'"
xdotool key Tab && xdotool type 5
xdotool key Tab && xdotool type 8
xdotool key Tab && xdotool type 15
xdotool key Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab && xdotool type 4
xdotool key Tab Return
curves_shown() {
  expect_alive "while waiting for the curves at 200%"
  count=$(series_pixels "$win")
  [ "$count" -ge 200 ]
}
wait_until 10 curves_shown || fail "no curves after Enter on OK ($count pixels in the series colours)"
echo "ok: Tab to OK and Enter plotted the curves"

# ---------------------------------------------------------------------------
step="8b a screen reader finds the window and what the chart shows"
# The chart's description must have followed the plot.
wait_until 10 tree_shows "frame|Form1|" \
  "chart|TChart|Series1: 6 points, values 0 to 0.234375; Series2: 6 points, values 1.25 to 5" ||
  fail "over AT-SPI the window and chart read '$tree'"
echo "ok: over AT-SPI the window is a frame named Form1 and the chart describes the plot"

# ---------------------------------------------------------------------------
step="9 keyboard only: the chart's menu copies the data"
# F6 takes the focus to the chart; Shift+F10 opens its menu over it with Copy
# data chosen, and Enter runs it.
menu_shown() {
  expect_alive "while waiting for the chart's menu"
  xdotool search --onlyvisible --class curveplot 2>/dev/null | grep -vqx "$win"
}
xdotool key F6
xdotool key shift+F10
wait_until 5 menu_shown || fail "Shift+F10 on the chart opened no menu"
xdotool key Return
wait_until 10 clipboard_holds "$expected" ||
  fail "the clipboard holds '$(xclip -o -selection clipboard 2>&1 | head -n 3)…', not the plotted points"
echo "ok: F6, Shift+F10 and Enter put the twelve points on the X clipboard"

# ---------------------------------------------------------------------------
step="9b keyboard only: typed range, zoom, Back, Forward and pan"
# The chart still has the focus. Ctrl+R types the view (points 2 to 5: four
# of each series); + zooms and Alt+Left undoes it; Alt+Left again is the
# automatic view, Alt+Right the typed one; the Right arrow pans a tenth on.
copied_rows() { [ $(($(xclip -o -selection clipboard 2>/dev/null | wc -l) - 1)) -eq "$1" ]; }
copy_and_expect_rows() {
  xclip -selection clipboard /dev/null
  xdotool key ctrl+c
  wait_until 4 copied_rows "$1" ||
    fail "$2: Copy data gave $(($(xclip -o -selection clipboard 2>/dev/null | wc -l) - 1)) rows, not $1"
}
xdotool key ctrl+r
wait_for_window "View range" 5 "after Ctrl+R on the chart"
xdotool type 2 && xdotool key Tab && xdotool type 5 && xdotool key Return
wait_until 5 no_window_titled "View range" || fail "the View range dialog stayed open after Enter"
copy_and_expect_rows 8 "points 2 to 5"
xdotool key plus alt+Left
copy_and_expect_rows 8 "+ then Alt+Left"
xdotool key alt+Left
copy_and_expect_rows 12 "Alt+Left to the automatic view"
xdotool key alt+Right
copy_and_expect_rows 8 "Alt+Right"
xdotool key Right
copy_and_expect_rows 6 "the Right arrow"
echo "ok: typed range, +, Alt+Left, Alt+Right and Right gave 8, 8, 12, 8 and 6 rows"

# ---------------------------------------------------------------------------
step="10 window at 200% closes"
close_and_expect_exit_0
echo "ok: program exited with 0"

# ---------------------------------------------------------------------------
step="11 in the user's language: the chart's menu in Chinese"
# LANGUAGE picks the language of everything the tool writes; the window's own
# captions stay as declared (its title is still Form1).
start_program " under LANGUAGE=zh_CN" LANGUAGE=zh_CN QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
wait_until 5 has_focus "$win" || fail "the window did not get the keyboard focus"
xdotool key F6
# A screen reader learns of a popup menu through the focus of its items: the
# listener starts first, then the menu opens.
/usr/bin/python3 "$(dirname "$0")/focused_menu.py" 10 >"$tmp/menu.txt" 2>"$tmp/menu.log" &
listener=$!
wait_until 5 grep -qs listening "$tmp/menu.log" || fail "the AT-SPI listener did not start"
xdotool key shift+F10
wait "$listener" || fail "no item of the chart's menu took the focus: $(tail -n 3 "$tmp/menu.log")"
grep -qx '复制数据' "$tmp/menu.txt" && grep -qx '上一个视图' "$tmp/menu.txt" ||
  fail "under LANGUAGE=zh_CN the chart's menu reads '$(tr '\n' '/' <"$tmp/menu.txt")'"
xdotool key Escape
close_and_expect_exit_0
echo "ok: under LANGUAGE=zh_CN the chart's menu reads in Chinese over AT-SPI"
