#!/usr/bin/env bash
# The network services under Wine inside the namespace test LAN: an echo to a
# live device gives a time, one to a silent address -1 within a few
# milliseconds, a neighbour's MAC comes out as "XX-XX-..."; and our ping.exe
# and ipconfig.exe print what they find there. Wine runs with a
# prefix of its own, whose server is started inside the scanner's namespace,
# so that it sees the LAN and never the outside network.
#   wine-lan-test.sh PROBE.exe
# Exit 77 (skipped) when namespaces cannot be made here.
set -uo pipefail
probe=$1
source "$(dirname "${BASH_SOURCE[0]}")/wine-lan.sh"
kv_wine_lan_up lan

bin=$(dirname "$probe")
output=$(
  in_lan "$probe"
  in_lan "$bin/ping.exe" kv-nas01 -n 1
  in_lan "$bin/ping.exe" 10.77.0.77 -n 1 -w 100
  in_lan "$bin/ping.exe" kv-no-such-host -n 1
  in_lan "$bin/ipconfig.exe" /all
)
echo "$output"

check '^live [0-9]+$'
check '^silent -1 ([0-9]|[1-4][0-9])$'
check '^mac 02-4B-56-00-00-32$'
check '^nameless-mac \[\]$'
check '^name kv-nas01$'
check '^local 10\.77\.0\.100$'
check '^正在 Ping kv-nas01 \[10\.77\.0\.2\] 具有 32 字节的数据:$'
check '^来自 10\.77\.0\.2 的回复: 字节=32 时间[<=][0-9]+ms TTL=64$'
check '^请求超时。$'
check '^Ping 请求找不到主机 kv-no-such-host。请检查该名称，然后重试。$'
check '^   IPv4 地址 [ .]+: 10\.77\.0\.100\(首选\)$'
check '^   物理地址[ .]+: 02-4B-56-00-00-64$'
exit $kv_failed
