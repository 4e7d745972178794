#!/usr/bin/env bash
# Prints a DISPLAY value served by the project's shared Xvfb, starting it on a
# free display number when it is not running. Safe to run concurrently.
set -euo pipefail
BUILD="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build"
mkdir -p "$BUILD"
exec 9>"$BUILD/xvfb.lock"
flock 9

if [ -s "$BUILD/xvfb.display" ]; then
  n=$(cat "$BUILD/xvfb.display")
  if xdpyinfo -display ":$n" >/dev/null 2>&1; then echo ":$n"; exit 0; fi
fi

n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
# Detached, with no inherited descriptors, so it outlives us and holds no pipe
# of a caller (ctest waits for its test's output pipes to close).
setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 9>&- &
echo $! >"$BUILD/xvfb.pid"
for _ in $(seq 100); do
  if xdpyinfo -display ":$n" >/dev/null 2>&1; then
    echo "$n" >"$BUILD/xvfb.display"
    echo ":$n"
    exit 0
  fi
  sleep 0.1
done
echo "xvfb-ensure: Xvfb :$n did not start" >&2
exit 1
