#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program's identity on the desktop: the launcher's file name, its Icon and
# StartupWMClass, the AppStream id and launchable, the window's WM_CLASS on the X server of the
# real-window tests and its app id under a headless Wayland compositor (where weston and Qt's
# Wayland plugin are installed) are one application id; the window icon is the icon theme's of
# that name; and under Wayland a second start is refused through the session's own socket.
#   identity.sh STAGING   (the installation that install_validates made)
set -euo pipefail
staging=$1
program=$staging/bin/orbitsim
fail() { echo "error: $*" >&2; exit 1; }

desktop=$(ls "$staging"/share/applications/*.desktop)
id=$(basename "$desktop" .desktop)
field() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
[ "$(field StartupWMClass)" = "$id" ] || fail "StartupWMClass is '$(field StartupWMClass)' in $id.desktop"
[ "$(field Icon)" = "$id" ] || fail "Icon is '$(field Icon)' in $id.desktop"
[ -e "$staging/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no icon named $id installed"
metainfo=$staging/share/metainfo/$id.metainfo.xml
grep -q "<id>$id</id>" "$metainfo" || fail "the AppStream id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the AppStream launchable is not $id.desktop"

scratch=$(mktemp -d)
pids=()
cleanup() {
  local p
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
  rm -rf "$scratch"
}
trap cleanup EXIT

# wait_for SECONDS COMMAND...: true once the command succeeds.
wait_for() {
  local tries=$(($1 * 10))
  shift
  while ! "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

# X11. An icon theme holding a plain red icon of that name shows where the window's icon comes from.
display=${ORBITSIM_X11_DISPLAY:?ORBITSIM_X11_DISPLAY is not set: run this through scripts/test, which starts Xvfb with openbox}
icons=$scratch/share/icons/hicolor/scalable/apps
mkdir -p "$icons"
echo '<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16"><rect width="16" height="16" fill="#ff0000"/></svg>' >"$icons/$id.svg"
env -u WAYLAND_DISPLAY DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_DATA_DIRS="$scratch/share:/usr/share" \
  "$program" &
pid=$!
pids+=("$pid")
# The program's managed window: titled, with a WM_CLASS, and its _NET_WM_PID.
find_window() {
  local w
  for w in $(xwininfo -display "$display" -root -tree |
             awk '/"Satellite orbit simulation": \("/ {print $1}'); do
    if xprop -display "$display" -id "$w" _NET_WM_PID | grep -q "= $pid\$"; then
      window=$w
      return 0
    fi
  done
  return 1
}
window=
wait_for 20 find_window || fail "no window of the program appeared on $display"
wm_class=$(xprop -display "$display" -id "$window" WM_CLASS)
[ "$wm_class" = "WM_CLASS(STRING) = \"$id\", \"$id\"" ] || fail "$wm_class, the launcher is $id.desktop"
# Width, height, then the first pixel as ARGB: opaque red.
icon=$(xprop -display "$display" -id "$window" -f _NET_WM_ICON 32c _NET_WM_ICON | cut -d, -f3 | tr -d ' ')
[ "$icon" = "$((0xFFFF0000))" ] || fail "the window icon is not the icon theme's $id (first pixel $icon)"
echo "X11: WM_CLASS $id, icon from the theme"

# Wayland, headless.
if ! command -v weston >/dev/null || ! compgen -G "/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so" >/dev/null; then
  echo "Wayland: skipped (weston or qt6-wayland is not installed)"
  exit 0
fi
runtime=$scratch/runtime
mkdir -m 700 "$runtime"
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --socket=orbitsim-test --idle-time=0 \
  >"$scratch/weston.log" 2>&1 &
pids+=("$!")
wait_for 20 test -S "$runtime/orbitsim-test" || { cat "$scratch/weston.log" >&2; fail "weston did not start"; }
wayland=(env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=orbitsim-test
         QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$program")
"${wayland[@]}" 2>"$scratch/first.log" &
first=$!
pids+=("$first")
app_id() { sed -n 's/.*xdg_toplevel@[0-9]*\.set_app_id("\(.*\)").*/\1/p' "$scratch/first.log" | tail -n 1; }
has_app_id() { [ -n "$(app_id)" ]; }
wait_for 20 has_app_id || fail "the program showed no window under Wayland"
[ "$(app_id)" = "$id" ] || fail "the Wayland app id is '$(app_id)', the launcher is $id.desktop"

status=0
timeout 10 "${wayland[@]}" 2>"$scratch/second.log" || status=$?
[ "$status" = 0 ] || fail "a second start under Wayland ended with status $status"
! grep -q 'get_toplevel' "$scratch/second.log" || fail "a second start under Wayland showed a window"
kill -0 "$first" 2>/dev/null || fail "the first window ended"
echo "Wayland: app id $id, a second start refused"
