#!/usr/bin/env bash
# Builds the .deb with scripts/package and installs it as the README says.
# An ordinary user made for this test starts /usr/bin/korvello on Xvfb, saves
# a host through the add-host window and finds it in ~/.config/korvello, then
# pings 127.0.0.1 with the installed ping. Removing the package must leave
# nothing of it under /usr. The package, the user and the files made here are
# gone again afterwards. Needs root; exit code 77 means skipped.
set -euo pipefail
source_dir=$(cd "$1" && pwd)

skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*" >&2; exit 1; }

[ "$(id -u)" -eq 0 ] || skip "needs root: it installs a package and adds a user"

# Two runs on one machine (two work trees) would install over each other.
exec 9>/tmp/korvello-package-test.lock
flock -w 500 9 || fail "another package test kept the lock for too long"
state=$(dpkg-query -W -f='${db:Status-Status}' korvello 2>/dev/null || true)
[ -z "$state" ] || [ "$state" = not-installed ] ||
  skip "korvello is already installed here ($state); this test would remove it"

apt_get() {
  DEBIAN_FRONTEND=noninteractive apt-get -q -y -o DPkg::Lock::Timeout=300 "$@"
}

work=$(mktemp -d /tmp/korvello-package-XXXXXX)
chmod 755 "$work"
user=kvpkg$$
home=$work/home
pids=()
installed=false
# Ends the programs started as the user, by their pids: first asked, then
# made to.
stop_programs() {
  local pidfile pid
  for signal in TERM KILL; do
    for pidfile in "${pids[@]}"; do
      pid=$(cat "$pidfile" 2>/dev/null) && kill -s $signal "$pid" 2>/dev/null || true
    done
    for _ in $(seq 50); do
      local running=false
      for pidfile in "${pids[@]}"; do
        pid=$(cat "$pidfile" 2>/dev/null) && kill -0 "$pid" 2>/dev/null && running=true || true
      done
      $running || break
      sleep 0.1
    done
  done
  pids=()
}
cleanup() {
  local status=$?
  set +e
  stop_programs
  $installed && apt_get purge korvello >/dev/null
  if id "$user" >/dev/null 2>&1 && ! userdel "$user"; then
    echo "FAILED: the test user $user could not be removed" >&2
    status=1
  fi
  rm -rf "$work"
  exit $status
}
trap cleanup EXIT

# 1. Build and install, with nothing fetched from the network.
"$source_dir/scripts/package" deb
deb=$source_dir/build/dist/korvello_1_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "scripts/package made no $deb"
cp "$deb" "$work/"
cd "$work"
# As the README says; every dependency is here already, so nothing is fetched.
plan=$(apt_get install --simulate ./"$(basename "$deb")" | grep '^Inst ' || true)
[ "$plan" = "$(grep '^Inst korvello ' <<<"$plan")" ] ||
  skip "installing would fetch packages first: $(tr '\n' ' ' <<<"$plan")"
installed=true
apt_get install ./"$(basename "$deb")"
dpkg-query -L korvello >"$work/files"

for file in /usr/lib/korvello/korvello /usr/lib/korvello/ping /usr/lib/korvello/ipconfig \
            /usr/share/icons/hicolor/48x48/apps/korvello.png; do
  [ -f "$file" ] || fail "$file is not installed"
done
[ "$(readlink -f /usr/bin/korvello)" = /usr/lib/korvello/korvello ] ||
  fail "/usr/bin/korvello does not lead to /usr/lib/korvello/korvello"
desktop-file-validate /usr/share/applications/korvello.desktop
grep -qx 'Categories=Network;Utility;' /usr/share/applications/korvello.desktop ||
  fail "the menu entry has other categories"
for program in ping korvello; do
  getcap "/usr/lib/korvello/$program" | grep -q cap_net_raw || fail "$program lacks cap_net_raw"
done
depends=$(dpkg-query -W -f='${Depends}' korvello)
echo "Depends: $depends"
for library in libqt6widgets6 libcurl4 libc6; do
  [[ "$depends" == *"$library"* ]] || fail "the dependencies do not name $library"
done

# 2. An ordinary user starts the installed program and saves a host.
useradd --create-home --home-dir "$home" --shell /bin/sh "$user"
as_user() {
  runuser -u "$user" -- env -i HOME="$home" USER="$user" LOGNAME="$user" PATH=/usr/bin:/bin \
    LANG=C.UTF-8 DISPLAY="$display" "$@"
}
# Starts a program as the user in the background; its pid is kept for cleanup.
start_as_user() {
  local pidfile=$home/.pid${#pids[@]}
  pids+=("$pidfile")
  as_user sh -c 'echo $$ >"$0"; exec "$@"' "$pidfile" "$@" >>"$work/x.log" 2>&1 &
}

display=
for n in $(seq 150 250); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=:$n; break; fi
done
[ -n "$display" ] || fail "no free X display number"
start_as_user Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp
for _ in $(seq 100); do as_user xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
as_user xdpyinfo >/dev/null 2>&1 || fail "Xvfb did not start: $(cat "$work/x.log")"

start_as_user /usr/bin/korvello
main=$(as_user timeout 30 xdotool search --sync --onlyvisible --name '^Korvello IPv4') ||
  fail "the main window did not open: $(cat "$work/x.log")"
# " 添 加 " is the first toolbar button. A click may come before the window
# takes input on a busy machine, so it is repeated until the window opens.
add=
for _ in $(seq 10); do
  as_user xdotool mousemove --window "$main" 40 24 click 1
  add=$(as_user timeout 3 xdotool search --sync --onlyvisible --name '添加主机') && break
done
[ -n "$add" ] || fail "the add-host window did not open"
sleep 0.5
click() { as_user xdotool mousemove --window "$add" "$1" "$2" click 1; sleep 0.2; }
click 150 33
as_user xdotool type --delay 20 127.0.0.1
click 150 81
as_user xdotool type --delay 20 loopback
click 362 83   # 保存为常用
click 417 39   # 添 加

config=$home/.config/korvello/config.ini
for _ in $(seq 100); do grep -qs 'loopback=127.0.0.1' "$config" && break; sleep 0.1; done
grep -qs 'loopback=127.0.0.1' "$config" || fail "$config does not hold the saved host"
[ "$(stat -c %U "$config")" = "$user" ] || fail "$config does not belong to the user"
[ ! -e /usr/lib/korvello/config.ini ] || fail "a config.ini was written beside the program"
echo "config.ini: $(tr -d '\r' <"$config" | tr '\n' ' ')"

# 3. The installed ping works without root.
reply=$(as_user /usr/lib/korvello/ping 127.0.0.1 -n 1 | iconv -f GBK -t UTF-8)
echo "$reply"
grep -q '来自 127.0.0.1 的回复: 字节=' <<<"$reply" || fail "no reply line from the installed ping"

# 4. Removal leaves nothing of the package under /usr.
stop_programs
apt_get remove korvello
left=()
while read -r path; do
  [ -d "$path" ] && [ ! -L "$path" ] && continue  # shared folders such as /usr/bin
  { [ -e "$path" ] || [ -L "$path" ]; } && left+=("$path")
done <"$work/files"
[ ! -e /usr/lib/korvello ] || left+=(/usr/lib/korvello)
[ ${#left[@]} -eq 0 ] || fail "left under /usr after removal: ${left[*]}"
apt_get purge korvello >/dev/null
installed=false
state=$(dpkg-query -W -f='${db:Status-Status}' korvello 2>/dev/null || true)
[ -z "$state" ] || [ "$state" = not-installed ] || fail "korvello is still known to dpkg ($state)"
echo "package test passed"
