#!/usr/bin/env bash
# Starts the real orvid from a moved copy of the program folder on a virtual desktop (Xvfb) with the
# Qt presenter, waits for its main window, keeps a screenshot, closes it as a user would (its
# OK button, by its Alt+O key) and checks that it saved its settings.
# Usage: StartsOnADesktop.sh <program folder> <screenshot.png>
set -euo pipefail
# A sanitizer build reports leaks at exit; those of the desktop's libraries are not ours.
export LSAN_OPTIONS="suppressions=$(cd "$(dirname "$0")/../../../testing/desktop" && pwd)/lsan.supp:print_suppressions=0"
folder=$1
shot=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$folder" "$scratch/Orvid"
rm "$scratch/Orvid/Orvid.INI"
# The copy runs on the libraries it carries.
libraries=$(ldd "$scratch/Orvid/orvid")
for library in libzqplatform.so libZQ_Vantor.so libzqruntime.so libZQ_Graphic.so; do
  grep -q "$library => $scratch/Orvid/lib/$library" <<<"$libraries" ||
    { echo "$library is not taken from the program folder"; echo "$libraries"; exit 1; }
done
mkdir -p "$(dirname "$shot")"

xvfb-run -a -s "-screen 0 1280x800x24" bash -s "$scratch/Orvid" "$shot" <<'DESKTOP'
set -euo pipefail
cd "$1"
unset QT_QPA_PLATFORM ZQ_PRESENTER
./orvid > orvid.log 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Orvid ' | head -1)
[ -n "$window" ] || { echo "no main window"; kill "$pid"; exit 1; }
sleep 1  # painted
import -window root "$2"
xdotool windowfocus --sync "$window"
xdotool key --window "$window" alt+o
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  echo "orvid did not close"; kill "$pid"; exit 1
fi
wait "$pid" || { status=$?; echo "orvid ended with $status:"; cat orvid.log; exit 1; }
DESKTOP

grep -q '^\[MAIN\]' "$scratch/Orvid/Orvid.INI" || { echo "Orvid.INI was not written"; exit 1; }
grep -q '^MainWinPos=[0-9]*,[0-9]*,[0-9]*,[0-9]*' "$scratch/Orvid/Orvid.INI" || { echo "no window position saved"; exit 1; }
echo "screenshot: $shot"
