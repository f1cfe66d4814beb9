#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix (code page 936,
# Chinese fonts). CTest uses it as the emulator of the cross build.
# Without DISPLAY it starts a private Xvfb for this one run and ends its
# wineserver afterwards.
set -uo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/wine-env.sh"

own_display=""
if [ -z "${DISPLAY:-}" ]; then
  own_display=1
  source "$here/xvfb.sh"
  qb_start_xvfb
fi

"$here/wine-prefix.sh"
wine "$@"
status=$?

if [ -n "$own_display" ]; then
  wineserver -k 2>/dev/null
  qb_stop_xvfb
fi
exit $status
