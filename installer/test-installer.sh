#!/usr/bin/env bash
# Installs and uninstalls Quellery silently under Wine and checks what is left:
#   installer/test-installer.sh SETUP.exe VERSION BITS
# BITS (32 or 64) is the installer's: the registry view its machine-wide keys are in.
# Runs in a Wine prefix of its own, made fresh each time (QUELLERY_INSTALLER_PREFIX,
# by default build/wineprefix-installer), so the shared test prefix keeps no traces.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SETUP="$(cd "$(dirname "${1:?usage: test-installer.sh SETUP.exe VERSION}")" && pwd)/$(basename "$1")"
VERSION="${2:?usage: test-installer.sh SETUP.exe VERSION BITS}"
VIEW="/reg:${3:?usage: test-installer.sh SETUP.exe VERSION BITS}"

export WINEPREFIX="${QUELLERY_INSTALLER_PREFIX:-$ROOT/build/wineprefix-installer}"
if [ -e "$WINEPREFIX/.ready" ]; then wineserver -k 2>/dev/null || true; fi
rm -rf "$WINEPREFIX"

RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellery'
SETTINGS_KEY='HKCU\Software\Quellery'
PROGRAM_DIR="$WINEPREFIX/drive_c/Program Files/Quellery"
failures=0

wine_run() { "$ROOT/scripts/wine-run.sh" "$@" 2>/dev/null; }
# Waits until every program of the prefix has ended: the uninstaller hands its
# work to a copy of itself and returns at once.
settle() { wineserver -w; }
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
expect_file() { [ -e "$1" ] || fail "expected ${1#"$WINEPREFIX"/} to exist, it does not"; }
expect_no_file() { [ ! -e "$1" ] || fail "expected ${1#"$WINEPREFIX"/} to be gone, it is there"; }
start_menu() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Quellery' -type d | head -n 1; }

# Runs a batch file (one Wine start instead of one per command).
batch() {
  printf '%s\r\n' '@echo off' "$@" >"$WINEPREFIX/drive_c/installer-test.bat"
  wine_run cmd /c 'C:\installer-test.bat' | tr -d '\r'
}

# The registry as the checks see it: each key's listing after a [key] line.
registry=
read_registry() {
  registry="$(batch "echo [run]" "reg query \"$RUN_KEY\" $VIEW" \
                    "echo [uninstall]" "reg query \"$UNINSTALL_KEY\" $VIEW" \
                    "echo [settings]" "reg query \"$SETTINGS_KEY\" /s")"
}
# Whether the listing of KEY has a line matching the regular expression.
listed() { awk -v key="[$1]" -v pattern="$2" '/^\[/ { inside = ($0 == key); next }
                                             inside && $0 ~ pattern { found = 1 }
                                             END { exit !found }' <<<"$registry"; }
expect_listed() { listed "$1" "$2" || fail "expected in $1: /$2/; got:"$'\n'"$registry"; }
expect_unlisted() { ! listed "$1" "$2" || fail "expected gone from $1: /$2/; got:"$'\n'"$registry"; }

install() {
  wine_run "$SETUP" /S >/dev/null || fail "the installer failed"
  settle
}

# What the program leaves behind while in use: its Run entry and its settings;
# and another program's Run entry, which must stay.
use_program() {
  batch "reg add \"$RUN_KEY\" /v \"Quellery - $VERSION\" /d \"C:\\Program Files\\Quellery\\Quellery.exe\" /f $VIEW" \
        "reg add \"$RUN_KEY\" /v \"Another program\" /d C:\\another.exe /f $VIEW" \
        "reg add \"$SETTINGS_KEY\\Settings\\panic\" /v key /d Ctrl+Q /f" >/dev/null
}

uninstall() {
  wine_run 'C:\Program Files\Quellery\Uninstall.exe' /S "$@" >/dev/null || fail "the uninstaller failed"
  settle
}

echo "== install"
install
for file in Quellery.exe iea.exe Uninstall.exe; do expect_file "$PROGRAM_DIR/$file"; done
menu="$(start_menu)"
if [ -z "$menu" ]; then fail "expected a Start menu folder Quellery, there is none"; else
  expect_file "$menu/Quellery.lnk"
  expect_file "$menu/Uninstall Quellery.lnk"
fi
read_registry
expect_listed uninstall 'UninstallString +REG_SZ +"C:.Program Files.Quellery.Uninstall.exe"'
expect_listed uninstall "DisplayName +REG_SZ +Quellery $VERSION"

echo "== uninstall, silent: the settings stay"
use_program
echo "notes" >"$PROGRAM_DIR/notes.txt"  # the user's own file in the program folder
uninstall
for file in Quellery.exe iea.exe Uninstall.exe; do expect_no_file "$PROGRAM_DIR/$file"; done
expect_file "$PROGRAM_DIR/notes.txt"
[ -z "$menu" ] || expect_no_file "$menu"
read_registry
expect_unlisted run "Quellery - $VERSION"
expect_listed run 'Another program +REG_SZ'
expect_unlisted uninstall 'Uninstall.Quellery'
expect_listed settings 'key +REG_SZ +Ctrl[+]Q'

echo "== uninstall with /REMOVESETTINGS: the settings go too"
rm -f "$PROGRAM_DIR/notes.txt"
install
use_program
uninstall /REMOVESETTINGS
expect_no_file "$PROGRAM_DIR"
read_registry
expect_unlisted run "Quellery - $VERSION"
expect_unlisted settings 'Software.Quellery'

wineserver -k 2>/dev/null || true
if [ "$failures" -gt 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "installer: every check passed"
