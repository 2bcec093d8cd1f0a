#!/usr/bin/env bash
# Builds the toolkit gallery (tools/ToolkitGallery.cpp) and saves its
# pictures under Xvfb: scripts/gallery-screenshot.sh [DIR]
# (default build/gallery): one per page, an open pop-up menu, a dropped-down
# combo box and a hint; and the services (tools/ServicesGallery.cpp): the
# help viewer, the input dialog with red text, a dropped-down colour box and
# a Cancel / Try Again / Continue message box.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" toolkit-gallery services-gallery
output=$(realpath -m "${1:-$root/build/gallery}")
mkdir -p "$output"
export XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  "$root/build/bin/toolkit-gallery" --screenshot "$output"
QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
  "$root/build/bin/services-gallery" "$output"
ls "$output"/*.png
