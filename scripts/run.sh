#!/usr/bin/env bash
# Sets up, builds and starts Orvid in its program folder (build/Orvid), a window on the desktop.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
folder="$root/build/Orvid"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Orvid needs a desktop to show its window, and no display is set (DISPLAY, WAYLAND_DISPLAY)." >&2
  echo "Start it from a desktop session, or under a virtual display: xvfb-run -a bash scripts/run.sh" >&2
  exit 1
fi
cd "$folder"
exec ./orvid "$@"
