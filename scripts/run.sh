#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQUILL_BUILD_BENCH=OFF >/dev/null
cmake --build "$root/build/release" --target quillbin -j"$(nproc)"
exec "$root/build/release/bin/quillbin" "$@"
