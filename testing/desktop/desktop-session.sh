#!/usr/bin/env bash
# Runs one command (a desktop test) in an X session of its own: Xvfb on a free display, a private
# D-Bus session bus with the accessibility bus on it, and openbox as window manager when asked.
# Qt's accessibility bridge is on, the offscreen platform is off. Everything the session started
# is stopped by process id when the command ends, fails or the session is interrupted.
#
# Usage: desktop-session.sh [--window-manager] [--screen WxH] -- command [args...]
# The command sees DISPLAY, DBUS_SESSION_BUS_ADDRESS and DESKTOP_SESSION_DIR (a scratch folder
# removed afterwards). Tests are usually Python scripts on orvid_desktop.py beside this file,
# registered with zq_add_desktop_test (cmake/ZqTesting.cmake).
set -euo pipefail

window_manager=0
screen=1920x1200
while [ $# -gt 0 ]; do
  case $1 in
    --window-manager) window_manager=1; shift ;;
    --screen) screen=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--window-manager] [--screen WxH] -- command [args...]" >&2; exit 2; }

session=$(mktemp -d)
started=()

# The processes started here with all their descendants, children before their parents are gone.
descendants() {
  local pid child
  for pid in "$@"; do
    echo "$pid"
    for child in $(ps -o pid= --ppid "$pid" 2>/dev/null); do descendants "$child"; done
  done
}

stop_all() {
  local rc=$? pid tree=() alive
  trap - EXIT TERM INT HUP
  if [ ${#started[@]} -gt 0 ]; then
    mapfile -t tree < <(descendants "${started[@]}")
    for pid in "${tree[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
    for _ in $(seq 100); do
      alive=0
      for pid in "${tree[@]}"; do kill -0 "$pid" 2>/dev/null && alive=1; done
      [ $alive -eq 0 ] && break
      sleep 0.05
    done
    for pid in "${tree[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
    for pid in "${started[@]}"; do wait "$pid" 2>/dev/null || true; done
  fi
  [ "$rc" -eq 0 ] || { echo "--- the desktop session's messages ---"; cat "$session/session.log"; } >&2
  rm -rf "$session"
  exit "$rc"
}
trap stop_all EXIT
trap 'exit 143' TERM INT HUP

# Starts a process of the session, its messages kept for a failure; it also ends when this
# script is killed outright.
start() {
  setpriv --pdeathsig KILL "$@" >>"$session/session.log" 2>&1 &
  started+=($!)
}

# Polls a command until it succeeds, for at most 20 seconds.
await() {
  local what=$1
  shift
  for _ in $(seq 400); do
    "$@" >/dev/null 2>&1 && return 0
    kill -0 "${started[-1]}" 2>/dev/null || { echo "$what ended before it was ready" >&2; return 1; }
    sleep 0.05
  done
  echo "$what was not ready in time" >&2
  return 1
}

mkdir -m 700 "$session/runtime" "$session/config"
: >"$session/session.log"
export XDG_RUNTIME_DIR=$session/runtime XDG_CONFIG_HOME=$session/config DESKTOP_SESSION_DIR=$session
unset QT_QPA_PLATFORM ZQ_PRESENTER WAYLAND_DISPLAY SESSION_MANAGER

# Xvfb picks a free display itself, but two sessions starting at once can still race for one
# display's lock, and the one that loses ends at once: it is started again.
for attempt in 1 2 3 4 5; do
  : >"$session/display"
  start Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$session/display"
  await "Xvfb" grep -q '[0-9]' "$session/display" && break
  [ $attempt -lt 5 ] || exit 1
done
export DISPLAY=:$(tr -dc 0-9 <"$session/display")

: >"$session/bus"
start dbus-daemon --session --nofork --nopidfile --address="unix:path=$session/bus-socket" --print-address=3 \
  3>"$session/bus"
await "the session bus" grep -q unix "$session/bus"
DBUS_SESSION_BUS_ADDRESS=$(head -1 "$session/bus")
export DBUS_SESSION_BUS_ADDRESS

# The accessibility bus, and Qt's bridge to it whether or not a screen reader asks. Its launcher is
# started here (one the session bus activated would not be a child of this script).
accessibility_bus_owned() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q 'boolean true'
}
start /usr/libexec/at-spi-bus-launcher --launch-immediately
await "the accessibility bus" accessibility_bus_owned
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0

if [ $window_manager -eq 1 ]; then
  start openbox --sm-disable
  await "openbox" wmctrl -m
fi

setpriv --pdeathsig KILL "$@" &
started+=($!)
wait "${started[-1]}"
