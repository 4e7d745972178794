#!/usr/bin/env bash
# Makes sure the Wine prefix $WINEPREFIX exists and is cut off from the host
# (scripts/wine-sandbox.sh), creating it on first use (about 15 s; one creator
# at a time). Expects the environment that scripts/wine-run.sh sets up.
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
: "${WINEPREFIX:?}" "${WINE:?}"

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
      "$HERE/wine-sandbox.sh" "$WINEPREFIX"
      # Tests make and remove Unix links with these, started from C: (Wine runs a
      # Linux program as it is); there is no Z: drive to reach /bin through.
      mkdir -p "$WINEPREFIX/drive_c/unixtools"
      cp /bin/ln /bin/rm "$WINEPREFIX/drive_c/unixtools/"
      touch "$WINEPREFIX/.ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# Wine may link the profile folders again when it updates a prefix.
"$HERE/wine-sandbox.sh" "$WINEPREFIX"
