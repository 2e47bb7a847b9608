#!/usr/bin/env bash
# Installs the Debian 12 packages Zumbra needs, and any packages named on the
# command line. Only what is missing is installed; a machine that has
# everything is left alone and the script returns at once.
#   install-deps.sh --play [PACKAGE...]   building and playing: the compiler,
#                                         CMake, the libraries the game and its
#                                         content tool link, the GL driver
#   install-deps.sh [PACKAGE...]          that and what the tests, benchmarks,
#                                         fuzzers and the package check need
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  freeglut3-dev libgl-dev libglu1-mesa-dev libx11-dev
  libdevil-dev libsdl2-mixer-dev libmp3lame-dev
  libgl1-mesa-dri
)
if [ "${1:-}" = --play ]; then
  shift
else
  packages+=(
    git python3 file
    libgtest-dev libgmock-dev libbenchmark-dev libassimp-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool imagemagick x11-utils
    desktop-file-utils appstream groff-base lintian
  )
fi
packages+=("$@")

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
