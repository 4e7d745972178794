#!/usr/bin/env bash
# Runs the end-to-end driver against the real program:
#   tests/e2e/run-e2e.sh <Windows build dir>
# The driver gets the Windows path of Quellery.exe as its argument. It runs in
# a prefix of its own, made fresh each time: the program it drives really
# cleans (temp folder, cookies, registry), which must not touch the prefix that
# the unit tests share.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
BUILD="$(cd "${1:?usage: run-e2e.sh <Windows build dir>}" && pwd)"

# QUELLERY_E2E_PREFIX gives a run a prefix of its own, so that two runs at once do not
# end each other's programs. The prefix is deleted and made anew.
export WINEPREFIX="${QUELLERY_E2E_PREFIX:-$ROOT/build/wineprefix-e2e}"
if [ -e "$WINEPREFIX/.ready" ]; then
  WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
fi
rm -rf "$WINEPREFIX"

# Wine maps drive Z: to the Unix root.
exe="$BUILD/Quellery.exe"
status=0
"$ROOT/scripts/wine-run.sh" "$BUILD/e2e_driver.exe" "Z:${exe//\//\\}" || status=$?

# The driver pictures windows as BMP files (build/screenshots by default); PNG copies
# beside them are easier to look at.
shots="$(dirname "$BUILD")/screenshots"
if command -v convert >/dev/null 2>&1; then
  for bmp in "$shots"/*.bmp; do
    [ -e "$bmp" ] || continue
    png="${bmp%.bmp}.png"
    if [ "$bmp" -nt "$png" ]; then convert "$bmp" "$png" || echo "run-e2e: cannot convert $bmp" >&2; fi
  done
fi
exit "$status"
