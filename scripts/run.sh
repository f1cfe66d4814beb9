#!/usr/bin/env bash
# Sets up the machine, builds Quillbox for Windows and starts it under Wine.
# With a display (DISPLAY set) Quillbox appears there. Without one it runs on
# a virtual display, and a screenshot of the main window is written to
# build/screenshots/main-window.png. Stop it with Ctrl+C (or the exit command
# of its tray menu / toolbar). QB_RUN_SECONDS=N stops it after N seconds.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/setup.sh || exit 1
scripts/build.sh windows || exit 1

export QB_WINEPREFIX="$root/build/windows/wineprefix"
source scripts/xvfb.sh
virtual=""
if [ -z "${DISPLAY:-}" ]; then
  virtual=1
  qb_start_xvfb || exit 1
  echo "run: no display found; Quillbox runs on the virtual display $DISPLAY"
fi
scripts/wine-prefix.sh

finish() {
  (source scripts/wine-env.sh && wineserver -k 2>/dev/null)
  [ -n "$virtual" ] && qb_stop_xvfb
}
trap finish EXIT INT TERM

(source scripts/wine-env.sh && exec wine "$root/build/windows/quillbox.exe") &
program=$!

if [ -n "$virtual" ]; then
  mkdir -p build/screenshots
  for _ in $(seq 1 60); do
    xdotool search --name "^Quillbox v" >/dev/null 2>&1 && break
    sleep 0.5
  done
  sleep 2
  import -window root build/screenshots/main-window.png 2>/dev/null &&
    echo "run: screenshot of the main window: $root/build/screenshots/main-window.png"
fi

if [ -n "${QB_RUN_SECONDS:-}" ]; then
  sleep "$QB_RUN_SECONDS"
else
  wait "$program"
fi
