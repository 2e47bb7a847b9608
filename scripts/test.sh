#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test three ways:
#   1. the normal build: unit, GL (under Xvfb) and end-to-end tests
#   2. the same suite built with AddressSanitizer + UndefinedBehaviorSanitizer
#   3. the libFuzzer targets (clang), each for a bounded time
# Usage: scripts/test.sh [--quick]   (--quick: the normal build only)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
quick=0
[ "${1:-}" = "--quick" ] && quick=1

# Everything scripts/run.sh installs and the rest: test, benchmark and
# fuzzing libraries, Xvfb and the tools that drive it, lintian.
bash "$root/scripts/install-deps.sh"

export SDL_AUDIODRIVER=dummy
export LIBGL_ALWAYS_SOFTWARE=1

run_suite() {
  local dir=$1; shift
  # A tree that scripts/run.sh made has its tests switched off: on again.
  cmake -S "$root" -B "$dir" -DZUMBRA_WERROR=ON -DZUMBRA_BUILD_TESTS=ON "$@"
  cmake --build "$dir" -j"$jobs"
  echo "-- built by ${SECONDS} s"
  (cd "$dir" && ctest --output-on-failure -j"$jobs")
  echo "-- tested by ${SECONDS} s"
}

echo "== tests' share of the code =="
python3 "$root/scripts/code_count.py" --max-tests 33.5

echo "== normal build =="
run_suite "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUMBRA_BUILD_BENCH=ON
[ $quick -eq 1 ] && exit 0

echo "== sanitizer build (ASan + UBSan) =="
# The game frees nothing by design (everything lives for the whole run), so
# leak reports would only list those; memory errors and UB still abort.
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite "$root/build-asan" -DCMAKE_BUILD_TYPE=Debug -DZUMBRA_SANITIZE=ON -DZUMBRA_GL_CHECKS=ON \
            -DZUMBRA_BUILD_BENCH=OFF

echo "== fuzzers =="
CC=clang CXX=clang++ run_suite "$root/build-fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZUMBRA_FUZZ=ON -DZUMBRA_SANITIZE=ON -DZUMBRA_BUILD_TESTS=OFF -DZUMBRA_BUILD_BENCH=OFF \
  -DZUMBRA_BUILD_CONTENT=OFF \
  -DZUMBRA_FUZZ_SECONDS="${ZUMBRA_FUZZ_SECONDS:-30}"  # each; set it higher for a longer hunt
