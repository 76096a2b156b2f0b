#!/usr/bin/env bash
# Sets up, builds and starts Orvid.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
if [ ! -x "$root/build/app/orvid" ]; then
  echo "Orvid itself is not built yet: the program comes with its main window." >&2
  exit 1
fi
cd "${ORVID_HOME:-$root}"
exec "$root/build/app/orvid" "$@"
