#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed time (seconds, default 30),
# each from its seeds (build-fuzz/fuzz-seeds/NAME, made or copied at build and fuzz time) and
# with its dictionary where the format has one (build-fuzz/fuzz-dicts/NAME.dict).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
dir="$root/build-fuzz"
"$root/scripts/setup.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZQ_FUZZ=ON -DZQ_BENCH=OFF
cmake --build "$dir" --target fuzzers --parallel "$(nproc)"
"$root/scripts/fuzz-seeds.sh" "$dir/fuzz-seeds"
shopt -s nullglob
targets=("$dir"/fuzz/*)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets"; exit 0; }
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$dir/corpus/$name"
  mkdir -p "$corpus"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1)
  [ -f "$dir/fuzz-dicts/$name.dict" ] && options+=(-dict="$dir/fuzz-dicts/$name.dict")
  seeds=()
  [ -d "$dir/fuzz-seeds/$name" ] && seeds=("$dir/fuzz-seeds/$name")
  echo "== fuzzing $name for ${seconds}s =="
  "$target" "${options[@]}" "$corpus" "${seeds[@]}"
done
