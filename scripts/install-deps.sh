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

# npm fetches SQLite's amalgamation (scripts/fetch-sqlite.sh); a machine whose Node.js
# brings npm with it needs no Debian npm, which would clash with that Node.js.
command -v npm >/dev/null || PKGS+=(npm)

ok=$(dpkg-query -W -f='${Status}\n' "${PKGS[@]}" 2>/dev/null | grep -c 'ok installed' || true)
[ "$ok" -ge ${#PKGS[@]} ] && exit 0

echo "install-deps: installing the build and test packages (about a minute)"
SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
log=$(mktemp)
# A mirror caught mid-sync serves an index of the wrong size for a while: try again. One
# whose security suite stays inconsistent (seen for its i386 index) leaves the 32-bit
# packages unable to match their 64-bit twins, so the install then reads the main suites
# alone, which hold every package here.
APT=(apt-get)
update() {
  for attempt in 1 2 3; do
    $SUDO "${APT[@]}" update -qq && return 0
    [ $attempt -lt 3 ] && sleep $((attempt * 15))
  done
  echo "install-deps: the package index cannot be read whole; installing from the main suites alone" >&2
  local parts
  parts=$(mktemp -d)
  printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
    >"$parts/main.sources"
  APT=(apt-get -o Dir::Etc::sourcelist=/dev/null -o Dir::Etc::sourceparts="$parts")
  $SUDO "${APT[@]}" update -qq
}
if ! { $SUDO dpkg --add-architecture i386 &&
       update &&
       $SUDO env DEBIAN_FRONTEND=noninteractive "${APT[@]}" install -y -qq \
         --no-install-recommends "${PKGS[@]}"; } >"$log" 2>&1; then
  cat "$log" >&2; rm -f "$log"; exit 1
fi
rm -f "$log"
echo "install-deps: done"
