#!/usr/bin/env bash
# The window tests' wrapper where user namespaces are refused (an unshare that fails, put first
# on PATH): it says so, gives each test a server of its own even when another server in the same
# network holds the first number it tries, and runs the tests one at a time.
#   with-own-xvfb_test.sh <path of with-own-xvfb.sh>
set -u
wrapper=$1
work=$(mktemp -d)
blocker=""
cleanup() {
  [ -n "$blocker" ] && kill "$blocker" 2>/dev/null && wait "$blocker" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

mkdir "$work/bin"
printf '#!/bin/sh\necho "unshare: refused (test shim)" >&2\nexit 1\n' >"$work/bin/unshare"
chmod +x "$work/bin/unshare"
export PATH="$work/bin:$PATH"
unset VELKAN_PRIVATE_NETWORK
export VELKAN_SHARED_NETWORK_LOCK="$work/shared.lock"

# A number no server holds yet, then another server takes it in this network, as a desktop
# session or another test run would.
number=""
for n in $(seq 7100 7900); do
  if [ ! -e "/tmp/.X$n-lock" ] && ! grep -q "@/tmp/.X11-unix/X$n\$" /proc/net/unix; then number=$n; break; fi
done
[ -n "$number" ] || { echo "no free display number" >&2; exit 1; }
Xvfb ":$number" -screen 0 640x480x24 -nolisten tcp 2>/dev/null &
blocker=$!
for _ in $(seq 1 100); do grep -q "@/tmp/.X11-unix/X$number\$" /proc/net/unix && break; sleep 0.05; done
grep -q "@/tmp/.X11-unix/X$number\$" /proc/net/unix || { echo "the other server did not start" >&2; exit 1; }

# Two "tests" started together: each notes its display, the screen its server has and when it ran.
probe='echo "start $(date +%s.%N)"; echo "display $DISPLAY"; xdotool getdisplaygeometry; sleep 2; echo "end $(date +%s.%N)"'
for i in 1 2; do
  VELKAN_XVFB_FIRST_NUMBER=$number "$wrapper" sh -c "$probe" >"$work/out$i" 2>"$work/err$i" &
  eval "pid$i=$!"
done
wait "$pid1"; rc1=$?
wait "$pid2"; rc2=$?
[ "$rc1" = 0 ] && [ "$rc2" = 0 ] || fail "a wrapped test did not end well ($rc1, $rc2)"

for i in 1 2; do
  grep -q "no network namespace here" "$work/err$i" || fail "test $i was not told that the network is shared"
  grep -qx "display :$number" "$work/out$i" && fail "test $i took the other server's display :$number"
  grep -qx "1920 1080" "$work/out$i" || fail "test $i did not get a 1920x1080 server of its own: $(cat "$work/out$i")"
done
start1=$(sed -n 's/^start //p' "$work/out1"); end1=$(sed -n 's/^end //p' "$work/out1")
start2=$(sed -n 's/^start //p' "$work/out2"); end2=$(sed -n 's/^end //p' "$work/out2")
if [ -z "$start1" ] || [ -z "$end1" ] || [ -z "$start2" ] || [ -z "$end2" ]; then
  fail "a test did not run: $(cat "$work"/out* "$work"/err*)"
elif awk -v s1="$start1" -v e1="$end1" -v s2="$start2" -v e2="$end2" 'BEGIN { exit !(s1 < e2 && s2 < e1) }'; then
  fail "the two tests ran at the same time ($start1-$end1, $start2-$end2)"
fi
[ "$failures" = 0 ] && echo "PASS"
exit "$failures"
