#!/usr/bin/env bash
# Runs one test program under an X server of its own, so that window tests which move the
# pointer, take the keyboard focus or read the screen never disturb each other when CTest
# runs them in parallel.
#
# Where user namespaces are allowed, the test and its X server run together in a user and
# network namespace of their own (loopback up): the server listens only on its abstract socket,
# which no X server of another namespace can see or replace (a socket file in /tmp/.X11-unix
# can be replaced by any server that picks the same number), and the search on the loopback
# broadcast finds only the simulated processors this test starts. The display number is still
# taken with X's own lock file in /tmp, so that no two servers on the machine share a number:
# Xvfb names its compiled keymap after it (/var/lib/xkb/server-<n>.xkm).
#
# Where user namespaces are refused, the tests share this machine's loopback: the search of one
# would find the simulated processors of another. The run says so once per test and runs them
# one at a time, each holding a lock file for as long as it runs.
set -u
if [ -z "${VELKAN_PRIVATE_NETWORK:-}" ]; then
  export VELKAN_PRIVATE_NETWORK=1
  if unshare -rn true 2>/dev/null; then
    exec unshare -rn sh -c 'ip link set lo up 2>/dev/null; exec "$0" "$@"' bash "$0" "$@"
  fi
  export VELKAN_PRIVATE_NETWORK=shared
fi
if [ "$VELKAN_PRIVATE_NETWORK" = shared ]; then
  lock=${VELKAN_SHARED_NETWORK_LOCK:-${TMPDIR:-/tmp}/velkan-window-tests-shared-network.lock}
  echo "with-own-xvfb: no network namespace here (unshare refused): waiting for $lock to run alone" >&2
  exec 9>>"$lock" || { echo "with-own-xvfb: cannot open $lock" >&2; exit 1; }
  flock 9 || { echo "with-own-xvfb: cannot lock $lock" >&2; exit 1; }
fi

xvfb=""
child=""
cleanup() {
  [ -n "$child" ] && kill "$child" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# Numbers from 1000 on, away from those xvfb-run and desktop sessions take; a number whose lock
# another server holds makes Xvfb stop at once, and the next one is tried. The server is up once
# its socket listens (a client that comes earlier waits for its answer). No SIGUSR1 handshake:
# the server sends one after each reset as well, and it would cut the wait for the test short.
# VELKAN_XVFB_FIRST_NUMBER sets the first number tried (for the script's own test).
display=""
number=${VELKAN_XVFB_FIRST_NUMBER:-$((1000 + $$ % 5000))}
# The server is ours only when its lock file names it: in a network shared with other servers, the
# socket looked for may be another server's that holds the number.
owns_lock() {
  local holder=""
  read -r holder 2>/dev/null <"/tmp/.X$number-lock"
  [ "$holder" = "$xvfb" ]
}
for _ in $(seq 1 50); do
  Xvfb ":$number" -screen 0 1920x1080x24 -nolisten tcp -nolisten unix 2>/dev/null 9>&- &
  xvfb=$!
  for _ in $(seq 1 400); do
    kill -0 "$xvfb" 2>/dev/null || break
    grep -q "@/tmp/.X11-unix/X$number\$" /proc/net/unix && owns_lock && display=$number && break
    sleep 0.05
  done
  [ -n "$display" ] && break
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  xvfb=""
  number=$((number + 1))
done
if [ -z "$display" ]; then
  echo "with-own-xvfb: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$display"

# The test and what it starts do not hold the lock: only this script does, until it ends.
"$@" 9>&- &
child=$!
wait "$child"
rc=$?
child=""
exit $rc
