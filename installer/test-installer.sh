#!/usr/bin/env bash
# Installs and uninstalls Quellery under Wine and checks what is left:
#   installer/test-installer.sh SETUP.exe VERSION BITS DRIVER.exe
# BITS (32 or 64) is the installer's: the registry view its machine-wide keys are in.
# DRIVER.exe (installer/PageDriver.cpp) goes through the pages by their buttons.
# Silently first (/S, /D=, /REMOVESETTINGS), then page by page: a first install,
# a second one over it while the program runs, a program that will not close, and
# the uninstaller. Each page is pictured into QUELLERY_INSTALLER_SHOTS (by default
# build/screenshots/installer; docs/installer/ holds copies).
# Runs in a Wine prefix of its own, made fresh each time (QUELLERY_INSTALLER_PREFIX,
# by default build/wineprefix-installer), so the shared test prefix keeps no traces.
set -uo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
usage="usage: test-installer.sh SETUP.exe VERSION BITS DRIVER.exe"
SETUP="$(cd "$(dirname "${1:?$usage}")" && pwd)/$(basename "$1")"
VERSION="${2:?$usage}"
VIEW="/reg:${3:?$usage}"
DRIVER="${4:?$usage}"
SHOTS="${QUELLERY_INSTALLER_SHOTS:-$ROOT/build/screenshots/installer}"
mkdir -p "$SHOTS"

export WINEPREFIX="${QUELLERY_INSTALLER_PREFIX:-$ROOT/build/wineprefix-installer}"
if [ -e "$WINEPREFIX/.ready" ]; then wineserver -k 2>/dev/null || true; fi
rm -rf "$WINEPREFIX"
if [ -z "${DISPLAY:-}" ]; then
  DISPLAY=$("$ROOT/scripts/xvfb-ensure.sh")
  export DISPLAY
fi

RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quellery'
SETTINGS_KEY='HKCU\Software\Quellery'
PROGRAM_DIR="$WINEPREFIX/drive_c/Program Files/Quellery"
SETUP_CAPTION="Quellery $VERSION Setup"
UNINSTALL_CAPTION="Quellery $VERSION Uninstall"
MAIN_CAPTION="Quellery v1.0"
failures=0

wine_run() { "$ROOT/scripts/wine-run.sh" "$@" 2>/dev/null; }
# Waits until every program of the prefix has ended: the uninstaller hands its
# work to a copy of itself and returns at once.
settle() { wineserver -w; }
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }
expect_file() { [ -e "$1" ] || fail "expected ${1#"$WINEPREFIX"/} to exist, it does not"; }
expect_no_file() { [ ! -e "$1" ] || fail "expected ${1#"$WINEPREFIX"/} to be gone, it is there"; }
start_menu() { find "$WINEPREFIX/drive_c" -path "*/Start Menu/Programs/$1" -type d | head -n 1; }
# The programs in FOLDER and both shortcuts in the Start menu folder NAME, kept in $menu.
menu=
expect_installed() {
  for file in Quellery.exe iea.exe Uninstall.exe; do expect_file "$1/$file"; done
  menu="$(start_menu "$2")"
  if [ -z "$menu" ]; then fail "expected a Start menu folder $2, there is none"; return; fi
  expect_file "$menu/Quellery.lnk"
  expect_file "$menu/Uninstall Quellery.lnk"
}
desktop_shortcut() { find "$WINEPREFIX/drive_c/users" -path '*/Desktop/Quellery.lnk' | head -n 1; }

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
  wine_run "$SETUP" /S "$@" >/dev/null || fail "the installer failed"
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

