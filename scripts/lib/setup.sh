# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by scripts/run, scripts/test and scripts/bench: install the Debian packages the
# project needs, then configure and build into build/ (or the folder in ORBITSIM_BUILD_DIR).
# Source it; it defines ROOT, BUILD and the functions below.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD=${ORBITSIM_BUILD_DIR:-$ROOT/build}

# What the program and the flight tool need to build and run: build tools, Qt 6 Widgets with
# its SVG plugins (the window icon), libxcb for the window look-up, and the fonts the layout
# names (Liberation is metric-compatible with Arial and Courier New).
PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev libgl-dev libxkbcommon-dev libxcb1-dev libqt6svg6
  fonts-liberation fontconfig
)

# What the tests and benchmarks add: Google Benchmark; Xvfb, a window manager and the X
# utilities for the real-window tests, with XTest for the keys they hold down; a session bus,
# the accessibility bus and Debian's Python binding of it for the accessibility test; a
# headless Wayland compositor and Qt's Wayland plugin for the Wayland ones; clang with its
# libFuzzer runtime for the fuzz targets; the validators of the launcher and its description,
# and the Debian package tools with lintian; the formatter the sources are checked against.
TEST_PACKAGES=(
  libbenchmark-dev
  xvfb xauth openbox x11-utils
  dbus at-spi2-core python3-pyatspi libxcb-xtest0-dev
  weston qt6-wayland
  clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev lintian
  clang-format
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

# configure_and_build CMAKE-OPTIONS...: configures build/ (or $BUILD) and builds it with -j2.
configure_and_build() {
  cmake -S "$ROOT" -B "$BUILD" "$@"
  cmake --build "$BUILD" -j2
}

# The fuzz targets build apart, with clang, from the Qt-free flight core only.
FUZZ_BUILD=${ORBITSIM_FUZZ_BUILD_DIR:-$ROOT/build-fuzz}
FUZZ_TARGETS=(numbertext flight)

build_fuzz_targets() {
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$FUZZ_BUILD" -DORBITSIM_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$FUZZ_BUILD" -j2
}

# run_fuzz_targets LIBFUZZER-OPTIONS...: every target over its seed corpus, new inputs kept in
# a scratch corpus outside the repository.
run_fuzz_targets() {
  local target corpus log status
  for target in "${FUZZ_TARGETS[@]}"; do
    corpus="$FUZZ_BUILD/corpus-$target"
    log="$FUZZ_BUILD/fuzz-$target.log"
    mkdir -p "$corpus"
    status=0
    (cd "$FUZZ_BUILD" && "./fuzz_$target" "$@" "$corpus" "$ROOT/tests/fuzz/corpus/$target") \
      >"$log" 2>&1 || status=$?
    if [ "$status" != 0 ]; then
      tail -n 40 "$log" >&2
      echo "error: fuzz_$target found a failing input (see $log)" >&2
      return 1
    fi
    echo "fuzz_$target: $(grep -E '^Done' "$log" | tail -n 1)"
  done
}
