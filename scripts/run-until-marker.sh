#!/usr/bin/env bash
# Starts PROGRAM with a Tarnscript file that writes a few console lines and
# then a marker file through the "file" data source, on the current display
# (DISPLAY, xcb), with empty settings and desktop-data folders. Once the
# marker appears it prints "ready after N ms" (from the start), drives the
# program with the lines of INPUT when given, saves the screen as OUT.png
# when asked (build/bin/grab-screen) and ends the program; it fails when no
# marker appears within LIMIT seconds (default 30).
#   scripts/run-until-marker.sh PROGRAM [OUT.png] [INPUT]
# With SETTINGS naming an INI file, the run starts with those settings.
# The lines of INPUT, in order ($WORK stands for the run's own folder):
#   > TEXT      types TEXT into the main window's command line, then Enter
#   @ CAPTION   waits for the window of that caption and clicks into it, so
#               that what follows types there (no window manager gives it
#               the keyboard)
#   mark        types the console lines that write another marker through
#               the "file" data source and waits for it: what came before has run
#   exists PATH fails unless the file is there
#   anything else goes to xdotool as it stands (key F4, type 'x := 1')
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

# Waits for the file until the deadline; fails when the program ends first.
await_file() {
  local deadline=$(($(date +%s%N) + limit * 1000000000))
  until [ -e "$1" ]; do
    if ! kill -0 "$pid" 2>/dev/null || [ "$(date +%s%N)" -gt "$deadline" ]; then
      echo "run-until-marker: no $1" >&2
      exit 1
    fi
    sleep 0.01
  done
}
# Raises the window of the caption and clicks it at a point given in
# percent of its size.
click_into() {
  local id
  id=$(xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1)
  xdotool windowraise "$id"
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove --sync $((X + WIDTH * $2 / 100)) $((Y + HEIGHT * $3 / 100)) click 1
  xdotool windowfocus --sync "$id"
  sleep 0.2
}
marks=0
if [ -n "$input" ]; then
  while IFS= read -r line || [ -n "$line" ]; do
    line=${line//\$WORK/$work}
    case "$line" in
      '') ;;
      '> '*)
        click_into " Quantrel" 50 96
        xdotool type --delay 5 -- "${line#> }"
        xdotool key Return ;;
      '@ '*) click_into "${line#@ }" 50 50 ;;
      mark)
        marks=$((marks + 1))
        click_into " Quantrel" 50 96
        for typed in "h := Open('file://$work/mark-$marks', omWrite)" "WriteStr(h, 'ready')" "Close(h)"; do
          xdotool type --delay 5 -- "$typed"
          xdotool key Return
        done
        await_file "$work/mark-$marks" ;;
      'exists '*) await_file "${line#exists }" ;;
      *) eval "xdotool $line" ;;
    esac
    sleep 0.1
  done < "$input"
fi
if [ -n "$output" ]; then
  # The lines written before the marker get their paint.
  sleep 1
  "$root/build/bin/grab-screen" "$output"
fi
