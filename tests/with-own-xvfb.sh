#!/usr/bin/env bash
# Runs one test program under an X server of its own, so that window tests which move the
# pointer, take the keyboard focus or read the screen never disturb each other when CTest
# runs them in parallel. Xvfb picks a free display itself (-displayfd), so starts never race.
set -u
ready=$(mktemp)
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$ready" 2>/dev/null &
xvfb=$!
child=""
cleanup() {
  [ -n "$child" ] && kill "$child" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  rm -f "$ready"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

for _ in $(seq 1 200); do
  [ -s "$ready" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.05
done
display=$(head -n 1 "$ready" 2>/dev/null)
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
