#!/usr/bin/env bash
# Installs what is needed, then configures and builds into build/ (Release,
# assertions kept): every target, or only those named.
#   scripts/build.sh [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
if [ $# -gt 0 ]; then set -- --target "$@"; fi
cmake --build "$root/build" -j "$(nproc)" "$@"
