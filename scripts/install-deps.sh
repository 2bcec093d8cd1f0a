#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent: the package
# lists are refreshed only when something is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev libpng-dev libjpeg-dev libssl-dev
  qt6-base-dev libgl-dev
  qt6-multimedia-dev
  fonts-dejavu-core fonts-liberation2
  xvfb xauth xdotool libxcb1-dev
  # Outside readers of our EMF and WMF files, for the export tests and pictures;
  # the WMF reader fails on every file without the fonts it recommends.
  emf2svg librsvg2-bin libwmf-bin fonts-urw-base35
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_if_needed=()
[ "$(id -u)" -eq 0 ] || sudo_if_needed=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_if_needed[@]}" apt-get update
"${sudo_if_needed[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
