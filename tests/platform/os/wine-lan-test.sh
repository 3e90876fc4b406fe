#!/usr/bin/env bash
# The network services under Wine inside the namespace test LAN: an echo to a
# live device gives a time, one to a silent address -1 within a few
# milliseconds, a neighbour's MAC comes out as "XX-XX-...". Wine runs with a
# prefix of its own, whose server is started inside the scanner's namespace,
# so that it sees the LAN and never the outside network.
#   wine-lan-test.sh PROBE.exe
# Exit 77 (skipped) when namespaces cannot be made here.
set -uo pipefail
probe=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../../.." && pwd)
export KV_NETLAB_RESPONDER=${KV_NETLAB_RESPONDER:-$root/build/default/bin/kv_netlab_responder}

if [ "$(id -u)" -ne 0 ] || ! ip netns list >/dev/null 2>&1; then
  echo "skipped: network namespaces need root here"
  exit 77
fi
if [ ! -x "$KV_NETLAB_RESPONDER" ]; then
  echo "skipped: the LAN's echo responder is built by the default preset ($KV_NETLAB_RESPONDER)"
  exit 77
fi

source "$root/scripts/wine-env"
export WINEPREFIX=$root/build/windows/wine-prefix-lan
kv_wine_prefix || exit 1

lan=kvw$$
scanner=$lan-scan
cleanup() {
  ip netns exec "$scanner" "$KV_WINESERVER" -k 2>/dev/null
  "$here/../../netlab/lan.sh" down "$lan" >/dev/null 2>&1
}
trap cleanup EXIT
if ! "$here/../../netlab/lan.sh" up "$lan" >/dev/null; then
  echo "skipped: cannot make the namespace LAN"
  exit 77
fi

# No server of this prefix may run outside: it would show the host's network.
"$KV_WINESERVER" -k 2>/dev/null
output=$(ip netns exec "$scanner" "$KV_WINE_LOADER" "$probe" | tr -d '\r')
echo "$output"

failed=0
check() {
  if ! grep -Eq "$1" <<<"$output"; then
    echo "FAILED: expected a line matching $1"
    failed=1
  fi
}
check '^live [0-9]+$'
check '^silent -1 ([0-9]|[1-4][0-9])$'
check '^mac 02-4B-56-00-00-32$'
check '^nameless-mac \[\]$'
check '^name kv-nas01$'
check '^local 10\.77\.0\.100$'
exit $failed
