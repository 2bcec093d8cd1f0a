#!/usr/bin/env bash
# Starts build/bin/quantrel N times (default 20) on one Xvfb display, each
# time with fresh settings and a file whose marker is written at the end of
# the first activation (the window shown, the console ready), and reports
# the minimum, median and maximum time from the start to the marker.
#   scripts/time-startup.sh [N]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-20}
"$root/scripts/build.sh" quantrel >/dev/null
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
