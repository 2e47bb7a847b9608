#!/usr/bin/env bash
# Installs what is missing, builds the game and its content with Debian's
# build flags, and packs them as a Debian package with CPack
# (dist/CMakeLists.txt says how). The last line of standard output is the
# package's path.
# Usage: scripts/package.sh      (ZUMBRA_BUILD_DIR: default build/; the
#                                 package is built in its deb/ and left in
#                                 its package/)
# Two clones of one commit give the same bytes: every time stamp is the
# commit's, modes and owners are fixed and no build path gets into a binary.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZUMBRA_BUILD_DIR:-$root/build}
tree=$build/deb
umask 022

# CPack finds the programs for dpkg-shlibdeps with file(1); git gives the
# commit's time; dpkg-buildflags gives Debian's flags.
bash "$root/scripts/install-deps.sh" --play file git dpkg-dev
# Outside a git checkout, the newest changelog entry's date, as Debian does.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null ||
    dpkg-parsechangelog -l "$root/dist/changelog" -STimestamp)
fi
export SOURCE_DATE_EPOCH

# What a Debian package's build gets: stack protector, fortified functions,
# a GOT made read-only at start (-z now). Asked for in the source tree, whose
# path is the one they map to "."; CMake has no CPPFLAGS, so they go with
# the compiler's flags, as debhelper does.
flags() {
  (cd "$root" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1")
}
cpp=$(flags CPPFLAGS)
ld=$(flags LDFLAGS)
cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=None -DZUMBRA_BUILD_TESTS=OFF -DZUMBRA_BUILD_BENCH=OFF \
  -DCMAKE_C_FLAGS="$(flags CFLAGS) $cpp" -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $cpp" \
  -DCMAKE_EXE_LINKER_FLAGS="$ld" -DCMAKE_SHARED_LINKER_FLAGS="$ld" -DCMAKE_MODULE_LINKER_FLAGS="$ld"
cmake --build "$tree" -j"$(nproc)" --target zumbra content

out=$build/package
rm -rf "$out"
cpack --config "$tree/CPackConfig.cmake" -B "$out"
ls "$out"/zumbra_*.deb
