#!/usr/bin/env bash
# The Wine-side benchmarks, run by `make bench`:  scripts/wine-bench.sh <Windows build dir>
# They run in a prefix of their own (build/wineprefix-bench), from a folder inside it:
# the program really starts there, saves its settings there, and nothing is shared with
# the tests' prefixes.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:?usage: wine-bench.sh <Windows build dir>}" && pwd)"
export WINEPREFIX="$ROOT/build/wineprefix-bench"
RUN="$ROOT/scripts/wine-run.sh"

"$RUN" cmd /c exit >/dev/null 2>&1 || true  # creates and sandboxes the prefix
dir="$WINEPREFIX/drive_c/quellery-bench"
mkdir -p "$dir"
cp "$BUILD/Quellery.exe" "$BUILD"/bench/*.exe "$dir/"
win='C:\quellery-bench\'
"$RUN" "$dir/HardwareRefreshWine.exe"
"$RUN" "$dir/StartupBench.exe" "${win}Quellery.exe" "${win}BareWindow.exe" "${STARTS:-9}"
