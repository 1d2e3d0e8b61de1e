#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every C++ file of the project follows its one format (.clang-format); scripts/format applies it.
#   format.sh SOURCE-ROOT
set -euo pipefail
cd "$1"
differing=$(git ls-files '*.cpp' '*.h' | while read -r f; do
              clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || echo "$f"
            done)
if [ -n "$differing" ]; then
  echo "error: these files differ from the project's format (scripts/format applies it):" >&2
  echo "$differing" >&2
  exit 1
fi
echo "every C++ file follows the project's format"
