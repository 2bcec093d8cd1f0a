#!/usr/bin/env bash
# Builds the toolkit demo (tools/ToolkitDemo.cpp) and takes a screenshot of
# it under Xvfb: scripts/demo-screenshot.sh [OUTPUT.png]
# (default build/toolkit-demo.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" toolkit-demo
output=$(realpath -m "${1:-$root/build/toolkit-demo.png}")
export XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  "$root/build/bin/toolkit-demo" --screenshot "$output"
echo "$output"
