#!/usr/bin/env bash
# Installs what is needed, builds the program and runs it with the simulated processor beside it
# (two devices on loopback: 127.0.0.21 and 127.0.0.22).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$(nproc)"

bin=build/release/bin
devsim_pid=""
if [ -x "$bin/velkan-devsim" ]; then
  "$bin/velkan-devsim" --device 127.0.0.21 --device 127.0.0.22 &
  devsim_pid=$!
  trap 'kill "$devsim_pid" 2>/dev/null || true' EXIT
fi
"$bin/velkan"
