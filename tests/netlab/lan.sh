#!/usr/bin/env bash
# A small LAN of network namespaces for the tests.
#
#   lan.sh up [PREFIX]     build it
#   lan.sh down [PREFIX]   remove it and everything it started
#
# PREFIX (letters, digits, "_"; default kvlab) names everything of one LAN,
# so that several test programs can each have their own at the same time.
# Nothing is added to the root namespace: the bridge lives in PREFIX-br.
#
#   PREFIX-scan  10.77.0.100/24  02:4b:56:00:00:64  the scanner, default via 10.77.0.1
#   PREFIX-d1 .. PREFIX-d8       the devices below, one namespace each
#
# The scanner's /etc/netns/PREFIX-scan/hosts names some of the devices, and
# its resolv.conf points at its own loopback, so no lookup leaves the LAN.
# Two devices ignore echo requests in their kernel and leave them to a
# responder that answers after 20 ms (KV_NETLAB_RESPONDER, default
# build/default/bin/kv_netlab_responder).
set -Eeuo pipefail

action=${1:-}
prefix=${2:-kvlab}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
responder=${KV_NETLAB_RESPONDER:-$here/../../build/default/bin/kv_netlab_responder}
state=/run/kvnetlab/$prefix
scan=$prefix-scan
bridge=$prefix-br

scanner_address=10.77.0.100
scanner_mac=02:4b:56:00:00:64
delay_ms=20
# name address mac hosts-name(- for none) delayed
devices=(
  "d1 10.77.0.1 02:4b:56:00:00:01 kv-gateway 0"
  "d2 10.77.0.2 02:4b:56:00:00:02 kv-nas01 0"
  "d3 10.77.0.3 02:4b:56:00:00:03 - 0"
  "d4 10.77.0.50 02:4b:56:00:00:32 kv-printer 0"
  "d5 10.77.0.99 02:4b:56:00:00:63 - 0"
  "d6 10.77.0.101 02:4b:56:00:00:65 kv-cam 0"
  "d7 10.77.0.200 02:4b:56:00:00:c8 kv-slow 1"
  "d8 10.77.0.254 02:4b:56:00:00:fe - 1"
)

usage() {
  echo "usage: $0 up|down [PREFIX]" >&2
  exit 2
}

# A namespace with its loopback up, joined to the bridge by a veth pair
# whose inner end is eth0 with the given address and MAC.
add_host() {
  local ns=$1 address=$2 mac=$3
  ip netns add "$ns"
  ip -n "$ns" link set lo up
  ip -n "$bridge" link add "p-${ns#"$prefix"-}" type veth peer name eth0 netns "$ns"
  ip -n "$ns" link set eth0 address "$mac"
  ip -n "$ns" addr add "$address/24" dev eth0
  ip -n "$ns" link set eth0 up
  ip -n "$bridge" link set "p-${ns#"$prefix"-}" master br0 up
}

start_responder() {
  local ns=$1 address=$2
  ip netns exec "$ns" sh -c 'echo 1 >/proc/sys/net/ipv4/icmp_echo_ignore_all'
  ip netns exec "$ns" setsid "$responder" "$address" "$delay_ms" "$state/$ns.pid" \
    </dev/null >/dev/null 2>&1 &
}

# Gone, or a zombie waiting for its new parent to reap it.
ended() {
  local state
  state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -c1)
  [ -z "$state" ] || [ "$state" = Z ]
}

stop() {
  kill "$1" 2>/dev/null || true
  for _ in $(seq 50); do
    ended "$1" && break
    sleep 0.02
  done
}

down() {
  local ns pid file
  # The responders, also when their namespace is gone already.
  for file in "$state"/*.pid; do
    [ -s "$file" ] || continue
    pid=$(cat "$file")
    tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qF -- "$file" && stop "$pid"
  done
  for ns in $(ip netns list | awk '{print $1}' | grep -E "^$prefix-(br|scan|d[0-9]+)\$" || true); do
    for pid in $(ip netns pids "$ns" 2>/dev/null); do stop "$pid"; done
    ip netns del "$ns"
  done
  rm -rf "/etc/netns/$scan" "$state"
}

up() {
  trap 'status=$?; trap - ERR; down >/dev/null 2>&1 || true; echo "lan.sh: up failed" >&2; exit $status' ERR
  if [ ! -x "$responder" ]; then
    echo "lan.sh: no responder program at $responder" >&2
    false
  fi
  if ip netns list | awk '{print $1}' | grep -qE "^$prefix-"; then
    echo "lan.sh: a LAN named $prefix is up already" >&2
    exit 1
  fi
  mkdir -p "$state"
  ip netns add "$bridge"
  ip -n "$bridge" link set lo up
  ip -n "$bridge" link add br0 type bridge
  ip -n "$bridge" link set br0 up

  add_host "$scan" "$scanner_address" "$scanner_mac"
  ip -n "$scan" route add default via 10.77.0.1

  local hosts="127.0.0.1 localhost"$'\n'"$scanner_address kv-scanner"$'\n'
  local entry name address mac hostname delayed pending=()
  for entry in "${devices[@]}"; do
    read -r name address mac hostname delayed <<<"$entry"
    add_host "$prefix-$name" "$address" "$mac"
    [ "$hostname" != - ] && hosts+="$address $hostname"$'\n'
    if [ "$delayed" = 1 ]; then
      start_responder "$prefix-$name" "$address"
      pending+=("$state/$prefix-$name.pid")
    fi
  done

  mkdir -p "/etc/netns/$scan"
  printf '%s' "$hosts" >"/etc/netns/$scan/hosts"
  printf 'nameserver 127.0.0.1\noptions timeout:1 attempts:1\n' >"/etc/netns/$scan/resolv.conf"

  # The kernel reports the links' carrier a moment after they are set up.
  local ns tries
  for ns in "$scan" "${devices[@]%% *}"; do
    [ "$ns" = "$scan" ] || ns=$prefix-$ns
    for tries in $(seq 150); do
      ip -n "$ns" link show eth0 | grep -q 'state UP' && break
      sleep 0.02
    done
  done

  # The responders write their pid file once they listen.
  local file
  for file in "${pending[@]}"; do
    for tries in $(seq 100); do
      [ -s "$file" ] && break
      sleep 0.02
    done
    if [ ! -s "$file" ]; then
      echo "lan.sh: responder did not start ($file)" >&2
      false
    fi
  done
  trap - ERR
}

[[ $prefix =~ ^[A-Za-z0-9_]{1,32}$ ]] || usage
[ "$(id -u)" -eq 0 ] || { echo "lan.sh: needs root" >&2; exit 1; }
case $action in
  up) up ;;
  down) down ;;
  *) usage ;;
esac
