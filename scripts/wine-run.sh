#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix and passes its
# exit code through:  scripts/wine-run.sh PROGRAM.exe [ARGS...]
# A program given by its Unix path runs from a copy inside the prefix's C:
# drive, since the prefix reaches nothing of the host (scripts/wine-sandbox.sh).
# The run fails when a link to the host has appeared in the prefix meanwhile.
# Provides an X display (the shared Xvfb) when DISPLAY is unset.
#   scripts/wine-run.sh --prepare   makes the prefix ready and runs nothing
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

export WINEPREFIX="${WINEPREFIX:-$(dirname "$HERE")/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No debugger (a crash ends the process at once with a failure code), no
# Mono/Gecko install dialogs, no desktop menu entries.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winedbg.exe=d;mscoree=d;mshtml=d;winemenubuilder.exe=d}"
if [ -z "${DISPLAY:-}" ]; then
  DISPLAY=$("$HERE/xvfb-ensure.sh")
  export DISPLAY
fi
# Without 32-bit support in the kernel only Wine's 64-bit loader starts (and
# runs 64-bit programs only); Debian's "wine" would still pick the 32-bit one.
export WINE=wine
if [ "$("$HERE/wine-arch.sh")" = win32 ]; then
  # The 32-bit program is for 32-bit Windows: its prefixes have no 64-bit system
  # folder or registry view beside the ones it sees.
  export WINEARCH=win32
else
  export WINELOADER=/usr/lib/wine/wine64
  WINE=$WINELOADER
fi
"$HERE/wine-prefix.sh"
[ "${1:-}" != --prepare ] || exit 0

program="${1:?usage: wine-run.sh PROGRAM.exe [ARGS...]}"
shift
copy=
if [ -f "$program" ]; then
  copy="$WINEPREFIX/drive_c/run/$$"
  mkdir -p "$copy"
  cp "$program" "$copy/"
  program="C:\\run\\$$\\$(basename "$program")"
fi

# The host's folders are out of reach, the current one included.
cd "$WINEPREFIX/drive_c"
status=0
"$WINE" "$program" "$@" || status=$?
[ -z "$copy" ] || rm -rf "$copy"
"$HERE/wine-sandbox.sh" "$WINEPREFIX" --check || status=1
exit "$status"
