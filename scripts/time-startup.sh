#!/usr/bin/env bash
# Starts build/bin/quantrel N times (default 20) on one Xvfb display, each
# time with fresh settings and a file whose marker is written at the end of
# the first activation (the window shown, the console ready), and reports
# the minimum, median and maximum time from the start to the marker.
# With --handover, one copy runs and N later starts hand it a file each:
# it reports the medians from a later start to its exit and to the file's
# first console line in the running copy (a marker written right after it).
#   scripts/time-startup.sh [--handover] [N]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=startup
if [ "${1:-}" = "--handover" ]; then
  mode=handover
  shift
fi
runs=${1:-20}
"$root/scripts/build.sh" quantrel >/dev/null

median() {
  sort -n | awk '{ times[++n] = $1 }
    END {
      if (n == 0) { print "none"; exit 1 }
      median = n % 2 ? times[(n + 1) / 2] : (times[n / 2] + times[n / 2 + 1]) / 2
      printf "minimum %d ms, median %d ms, maximum %d ms (%d runs)\n", times[1], median, times[n], n
    }'
}

if [ "$mode" = handover ]; then
  xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
    set -euo pipefail
    program=$1/build/bin/quantrel runs=$2
    work=$(mktemp -d)
    trap "kill \$first 2>/dev/null; rm -rf $work" EXIT
    mkdir -p "$work/config" "$work/data" "$work/runtime"
    chmod 700 "$work/runtime"
    export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/runtime"
    export QT_QPA_PLATFORM=xcb QT_FONT_DPI=96
    marked() {
      printf "program P;\nvar h : Integer;\nbegin\n  Write(%s);\n  h := Open(%s, omWrite);\n  WriteStr(h, %s);\n  Close(h);\nend.\n" \
        "'\''$2'\''" "'\''file://$1'\''" "'\''ready'\''"
    }
    marked "$work/ready" "first" > "$work/first.tarn"
    "$program" "$work/first.tarn" > "$work/first.log" 2>&1 &
    first=$!
    until [ -e "$work/ready" ]; do sleep 0.01; done
    for ((i = 0; i < runs; i++)); do
      marked "$work/ran-$i" "handed over $i" > "$work/handed-$i.tarn"
      start=$(date +%s%N)
      "$program" "$work/handed-$i.tarn"
      exited=$(date +%s%N)
      until [ -e "$work/ran-$i" ]; do sleep 0.001; done
      ran=$(date +%s%N)
      echo "exit $(((exited - start) / 1000000)) line $(((ran - start) / 1000000))"
    done' _ "$root" "$runs" > "${TMPDIR:-/tmp}/handover-times.$$"
  printf "later start to its exit: %s" "$(awk '/^exit/ { print $2 }' "${TMPDIR:-/tmp}/handover-times.$$" | median)"
  printf "\nlater start to the file's first console line: %s" \
    "$(awk '/^exit/ { print $4 }' "${TMPDIR:-/tmp}/handover-times.$$" | median)"
  echo
  rm -f "${TMPDIR:-/tmp}/handover-times.$$"
  exit 0
fi

xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" bash -c '
  for ((i = 0; i < $2; i++)); do "$1/scripts/run-until-marker.sh" "$1/build/bin/quantrel"; done' \
  _ "$root" "$runs" |
  awk '/^ready after/ { print $3 }' | sort -n |
  awk '{ times[++n] = $1 }
       END {
         if (n == 0) { print "no start reached its marker"; exit 1 }
         median = n % 2 ? times[(n + 1) / 2] : (times[n / 2] + times[n / 2 + 1]) / 2
         printf "%d starts to a ready console: minimum %d ms, median %d ms, maximum %d ms\n", n, times[1], median, times[n]
       }'
