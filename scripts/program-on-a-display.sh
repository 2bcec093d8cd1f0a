#!/usr/bin/env bash
# The program on a real X11 display of its own (Xvfb), with empty settings
# and desktop-data folders, driven with xdotool; each case fails with a
# message:
#   display-lost  a line typed, then the X server ends: the program ends
#                 within 5 s, with a non-zero status and the line in its
#                 stored history.
#   stale-copy    a running copy is stopped (it holds its claim but cannot
#                 answer): a later start shows its window within 15 s; the
#                 stopped copy, running again, still takes hand-overs.
#   sigterm       a line typed, then a script started that waits a minute,
#                 then SIGTERM: the run is aborted and the program ends
#                 within 5 s with status 0 and the line in its history.
#   first-paint   behind a window manager that maps windows 250 ms late
#                 ($LATE_MAPPER), a start file's first line comes when the
#                 main window is on the display already.
#   scripts/program-on-a-display.sh PROGRAM CASE
set -euo pipefail
program=$1
case_name=$2
work=$(mktemp -d)
server=
pids=()
cleanup() {
  for pid in "${pids[@]}"; do
    kill -CONT "$pid" 2>/dev/null || true
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "program-on-a-display $case_name: $*" >&2
  for log in "$work"/*.log; do [ -e "$log" ] && { echo "--- $log" >&2; cat "$log" >&2; }; done
  exit 1
}
mkdir -p "$work/config/quantrel" "$work/data" "$work/runtime"
chmod 700 "$work/runtime"
# No welcome screen and no tips: the runs type into the main window at once.
printf '[WELCOME]\nShowStart=0\n[TIPS]\nShowStart=0\n' > "$work/config/quantrel/quantrel.ini"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
export QT_QPA_PLATFORM=xcb QT_FONT_DPI=96

exec 3<> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp > "$work/xvfb.log" 2>&1 &
server=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -1 "$work/display")"

# Starts the program (arguments: its own), waits for its main window and
# leaves the window's id in $window.
start() {
  local name=$1
  shift
  "$program" "$@" > "$work/$name.log" 2>&1 &
  pids+=($!)
  timeout "${WINDOW_WAIT:-15}" xdotool search --sync --onlyvisible --pid "${pids[-1]}" --name '^ Quantrel$' > /dev/null ||
    fail "no window of $name"
  # The first activation hides the splash a moment after the window maps.
  sleep 1
  window=$(xdotool search --onlyvisible --pid "${pids[-1]}" --name '^ Quantrel$' | tail -1)
}
# Types a line into the command line of $window.
type_line() {
  xdotool mousemove --window "$window" 100 370 click 1
  sleep 0.5
  xdotool type --delay 30 "$1"
  xdotool key Return
  sleep 0.5
}
# Waits (bounded, in tenths of a second) for a process to end; its status in $status.
ended_within() {
  local pid=$1 tenths=$2
  for _ in $(seq "$tenths"); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && return 1
  status=0
  wait "$pid" || status=$?
}
history_has() { grep -q "^Cmd_0=$1\$" "$work/config/quantrel/"*.ini 2>/dev/null; }

case $case_name in
  display-lost)
    start first
    type_line "2+3"
    kill "$server"
    ended_within "${pids[0]}" 50 || fail "still running 5 s after its display went away"
    [ "$status" -ne 0 ] || fail "status 0 after its display went away"
    history_has "2+3" || fail "the typed line is not in the stored history"
    ;;
  stale-copy)
    start first
    kill -STOP "${pids[0]}"
    WINDOW_WAIT=15 start later
    printf 'program P;\nvar h : Integer;\nbegin\n  h := Open(%s, omWrite);\n  WriteStr(h, %s);\n  Close(h);\nend.\n' \
      "'file://$work/handed'" "'ready'" > "$work/handed.tarn"
    kill -CONT "${pids[0]}"
    timeout 10 "$program" "$work/handed.tarn" > "$work/third.log" 2>&1 || fail "a start after the copy ran again was not taken"
    for _ in $(seq 100); do [ -e "$work/handed" ] && break; sleep 0.1; done
    [ -e "$work/handed" ] || fail "the copy that ran again did not run the file handed over"
    ;;
  sigterm)
    start first
    type_line "2+3"
    type_line "Delay(60000)"
    kill -TERM "${pids[0]}"
    ended_within "${pids[0]}" 50 || fail "still running 5 s after SIGTERM"
    [ "$status" -eq 0 ] || fail "status $status after SIGTERM"
    history_has "Delay(60000)" || fail "the typed lines are not in the stored history: $(grep -A3 XEDIT "$work"/config/quantrel/*.ini)"
    ;;
  first-paint)
    "${LATE_MAPPER:?the stand-in window manager}" 250 > "$work/mapper.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do grep -q ready "$work/mapper.log" && break; sleep 0.05; done
    grep -q ready "$work/mapper.log" || fail "the stand-in window manager did not start"
    printf 'program P;\nvar h : Integer;\nbegin\n  h := Open(%s, omWrite);\n  Close(h);\n  Delay(3000);\nend.\n' \
      "'file://$work/first'" > "$work/start.tarn"
    "$program" "$work/start.tarn" > "$work/first.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 300); do [ -e "$work/first" ] && break; sleep 0.01; done
    [ -e "$work/first" ] || fail "the start file did not run"
    xdotool search --onlyvisible --pid "${pids[-1]}" --name '^ Quantrel$' > /dev/null ||
      fail "the start file ran before the main window was on the display"
    ;;
  *) fail "no such case" ;;
esac
echo "program-on-a-display $case_name: passed"
