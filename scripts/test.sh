#!/usr/bin/env bash
# Installs what is needed, builds every configuration and runs every test.
#   1. the headless core under clang with libFuzzer: bounded fuzz runs
#   2. AddressSanitizer + UndefinedBehaviorSanitizer build: every test
#   3. the warnings-as-errors release build: every test, then benchmarks are built
# The window tests run under an Xvfb that the run starts itself.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
export CTEST_OUTPUT_ON_FAILURE=1
export VELKAN_FUZZ_SECONDS=${VELKAN_FUZZ_SECONDS:-30}

configure() { # dir, extra cmake args...
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DVELKAN_WERROR=ON "$@" >/dev/null
}

echo "== fuzz (clang, libFuzzer)"
configure build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DVELKAN_CORE_ONLY=ON -DVELKAN_FUZZ=ON
cmake --build build/fuzz -j "$jobs" --target fuzz_targets
ctest --test-dir build/fuzz -L fuzz -j "$jobs"

echo "== sanitizers"
configure build/asan -DCMAKE_BUILD_TYPE=Asan
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
  xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir build/asan -LE "fuzz|bench" -j "$jobs"

echo "== release"
configure build/release -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j "$jobs"
xvfb-run -a -s "-screen 0 1920x1080x24" ctest --test-dir build/release -LE fuzz -j "$jobs"
