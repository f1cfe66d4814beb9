# Sourced: qb_start_xvfb starts a virtual display and exports DISPLAY;
# qb_stop_xvfb ends it.
qb_start_xvfb() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X${n}-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    QB_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      kill -0 "$QB_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  echo "xvfb: no display could be started" >&2
  return 1
}

qb_stop_xvfb() {
  [ -n "${QB_XVFB_PID:-}" ] && kill "$QB_XVFB_PID" 2>/dev/null
  wait "$QB_XVFB_PID" 2>/dev/null || true
  QB_XVFB_PID=""
}
