#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given as $1; extra CMake options follow);
# BUILD_TARGET names one target to build instead of all.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-"$root/build"}
shift || true
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-RelWithDebInfo}" "$@"
cmake --build "$dir" --parallel "$(nproc)" ${BUILD_TARGET:+--target "$BUILD_TARGET"}
