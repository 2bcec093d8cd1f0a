#!/usr/bin/env bash
# Starts the program through scripts/run.sh on an Xvfb display, with a file
# that writes a few console lines (or the START file, with the SETTINGS, see
# scripts/run-until-marker.sh), sends it the lines of INPUT when one is
# given, and saves the whole screen at the end (default
# build/program-screenshot.png).
#   scripts/program-screenshot.sh [OUT.png] [INPUT]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" quantrel grab-screen
output=$(realpath -m "${1:-$root/build/program-screenshot.png}")
input=${2:+$(realpath "$2")}
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$root/scripts/run-until-marker.sh" "$root/scripts/run.sh" "$output" $input
echo "$output"
