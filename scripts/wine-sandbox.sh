#!/usr/bin/env bash
# Cuts a Wine prefix off from the host:  scripts/wine-sandbox.sh PREFIX [--check]
# A new prefix links the profile's Desktop, Documents and media folders to the
# Unix home and drive Z: (and the serial ports) to / and /dev, so a cleaner under
# test could erase the host's files. Each profile link that leads outside becomes
# an empty folder and each such drive or device link goes; links that stay
# inside the prefix (C:, a test's own drive alias) are kept. Then, and alone with
# --check, it fails when any link in the prefix still leads outside it. Wine links
# the serial ports to /dev again at every start; a device node holds no files, so
# links into /dev are let be.
set -euo pipefail
PREFIX="$(cd "${1:?usage: wine-sandbox.sh PREFIX [--check]}" && pwd -P)"

outside_links() {
  find "$PREFIX" -type l -print0 | while IFS= read -r -d '' link; do
    target="$(readlink -m -- "$link")"
    case "$target/" in "$PREFIX"/* | /dev/*) ;; *) printf '%s\n' "$link" ;; esac
  done
}

if [ "${2:-}" != --check ]; then
  outside_links | while IFS= read -r link; do
    case "$link" in
      "$PREFIX"/drive_c/users/*) rm -f -- "$link"; mkdir -p -- "$link" ;;
      "$PREFIX"/dosdevices/*) rm -f -- "$link" ;;
    esac
  done
fi

left="$(outside_links)"
if [ -n "$left" ]; then
  echo "wine-sandbox: links from $PREFIX to the host:" >&2
  while IFS= read -r link; do echo "  $link -> $(readlink -- "$link")" >&2; done <<<"$left"
  exit 1
fi
