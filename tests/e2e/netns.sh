# Two network namespaces of the test's own, joined by a veth pair: the waker and the wakee.
# Sourced by the end-to-end tests and the demo; nothing here touches the machine's own network.

# Sets WAKER, WAKEE, SUBNET (three bytes), WAKER_IP, WAKEE_IP, BROADCAST, WAKEE_MAC.
netns_create() {
  local tag=$1
  local n=$(( $$ % 200 + 20 ))
  WAKER=korvu-$tag-$$-waker
  WAKEE=korvu-$tag-$$-wakee
  SUBNET=10.77.$n
  WAKER_IP=$SUBNET.1
  WAKEE_IP=$SUBNET.2
  BROADCAST=$SUBNET.255
  WAKEE_MAC=02:1A:2B:3C:4D:5E
  local vethA=kv$$a vethB=kv$$b
  ip netns add "$WAKER"
  ip netns add "$WAKEE"
  ip link add "$vethA" netns "$WAKER" type veth peer name "$vethB" netns "$WAKEE"
  ip -n "$WAKER" addr add "$WAKER_IP/24" dev "$vethA"
  ip -n "$WAKEE" addr add "$WAKEE_IP/24" dev "$vethB"
  ip -n "$WAKEE" link set "$vethB" address "$WAKEE_MAC"
  ip -n "$WAKER" link set lo up
  ip -n "$WAKEE" link set lo up
  ip -n "$WAKER" link set "$vethA" up
  ip -n "$WAKEE" link set "$vethB" up
}

netns_delete() {
  [ -n "${WAKER:-}" ] && ip netns del "$WAKER" 2>/dev/null
  [ -n "${WAKEE:-}" ] && ip netns del "$WAKEE" 2>/dev/null
  return 0
}

# Runs a command in the waker's namespace with /etc/hosts replaced by the given file, in a
# mount namespace of its own, so that the wakee has a name there.
in_waker_with_hosts() {
  local hosts=$1
  shift
  ip netns exec "$WAKER" unshare --mount sh -c 'mount --bind "$0" /etc/hosts && exec "$@"' "$hosts" "$@"
}

# Starts the receiver in the wakee's namespace and waits until it listens. Its report goes
# to the file given; RECEIVER_PID is set.
receiver_start() {
  local receiver=$1 report=$2 ready=$2.ready
  rm -f "$ready"
  ip netns exec "$WAKEE" "$receiver" 7 "${RECEIVER_TIMEOUT:-20}" "$ready" > "$report" &
  RECEIVER_PID=$!
  for _ in $(seq 100); do
    [ -e "$ready" ] && return 0
    sleep 0.05
  done
  echo "receiver did not start" >&2
  return 1
}
