#!/usr/bin/env bash
# Starts PROGRAM with a Tarnscript file that writes a few console lines and
# then a marker file through the "file" data source, on the current display
# (DISPLAY, xcb), with empty settings and desktop-data folders. Once the
# marker appears it prints "ready after N ms" (from the start), sends the
# lines of INPUT to the program, saves the screen as OUT.png when asked
# (build/bin/grab-screen; an empty OUT saves nothing) and ends the
# program; it fails when no marker appears within LIMIT seconds (default
# 30), or when a mark or an expectation of INPUT fails.
#   scripts/run-until-marker.sh PROGRAM [OUT.png] [INPUT]
#
# The lines of INPUT, in order ($WORK in a line stands for a folder of the
# run's own):
#   > LINE          a click into the main window's command line (of the
#                   full view), LINE typed into it, then Enter
#   @ CAPTION       waits for the window of that caption and clicks into its
#                   middle, so that the keys after it go there (no window
#                   manager runs to give a new window the keyboard)
#   mark            console lines write a further marker file; waits for it,
#                   so that everything typed before it has run
#   expect FILE T   $WORK/FILE holds the text T (a final line feed aside)
#   # ...           a comment; blank lines are skipped
#   anything else   an xdotool command line as it stands (key F10, ...)
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
mkdir -p "$work/config" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"
cat > "$work/show.tarn" <<TARN
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
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb QT_FONT_DPI=96
start=$(date +%s%N)
"$program" "$work/show.tarn" > "$work/program.log" 2>&1 &
pid=$!
deadline=$((start + limit * 1000000000))
until [ -e "$work/marker" ]; do
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "run-until-marker: the program ended without the marker" >&2
    cat "$work/program.log" >&2
    exit 1
  fi
  if [ "$(date +%s%N)" -gt "$deadline" ]; then
    echo "run-until-marker: no marker within $limit s" >&2
    exit 1
  fi
  sleep 0.005
done
echo "ready after $((($(date +%s%N) - start) / 1000000)) ms"

type_line() {
  raise_and_click "$main" bottom
  xdotool type --delay 15 -- "$1"
  xdotool key Return
}
marks=0
mark() {
  marks=$((marks + 1))
  local file="$work/mark$marks"
  type_line "h := Open('file://$file', omWrite)"
  type_line "WriteStr(h, 'ready')"
  type_line "Close(h)"
  local deadline=$(($(date +%s%N) + limit * 1000000000))
  until [ -e "$file" ]; do
    if [ "$(date +%s%N)" -gt "$deadline" ]; then
      echo "run-until-marker: mark $marks did not appear within $limit s" >&2
      exit 1
    fi
    sleep 0.05
  done
}
# The window comes to the front and gets a click in its middle, or near its
# bottom (where the main window's command line is).
raise_and_click() {
  xdotool windowraise "$1"
  eval "$(xdotool getwindowgeometry --shell "$1")"
  local y=$((HEIGHT / 2))
  [ "$2" = bottom ] && y=$((HEIGHT - 15))
  xdotool mousemove --window "$1" $((WIDTH / 2)) "$y" click 1
  sleep 0.2
}
click_into() {
  raise_and_click "$(xdotool search --sync --name "^$1\$" | head -1)" middle
}
expect_file() {
  local name=${1%% *} text=${1#* }
  local held
  held=$(cat "$work/$name" 2>/dev/null || true)
  if [ "$held" != "$text" ]; then
    echo "run-until-marker: $name holds \"$held\", not \"$text\"" >&2
    exit 1
  fi
}
if [ -n "$input" ]; then
  main=$(xdotool search --sync --name '^ Quantrel$' | head -1)
  while IFS= read -r line || [ -n "$line" ]; do
    line=${line//\$WORK/$work}
    case "$line" in
      '' | '#'*) ;;
      '> '*) type_line "${line#> }" ;;
      '@ '*) click_into "${line#@ }" ;;
      mark) mark ;;
      'expect '*) expect_file "${line#expect }" ;;
      *) eval "xdotool $line" ;;
    esac
    sleep 0.2
  done < "$input"
fi
if [ -n "$output" ]; then
  # The lines written before the marker get their paint.
  sleep 1
  "$root/build/bin/grab-screen" "$output"
fi