# ---- the pages, through the driver ----------------------------------------
shown=
# Its output goes through a file, not a pipe: a Wine session that the driver starts
# would hold a pipe open and keep the caller waiting.
driver() {
  local out status=0
  out="$(mktemp "$WINEPREFIX/driver.XXXXXX")"
  wine_run "$DRIVER" "$@" >"$out" || status=$?
  tr -d '\r' <"$out"
  rm -f "$out"
  return "$status"
}
# Waits for a window CAPTION showing TEXT and keeps what it shows in $shown.
page() {
  shown="$(driver page "$1" "$2")" || fail "expected a window \"$1\" showing \"$2\"; got:"$'\n'"$shown"
}
# Whether the page last waited for shows LINE ("Class|text", ticks as "[x] "/"[ ] ").
expect_shown() {
  grep -qxF -- "$1" <<<"$shown" || fail "expected the page to show [$1]; it shows:"$'\n'"$shown"
}
click() { driver click "$1" "$2" >/dev/null || fail "could not click \"$2\" in \"$1\""; }
type_text() { driver type "$1" "$2" >/dev/null || fail "could not type \"$2\" into \"$1\""; }
# A picture of the page last waited for.
shot() {
  local window
  window="$(sed -n 's/^x11 \([0-9][0-9]*\)$/\1/p' <<<"$shown")"
  if [ -z "$window" ] || [ "$window" = 0 ]; then fail "no X window to picture for $1"; return; fi
  sleep 0.5  # let it paint
  import -window "$window" "$SHOTS/$1.png" || fail "could not picture $1"
}
# Waits until no window of the program is left, hidden ones included.
expect_closed() { driver closed "$MAIN_CAPTION" >/dev/null || fail "expected Quellery to have closed, it still runs"; }
# A window that passes for Quellery's and ignores being asked to close, until released.
holder=
hold_program() {
  rm -f "$WINEPREFIX/drive_c/release.txt"
  driver hold QuelleryMain "$MAIN_CAPTION" 'C:\release.txt' >/dev/null &
  holder=$!
  page "$MAIN_CAPTION" ""
}
release_program() {
  touch "$WINEPREFIX/drive_c/release.txt"
  wait "$holder"
}
expect_version() {
  local info
  info="$(driver version "$1")"
  for line in "numbers|$VERSION.0.0" "ProductName|Quellery" "CompanyName|Quellery" "ProductVersion|$VERSION"; do
    grep -qxF "$line" <<<"$info" || fail "expected [$line] in the version of $1; got:"$'\n'"$info"
  done
}

echo "== install, silent"
install
expect_installed "$PROGRAM_DIR" Quellery
[ -z "$(desktop_shortcut)" ] || fail "expected no desktop shortcut from a silent install, there is one"
read_registry
expect_listed uninstall 'UninstallString +REG_SZ +"C:.Program Files.Quellery.Uninstall.exe"'
expect_listed uninstall "DisplayName +REG_SZ +Quellery $VERSION"
expect_listed uninstall 'Publisher +REG_SZ +Quellery$'
expect_listed uninstall 'StartMenuFolder +REG_SZ +Quellery$'
# Explorer's Properties and Add/Remove Programs: the same product, version and publisher.
expect_version 'C:\Program Files\Quellery\Quellery.exe'
expect_version 'C:\Program Files\Quellery\Uninstall.exe'
cp "$SETUP" "$WINEPREFIX/drive_c/setup.exe"
expect_version 'C:\setup.exe'

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

echo "== install, silent, to the folder /D= names"
# No blanks: the installer takes /D= only unquoted, and Wine quotes an argument with a blank.
install '/D=C:\Other\Quellery'
for file in Quellery.exe iea.exe Uninstall.exe; do expect_file "$WINEPREFIX/drive_c/Other/Quellery/$file"; done
expect_no_file "$PROGRAM_DIR"
read_registry
expect_listed uninstall 'InstallLocation +REG_SZ +C:.Other.Quellery$'
wine_run 'C:\Other\Quellery\Uninstall.exe' /S >/dev/null || fail "the uninstaller failed"
settle
expect_no_file "$WINEPREFIX/drive_c/Other/Quellery"

