#!/usr/bin/env bash
# Builds the toolkit gallery (tools/ToolkitGallery.cpp) and saves its
# pictures under Xvfb: scripts/gallery-screenshot.sh [DIR]
# (default build/gallery): one per page, an open pop-up menu, a dropped-down
# combo box and a hint.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" toolkit-gallery
output=$(realpath -m "${1:-$root/build/gallery}")
mkdir -p "$output"
export XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  "$root/build/bin/toolkit-gallery" --screenshot "$output"
ls "$output"/*.png
