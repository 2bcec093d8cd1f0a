#!/usr/bin/env bash
# Fuzzes one target for real with clang's libFuzzer, sanitized, in
# build-fuzz/ (clang and its runtime are installed when missing).
#   scripts/fuzz.sh TARGET MINUTES
# TARGET is a tests/fuzz/TARGET_fuzz.cpp: Evaluate, Program, SourceLibrary,
# PackedLibrary, VarFile, WorkspaceFile, VecCSV, MatCSV, IniFile, Bmp, Jpeg,
# SkinFolder, PngGraphic, PackedSkin.
# The run starts from the seed corpus tests/fuzz/corpus/TARGET and keeps the
# inputs it finds in build-fuzz/corpus/TARGET. A finding (crash, sanitizer
# report, leak, timeout, out of memory) is written to
# build-fuzz/findings/TARGET/; once it is fixed, copy it into the seed
# corpus, so that every test run replays it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ne 2 ] || [ ! -f "$root/tests/fuzz/${1}_fuzz.cpp" ]; then
  echo "usage: scripts/fuzz.sh TARGET MINUTES   (targets: $(cd "$root/tests/fuzz" && ls *_fuzz.cpp | sed 's/_fuzz.cpp//' | tr '\n' ' '))" >&2
  exit 2
fi
target=$1
minutes=$2

"$root/scripts/install-deps.sh"
missing=()
for package in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_if_needed=()
  [ "$(id -u)" -eq 0 ] || sudo_if_needed=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_if_needed[@]}" apt-get update
  "${sudo_if_needed[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

build="$root/build-fuzz"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
  -DQUANTREL_FUZZ=ON >/dev/null
cmake --build "$build" --target "fuzz_$target" dio_file

corpus="$build/corpus/$target"
findings="$build/findings/$target"
mkdir -p "$corpus" "$findings"
options=()
dict="$root/tests/fuzz/$target.dict"
[ -f "$dict" ] && options+=(-dict="$dict")
export ASAN_OPTIONS="detect_leaks=1:strict_string_checks=1:malloc_context_size=10"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer/leaks.supp:print_suppressions=0"
# The targets' files live in memory: the safe writer's flushes cost nothing.
[ -d /dev/shm ] && export TMPDIR=/dev/shm
echo "fuzzing $target for $minutes minutes; new inputs in $corpus, findings in $findings"
# One child process fuzzes, and the run goes on after a finding. A single
# input may take a few seconds (a run's budget is 100 ms, but the
# sanitizers slow every step); more is a hang.
"$build/tests/fuzz_$target" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
  -max_total_time=$((minutes * 60)) -timeout=20 -rss_limit_mb=3072 -max_len=4096 \
  -artifact_prefix="$findings/" "${options[@]}" "$corpus" "$root/tests/fuzz/corpus/$target"