echo "== install, page by page, to a folder and Start menu folder of the user's choice"
wine_run "$SETUP" >/dev/null &
setup=$!
page "$SETUP_CAPTION" "Welcome to Quellery $VERSION Setup"
shot 1-welcome
click "$SETUP_CAPTION" "Next >"
page "$SETUP_CAPTION" "Choose Components"
expect_shown 'SysTreeView32|[x] Quellery'
expect_shown 'SysTreeView32|[ ] Desktop shortcut'
shot 2-components
click "$SETUP_CAPTION" "Desktop shortcut"
page "$SETUP_CAPTION" "Choose Components"
expect_shown 'SysTreeView32|[x] Desktop shortcut'
click "$SETUP_CAPTION" "Next >"
page "$SETUP_CAPTION" "Choose Install Location"
expect_shown 'Edit|C:\Program Files\Quellery'
shot 3-folder
type_text "$SETUP_CAPTION" 'C:\Apps\Quellery'
click "$SETUP_CAPTION" "Next >"
page "$SETUP_CAPTION" "Choose Start Menu Folder"
expect_shown 'Edit|Quellery'
shot 4-start-menu
type_text "$SETUP_CAPTION" 'Quellery Tools'
click "$SETUP_CAPTION" "Install"
page "$SETUP_CAPTION" "Installation Complete"
shot 5-installed
click "$SETUP_CAPTION" "Next >"
page "$SETUP_CAPTION" "Completing Quellery $VERSION Setup"
expect_shown 'Button|[x] Run Quellery'
shot 6-finish
click "$SETUP_CAPTION" "Finish"
wait "$setup" || fail "the installer failed"
APPS="$WINEPREFIX/drive_c/Apps/Quellery"
expect_installed "$APPS" 'Quellery Tools'
[ -n "$(desktop_shortcut)" ] || fail "expected the desktop shortcut that was ticked, there is none"
read_registry
expect_listed uninstall 'InstallLocation +REG_SZ +C:.Apps.Quellery$'
expect_listed uninstall 'StartMenuFolder +REG_SZ +Quellery Tools$'
# "Run Quellery" was ticked.
page "$MAIN_CAPTION" ""

echo "== install again over it, page by page, while the program runs: it closes, the settings stay"
batch "reg add \"$SETTINGS_KEY\\Settings\\panic\" /v key /d Ctrl+Q /f" >/dev/null
wine_run "$SETUP" >/dev/null &
setup=$!
page "$SETUP_CAPTION" "Welcome to Quellery $VERSION Setup"
click "$SETUP_CAPTION" "Next >"
page "$SETUP_CAPTION" "Choose Components"
expect_shown 'SysTreeView32|[x] Desktop shortcut'  # as the first install left it
click "$SETUP_CAPTION" "Desktop shortcut"
page "$SETUP_CAPTION" "Choose Components"
expect_shown 'SysTreeView32|[ ] Desktop shortcut'
click "$SETUP_CAPTION" "Next >"
page "$SETUP_CAPTION" "Choose Install Location"
expect_shown 'Edit|C:\Apps\Quellery\'  # the installer shows the folder it found so
click "$SETUP_CAPTION" "Next >"
page "$SETUP_CAPTION" "Choose Start Menu Folder"
expect_shown 'Edit|Quellery Tools'
click "$SETUP_CAPTION" "Install"
page "$SETUP_CAPTION" "Installation Complete"
expect_closed
click "$SETUP_CAPTION" "Next >"
page "$SETUP_CAPTION" "Completing Quellery $VERSION Setup"
click "$SETUP_CAPTION" "Run Quellery"
page "$SETUP_CAPTION" "Completing Quellery $VERSION Setup"
expect_shown 'Button|[ ] Run Quellery'
click "$SETUP_CAPTION" "Finish"
wait "$setup" || fail "the installer failed"
for file in Quellery.exe iea.exe Uninstall.exe; do expect_file "$APPS/$file"; done
cmp -s "$APPS/Quellery.exe" "$(dirname "$(dirname "$SETUP")")/Quellery.exe" ||
  fail "expected the installed Quellery.exe to be the one built"
