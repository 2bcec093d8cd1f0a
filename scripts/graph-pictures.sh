#!/usr/bin/env bash
# Builds the picture tool (tools/GraphPictures.cpp) and renders the 2D
# renderer's sample plots and the 3D renderer's scenes offscreen at 96 DPI,
# with EMF and WMF files of the sine plot and the 3D default content and
# their renderings by outside readers (emf2svg-conv and rsvg-convert,
# wmf2gd; scripts/install-deps.sh installs them):
#   scripts/graph-pictures.sh [DIR]   (default build/graph-pictures)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" graph-pictures
output=$(realpath -m "${1:-$root/build/graph-pictures}")
mkdir -p "$output"
export XDG_RUNTIME_DIR=$(mktemp -d)
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 QT_ENABLE_HIGHDPI_SCALING=0 "$root/build/bin/graph-pictures" "$output"
# The readers report progress on every record: only failures are shown.
for name in graph-sine graph3d-sinc; do
  emf2svg-conv -i "$output/$name.emf" -o "$XDG_RUNTIME_DIR/$name.svg" >/dev/null 2>&1
  rsvg-convert -b white -o "$output/$name-emf.png" "$XDG_RUNTIME_DIR/$name.svg"
  wmf2gd --maxwidth=641 --maxheight=481 --maxsize -t png -o "$output/$name-wmf.png" "$output/$name.wmf" >/dev/null 2>&1
  echo "$output/$name-emf.png"
  echo "$output/$name-wmf.png"
done
