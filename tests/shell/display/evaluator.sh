#!/usr/bin/env bash
# The evaluator on a real display: F8 opens it, keys choose the routine of
# the start library in its tree, and the routine's automatic evaluation
# writes its result to a file, which must hold it once "mark" has passed.
#   evaluator.sh PROGRAM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
sed "s|@OUT@|$out|g" "$here/evaluator-tools.tarn" > "$out/tools.tarn"
START="$out/tools.tarn" "$root/scripts/run-until-marker.sh" "$1" "" "$here/evaluator.input"
result=$(tail -n 1 "$out/result" 2>/dev/null || true)
if [ "$result" != 7.5 ]; then
  echo "evaluator: the file holds \"$result\", not the result 7.5" >&2
  exit 1
fi
