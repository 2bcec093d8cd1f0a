#!/usr/bin/env bash
# Starts the program through scripts/run.sh on an Xvfb display, with a file
# that writes a few console lines, and saves the whole screen once the
# file has run and the lines of INPUT have driven it (default
# build/program-screenshot.png; INPUT as scripts/run-until-marker.sh reads it).
#   scripts/program-screenshot.sh [OUT.png] [INPUT]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" quantrel grab-screen
output=$(realpath -m "${1:-$root/build/program-screenshot.png}")
input=${2:+$(realpath "$2")}
xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" "$root/scripts/run-until-marker.sh" "$root/scripts/run.sh" "$output" $input
echo "$output"
