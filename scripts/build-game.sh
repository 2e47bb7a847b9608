#!/usr/bin/env bash
# Installs what building and playing needs (and any packages named on the
# command line), then builds the game and its content.
# Usage: scripts/build-game.sh [PACKAGE...]   (ZUMBRA_BUILD_DIR: default build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZUMBRA_BUILD_DIR:-$root/build}

bash "$root/scripts/install-deps.sh" --play "$@"
# A new tree builds no tests or benchmarks, whose packages playing does not
# need; one that scripts/test.sh configured keeps them, as both share build/.
options=()
[ -f "$build/CMakeCache.txt" ] || options=(-DZUMBRA_BUILD_TESTS=OFF -DZUMBRA_BUILD_BENCH=OFF)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}"
cmake --build "$build" -j"$(nproc)" --target zumbra content
