#!/usr/bin/env bash
# Installs what is needed, then configures and builds into build/ (Release,
# assertions kept): every target, or only those named. With --sanitize, the
# build goes into build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer.
#   scripts/build.sh [--sanitize] [TARGET...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
options=()
if [ "${1:-}" = "--sanitize" ]; then
  shift
  build="$root/build-asan"
  options=(-DQUANTREL_SANITIZE=ON)
fi
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${options[@]}" >/dev/null
if [ $# -gt 0 ]; then set -- --target "$@"; fi
cmake --build "$build" -j "$(nproc)" "$@"
