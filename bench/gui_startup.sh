#!/usr/bin/env bash
# Times the start-up of quillbin (template database, until the goods list is filled) against
# a bare Qt window program, side by side: the two are started alternately RUNS times each,
# every run in a fresh directory, so that load on the machine hits both alike.
# Usage: bench/gui_startup.sh <build-dir> [runs] [platform]   (platform: offscreen or xcb)
set -euo pipefail
build=$(realpath "$1")
runs=${2:-20}
export QT_QPA_PLATFORM=${3:-offscreen}

one_run() {  # prints microseconds
  local program=$1 dir start end
  dir=$(mktemp -d)
  cp "$program" "$dir/"
  start=$(date +%s%N)
  "$dir/$(basename "$program")" >/dev/null 2>&1
  end=$(date +%s%N)
  rm -rf "$dir"
  echo $(((end - start) / 1000))
}

bare_times=() quill_times=()
for _ in $(seq "$runs"); do
  bare_times+=("$(one_run "$build/bench/gui_bare_window")")
  quill_times+=("$(one_run "$build/bench/gui_startup_quillbin")")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
bare=$(median "${bare_times[@]}")
quill=$(median "${quill_times[@]}")
echo "bare Qt window:   ${bare} us (median of $runs)"
echo "quillbin to list: ${quill} us (median of $runs)"
awk -v q="$quill" -v b="$bare" 'BEGIN { printf "ratio: %.2f (limit 2.00)\n", q / b }'
