#!/usr/bin/env bash
# Sets up the machine, builds Quillbox for Windows and starts it under Wine:
#   scripts/run.sh [windows|windows32]
# windows (the default) is the 64-bit program, windows32 the 32-bit one.
# With a display (DISPLAY set) Quillbox appears there. Without one it runs on
# a virtual display, and a screenshot of the main window is written to
# build/screenshots/main-window.png. Stop it with Ctrl+C (or the exit command
# of its tray menu / toolbar). QB_RUN_SECONDS=N stops it after N seconds.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

kind="${1:-windows}"
case "$kind" in
  windows|windows32) ;;
  *) echo "usage: $0 [windows|windows32]" >&2; exit 2 ;;
esac

scripts/setup.sh || exit 1
if [ "$kind" = windows32 ] && ! (source scripts/wine-env.sh && qb_wine32_runs); then
  echo "run: this machine runs no 32-bit programs, so Wine cannot run the 32-bit Quillbox here" >&2
  exit 1
fi
scripts/build.sh "$kind" || exit 1

export QB_WINEPREFIX="$root/build/$kind/wineprefix"
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

(source scripts/wine-env.sh && exec wine "$root/build/$kind/quillbox.exe") &
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
