#!/usr/bin/env bash
# Installs what is needed, builds, and starts Quantrel; a FILE is run once
# the main window shows.
#   scripts/run.sh [FILE]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The build speaks only when it fails, so that standard output is the program's.
if ! log=$("$root/scripts/build.sh" quantrel 2>&1); then
  printf '%s\n' "$log" >&2
  exit 1
fi
exec "$root/build/bin/quantrel" "$@"
