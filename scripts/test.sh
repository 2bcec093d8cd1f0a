#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test. With --sanitize, the
# tests run from the sanitized build in build-asan/, where a memory error, a
# leak or undefined behaviour fails the test that met it.
#   scripts/test.sh [--sanitize]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
ctest_args=()
if [ "${1:-}" = "--sanitize" ]; then
  build="$root/build-asan"
  # The test on a real X11 display starts the system's keymap code, which
  # trips the sanitizer's string checks; the normal build runs it.
  ctest_args=(-LE xvfb)
  "$root/scripts/build.sh" --sanitize
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$root/tests/sanitizer/leaks.supp:print_suppressions=0"
else
  "$root/scripts/build.sh"
fi
cd "$build"
# No test needs more than a few seconds: one that hangs fails by name
# instead of holding the run until CI gives up on it.
ctest --output-on-failure --timeout 300 -j "$(nproc)" "${ctest_args[@]}"
