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
set -u
if [ -z "${VELKAN_PRIVATE_NETWORK:-}" ]; then
  export VELKAN_PRIVATE_NETWORK=1
  if unshare -rn true 2>/dev/null; then
    exec unshare -rn sh -c 'ip link set lo up 2>/dev/null; exec "$0" "$@"' bash "$0" "$@"
  fi
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
display=""
number=$((1000 + $$ % 5000))
for _ in $(seq 1 50); do
  Xvfb ":$number" -screen 0 1920x1080x24 -nolisten tcp -nolisten unix 2>/dev/null &
  xvfb=$!
  for _ in $(seq 1 400); do
    grep -q "@/tmp/.X11-unix/X$number\$" /proc/net/unix && display=$number && break
    kill -0 "$xvfb" 2>/dev/null || break
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

"$@" &
child=$!
wait "$child"
rc=$?
child=""
exit $rc
