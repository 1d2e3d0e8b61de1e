# SPDX-License-Identifier: GPL-3.0-or-later
# Start a private Xvfb (1920 x 1080) on a free display with the openbox window manager, for the
# tests that need a real X11 window. Source it; start_xserver exports ORBITSIM_X11_DISPLAY and
# stops both programs when the calling script exits.

start_xserver() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    sleep 0.1
  done
  if [ ! -s "$fdfile" ]; then
    echo "error: Xvfb did not start" >&2
    rm -f "$fdfile"
    return 1
  fi
  ORBITSIM_X11_DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
  rm -f "$fdfile"
  export ORBITSIM_X11_DISPLAY
  DISPLAY=$ORBITSIM_X11_DISPLAY openbox >/dev/null 2>&1 &
  WM_PID=$!
  trap stop_xserver EXIT
  # The window manager must own the screen before any test maps a window: the tests read the
  # states and the client list that it keeps.
  for i in $(seq 1 100); do
    DISPLAY=$ORBITSIM_X11_DISPLAY xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
    sleep 0.1
  done
  echo "error: openbox did not start on $ORBITSIM_X11_DISPLAY" >&2
  return 1
}

stop_xserver() {
  local pids=()
  [ -n "${WM_PID:-}" ] && pids+=("$WM_PID")
  [ -n "${XVFB_PID:-}" ] && pids+=("$XVFB_PID")
  [ ${#pids[@]} -eq 0 ] && return 0
  kill "${pids[@]}" 2>/dev/null
  # Only our two programs: the calling script may have other children of its own.
  wait "${pids[@]}" 2>/dev/null || true
  WM_PID= XVFB_PID=
}
