#!/usr/bin/env bash
# The Windows program's size, its imports and its start to a shown main
# window under Wine (warm server), beside the Linux program's start on the
# same display. Run after `cmake --build --preset windows --target korvello`
# (and the default build's korvello for the Linux figure):
#   bench/windows/start-bench.sh [runs]
# Targets: at most 3 MB, no DLL outside the system's, at most 200 ms.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-10}
exe=$root/build/windows/bin/korvello.exe
linux=$root/build/default/bin/korvello
title="Korvello IPv4"
source "$root/scripts/wine-env"
kv_wine_start || true  # a server that is already up serves as well
trap kv_wine_stop EXIT

work=$(mktemp -d)
x86_64-w64-mingw32-strip -o "$work/korvello.exe" "$exe"
echo "korvello.exe (stripped, as in the zip): $(stat -c %s "$work/korvello.exe") bytes (target <= 3145728)"
echo "imports: $(x86_64-w64-mingw32-objdump -p "$work/korvello.exe" | awk '/DLL Name/ {printf "%s ", $3}')"

now_ms() { date +%s%3N; }

# Milliseconds from the start to a window with the title on the display.
time_to_window() {
  local start pid elapsed
  start=$(now_ms)
  "$@" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
    sleep 0.005
    if [ $(($(now_ms) - start)) -gt 20000 ]; then break; fi
  done
  elapsed=$(($(now_ms) - start))
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  while xdotool search --name "$title" >/dev/null 2>&1; do sleep 0.05; done
  echo "$elapsed"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

(cd "$work" && time_to_window "$KV_WINE_LOADER" korvello.exe >/dev/null)  # warms the server
wine_ms=$(for _ in $(seq "$runs"); do (cd "$work" && time_to_window "$KV_WINE_LOADER" korvello.exe); done | median)
echo "start to shown main window under Wine: median ${wine_ms} ms of $runs (target <= 200)"
if [ -x "$linux" ]; then
  linux_ms=$(for _ in $(seq "$runs"); do time_to_window env QT_QPA_PLATFORM=xcb "$linux"; done | median)
  echo "start to shown main window on Linux (Qt): median ${linux_ms} ms of $runs"
  awk -v w="$wine_ms" -v l="$linux_ms" 'BEGIN { if (l > 0) printf "ratio Wine/Linux: %.2f\n", w / l }'
else
  echo "Linux figure: build the default preset's korvello first"
fi
rm -rf "$work"
