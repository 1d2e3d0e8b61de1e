#!/usr/bin/env bash
# Installs the build into a staging folder, validates the launcher and the AppStream
# description, and checks that the Debian package names what the program needs.
set -euo pipefail
build=$1
staging=$2
rm -rf "$staging"
cmake --install "$build" --prefix "$staging" >/dev/null

for f in bin/orbitsim bin/orbitsim-flight share/applications/io.orbitsim.OrbitSim.desktop \
         share/icons/hicolor/scalable/apps/io.orbitsim.OrbitSim.svg \
         share/metainfo/io.orbitsim.OrbitSim.metainfo.xml; do
  [ -e "$staging/$f" ] || { echo "missing after install: $f" >&2; exit 1; }
done
desktop-file-validate "$staging/share/applications/io.orbitsim.OrbitSim.desktop"
appstreamcli validate --no-net --pedantic "$staging/share/metainfo/io.orbitsim.OrbitSim.metainfo.xml"
grep -q '<svg' "$staging/share/icons/hicolor/scalable/apps/io.orbitsim.OrbitSim.svg"

packages="$staging/packages"
mkdir -p "$packages"
(cd "$packages" && cpack --config "$build/CPackConfig.cmake" -B "$packages" >/dev/null)
deb=$(ls "$packages"/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libxcb1 fonts-liberation; do
  case "$depends" in *"$needed"*) ;; *) echo "the package does not depend on $needed" >&2; exit 1;; esac
done
contents=$(dpkg-deb -c "$deb")
grep -q './usr/bin/orbitsim$' <<<"$contents"
echo "installed, validated and packaged: $(basename "$deb")"
