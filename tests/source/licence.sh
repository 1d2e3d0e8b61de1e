#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file of the project names its licence in an SPDX line among its first three
# lines: the C++ sources, the CMake files, the scripts and the desktop files.
#   licence.sh SOURCE-ROOT
set -euo pipefail
root=$1
missing=$(cd "$root" && find . \( -path './build*' -o -path './.git' -o -path '*/corpus' \) -prune -o \
            -type f \( -name '*.cpp' -o -name '*.h' -o -name 'CMakeLists.txt' -o -name '*.sh' \
            -o -name '*.desktop' -o -name '*.svg' -o -name '*.xml' -o -name '*.1' \
            -o -path './scripts/*' -o -path './.ci/*' \) -print |
          while read -r f; do head -n 3 "$f" | grep -q 'SPDX-License-Identifier:' || echo "$f"; done | sort)
if [ -n "$missing" ]; then
  echo "error: these files have no SPDX-License-Identifier line among their first three:" >&2
  echo "$missing" >&2
  exit 1
fi
echo "every source file names its licence"
