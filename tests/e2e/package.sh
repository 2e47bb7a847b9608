#!/usr/bin/env bash
# The Debian package that scripts/package.sh makes beside this build tree:
# laid out by Debian's games policy, free of build paths, its desktop files
# valid, and lintian finds no error (an unstripped program is one), no
# warning and no hardening or stripping tag.
# As root it is then installed with apt, started from PATH by a player with a
# home of their own, and purged, which leaves the player's folder alone.
source "$(dirname "$0")/lib/common.sh"
e2e_init "$@"
source_dir=$(cd "$(dirname "$0")/../.." && pwd)

ZUMBRA_BUILD_DIR=${BUILD_DIR} bash "${source_dir}/scripts/package.sh" \
    >"${SCRATCH}/package.out" 2>"${SCRATCH}/package.err" ||
    fail "scripts/package.sh failed: $(tail -n 5 "${SCRATCH}/package.err")"
deb=$(tail -n 1 "${SCRATCH}/package.out")
version=$(sed -n 's/^project(Zumbra VERSION \([0-9.]*\) .*/\1/p' "${source_dir}/CMakeLists.txt")
[ "${deb}" = "${BUILD_DIR}/package/zumbra_${version}_amd64.deb" ] || fail "no package path last: ${deb}"
id=io.github.zumbra.Zumbra

echo "== the files, their modes and owners"
expected=$(printf '%s\n' "-rwxr-xr-x games/zumbra" "-rwxr-xr-x libexec/zumbra/zumbra" \
    "-rw-r--r-- share/applications/${id}.desktop" "-rw-r--r-- share/metainfo/${id}.metainfo.xml" \
    "-rw-r--r-- share/man/man6/zumbra.6.gz" "-rw-r--r-- share/doc/zumbra/copyright" \
    "-rw-r--r-- share/doc/zumbra/changelog.gz" \
    "-rw-r--r-- share/icons/hicolor/"{48x48,64x64,128x128,256x256}"/apps/${id}.png" | sort)
contents=$(dpkg-deb -c "${deb}")
actual=$(awk '$1 !~ /^d/ && $6 !~ /zumbra\/data\// { sub("^./usr/", "", $6); print $1, $6 }' <<<"${contents}" | sort)
[ "${actual}" = "${expected}" ] || fail "files differ: $(diff <(echo "${expected}") <(echo "${actual}") | grep '^[<>]')"
[ -z "$(awk '$2 != "root/root" || ($6 ~ /data\/./ && $1 !~ /^-rw-r--r--$|^d/)' <<<"${contents}")" ] ||
    fail "a file not owned by root, or data not rw-r--r--"
dpkg-deb -x "${deb}" "${SCRATCH}/root"
usr=${SCRATCH}/root/usr
diff -r "${BUILD_DIR}/data" "${usr}/share/games/zumbra/data" >/dev/null || fail "the packed data differs"
! grep -rqF -e "${source_dir}" -e "${BUILD_DIR}" "${usr}" || fail "a build path is in the package"
[ "$(file "${usr}"/share/icons/hicolor/*/apps/*.png | grep -cE '/([0-9]+)x\1/apps/.*PNG image data, \1 x \1,')" -eq 4 ] ||
    fail "an icon is not of its folder's size"

echo "== fields, validators, lintian"
dpkg-deb -f "${deb}" Section Priority Depends Description | tee "${SCRATCH}/fields.txt"
grep -qx 'Section: games' "${SCRATCH}/fields.txt" && grep -qx 'Priority: optional' "${SCRATCH}/fields.txt" ||
    fail "not section games, priority optional"
