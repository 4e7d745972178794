#!/usr/bin/env bash
# Runs the end-to-end driver against the real program, with Wine set to answer as
# the Windows version given (winxp, win2k or win98):
#   tests/e2e/run-e2e.sh <Windows build dir> <Windows version> [<shard>/<shards>]
# With a shard, it runs that share of the cases (GoogleTest's sharding), so that the
# suite can run in several pieces side by side.
# The driver gets the Windows path of Quellery.exe as its argument. It runs in
# a prefix of its own, made fresh each time: the program it drives really
# cleans (temp folder, cookies, registry), which must not touch the prefix that
# the unit tests share.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
usage="usage: run-e2e.sh <Windows build dir> <winxp|win2k|win98> [<shard>/<shards>]"
BUILD="$(cd "${1:?$usage}" && pwd)"
export QUELLERY_E2E_WINDOWS="${2:?$usage}"
case "$QUELLERY_E2E_WINDOWS" in winxp|win2k|win98) ;; *) echo "$usage" >&2; exit 2 ;; esac
run="$QUELLERY_E2E_WINDOWS"
if [ -n "${3:-}" ]; then
  case "$3" in [0-9]*/[1-9]*) ;; *) echo "$usage" >&2; exit 2 ;; esac
  export GTEST_SHARD_INDEX="${3%/*}" GTEST_TOTAL_SHARDS="${3#*/}"
  run="$run-$GTEST_SHARD_INDEX"
fi
bits=32; [ "$(basename "$BUILD")" = win64 ] && bits=64
echo "run-e2e: $BUILD/Quellery.exe ($bits-bit) under Wine answering as $QUELLERY_E2E_WINDOWS${3:+, share $3 of the cases}"

# Each run has an X display of its own: the keys one run presses cannot reach the
# programs of another run beside it.
DISPLAY=$("$ROOT/scripts/xvfb-ensure.sh" "e2e-$run")
export DISPLAY

# QUELLERY_E2E_PREFIX gives a run a prefix of its own, so that two runs at once do not
# end each other's programs. The prefix is deleted and made anew.
export WINEPREFIX="${QUELLERY_E2E_PREFIX:-$ROOT/build/wineprefix-e2e-$run}"
if [ -e "$WINEPREFIX/.ready" ]; then
  WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
fi
# A run cut short may have left the wipe case's drive mounted inside the prefix.
wipe_drive="$ROOT/tests/e2e/wipe-drive.sh"
bash "$wipe_drive" remove "$WINEPREFIX"
rm -rf "$WINEPREFIX"

# The prefix reaches nothing of the host, so the program under test runs from a
# folder of its own on the prefix's C: drive, iea.exe beside it, and pictures
# the driver takes are copied out afterwards.
"$ROOT/scripts/wine-run.sh" reg add 'HKCU\Software\Wine' /v Version /d "$QUELLERY_E2E_WINDOWS" /f >/dev/null
program="$WINEPREFIX/drive_c/Quellery"
mkdir -p "$program" "$WINEPREFIX/drive_c/screenshots" "$WINEPREFIX/drive_c/e2e"
cp "$BUILD/Quellery.exe" "$BUILD/iea.exe" "$program/"
# The stand-in for wineboot.exe while a case asks for a restart.
cp "$BUILD/restart_recorder.exe" "$WINEPREFIX/drive_c/e2e/"
# The free-space wipe case fills a drive made for it, when this run holds the case.
# Made or not, it goes when the run ends, however it ends.
status=0
drive_made=
listed=$("$ROOT/scripts/wine-run.sh" "$BUILD/e2e_driver.exe" --gtest_list_tests 2>/dev/null || true)
if grep -q '^WipeFreeSpace\.' <<<"$listed"; then
  trap 'wineserver -k 2>/dev/null || true; bash "$wipe_drive" remove "$WINEPREFIX"' EXIT
  trap 'exit 143' TERM INT HUP
  made=0
  bash "$wipe_drive" make "$WINEPREFIX" || made=$?
  case $made in
    0) drive_made=1 ;;
    2) ;;  # not here: the case skips, saying why
    *) status=1 ;;
  esac
fi
# Wine writes the traces a case asks for to standard error, which goes to a file on
# C: for the driver to read; the rest of it is shown afterwards.
wine_log="$WINEPREFIX/drive_c/e2e/wine-stderr.log"
SCREENSHOT_DIR='C:\screenshots' \
  "$ROOT/scripts/wine-run.sh" "$BUILD/e2e_driver.exe" 'C:\Quellery\Quellery.exe' 2>"$wine_log" || status=$?
grep -Ev '^[0-9a-f]{4}:(Call|Ret|trace:relay|Starting thread) ' "$wine_log" >&2 || true
# Wine's own background programs of the prefix would hold this script's output open.
wineserver -k 2>/dev/null || true
if [ -n "$drive_made" ]; then
  bash "$wipe_drive" check "$WINEPREFIX" || status=1
fi

# The driver pictures windows as BMP files; PNG copies
# beside them are easier to look at.
shots="$ROOT/build/screenshots/$QUELLERY_E2E_WINDOWS"
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
