#!/usr/bin/env bash
# Starts PROGRAM with a Tarnscript file that writes a few console lines and
# then a marker file through the "file" data source, on the current display
# (DISPLAY, xcb), with empty settings and desktop-data folders. Once the
# marker appears it prints "ready after N ms" (from the start), saves the
# screen as OUT.png when asked (build/bin/grab-screen) and ends the
# program; it fails when no marker appears within LIMIT seconds (default 30).
#   scripts/run-until-marker.sh PROGRAM [OUT.png]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$1
output=${2:-}
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
if [ -n "$output" ]; then
  # The lines written before the marker get their paint.
  sleep 1
  "$root/build/bin/grab-screen" "$output"
fi
