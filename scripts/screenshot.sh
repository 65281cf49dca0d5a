#!/usr/bin/env bash
# Starts quillbin under a virtual X server in a fresh, empty run directory (as a user would on
# first start), waits until its window is mapped and painted, and saves a PNG of the window.
# Usage: scripts/screenshot.sh [output.png] [build-dir]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build/screenshot.png}")
build=$(realpath -m "${2:-$root/build/screenshot}")

if [ ! -x "$build/bin/quillbin" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_BENCH=OFF >/dev/null
  cmake --build "$build" --target quillbin -j"$(nproc)"
fi
for tool in xvfb-run xwininfo import; do
  command -v "$tool" >/dev/null || { echo "missing $tool: run scripts/install-packages.sh" >&2; exit 1; }
done

run_dir=$(mktemp -d)
trap 'rm -rf "$run_dir"' EXIT
cp "$build/bin/quillbin" "$run_dir/"
mkdir -p "$(dirname "$out")"

xvfb-run -a -s "-screen 0 1280x800x24" bash -s "$run_dir" "$out" <<'INNER'
set -euo pipefail
run_dir=$1 out=$2
QT_QPA_PLATFORM=xcb "$run_dir/quillbin" &
pid=$!
window=""
for _ in $(seq 100); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Quillbin V1.0"/ {print $1; exit}')
  # The list is filled at first activation, which writes the database beside the program.
  if [ -n "$window" ] && [ -f "$run_dir/商品数据库.edb" ]; then break; fi
  sleep 0.1
done
[ -n "$window" ] || { echo "the window did not appear" >&2; kill "$pid"; exit 1; }
sleep 1  # let the first paint finish; this is a script, not a test
import -window "$window" "$out"
kill "$pid"
wait "$pid" 2>/dev/null || true
INNER
echo "screenshot: $out ($(ls "$run_dir"))"
