#!/usr/bin/env bash
# The local information window under Wine inside the scanner's namespace of
# the test LAN, whose one adapter lan.sh sets up: the window shows that
# adapter from the report of our ipconfig.exe, which lies beside the probe.
#   wine-local-info-test.sh PROBE.exe
# The scanner's adapter gets a second IPv4 address and a second DNS server
# (both on loopback, so no lookup leaves the namespace), as the window reads
# an adapter only from a report with enough labelled lines.
# Exit 77 (skipped) when namespaces cannot be made here.
set -uo pipefail
probe=$1
source "$(dirname "${BASH_SOURCE[0]}")/../platform/os/wine-lan.sh"
if [ ! -f "$(dirname "$probe")/ipconfig.exe" ]; then
  echo "FAILED: no ipconfig.exe beside $probe"
  exit 1
fi
kv_wine_lan_up local-info
ip -n "$kv_scanner" addr add 172.20.80.8/16 dev eth0
printf 'nameserver 127.0.0.1\nnameserver 127.0.0.2\noptions timeout:1 attempts:1\n' \
  >"/etc/netns/$kv_scanner/resolv.conf"
kv_wine_lan_windows

output=$(in_lan "$probe")
echo "$output"

if grep -q '^message=' <<<"$output"; then
  echo "FAILED: the window told of a failure"
  kv_failed=1
fi
check '^组合框1=.+$'
check '^主机名_编辑框=.+$'
check '^物理地址_编辑框=02:4B:56:00:00:64$'
check '^IP地址_编辑框=172\.20\.80\.8;10\.77\.0\.100$'
check '^子网掩码_编辑框=255\.255\.0\.0;255\.255\.255\.0$'
check '^网关_编辑框=10\.77\.0\.1$'
# Wine's adapter records always say DHCP, and our ipconfig.exe reports what
# they say; with no DHCP server the window calls the address manual.
check '^是否DHCP_标签=是$'
check '^DHCP_编辑框=手动配置$'
check '^主DNS_编辑框=127\.0\.0\.1$'
check '^副DNS_编辑框=127\.0\.0\.2$'
exit $kv_failed
