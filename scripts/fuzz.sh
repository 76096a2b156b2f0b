#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed time (seconds, default 30).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
dir="$root/build-fuzz"
"$root/scripts/setup.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZQ_FUZZ=ON -DZQ_BENCH=OFF
cmake --build "$dir" --target fuzzers --parallel "$(nproc)"
shopt -s nullglob
targets=("$dir"/fuzz/*)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets"; exit 0; }
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$dir/corpus/$name"
  mkdir -p "$corpus"
  echo "== fuzzing $name for ${seconds}s =="
  "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus"
done
