#!/usr/bin/env bash
# Installs what is needed, builds, and starts Quantrel. Until the windows
# exist this is the headless runner: a FILE is run as a program, without
# one each line typed on standard input is evaluated as a console line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# The build speaks only when it fails, so that standard output is the program's.
if ! log=$("$root/scripts/build.sh" tarnsh 2>&1); then
  printf '%s\n' "$log" >&2
  exit 1
fi
exec "$root/build/bin/tarnsh" "$@"
