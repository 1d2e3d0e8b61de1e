# Shared by scripts/run, scripts/test and scripts/bench: install the Debian packages the
# project needs, then configure and build into build/ (or the folder in ORBITSIM_BUILD_DIR).
# Source it; it defines ROOT, BUILD and the functions below.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=${ORBITSIM_BUILD_DIR:-$ROOT/build}

# Build tools, Qt 6 Widgets, libxcb for the window look-up, Google Benchmark, the fonts the
# layout names (Liberation is metric-compatible with Arial and Courier New), and what the
# real-window tests run under: Xvfb, a window manager and the X utilities.
PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev libgl-dev libxkbcommon-dev libxcb1-dev
  libbenchmark-dev
  fonts-liberation fontconfig
  xvfb xauth openbox x11-utils
)

missing_packages() {
  local p
  for p in "${PACKAGES[@]}" "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      echo "$p"
    fi
  done
}

install_packages() {
  local missing
  missing=$(missing_packages "$@" | tr '\n' ' ')
  [ -z "${missing// /}" ] && return 0
  echo "Installing missing Debian packages: $missing"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
      sudo=(sudo)
    else
      echo "error: these Debian packages are missing: $missing" >&2
      echo "Install them as root (apt-get install $missing), or run this script as root or with sudo." >&2
      exit 1
    fi
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  # shellcheck disable=SC2086
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends $missing
}

configure_and_build() {
  cmake -S "$ROOT" -B "$BUILD" "$@"
  cmake --build "$BUILD" -j2
}
