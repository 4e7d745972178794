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

# The prefix reaches nothing of the host, so the program under test runs from a
# folder of its own on the prefix's C: drive, iea.exe beside it, and pictures
# the driver takes are copied out afterwards.
"$ROOT/scripts/wine-run.sh" cmd /c exit
program="$WINEPREFIX/drive_c/Quellery"
mkdir -p "$program" "$WINEPREFIX/drive_c/screenshots"
cp "$BUILD/Quellery.exe" "$BUILD/iea.exe" "$program/"
status=0
SCREENSHOT_DIR='C:\screenshots' \
  "$ROOT/scripts/wine-run.sh" "$BUILD/e2e_driver.exe" 'C:\Quellery\Quellery.exe' || status=$?
# Wine's own background programs of the prefix would hold this script's output open.
wineserver -k 2>/dev/null || true

# The driver pictures windows as BMP files; PNG copies
# beside them are easier to look at.
shots="$(dirname "$BUILD")/screenshots"
mkdir -p "$shots"
cp "$WINEPREFIX"/drive_c/screenshots/*.bmp "$shots/" 2>/dev/null || true
if command -v convert >/dev/null 2>&1; then
  for bmp in "$shots"/*.bmp; do
    [ -e "$bmp" ] || continue
    png="${bmp%.bmp}.png"
    if [ "$bmp" -nt "$png" ]; then convert "$bmp" "$png" || echo "run-e2e: cannot convert $bmp" >&2; fi
  done
fi
exit "$status"
