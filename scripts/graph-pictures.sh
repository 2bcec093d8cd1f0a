#!/usr/bin/env bash
# Builds the picture tool (tools/GraphPictures.cpp) and renders the 2D
# renderer's sample plots and the 3D renderer's scenes offscreen at 96 DPI:
#   scripts/graph-pictures.sh [DIR]   (default build/graph-pictures)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" graph-pictures
output=$(realpath -m "${1:-$root/build/graph-pictures}")
mkdir -p "$output"
export XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 QT_ENABLE_HIGHDPI_SCALING=0 "$root/build/bin/graph-pictures" "$output"
