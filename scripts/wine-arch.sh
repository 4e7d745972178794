#!/usr/bin/env bash
# Prints which Windows build Wine can run on this machine: "win32", or "win64"
# when the kernel cannot run 32-bit x86 programs (Wine's 32-bit loader fails to
# start; ia32 emulation is off). QUELLERY_WINARCH overrides the answer.
if [ -n "${QUELLERY_WINARCH:-}" ]; then
  echo "$QUELLERY_WINARCH"
elif /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo win32
else
  echo win64
fi