grep -q '^Depends: .*libc6 (>= [0-9.]*).*libglut' "${SCRATCH}/fields.txt" || fail "Depends lacks what the game links"
[ "$(grep -c '^ ' "${SCRATCH}/fields.txt")" -ge 3 ] || fail "the description has no paragraph"
desktop-file-validate "${usr}/share/applications/${id}.desktop" || fail "desktop-file-validate refused the entry"
appstreamcli validate-tree --no-net "${SCRATCH}/root" || fail "appstreamcli refused the metainfo"
[ -z "$(zcat "${usr}/share/man/man6/zumbra.6.gz" | groff -man -Tutf8 -ww -z 2>&1)" ] || fail "groff warns about the manual"
lintian --fail-on error,warning -I "${deb}" | tee "${SCRATCH}/lintian.txt" || fail "lintian reports errors or warnings"
! grep -E 'hardening-|binary-has-unneeded-section' "${SCRATCH}/lintian.txt" || fail "not hardened or not stripped as Debian does"

echo "== install directories a packager chose stay chosen"
cmake -S "${source_dir}" -B "${SCRATCH}/chosen" -DZUMBRA_INSTALL_LAUNCHERDIR=bin -DZUMBRA_INSTALL_DATADIR=share/zumbra \
    -DZUMBRA_BUILD_TESTS=OFF -DZUMBRA_BUILD_BENCH=OFF -DZUMBRA_BUILD_CONTENT=OFF >"${SCRATCH}/chosen.log" 2>&1 || fail "cannot configure"
[ "$(grep -E '^ZUMBRA_INSTALL_(LAUNCHER|DATA)DIR:' "${SCRATCH}/chosen/CMakeCache.txt" | sort)" = \
    "$(printf 'ZUMBRA_INSTALL_DATADIR:STRING=share/zumbra\nZUMBRA_INSTALL_LAUNCHERDIR:STRING=bin')" ] || fail "the choices were undone"

if [ "$(id -u)" -ne 0 ]; then
    echo "== install: skipped, installing a package with apt needs root"
    echo "package: ok"
    exit 0
fi

echo "== apt install, a player starts zumbra from PATH, purge"
player=zumbra-e2e-$$
home=${SCRATCH}/home
apt_get() {
    DEBIAN_FRONTEND=noninteractive apt-get -y -q -o DPkg::Lock::Timeout=300 "$@" >"${SCRATCH}/apt.log" 2>&1 ||
        fail "apt-get $1 failed: $(tail -n 5 "${SCRATCH}/apt.log")"
}
# Whatever happens, the machine is left without the package and the player.
trap 'status=$?; set +e; apt-get purge -y -q zumbra >/dev/null 2>&1; userdel "${player}" 2>/dev/null
    (exit "${status}"); e2e_cleanup' EXIT
chmod 755 "${SCRATCH}"
useradd --home-dir "${home}" --create-home --shell /bin/sh "${player}" || fail "cannot add a player"
apt_get install "${deb}"
e2e_start_x
# What a desktop session gives a player: Debian's PATH, a home, a display.
e2e_start_in "${home}" runuser -u "${player}" -- env -i HOME="${home}" DISPLAY="${DISPLAY}" \
    PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games SDL_AUDIODRIVER=dummy LIBGL_ALWAYS_SOFTWARE=1 zumbra
e2e_open_window
e2e_quit
scores=${home}/.local/share/zumbra/Highscores.txt
[ "$(stat -c %U "${scores}")" = "${player}" ] || fail "no table of the player's in ${scores}"
[ ! -s "${SCRATCH}/stdout.txt" ] || fail "the game's output did not go to the log"
e2e_check_console "${home}/.local/state/zumbra/zumbra.log"
apt_get purge zumbra
left=$(awk '$1 !~ /^d/ { print substr($6, 2) } END { print "/usr/libexec/zumbra\n/usr/share/games/zumbra\n/usr/share/doc/zumbra" }' <<<"${contents}" |
    while read -r path; do [ ! -e "${path}" ] || echo "${path}"; done)
[ -z "${left}" ] || fail "left after the purge: ${left}"
[ -f "${scores}" ] || fail "the purge took the player's table"
echo "package: ok"
