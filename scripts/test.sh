#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole test suite three ways:
# warning-free with -Werror, the core alone without Qt, and under AddressSanitizer + UBSan.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$root/scripts/install-packages.sh"

# Let ccache share compiled objects between checkouts in different folders.
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

build_and_test() {
  local dir=$1; shift
  echo "=== $(basename "$dir"): configure, build, test"
  cmake -S "$root" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
  ctest --test-dir "$dir" --output-on-failure -j"$jobs"
}

build_and_test "$root/build/ci" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILL_WERROR=ON
build_and_test "$root/build/core" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILL_WERROR=ON \
  -DQUILL_BUILD_GUI=OFF -DQUILL_BUILD_BENCH=OFF
build_and_test "$root/build/asan" -DCMAKE_BUILD_TYPE=Debug -DQUILL_WERROR=ON -DQUILL_SANITIZE=ON \
  -DQUILL_BUILD_BENCH=OFF
