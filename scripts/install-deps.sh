#!/usr/bin/env bash
# Installs the Debian 12 packages the game, its content tool, tests and
# benchmarks need, and any packages named on the command line. Only what is
# missing is installed; a machine that has everything is left alone and the
# script returns at once.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git python3
  freeglut3-dev libgl-dev libglu1-mesa-dev libx11-dev
  libdevil-dev libsdl2-mixer-dev libmp3lame-dev
  libgtest-dev libgmock-dev libbenchmark-dev libassimp-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool imagemagick x11-utils
  libgl1-mesa-dri
  desktop-file-utils appstream groff-base
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
