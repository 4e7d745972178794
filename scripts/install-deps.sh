#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Does nothing when
# they are all present, so it is cheap to run before every build.
set -euo pipefail

# g++-mingw-w64-x86-64: where the kernel cannot run 32-bit x86 code, Wine runs
# only 64-bit Windows programs, so the Windows tests also get a 64-bit build.
# fonts-wine: Wine's own Tahoma and Marlett (caption buttons), as on Windows.
# nsis: makensis builds the Windows installer.
# clang, libclang-rt-dev: libFuzzer and the sanitizers for the fuzz target.
PKGS=(cmake make g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386
      wine64 fonts-wine xvfb xauth imagemagick googletest libgtest-dev
      libgmock-dev python3 x11-utils nsis pkg-config libsodium-dev clang libclang-rt-dev)

ok=$(dpkg-query -W -f='${Status}\n' "${PKGS[@]}" 2>/dev/null | grep -c 'ok installed' || true)
[ "$ok" -ge ${#PKGS[@]} ] && exit 0

echo "install-deps: installing the build and test packages (about a minute)"
SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
log=$(mktemp)
# A mirror caught mid-sync serves an index of the wrong size for a while: try again.
update() {
  for attempt in 1 2 3 4; do
    $SUDO apt-get update -qq && return 0
    [ $attempt -lt 4 ] && sleep $((attempt * 15))
  done
  return 1
}
if ! { $SUDO dpkg --add-architecture i386 &&
       update &&
       $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
         --no-install-recommends "${PKGS[@]}"; } >"$log" 2>&1; then
  cat "$log" >&2; rm -f "$log"; exit 1
fi
rm -f "$log"
echo "install-deps: done"
