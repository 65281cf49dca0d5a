#!/usr/bin/env bash
# Builds the record-database fuzz target with clang (libFuzzer, ASan, UBSan) in build/fuzz and
# runs it for a bounded time: scripts/fuzz.sh [seconds, default 60]. A crash or sanitizer
# report stops it with a non-zero status and leaves the input as build/fuzz/crash-*.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build="$root/build/fuzz"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILL_FUZZ=ON -DQUILL_BUILD_GUI=OFF -DQUILL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_edb_open -j"$(nproc)"

# The fixtures, good and broken, seed the corpus; the corpus grows across runs.
corpus="$build/corpus-edb"
mkdir -p "$corpus"
cp -n "$root"/tests/data/edb/*.edb "$corpus"/ 2>/dev/null || true

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$build"
"$build/tests/storage/fuzz_edb_open" -max_total_time="$seconds" -max_len=8192 -print_final_stats=1 "$corpus"
