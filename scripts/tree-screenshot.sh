#!/usr/bin/env bash
# Takes a picture of one scene of the tree demo (tools/TreeDemo.cpp) under
# Xvfb: scripts/tree-screenshot.sh SCENE [OUTPUT.png] (default build/tree-SCENE.png).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
scene=${1:?scene name, such as console}
"$root/scripts/build.sh" tree-demo
output=$(realpath -m "${2:-$root/build/tree-$scene.png}")
export XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  "$root/build/bin/tree-demo" "$scene" --screenshot "$output"
echo "$output"
