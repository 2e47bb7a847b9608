#!/usr/bin/env bash
# Installs the build as a package would (prefix /usr below a DESTDIR), checks
# that exactly the expected files arrive and that the desktop entry, the
# AppStream data and the manual validate, then plays a whole game through the
# INSTALLED launcher from an unrelated directory: the score must land in
# $XDG_DATA_HOME/zumbra/Highscores.txt.
source "$(dirname "$0")/lib/common.sh"
e2e_init "$@"

for tool in desktop-file-validate appstreamcli groff; do
    command -v "${tool}" >/dev/null || fail "${tool} is missing: run scripts/install-deps.sh"
done

root=${SCRATCH}/root
e2e_install "${root}"
usr=${root}/usr
id=io.github.zumbra.Zumbra

echo "== what is installed"
expected=$(printf '%s\n' \
    bin/zumbra \
    libexec/zumbra/zumbra \
    share/applications/${id}.desktop \
    share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/${id}.png \
    share/man/man6/zumbra.6 \
    share/metainfo/${id}.metainfo.xml | sort)
actual=$(cd "${usr}" && find . \( -type f -o -type l \) -not -path './share/zumbra/data/*' |
    sed 's|^\./||' | sort)
[ "${actual}" = "${expected}" ] ||
    fail "installed files differ from the expected list: $(diff <(echo "${expected}") <(echo "${actual}") | grep '^[<>]' | head -n 5)"
[ -z "$(find "${root}" -mindepth 1 -maxdepth 1 -not -name usr)" ] || fail "files installed outside the prefix"
for program in bin/zumbra libexec/zumbra/zumbra; do
    [ -x "${usr}/${program}" ] || fail "${program} is not executable"
done
diff -r "${BUILD_DIR}/data" "${usr}/share/zumbra/data" >/dev/null ||
    fail "installed data differs from the generated data"
[ -z "$(find "${usr}/share/zumbra/data" -type f -perm /0111)" ] || fail "data files are executable"

# PNG header: signature, then width and height as big-endian 32-bit numbers.
png=${usr}/share/icons/hicolor/256x256/apps/${id}.png
[ "$(od -An -tx1 -j1 -N3 "${png}" | tr -d ' ')" = "504e47" ] || fail "the icon is not a PNG"
[ "$(od -An -tu1 -j16 -N8 "${png}" | tr -s ' ')" = " 0 0 1 0 0 0 1 0" ] || fail "the icon is not 256x256"

echo "== validators"
desktop=${usr}/share/applications/${id}.desktop
desktop-file-validate "${desktop}" || fail "desktop-file-validate refused ${desktop}"
grep -qx "Icon=${id}" "${desktop}" || fail "the desktop entry names another icon"
grep -qx 'Exec=zumbra' "${desktop}" || fail "the desktop entry does not start the launcher"
appstreamcli validate --no-net "${usr}/share/metainfo/${id}.metainfo.xml" ||
    fail "appstreamcli refused the metainfo"
appstreamcli validate-tree --no-net "${root}" >/dev/null || fail "appstreamcli refused the installed tree"
man_warnings=$(groff -man -Tutf8 -ww -z "${usr}/share/man/man6/zumbra.6" 2>&1)
[ -z "${man_warnings}" ] || fail "groff warns about the manual: ${man_warnings}"
manual=$(groff -man -Tascii -P-cbou "${usr}/share/man/man6/zumbra.6" 2>/dev/null)
for word in -display -geometry -direct -indirect -iconic -gldebug -sync \
    XDG_DATA_HOME SDL_AUDIODRIVER Highscores.txt /usr/share/zumbra/data; do
    grep -q -- "${word}" <<<"${manual}" || fail "the manual does not mention ${word}"
done

echo "== a whole game through the installed launcher"
xdg=${SCRATCH}/xdg
elsewhere=${SCRATCH}/elsewhere
mkdir -p "${elsewhere}"
export XDG_DATA_HOME=${xdg} XDG_STATE_HOME=${SCRATCH}/state
e2e_start_x
# A GLUT option on the way through: -geometry places the window, while the
# game keeps its own size (as the manual says).
e2e_start_in "${elsewhere}" "${usr}/bin/zumbra" -geometry 640x480+37+41
e2e_open_window
geometry=$(xdotool getwindowgeometry "${WID}")
grep -q 'Position: 37,41' <<<"${geometry}" || fail "-geometry did not reach the game: ${geometry}"
grep -q 'Geometry: 1024x768' <<<"${geometry}" || fail "the window is not 1024x768: ${geometry}"
[ -f "${xdg}/zumbra/Highscores.txt" ] || fail "no Highscores.txt in ${xdg}/zumbra"
sleep 1

# A hundred clicks drop the hundred bombs. No key is held: one held into
# the name entry could type itself into the name.
xdotool mousemove --window "${WID}" 512 384 click --repeat 100 --delay 10 1
e2e_wait_text "${SCRATCH}/game_over.png" "${WID}" 350 80 300 26 40
e2e_enter_name Honey
e2e_quit

scores=$(cat "${xdg}/zumbra/Highscores.txt")
echo "Highscores.txt: ${scores}"
echo "${scores}" | grep -qE '^Honey [0-9]+$' || fail "the name is not in the highscore table"
e2e_check_console "${SCRATCH}/state/zumbra/zumbra.log"
[ -z "$(ls -A "${elsewhere}")" ] || fail "the game wrote into the directory it was started from"
echo "install_smoke: ok"
