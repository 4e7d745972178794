#!/usr/bin/env bash
# Prints a DISPLAY value served by one of the project's Xvfb servers, starting it
# on a free display number when it is not running. Safe to run concurrently.
#   scripts/xvfb-ensure.sh          the shared one (build/xvfb.*)
#   scripts/xvfb-ensure.sh NAME     one of its own (build/xvfb-NAME.*): key presses a
#                                   test makes there reach no program of another test
set -euo pipefail
BUILD="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build"
state="$BUILD/xvfb${1:+-$1}"
mkdir -p "$BUILD"
exec 9>"$state.lock"
flock 9

if [ -s "$state.display" ]; then
  n=$(cat "$state.display")
  if xdpyinfo -display ":$n" >/dev/null 2>&1; then echo ":$n"; exit 0; fi
fi

# Choosing a number and taking it is one step for every caller on the machine.
exec 8>/tmp/.quellery-xvfb-numbers.lock
flock 8
n=90
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
# Detached, with no inherited descriptors, so it outlives us and holds no pipe
# of a caller (ctest waits for its test's output pipes to close).
setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 8>&- 9>&- &
echo $! >"$state.pid"
for _ in $(seq 100); do
  if xdpyinfo -display ":$n" >/dev/null 2>&1; then
    echo "$n" >"$state.display"
    echo ":$n"
    exit 0
  fi
  sleep 0.1
done
echo "xvfb-ensure: Xvfb :$n did not start" >&2
exit 1
