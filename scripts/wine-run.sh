#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix and passes its
# exit code through:  scripts/wine-run.sh PROGRAM.exe [ARGS...]
# Provides an X display (the shared Xvfb) when DISPLAY is unset.
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
WINE=wine
if [ "$("$HERE/wine-arch.sh")" != win32 ]; then
  export WINELOADER=/usr/lib/wine/wine64
  WINE=$WINELOADER
fi

# The first use creates the prefix (about 15 s); one creator at a time.
if [ ! -e "$WINEPREFIX/.ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -e "$WINEPREFIX/.ready" ]; then
      "$WINE" wineboot -i >/dev/null 2>&1
      # Wine 8 here does not find its own fonts (Tahoma, Marlett for caption
      # buttons, MS Sans Serif) in /usr/share/wine/fonts: install them.
      cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
      # Wine draws captions and frames itself, as Windows does, instead of
      # leaving them to a window manager (Xvfb has none).
      "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
      wineserver -w
      touch "$WINEPREFIX/.ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

exec "$WINE" "$@"
