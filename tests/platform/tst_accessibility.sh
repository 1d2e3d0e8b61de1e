#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs tst_accessibility.py on the suite's X server under a private session bus, on which the
# accessibility bus and its registry start on demand and end with it.
#   tst_accessibility.sh PROGRAM
set -euo pipefail
if [ -z "${ORBITSIM_X11_DISPLAY:-}" ]; then
  echo "ORBITSIM_X11_DISPLAY is not set. This test needs an X server with a window manager: run" \
       "it through scripts/test, which starts Xvfb with openbox and sets it." >&2
  exit 1
fi
export DISPLAY=$ORBITSIM_X11_DISPLAY
here=$(cd "$(dirname "$0")" && pwd)
status=0
# Debian's own Python, which holds python3-pyatspi, whatever python3 comes first in PATH.
dbus-run-session -- /usr/bin/python3 "$here/tst_accessibility.py" "$1" || status=$?
# The accessibility bus announced its address on the display; later programs there must not
# look for it once it is gone.
xprop -root -remove AT_SPI_BUS 2>/dev/null || true
exit "$status"
