#!/usr/bin/env bash
# Installs what is missing, builds the game and its content, and starts it.
# Usage: scripts/run.sh [GLUT options]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZUMBRA_BUILD_DIR:-$root/build}

bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Builds the game, the content tool and the content it writes to $build/data.
cmake --build "$build" -j"$(nproc)"

# The game reads ./data and writes ./Highscores.txt in its working directory.
cd "$build"
[ -e Highscores.txt ] || : > Highscores.txt
exec ./zumbra "$@"
