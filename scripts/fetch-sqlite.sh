#!/usr/bin/env bash
# Puts SQLite's amalgamation (sqlite3.c, sqlite3.h) in build/sqlite/<version>/, taken
# from a pinned npm package that ships it, and checks both the package and the two files
# against the checksums below. Does nothing when they are already there and match, so
# every configure may call it. Prints the folder that holds them.
set -euo pipefail

PACKAGE=better-sqlite3@12.11.1
SQLITE_VERSION=3.53.2
TARBALL_SHA256=ebf0ed75a7a59dbcb3b24bbd014ef49d9f15bc328e4adcbf516f2a8fadfa2835
SOURCE_SHA256=60d2f39a3726cd6b9021da6f4e868608d66fbb6528a9f513dc8ffcc640493422
HEADER_SHA256=9e69a1353a4288450b0d5239ede11fc7f1f4c8e5eb07491fc8317eacb5b7de7e

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
dest="$root/build/sqlite/$SQLITE_VERSION"

matches() {  # file sha256
  [ -f "$1" ] && [ "$(sha256sum "$1" | cut -d' ' -f1)" = "$2" ]
}

if matches "$dest/sqlite3.c" "$SOURCE_SHA256" && matches "$dest/sqlite3.h" "$HEADER_SHA256"; then
  echo "$dest"
  exit 0
fi

command -v npm >/dev/null || { echo "fetch-sqlite: npm is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
mkdir -p "$root/build/sqlite"
work=$(mktemp -d "$root/build/sqlite/fetch.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Try again on a registry that hiccups; the checksum below decides what is kept.
for attempt in 1 2 3; do
  (cd "$work" && npm pack --silent "$PACKAGE" >/dev/null 2>"$work/npm.log") && break
  [ $attempt -lt 3 ] && sleep $((attempt * 10))
done
tarball=$(ls "$work"/*.tgz 2>/dev/null | head -1)
if [ -z "$tarball" ]; then
  cat "$work/npm.log" >&2
  echo "fetch-sqlite: npm could not fetch $PACKAGE" >&2
  exit 1
fi
if ! matches "$tarball" "$TARBALL_SHA256"; then
  echo "fetch-sqlite: $PACKAGE's tarball has SHA-256 $(sha256sum "$tarball" | cut -d' ' -f1)," \
       "not the pinned $TARBALL_SHA256: refused" >&2
  exit 1
fi
tar -xzf "$tarball" -C "$work" package/deps/sqlite3/sqlite3.c package/deps/sqlite3/sqlite3.h
for pair in "sqlite3.c $SOURCE_SHA256" "sqlite3.h $HEADER_SHA256"; do
  set -- $pair
  if ! matches "$work/package/deps/sqlite3/$1" "$2"; then
    echo "fetch-sqlite: $1 of $PACKAGE does not match the pinned SHA-256 $2: refused" >&2
    exit 1
  fi
done
mkdir -p "$dest"
# Header first, source last: the source's checksum is what tells a later run it is all there.
mv "$work/package/deps/sqlite3/sqlite3.h" "$dest/sqlite3.h"
mv "$work/package/deps/sqlite3/sqlite3.c" "$dest/sqlite3.c"
echo "$dest"
