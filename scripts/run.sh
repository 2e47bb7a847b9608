#!/usr/bin/env bash
# Installs what is missing, builds the game and its content, and starts it.
# Usage: scripts/run.sh [GLUT options]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZUMBRA_BUILD_DIR:-$root/build}

bash "$root/scripts/install-deps.sh"
# The configuration is the one scripts/test.sh uses too, so both share build/;
# only the targets differ: playing needs the game and data/, not the tests.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" --target zumbra content

# The game reads ./data and writes ./Highscores.txt in its working directory.
cd "$build"
[ -e Highscores.txt ] || : > Highscores.txt
exec ./src/zumbra "$@"
