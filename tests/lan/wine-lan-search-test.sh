#!/usr/bin/env bash
# The real search window under Wine inside the namespace test LAN: it
# proposes the scanner's /24 and lists exactly the devices that answer within
# 5 ms, with their names, and their MACs from the neighbour table; the
# scanner itself in red as "本机".
#   wine-lan-search-test.sh PROBE.exe
# Exit 77 (skipped) when namespaces cannot be made here.
set -uo pipefail
probe=$1
source "$(dirname "${BASH_SOURCE[0]}")/../platform/os/wine-lan.sh"
kv_wine_lan_up lan-search
kv_wine_lan_windows

output=$(in_lan "$probe")
echo "$output"

tab=$'\t'
row() {  # red name address mac remark: one row, whatever its number
  check "^row${tab}$1${tab}[0-9]+${tab}$2${tab}${3//./\\.}${tab}$4${tab}$5\$"
}
check "^range${tab}10\.77\.0\.1${tab}10\.77\.0\.254\$"
# Enabled boxes, search on, stop off, "已停止", empty counts and label, bar at 0.
check "^state${tab}1${tab}1${tab}0${tab}已停止${tab}${tab}${tab}0${tab}0${tab}[0-9.e+-]+${tab}1\$"
row 0 kv-gateway 10.77.0.1 02-4B-56-00-00-01 ''
row 0 kv-nas01 10.77.0.2 02-4B-56-00-00-02 ''
row 0 '' 10.77.0.3 '' ''    # without a reverse name there is no MAC either
row 0 kv-printer 10.77.0.50 02-4B-56-00-00-32 ''
row 0 '' 10.77.0.99 '' ''
row 0 kv-cam 10.77.0.101 02-4B-56-00-00-65 ''
row 1 kv-scanner 10.77.0.100 02-4B-56-00-00-64 本机
# The two slow devices answer after 20 ms: no row for them.
rows=$(grep -c "^row${tab}" <<<"$output")
if [ "$rows" -ne 7 ]; then
  echo "FAILED: 7 rows expected, $rows found"
  kv_failed=1
fi
exit $kv_failed
