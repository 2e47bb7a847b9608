#!/usr/bin/env bash
# Installs what is missing, builds the game and its content, and packs them
# as a Debian package with CPack (dist/CMakeLists.txt says how). The last line
# of standard output is the package's path.
# Usage: scripts/package.sh      (ZUMBRA_BUILD_DIR: the build tree, default build/)
# Two clones of one commit give the same bytes: every time stamp is the
# commit's, modes and owners are fixed and no build path gets into a binary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZUMBRA_BUILD_DIR:-$root/build}
umask 022

# CPack finds the programs for dpkg-shlibdeps with file(1); git gives the
# commit's time.
bash "$root/scripts/build-game.sh" file git
# Outside a git checkout, the newest changelog entry's date, as Debian does.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null ||
    dpkg-parsechangelog -l "$root/dist/changelog" -STimestamp)
fi
export SOURCE_DATE_EPOCH

out=$build/package
rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out"
ls "$out"/zumbra_*.deb
