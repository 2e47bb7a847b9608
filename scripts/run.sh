#!/usr/bin/env bash
# Installs what playing needs and is missing, builds the game and its
# content, and starts it.
# Usage: scripts/run.sh [GLUT options]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZUMBRA_BUILD_DIR:-$root/build}

bash "$root/scripts/build-game.sh"

# The game reads ./data and writes ./Highscores.txt in its working directory.
cd "$build"
[ -e Highscores.txt ] || : > Highscores.txt
exec ./src/zumbra "$@"
