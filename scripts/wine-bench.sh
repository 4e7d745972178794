#!/usr/bin/env bash
# The Wine-side benchmarks, run by `make bench`:  [WINDOWS=win2k] scripts/wine-bench.sh <Windows build dir>
# They run in a prefix of their own (build/wineprefix-bench), from a folder inside it:
# the program really starts there, saves its settings there, and nothing is shared with
# the tests' prefixes.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:?usage: wine-bench.sh <Windows build dir>}" && pwd)"
export WINEPREFIX="$ROOT/build/wineprefix-bench"
RUN="$ROOT/scripts/wine-run.sh"

"$RUN" cmd /c exit >/dev/null 2>&1 || true  # creates and sandboxes the prefix
# The Windows version the programs are shown: WINDOWS=winxp, win2k or win98; Wine's own
# when unset.
if [ -n "${WINDOWS:-}" ]; then
  "$RUN" reg add 'HKCU\Software\Wine' /v Version /d "$WINDOWS" /f >/dev/null
else
  "$RUN" reg delete 'HKCU\Software\Wine' /v Version /f >/dev/null 2>&1 || true
fi
echo "windows: ${WINDOWS:-as Wine sets it}"
dir="$WINEPREFIX/drive_c/quellery-bench"
mkdir -p "$dir"
cp "$BUILD/Quellery.exe" "$BUILD"/bench/*.exe "$dir/"
win='C:\quellery-bench\'
"$RUN" "$dir/HardwareRefreshWine.exe"
"$RUN" "$dir/PreviewRunBench.exe" "${win}Quellery.exe" "${win}temp" "${ROUNDS:-3}"

# The Unix process of this prefix's Quellery.exe, found by its program name and prefix.
quellery_pid() {
  local p
  for p in $(pgrep -x 'Quellery.exe'); do
    [ "$(tr '\0' '\n' <"/proc/$p/cmdline" | head -n1)" = "${win}Quellery.exe" ] || continue
    tr '\0' '\n' <"/proc/$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
    echo "$p"
    return 0
  done
  return 1
}
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

out="$(mktemp)"
"$RUN" "$dir/StartupBench.exe" "${win}Quellery.exe" "${win}BareWindow.exe" "${win}CommonControlsWindow.exe" "${STARTS:-9}" >"$out" 2>/dev/null &
bench=$!
# Up to ten minutes for the starts; the idle program is looked for only once it is idle.
for _ in $(seq 6000); do grep -q '^idle: measuring' "$out" && break; kill -0 "$bench" 2>/dev/null || break; sleep 0.1; done
if grep -q '^idle: measuring' "$out" && pid="$(quellery_pid 2>/dev/null)"; then
  hz="$(getconf CLK_TCK)"
  t0="$(cpu_ticks "$pid")"; s0="$(date +%s%N)"
  sleep 10
  t1="$(cpu_ticks "$pid")"; s1="$(date +%s%N)"
  idle="$(awk -v t="$((t1 - t0))" -v hz="$hz" -v ns="$((s1 - s0))" 'BEGIN { printf "%.2f", t / hz / (ns / 1e9) * 100 }')"
else
  idle="not measured (no Quellery.exe process found)"
fi
status=0
wait "$bench" || status=$?
grep -v '^idle: measuring' "$out" || true
rm -f "$out"
echo "idle_cpu_pct: $idle"
# A bench that could not believe its own baseline, or measure at all, fails `make bench`.
case "$idle" in not*) status=1 ;; esac
exit "$status"
