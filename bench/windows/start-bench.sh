#!/usr/bin/env bash
# The Windows program's size, its imports and its start to a shown main
# window under Wine (warm server), beside a bare Win32 window measured in the
# same run (the ratio is the figure to watch on a noisy machine) and the Linux
# program's start on the same display. Run after
# `cmake --build --preset windows --target korvello bare_window_bench`
# (and the default build's korvello for the Linux figure):
#   bench/windows/start-bench.sh [runs]
# Targets: at most 3 MB, no DLL outside the system's, at most 200 ms.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-10}
exe=${KV_BENCH_EXE:-$root/build/windows/bin/korvello.exe}
peer=$root/build/windows/bin/bare_window_bench.exe
linux=$root/build/default/bin/korvello
title="Korvello IPv4"
peer_title="Bare Window Peer"
source "$root/scripts/wine-env"
kv_wine_start || true  # a server that is already up serves as well
trap kv_wine_stop EXIT

work=$(mktemp -d)
x86_64-w64-mingw32-strip -o "$work/korvello.exe" "$exe"
echo "korvello.exe (stripped, as in the zip): $(stat -c %s "$work/korvello.exe") bytes (target <= 3145728)"
cp "$peer" "$work/bare_window_bench.exe"
echo "imports: $(x86_64-w64-mingw32-objdump -p "$work/korvello.exe" | awk '/DLL Name/ {printf "%s ", $3}')"

now_ms() { date +%s%3N; }

# Milliseconds from the start to a window with the title on the display:
#   time_to_window TITLE COMMAND...
time_to_window() {
  local title=$1 start pid elapsed
  shift
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

(cd "$work" && time_to_window "$title" "$KV_WINE_LOADER" korvello.exe >/dev/null)  # warms the server
(cd "$work" && time_to_window "$peer_title" "$KV_WINE_LOADER" bare_window_bench.exe >/dev/null)
# The two alternate, so that a busy moment of the machine falls on both.
: >"$work/korvello.ms"
: >"$work/peer.ms"
for _ in $(seq "$runs"); do
  (cd "$work" && time_to_window "$title" "$KV_WINE_LOADER" korvello.exe) >>"$work/korvello.ms"
  (cd "$work" && time_to_window "$peer_title" "$KV_WINE_LOADER" bare_window_bench.exe) >>"$work/peer.ms"
done
wine_ms=$(median <"$work/korvello.ms")
peer_ms=$(median <"$work/peer.ms")
echo "start to shown main window under Wine: median ${wine_ms} ms of $runs (target <= 200)"
echo "  all runs: $(sort -n "$work/korvello.ms" | tr '\n' ' ')"
echo "peer (a bare Win32 window, same run): median ${peer_ms} ms of $runs"
echo "  all runs: $(sort -n "$work/peer.ms" | tr '\n' ' ')"
awk -v w="$wine_ms" -v p="$peer_ms" 'BEGIN { if (p > 0) printf "ratio korvello.exe/peer: %.2f\n", w / p }'
if [ -x "$linux" ]; then
  linux_ms=$(for _ in $(seq "$runs"); do time_to_window "$title" env QT_QPA_PLATFORM=xcb "$linux"; done | median)
  echo "start to shown main window on Linux (Qt): median ${linux_ms} ms of $runs"
  awk -v w="$wine_ms" -v l="$linux_ms" 'BEGIN { if (l > 0) printf "ratio Wine/Linux: %.2f\n", w / l }'
else
  echo "Linux figure: build the default preset's korvello first"
fi
rm -rf "$work"
