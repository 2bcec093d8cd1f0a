#!/usr/bin/env bash
# Starts PROGRAM with a Tarnscript file that writes a few console lines and
# then a marker file through the "file" data source, on the current display
# (DISPLAY, xcb), with empty settings and desktop-data folders. Once the
# marker appears it prints "ready after N ms" (from the start), sends the
# lines of INPUT to the program when one is given, saves the screen as
# OUT.png when asked (build/bin/grab-screen) and ends the program; it fails
# when a marker does not appear within LIMIT seconds (default 30).
#   scripts/run-until-marker.sh PROGRAM [OUT.png] [INPUT]
# START names a start file of the caller's own instead (a program, or a
# library whose block writes the marker); "@WORK@" in it stands for the
# folder where the marker file, "marker", must be written. START=none starts
# the program without a file, as a user does: the welcome screen and the
# tips may show, nothing writes a marker, and INPUT begins by waiting for a
# window ("@ CAPTION").
#
# With SETTINGS naming an INI file, the run starts with those settings.
#
# Each line of INPUT, in turn ("@WORK@" stands for the run's own folder; no
# window manager runs: a window gets the keyboard only when it is clicked):
#   > LINE      clicks the main window's command line, types LINE, Enter
#   @ CAPTION   waits for the window of that caption and clicks into it,
#               near its left edge half-way down, or at X Y when the line
#               ends in "| X Y" (pixels, negative from the right or bottom,
#               or percentages); a CAPTION ending in "*" is a caption's start
#   mark        types the lines that write a second marker, and waits for
#               it: everything before it has been done
#   exists PATH waits for the file; fails when it does not come
#   expect FILE T  @WORK@/FILE holds the text T (a final line feed aside)
#   # ...       a comment; blank lines are skipped
#   anything else goes to xdotool as it stands ("key F8")
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$1
output=${2:-}
input=${3:-}
limit=${LIMIT:-30}
work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/config/quantrel" "$work/data" "$work/runtime"
if [ -n "${SETTINGS:-}" ]; then cp "$SETTINGS" "$work/config/quantrel/quantrel.ini"; fi
chmod 700 "$work/runtime"
if [ "${START:-}" = none ]; then
  start=
elif [ -n "${START:-}" ]; then
  start="$work/$(basename "$START")"
  sed "s|@WORK@|$work|g" "$START" > "$start"
else
  start="$work/show.tarn"
  cat > "$start" <<TARN
program Show;
var h : Integer;
begin
  Write('Quantrel on a display');
  Write(6 * 7);
  h := Open('file://$work/marker', omWrite);
  WriteStr(h, 'ready');
  Close(h);
end.
TARN
fi
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb QT_FONT_DPI=96
start_ns=$(date +%s%N)
"$program" ${start:+"$start"} > "$work/program.log" 2>&1 &
pid=$!

# Waits until the file exists, while the program runs and within the limit.
wait_for() {
  local deadline=$(($(date +%s%N) + limit * 1000000000))
  until [ -e "$1" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "run-until-marker: the program ended without the marker" >&2
      cat "$work/program.log" >&2
      exit 1
    fi
    if [ "$(date +%s%N)" -gt "$deadline" ]; then
      echo "run-until-marker: no marker $(basename "$1") within $limit s" >&2
      exit 1
    fi
    sleep 0.005
  done
}

# The window whose title is exactly the caption, or starts with it when it ends in "*".
window_of() {
  local caption=$1 end='$'
  if [[ "$caption" == *'*' ]]; then
    caption=${caption%'*'}
    end=
  fi
  xdotool search --sync --limit 1 --name "^$(printf '%s' "$caption" | sed 's/[][\.*^$]/\\&/g')$end"
}

# A coordinate within a length: pixels, from the far end when negative, or
# a percentage.
coordinate() {
  case "$1" in
    *%) echo $(($2 * ${1%\%} / 100)) ;;
    -*) echo $(($2 + $1)) ;;
    *) echo "$1" ;;
  esac
}

# Raises the window and clicks into it at (X, Y).
click_at() {
  local window=$1
  eval "$(xdotool getwindowgeometry --shell "$window")"
  local x y
  x=$(coordinate "$2" "$WIDTH")
  y=$(coordinate "$3" "$HEIGHT")
  xdotool windowraise "$window"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  xdotool mousemove --window "$window" "$x" "$y" click 1
}

# By default near the left edge, half-way down: in the windows so far, on
# no button or item (the evaluator's tree below its nodes takes the keyboard).
click_into() {
  local caption=$1 x=10 y=50%
  if [[ "$caption" == *' | '* ]]; then
    read -r x y <<< "${caption##* | }"
    caption=${caption% | *}
  fi
  click_at "$(window_of "$caption")" "$x" "$y"
}

# The command line lies along the main window's bottom edge; its left end
# is clear of the tool windows, which stay above the main window.
type_line() {
  click_at "$(window_of " Quantrel")" 12 -8
  xdotool type --delay 20 -- "$1"
  xdotool key Return
}

# Fails unless the run's file holds the text.
expect_text() {
  local file="$work/$1"
  shift
  wait_for "$file"
  if [ "$(cat "$file")" != "$*" ]; then
    echo "run-until-marker: $file holds \"$(cat "$file")\", not \"$*\"" >&2
    exit 1
  fi
}

marks=0
send() {
  local line=${1//@WORK@/$work}
  case "$line" in
    '> '*) type_line "${line#> }" ;;
    '@ '*) click_into "${line#@ }" ;;
    mark)
      marks=$((marks + 1))
      type_line "h := Open('file://$work/mark$marks', omWrite)"
      type_line "Close(h)"
      wait_for "$work/mark$marks"
      ;;
    'exists '*) wait_for "${line#exists }" ;;
    'expect '*) expect_text ${line#expect } ;;
    '' | '#'*) ;;
    *) eval "xdotool $line" ;;
  esac
  sleep 0.2
}

if [ -n "$start" ]; then
  wait_for "$work/marker"
  echo "ready after $((($(date +%s%N) - start_ns) / 1000000)) ms"
fi
if [ -n "$input" ]; then
  while IFS= read -r line || [ -n "$line" ]; do send "$line"; done < "$input"
fi
if [ -n "$output" ]; then
  # The lines written before the marker get their paint.
  sleep 1
  "$root/build/bin/grab-screen" "$output"
fi
