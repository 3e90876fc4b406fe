#!/usr/bin/env bash
# korvello.exe under Wine: the main window is closed with its close box
# while a test cycle over two loopback hosts runs, RUNS times; every run must
# end with exit code 0 within 10 s. Needs the display and the Wine server of
# scripts/wine-env (scripts/test starts both).
#   wine-close-during-cycle.sh BIN_DIR [RUNS]
set -u
bin=$1
runs=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/wine-env"
if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null; then
  echo "no display or no xdotool: nothing to click on"
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin/korvello.exe" "$bin/ping.exe" "$work/"
printf '[list]\r\na=127.0.0.1\r\nb=127.0.0.2\r\n[config]\r\nspeed=100\r\n' >"$work/config.ini"
title="Korvello IPv4"
failed=0
for run in $(seq "$runs"); do
  (cd "$work" && exec "$KV_WINE_LOADER" korvello.exe >/dev/null 2>&1) &
  pid=$!
  window=
  for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.05
  done
  if [ -z "$window" ]; then
    echo "run $run: no main window"
    kill "$pid" 2>/dev/null
    failed=$((failed + 1))
    continue
  fi
  eval "$(xdotool getwindowgeometry --shell "$window")"
  sleep 0.3
  # The start button (fifth place of the toolbar), then the close box of
  # the title bar Wine draws, a little later each run.
  xdotool mousemove $((X + 280)) $((Y + 40)) click 1
  sleep "0.$((run % 9 + 1))"
  xdotool mousemove $((X + WIDTH - 12)) $((Y + 8)) click 1
  code=hung
  for _ in $(seq 100); do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid"
      code=$?
      break
    fi
    sleep 0.1
  done
  if [ "$code" = hung ]; then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  echo "run $run: exit $code"
  [ "$code" = 0 ] || failed=$((failed + 1))
done
echo "$((runs - failed)) of $runs runs ended with exit code 0"
[ "$failed" = 0 ]
