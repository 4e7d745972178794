#!/usr/bin/env bash
# Makes sure the Wine prefix $WINEPREFIX exists and is cut off from the host
# (scripts/wine-sandbox.sh), creating it on first use (about 15 s; one creator
# at a time). Expects the environment that scripts/wine-run.sh sets up.
set -euo pipefail
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
: "${WINEPREFIX:?}" "${WINE:?}"

# A prefix serves the builds of one bitness: .ready holds the one it was made for.
ARCH="${WINEARCH:-win64}"
made_for() { cat "$WINEPREFIX/.ready" 2>/dev/null; }

# The project's own prefixes start as copies of one made for their bitness.
PROJECT_BUILD="$(dirname "$HERE")/build"
TEMPLATE="$PROJECT_BUILD/wineprefix-template-$ARCH"
case "$WINEPREFIX" in
  "$TEMPLATE") TEMPLATE= ;;
  "$PROJECT_BUILD/"*) ;;
  *) TEMPLATE= ;;
esac

if [ "$(made_for)" != "$ARCH" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ -e "$WINEPREFIX/.ready" ] && [ "$(made_for)" != "$ARCH" ]; then
      # The project's own prefixes are made anew; one of the user's is left as it is.
      case "$WINEPREFIX" in
        "$PROJECT_BUILD/"*)
          wineserver -k 2>/dev/null || true
          rm -rf "$WINEPREFIX" ;;
        *)
          echo "wine-prefix: $WINEPREFIX was not made for $ARCH programs; choose another WINEPREFIX" >&2
          exit 1 ;;
      esac
    fi
    if [ ! -e "$WINEPREFIX/.ready" ] && [ -n "$TEMPLATE" ]; then
      # A copy of a prepared prefix takes a second; wineboot takes fifteen.
      WINEPREFIX="$TEMPLATE" "$HERE/wine-prefix.sh"
      rm -rf "$WINEPREFIX"
      cp -a "$TEMPLATE" "$WINEPREFIX"
    fi
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
      # Linux program as it is); there is no Z: drive to reach /bin through. split
      # seeds large folders: Wine looks through a folder for another case of each
      # new name, so 20,000 files made one by one take minutes.
      mkdir -p "$WINEPREFIX/drive_c/unixtools"
      cp /bin/ln /bin/rm /usr/bin/split "$WINEPREFIX/drive_c/unixtools/"
      echo "$ARCH" >"$WINEPREFIX/.ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# Wine may link the profile folders again when it updates a prefix.
"$HERE/wine-sandbox.sh" "$WINEPREFIX"
