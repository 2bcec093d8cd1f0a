#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
cd "$root/build"
# No test needs more than a few seconds: one that hangs fails by name
# instead of holding the run until CI gives up on it.
ctest --output-on-failure --timeout 300 -j "$(nproc)"
