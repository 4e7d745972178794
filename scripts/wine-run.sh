#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix and passes its
# exit code through:  scripts/wine-run.sh PROGRAM.exe [ARGS...]
# Provides an X display (a shared Xvfb) when DISPLAY is unset.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

export WINEPREFIX="${WINEPREFIX:-$ROOT/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
# No debugger (a crash ends the process at once), no Mono/Gecko install
# dialogs, no desktop menu entries.
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d;winemenubuilder.exe=d"
if [ -z "${DISPLAY:-}" ]; then
  DISPLAY=$("$ROOT/scripts/xvfb-ensure.sh")
  export DISPLAY
fi

# First use creates the prefix; one creator at a time.
if [ ! -e "$WINEPREFIX/.ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -e "$WINEPREFIX/.ready" ]; then
      wine wineboot -i >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

exec wine "$@"
