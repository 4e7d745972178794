#!/usr/bin/env bash
# The drive the free-space wipe case fills (tests/e2e/WipeFreeSpaceCases.cpp): a small
# ext2 image, loop-mounted inside the prefix and linked as W:, whose free space holds
# the contents of a file that filled it and was deleted before the program starts.
#   wipe-drive.sh make PREFIX     0: W: is ready; 2: it cannot be made here, and why is
#                                 printed and left for the case, which then skips; 1: failed
#   wipe-drive.sh check PREFIX    after the wipe: no marker left in the raw image, the file
#                                 system clean and mountable; the wipe's speed beside dd's
#   wipe-drive.sh remove PREFIX   unmounts and deletes whatever of it is there (any time)
# Mounting needs root and a loop device: CI runs as root in a fresh container.
set -euo pipefail
usage="usage: wipe-drive.sh make|check|remove PREFIX"
action="${1:?$usage}"
PREFIX="${2:?$usage}"
IMAGE="$PREFIX-wipe-drive.img"
MOUNT="$PREFIX/drive_w"
LINK="$PREFIX/dosdevices/w:"
# Shared with the case: the reason it skips, and the megabytes and milliseconds it wiped.
NOTES="$PREFIX/drive_c/e2e/wipe-drive"
SIZE_MB=160
MARKER=QUELLERY-E2E-DELETED-SECRET-7F3A9C51

say() { echo "wipe-drive: $*"; }

# How often the marker is in the image, whole.
marker_count() {
  python3 -c 'import sys; print(open(sys.argv[1], "rb").read().count(sys.argv[2].encode()))' "$IMAGE" "$MARKER"
}

# Writes the marker over and over into a new file until the drive is full.
fill_with_marker() {
  python3 - "$1" "$MARKER" <<'EOF'
import errno, sys
block = sys.argv[2].encode() * ((1 << 20) // len(sys.argv[2]))
with open(sys.argv[1], "wb", buffering=0) as file:
    try:
        while True:
            file.write(block)
    except OSError as error:
        if error.errno != errno.ENOSPC:
            raise
EOF
}

unmount() {
  mountpoint -q "$MOUNT" 2>/dev/null || return 0
  # Wine's last processes may still hold a file there for a moment after wineserver -k.
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    umount "$MOUNT" 2>/dev/null && return 0
    sleep 0.5
  done
  umount "$MOUNT"
}

remove_drive() {
  rm -f -- "$LINK"
  unmount
  if [ -d "$MOUNT" ]; then rmdir -- "$MOUNT"; fi
  rm -f -- "$IMAGE"
}

# Not possible here: the case skips with this reason.
cannot() {
  say "skipped: $*"
  mkdir -p "$NOTES"
  printf '%s\n' "$*" >"$NOTES/skipped.txt"
  remove_drive
  exit 2
}

make_drive() {
  remove_drive
  mkdir -p "$NOTES"
  rm -f "$NOTES/skipped.txt" "$NOTES/result.txt"
  [ "$(id -u)" = 0 ] || cannot "mounting a file system image needs root (running as $(id -un))"
  for tool in mkfs.ext2 e2fsck mount umount mountpoint python3; do
    command -v "$tool" >/dev/null || cannot "$tool is missing"
  done
  dd if=/dev/zero of="$IMAGE" bs=1M count=$SIZE_MB status=none
  # No blocks kept for root: Windows has none, and the wipe running as root under Wine
  # could not see them as free.
  mkfs.ext2 -q -F -m 0 -b 4096 "$IMAGE"
  mkdir -p "$MOUNT"
  local error
  if ! error=$(mount -o loop "$IMAGE" "$MOUNT" 2>&1); then
    cannot "the image cannot be loop-mounted: ${error:-mount failed}"
  fi
  # The deleted file took every free block: a block the wipe leaves unwritten, the room
  # kept for Windows included, still shows the marker afterwards.
  fill_with_marker "$MOUNT/deleted-secret.bin"
  sync
  rm -f "$MOUNT/deleted-secret.bin"
  sync
  # Without the marker in the free space before the wipe, its absence after proves nothing.
  local before free
  before=$(marker_count)
  free=$(($(stat -f -c '%a * %S' "$MOUNT")))
  if [ $((before * ${#MARKER} * 10)) -lt $((free * 9)) ]; then
    say "the deleted file's marker fills $((before * ${#MARKER} >> 20)) MB of the image's $((free >> 20)) MB of" \
        "free space, not nearly all of it: the case would prove little"
    remove_drive
    exit 1
  fi
  ln -sfn ../drive_w "$LINK"
  say "W: is a ${SIZE_MB} MB ext2 image; the marker of a deleted file is in $((before * ${#MARKER} >> 20)) MB" \
      "of its $((free >> 20)) MB of free space"
}

# Megabytes a second from megabytes and milliseconds.
rate() { awk -v mb="$1" -v ms="$2" 'BEGIN { printf "%.1f", (ms > 0 ? mb * 1000 / ms : 0) }'; }

check_drive() {
  [ -e "$IMAGE" ] || { say "no image to check"; return 1; }
  local status=0 mb=0 ms=0
  if [ -s "$NOTES/result.txt" ]; then
    read -r mb ms <"$NOTES/result.txt"
  else
    say "the case left no figures: the wipe did not end as it should"
    status=1
  fi
  rm -f -- "$LINK"
  unmount
  local after
  after=$(marker_count)
  if [ "$after" -ne 0 ]; then
    say "FAILED: the deleted file's marker is still in the image, $after times ($((after * ${#MARKER} >> 10)) KB)"
    status=1
  else
    say "the deleted file's marker is no longer in the image"
  fi
  local fsck
  if ! fsck=$(e2fsck -f -n "$IMAGE" 2>&1); then
    say "FAILED: the file system is not clean after the wipe:"
    printf '%s\n' "$fsck"
    status=1
  fi
  if ! mount -o loop "$IMAGE" "$MOUNT"; then
    say "FAILED: the image no longer mounts"
    return 1
  fi
  if [ "$mb" -gt 0 ]; then
    # The baseline: as many megabytes of zeros written by dd and forced to the disk.
    local begin end
    begin=$(date +%s%N)
    if dd if=/dev/zero of="$MOUNT/ddfile" bs=1M count="$mb" conv=fsync status=none; then
      end=$(date +%s%N)
      local ddms=$(((end - begin) / 1000000))
      say "speed on the ${SIZE_MB} MB ext2 image: the wipe $mb MB in $ms ms ($(rate "$mb" "$ms") MB/s)," \
          "dd with fsync $mb MB in $ddms ms ($(rate "$mb" "$ddms") MB/s)"
    else
      say "dd could not write $mb MB where the wipe did"
    fi
    rm -f "$MOUNT/ddfile"
  fi
  unmount
  return $status
}

case "$action" in
  make) make_drive ;;
  check) check_drive ;;
  remove) remove_drive ;;
  *) echo "$usage" >&2; exit 2 ;;
esac