[ -n "$menu" ] && expect_file "$menu/Quellery.lnk"
[ -z "$(desktop_shortcut)" ] || fail "expected the unticked desktop shortcut to be gone, it is there"
read_registry
expect_listed settings 'key +REG_SZ +Ctrl[+]Q'
# Written by the program as it closed: it was asked, not ended.
expect_listed settings 'chkSchedule0 +REG_SZ'

echo "== a Quellery that will not close: nothing is replaced, the user is told"
hold_program
rm -f "$APPS/iea.exe"
wine_run "$SETUP" /S >/dev/null
status=$?
[ "$status" = 2 ] || fail "expected the silent installer to stop with exit code 2 while Quellery runs, got $status"
expect_no_file "$APPS/iea.exe"
wine_run "$SETUP" >/dev/null &
setup=$!
page "$SETUP_CAPTION" "Welcome to Quellery $VERSION Setup"
click "$SETUP_CAPTION" "Next >"
page "$SETUP_CAPTION" "Choose Components"
click "$SETUP_CAPTION" "Next >"
page "$SETUP_CAPTION" "Choose Install Location"
click "$SETUP_CAPTION" "Next >"
page "$SETUP_CAPTION" "Choose Start Menu Folder"
click "$SETUP_CAPTION" "Install"
page "$SETUP_CAPTION" "Quellery is running and did not close."
shot 7-will-not-close
click "$SETUP_CAPTION" "Cancel"
page "$SETUP_CAPTION" "Installation Aborted"
click "$SETUP_CAPTION" "Cancel"
wait "$setup"
status=$?
[ "$status" = 2 ] || fail "expected the installer to stop with exit code 2, got $status"
expect_no_file "$APPS/iea.exe"
release_program
wine_run "$SETUP" /S >/dev/null || fail "the installer failed"
settle
expect_file "$APPS/iea.exe"

echo "== the uninstaller and a Quellery that will not close: nothing is removed"
hold_program
# Run in place (_?=), so that its own exit code comes back.
wine_run 'C:\Apps\Quellery\Uninstall.exe' /S '_?=C:\Apps\Quellery' >/dev/null
status=$?
[ "$status" = 2 ] || fail "expected the silent uninstaller to stop with exit code 2 while Quellery runs, got $status"
for file in Quellery.exe iea.exe Uninstall.exe; do expect_file "$APPS/$file"; done
release_program

echo "== uninstall, page by page, while the program runs: it closes, the settings stay"
wine_run 'C:\Apps\Quellery\Quellery.exe' >/dev/null &
page "$MAIN_CAPTION" ""
wine_run 'C:\Apps\Quellery\Uninstall.exe' >/dev/null
page "$UNINSTALL_CAPTION" "Uninstall Quellery $VERSION"
expect_shown 'Edit|C:\Apps\Quellery\'
shot 8-uninstall
click "$UNINSTALL_CAPTION" "Uninstall"
page "$UNINSTALL_CAPTION" "Remove your Quellery settings as well?"
shot 9-uninstall-settings
click "$UNINSTALL_CAPTION" "No"
page "$UNINSTALL_CAPTION" "Uninstallation Complete"
expect_closed
click "$UNINSTALL_CAPTION" "Next >"
page "$UNINSTALL_CAPTION" "Completing Quellery $VERSION Uninstall"
shot 10-uninstall-finish
click "$UNINSTALL_CAPTION" "Finish"
settle
expect_no_file "$APPS"
[ -n "$menu" ] && expect_no_file "$menu"
read_registry
expect_unlisted uninstall 'Uninstall.Quellery'
expect_listed settings 'key +REG_SZ +Ctrl[+]Q'

wineserver -k 2>/dev/null || true
if [ "$failures" -gt 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "installer: every check passed"
