#!/usr/bin/env bash
# Long fuzzing runs, outside CI: every libFuzzer target for SECONDS each on its corpus, at most
# JOBS at a time, at low priority. New inputs go to build/fuzz/fuzz/<target>.corpus; crashes to
# build/fuzz/findings/. Prints the executions of each target at the end.
#   scripts/fuzz-long.sh [SECONDS=600] [JOBS=2] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
jobs=${2:-2}
shift $(( $# > 2 ? 2 : $# )) || true
build=${VELKAN_FUZZ_BUILD:-build/fuzz}

if [ ! -f "$build/build.ninja" ]; then
  CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVELKAN_CORE_ONLY=ON -DVELKAN_FUZZ=ON -DVELKAN_WERROR=ON >/dev/null
fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in fuzz/*_fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
nice cmake --build "$build" -j "$jobs" --target "${targets[@]}"

mkdir -p "$build/findings" "$build/fuzz-logs"
run() { # target
  local t=$1 work="$build/fuzz/$1.corpus" seeds="fuzz/corpus/$1"
  mkdir -p "$work" "$build/findings/$t"
  [ -d "$seeds" ] || seeds=$work
  nice -n 15 "$build/bin/$t" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$t/" "$work" "$seeds" >"$build/fuzz-logs/$t.log" 2>&1 || true
}
for t in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run "$t" &
done
wait

printf '%-24s %14s %10s %s\n' target executions exec/s findings
for t in "${targets[@]}"; do
  log="$build/fuzz-logs/$t.log"
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  found=$(find "$build/findings/$t" -type f | wc -l)
  printf '%-24s %14s %10s %s\n' "$t" "${runs:-?}" "${rate:-?}" "$found"
done
