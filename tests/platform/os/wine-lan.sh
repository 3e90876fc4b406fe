#!/usr/bin/env bash
# Sourced by the scripts that run Windows programs under Wine inside the
# namespace test LAN (tests/netlab/lan.sh). After `kv_wine_lan_up NAME`:
#   - the LAN is up, and is taken down again when the script exits;
#   - WINEPREFIX is a prefix of the script's own (build/windows/wine-prefix-NAME),
#     whose server runs inside the scanner's namespace, so that its programs
#     see the LAN and never the outside network;
#   - in_lan PROGRAM ARGS... runs a program there, its output in UTF-8.
# kv_wine_lan_up exits the script with 77 (skipped) when namespaces cannot
# be made here. Each script has a prefix of its own because one prefix has
# one server, which lives in one namespace.
kv_lan_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
kv_lan_root=$(cd "$kv_lan_here/../../.." && pwd)
export KV_NETLAB_RESPONDER=${KV_NETLAB_RESPONDER:-$kv_lan_root/build/default/bin/kv_netlab_responder}

kv_wine_lan_up() {
  if [ "$(id -u)" -ne 0 ] || ! ip netns list >/dev/null 2>&1; then
    echo "skipped: network namespaces need root here"
    exit 77
  fi
  if [ ! -x "$KV_NETLAB_RESPONDER" ]; then
    echo "skipped: the LAN's echo responder is built by the default preset ($KV_NETLAB_RESPONDER)"
    exit 77
  fi
  source "$kv_lan_root/scripts/wine-env"
  export WINEPREFIX=$kv_lan_root/build/windows/wine-prefix-$1
  kv_wine_prefix || exit 1
  kv_lan=kvw$$
  kv_scanner=$kv_lan-scan
  trap kv_wine_lan_down EXIT
  if ! "$kv_lan_root/tests/netlab/lan.sh" up "$kv_lan" >/dev/null; then
    echo "skipped: cannot make the namespace LAN"
    exit 77
  fi
  # No server of this prefix may run outside: it would show the host's network.
  "$KV_WINESERVER" -k 2>/dev/null
}

kv_wine_lan_down() {
  ip netns exec "$kv_scanner" "$KV_WINESERVER" -k 2>/dev/null
  "$kv_lan_root/tests/netlab/lan.sh" down "$kv_lan" >/dev/null 2>&1
  kv_wine_stop
}

in_lan() {
  ip netns exec "$kv_scanner" "$KV_WINE_LOADER" "$@" | iconv -f GBK -t UTF-8 | tr -d '\r'
}

# For programs that open windows: a display (an Xvfb of our own when there is
# none; its socket is a file, so the namespace reaches it) and no waiting for
# a window manager.
kv_wine_lan_windows() {
  kv_wine_display || exit 1
  ip netns exec "$kv_scanner" "$KV_WINE_LOADER" reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /d N /f >/dev/null 2>&1
}

# Fails the script (at its end) when the output has no line matching $1.
kv_failed=0
check() {
  if ! grep -Eq "$1" <<<"$output"; then
    echo "FAILED: expected a line matching $1"
    kv_failed=1
  fi
}
