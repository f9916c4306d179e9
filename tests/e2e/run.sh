#!/usr/bin/env bash
# End-to-end tests of the real program between two network namespaces that this script makes
# and removes: a waker that runs korvu and a wakee that receives the wake-up datagram.
#   tests/e2e/run.sh native build/native/korvu build/native/wake_receiver
#   tests/e2e/run.sh wine build/win32/korvu.exe build/native/wake_receiver
set -uo pipefail

mode=$1
program=$(realpath "$2")
receiver=$(realpath "$3")
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=netns.sh
. "$here/netns.sh"

if [ "$(id -u)" != 0 ]; then
  echo "skipped: the end-to-end tests need root to make network namespaces"
  exit 0
fi

work=$(mktemp -d /tmp/korvu-e2e.XXXXXX)
chmod 0755 "$work"
failures=0

cleanup() {
  if [ "$mode" = wine ] && [ -n "${WAKER:-}" ]; then
    ip netns exec "$WAKER" env WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null
    ip netns exec "$WAKER" env WINEPREFIX="$work/prefix" wineserver -w 2>/dev/null
  fi
  netns_delete
  [ -n "${KEEP_E2E:-}" ] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

netns_create "e2e-$mode"

home=$work/home
mkdir -p "$home/Desktop"
chmod 0777 "$home"

# --- how this mode runs the program and where it keeps its records

if [ "$mode" = native ]; then
  record_file=$home/.config/korvu/korvu.ini
  clear_records() { rm -rf "$home/.config"; }
  korvu_cmd() { env -u XDG_CONFIG_HOME HOME="$home" "$program" "$@"; }
  write_record_file() { mkdir -p "$(dirname "$record_file")" && printf '%s\n' "$@" > "$record_file"; }
else
  export WINEPREFIX=$work/prefix
  record_file=$WINEPREFIX/drive_c/windows/korvu.ini
  clear_records() { rm -f "$record_file"; }
  korvu_cmd() { HOME="$home" "$root/scripts/wine-run" "$program" "$@" | tr -d '\r'; }
  write_record_file() { printf '%s\r\n' "$@" > "$record_file"; }
fi
korvu() { ip netns exec "$WAKER" bash -c "$(declare -f korvu_cmd); korvu_cmd \"\$@\"" korvu "$@"; }
export home program root

check() {
  local name=$1 expected=$2 actual=$3
  if [ "$expected" = "$actual" ]; then
    echo "ok - $mode: $name"
  else
    echo "not ok - $mode: $name"
    diff <(printf '%s' "$expected") <(printf '%s' "$actual") | sed 's/^/    /'
    failures=$((failures + 1))
  fi
}

magic_bytes() {
  local mac=${1//:/} bytes=FFFFFFFFFFFF
  for _ in $(seq 20); do bytes+=$mac; done
  echo "$bytes"
}

# Runs korvu with the arguments while the wakee listens; sets OUT and REPORT.
wake_and_listen() {
  receiver_start "$receiver" "$work/report" || return 1
  OUT=$(korvu "$@")
  wait "$RECEIVER_PID"
  REPORT=$(grep -v '^from ' "$work/report")
}

expected_report() {
  printf 'to %s:7\nlength 126\nmac %s\nbytes %s' "$BROADCAST" "$1" "$(magic_bytes "$1")"
}

# --- usage (also sets up a Wine prefix inside the waker's namespace)

usage=$(cat <<'TEXT'
-l <ip address>|<computer name> : lookup ip address or computer name
-s <name> : save MAC address and IP address
-i : create wake up icon on desktop (must be used with -s)
-w <name> : wake up computer "name"
[optional] : -m <mask> : subnet mask (default is 255.255.255.0)
How to use : 
1 : Turn on the computer that needs waking up later.
2 : On target computer (the wakee), find out name or IP Address (use hostname, winipcfg or ipconfig).
3 : On source computer (the waker), type korvu -l <name or IP Address of wakee> -s <name> -i
    eg : korvu -l kidspc -s kidspc -i
4 : Now when you need to wake up the wakee, type korvu -w <name>,
eg korvu -w kidspc
or use the icon on the desktop if you used the option -i.
TEXT
)
korvu -? > "$work/usage.out"
printf '%s' "$usage" > "$work/usage.expected"
check "usage text byte for byte" same \
  "$(cmp -s "$work/usage.expected" "$work/usage.out" && echo same || od -c "$work/usage.out" | tail -4)"

# --- wake from a saved record

write_record_file "[pc]" "MAC=$(tr -d : <<< "$WAKEE_MAC")" "MASK=255.255.255.0" "IP=$WAKEE_IP"
wake_and_listen -w PC
check "wake prints its line" "Sent wakeup call to PC..." "$OUT"
check "wake sends 126 bytes to the subnet broadcast, port 7" "$(expected_report "$WAKEE_MAC")" "$REPORT"

write_record_file "; typed by hand" "[other]" "IP=$SUBNET.9" "" "[pc]" "  MAC = 00-11-22-33-44-55 " \
  "IP=$WAKEE_IP"
wake_and_listen -w pc
check "a hand-typed dashed MAC wakes, mask defaults" "$(expected_report 00:11:22:33:44:55)" "$REPORT"

write_record_file "[pc]" "MAC=0011" "IP=$WAKEE_IP"
RECEIVER_TIMEOUT=3 wake_and_listen -w pc
check "a record with a broken MAC sends nothing" \
  "MAC Address not valid in saved data for pc !|nothing" "$OUT|$REPORT"

check "an unknown record" "IP Address not found in saved data for nobody !" "$(korvu -w nobody)"

# --- look up, save, then wake

lookup_and_wake() {
  local title=$1
  shift
  clear_records
  local out
  out=$("$@" -l "$WAKEE_IP" -s kidspc)
  check "$title: lookup prints the MAC" "MAC Address for $WAKEE_IP : 021A2B3C4D5E" "$out"
  wake_and_listen -w kidspc
  check "$title: the saved record wakes" "$(expected_report "$WAKEE_MAC")" "$REPORT"
  ip -n "$WAKER" neigh flush all
}

if [ "$mode" = native ]; then
  # A fresh namespace refuses ping sockets ("1 0"): as root the lookup falls back to a raw socket.
  lookup_and_wake "raw socket" korvu
  # With ping sockets allowed, an unprivileged user can look up.
  ip netns exec "$WAKER" sysctl -q -w net.ipv4.ping_group_range="0 2147483647"
  chmod 0777 "$home"
  lookup_and_wake "ping socket, unprivileged" ip netns exec "$WAKER" \
    setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$home" "$program"
  ip netns exec "$WAKER" sysctl -q -w net.ipv4.ping_group_range="1 0"
else
  lookup_and_wake "icmp.dll" korvu
  out=$(WINEDLLOVERRIDES="icmp=d;winemenubuilder.exe=d" korvu -l "$WAKEE_IP" -s kidspc)
  check "no icmp.dll" "Can not find icmp.dll
MAC Address for $WAKEE_IP : 
MAC Address $WAKEE_IP not found !" "$out"
fi

clear_records
start=$(date +%s)
out=$(korvu -l "$SUBNET.99" -s nobody)
took=$(( $(date +%s) - start ))
check "nobody answers: nothing found, nothing saved" \
  "MAC Address for $SUBNET.99 : 
MAC Address $SUBNET.99 not found !|no file" "$out|$([ -e "$record_file" ] && echo file || echo no file)"
check "nobody answers: the echo waits about five seconds" yes \
  "$([ "$took" -ge 4 ] && [ "$took" -le 60 ] && echo yes || echo "no ($took s)")"

printf '127.0.0.1 localhost\n%s wakee\n' "$WAKEE_IP" > "$work/hosts"
clear_records
out=$(in_waker_with_hosts "$work/hosts" bash -c "$(declare -f korvu_cmd); korvu_cmd -l wakee -s named" 2>&1)
check "a host name is looked up and saved as its address" \
  "MAC Address for $WAKEE_IP : 021A2B3C4D5E|IP=$WAKEE_IP" "$out|$(grep -a '^IP=' "$record_file" | tr -d '\r')"
out=$(in_waker_with_hosts "$work/hosts" bash -c "$(declare -f korvu_cmd); korvu_cmd -l nowhere" 2>&1)
check "a name that does not resolve" "Can not resolve nowhere
MAC Address for nowhere : " "$out"

# --- the desktop shortcut

clear_records
rm -f "$home/Desktop/"*
out=$(korvu -l "$WAKEE_IP" -s pc -i)
link="$home/Desktop/Wake up pc.lnk"
launcher="$home/Desktop/Wake up pc.desktop"
if [ "$mode" = native ]; then
  target=$program
  folder=$(dirname "$program")/
  check "the shortcut files" "Wake up pc.desktop|Wake up pc.lnk" "$(cd "$home/Desktop" && ls | paste -sd '|')"
else
  target="Z:$(tr / '\\' <<< "$program")"
  folder="Z:$(dirname "$program" | tr / '\\\\')\\"
  check "the shortcut file" "Wake up pc.lnk" "$(cd "$home/Desktop" && ls | paste -sd '|')"
fi
check "a save with -i prints only the lookup" "MAC Address for $WAKEE_IP : 021A2B3C4D5E" "$out"
lnkinfo "$link" > "$work/lnkinfo" 2>&1
check "lnkinfo reads the shortcut back" "Local path : $target
Description : Wake up pc
Working directory : $folder
Command line arguments : -w \"pc\"" \
  "$(grep -E '^\s+(Local path|Description|Working directory|Command line arguments)' "$work/lnkinfo" |
     sed -E 's/^\s+//; s/\s+:/ :/')"
check "show command normal, no hot key" "01000000|0000" \
  "$(xxd -p -s 0x3c -l 4 "$link")|$(xxd -p -s 0x40 -l 2 "$link")"

if [ "$mode" = native ]; then
  check "the launcher validates" "ok" "$(desktop-file-validate "$launcher" > "$work/validate" 2>&1 && echo ok || cat "$work/validate")"
  check "the launcher is executable" 755 "$(stat -c %a "$launcher")"
  mapfile -d '' exec_line < <(python3 "$here/desktop_exec.py" "$launcher")
  check "the launcher runs korvu -w pc" "$program|-w|pc" "$(IFS='|'; echo "${exec_line[*]}")"
  receiver_start "$receiver" "$work/report"
  out=$(ip netns exec "$WAKER" env -u XDG_CONFIG_HOME HOME="$home" "${exec_line[@]}")
  wait "$RECEIVER_PID"
  check "running the launcher wakes pc" "Sent wakeup call to pc...|$(expected_report "$WAKEE_MAC")" \
    "$out|$(grep -v '^from ' "$work/report")"
fi

clear_records
rm -f "$home/Desktop/"*
out=$(korvu -l "$WAKEE_IP" -s 'kids/pc' -i)
check "a name with a slash is saved but gets no shortcut" "MAC Address for $WAKEE_IP : 021A2B3C4D5E|1|" \
  "$out|$(grep -ac '^\[kids/pc\]' "$record_file")|$(ls "$home/Desktop")"

if [ "$failures" -ne 0 ]; then
  echo "$mode: $failures end-to-end check(s) failed"
  exit 1
fi
echo "$mode: all end-to-end checks passed"
