#!/usr/bin/env bash
# Installs what is needed, builds, and starts Quantrel. Until the windows
# exist this is the headless runner: a FILE is run as a program, without
# one each line typed on standard input is evaluated as a console line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" >/dev/null
exec "$root/build/bin/tarnsh" "$@"
