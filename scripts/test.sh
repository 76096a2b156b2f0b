#!/usr/bin/env bash
# Sets up, builds and runs every test (TEST_LABEL: only the tests of that label).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
dir=${TEST_BUILD_DIR:-"$root/build"}
"$root/scripts/build.sh" "$dir" "$@"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" --output-on-failure --parallel "$(nproc)" --timeout 600 ${TEST_LABEL:+--label-regex "^$TEST_LABEL\$"}
