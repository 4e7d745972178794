#!/usr/bin/env bash
# Starts Quellery.exe under Wine, waits for its main window and saves a
# screenshot of it to build/screenshots/main.png. With its own Xvfb (DISPLAY
# unset) it then ends the program; on a real display it leaves it running.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
EXE="$ROOT/build/$("$ROOT/scripts/wine-arch.sh")/Quellery.exe"
SHOT="$ROOT/build/screenshots/main.png"
TITLE="Quellery v1.0"
export WINEPREFIX="${WINEPREFIX:-$ROOT/build/wineprefix}"

own_display=0
if [ -z "${DISPLAY:-}" ]; then
  DISPLAY=$("$ROOT/scripts/xvfb-ensure.sh")
  export DISPLAY
  own_display=1
fi

"$ROOT/scripts/wine-run.sh" "$EXE" >"$ROOT/build/run.log" 2>&1 &
pid=$!

# The first start may create the Wine prefix first.
deadline=$((SECONDS + 120))
win=
while [ -z "$win" ]; do
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "run: Quellery.exe ended before showing \"$TITLE\" (see build/run.log)" >&2
    exit 1
  fi
  if [ $SECONDS -ge $deadline ]; then
    echo "run: no window \"$TITLE\" after 120 s" >&2
    exit 1
  fi
  sleep 0.5
  win=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$TITLE\":" | awk '{print $1; exit}') || true
done

sleep 2 # let it paint
mkdir -p "$(dirname "$SHOT")"
import -window "$win" "$SHOT"
echo "run: screenshot of \"$TITLE\" saved to $SHOT"

if [ "$own_display" = 1 ]; then
  wineserver -k
  wait "$pid" || true
else
  echo "run: Quellery.exe keeps running on $DISPLAY"
fi
