#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a staging folder and checks what a packager and a desktop see: the
# launcher and the AppStream description validate, the manual pages read without warnings, the
# licence, copyright and changelog are where Debian keeps them, and the Debian package names
# what the program needs (its libraries as dpkg-shlibdeps computed them) and passes lintian
# without an error.
set -euo pipefail
build=$1
staging=$2
rm -rf "$staging"
cmake --install "$build" --prefix "$staging" >/dev/null
fail() { echo "error: $*" >&2; exit 1; }

for f in bin/orbitsim bin/orbitsim-flight share/applications/io.orbitsim.OrbitSim.desktop \
         share/icons/hicolor/scalable/apps/io.orbitsim.OrbitSim.svg \
         share/metainfo/io.orbitsim.OrbitSim.metainfo.xml \
         share/man/man1/orbitsim.1.gz share/man/man1/orbitsim-flight.1.gz \
         share/doc/orbitsim/copyright share/doc/orbitsim/changelog.gz; do
  [ -e "$staging/$f" ] || fail "missing after install: $f"
done
desktop-file-validate "$staging/share/applications/io.orbitsim.OrbitSim.desktop"
metainfo=$staging/share/metainfo/io.orbitsim.OrbitSim.metainfo.xml
appstreamcli validate --no-net --pedantic "$metainfo"
for tag in '<project_license>GPL-3.0-or-later</project_license>' '<description>' '<screenshot ' '<release '; do
  grep -q "$tag" "$metainfo" || fail "the AppStream description lacks $tag"
done
grep -q '<svg' "$staging/share/icons/hicolor/scalable/apps/io.orbitsim.OrbitSim.svg"
for page in orbitsim orbitsim-flight; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$staging/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man reports for $page.1: $warnings"
done

packages="$staging/packages"
mkdir -p "$packages"
(cd "$packages" && cpack --config "$build/CPackConfig.cmake" -B "$packages" >/dev/null)
deb=$(ls "$packages"/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
# Versioned library dependencies come from dpkg-shlibdeps; the fonts and the SVG plugins are
# loaded, not linked, and are named by hand.
for needed in 'libc6 (>=' 'libqt6widgets6 (>=' libxcb1 fonts-liberation libqt6svg6; do
  case "$depends" in *"$needed"*) ;; *) fail "the package does not depend on $needed: $depends";; esac
done
contents=$(dpkg-deb -c "$deb")
for f in usr/bin/orbitsim usr/bin/orbitsim-flight usr/share/man/man1/orbitsim.1.gz \
         usr/share/man/man1/orbitsim-flight.1.gz usr/share/doc/orbitsim/copyright \
         usr/share/doc/orbitsim/changelog.gz; do
  grep -q "\./$f\$" <<<"$contents" || fail "the package lacks /$f"
done
lintian --allow-root --fail-on error --info "$deb" || fail "lintian reports errors in $(basename "$deb")"
echo "installed, validated and packaged: $(basename "$deb")"
