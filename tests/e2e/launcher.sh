#!/usr/bin/env bash
# The installed launcher prepares the player's folder and starts the game in
# it, its standard output in a log unless that is a terminal. The game
# program is swapped for a stand-in that reports where it runs and what it
# was given, so every case runs in well under a second and without a display.
source "$(dirname "$0")/lib/common.sh"
e2e_init "$@"

root=${SCRATCH}/root
DESTDIR="${root}" cmake --install "${BUILD_DIR}" --prefix /usr >"${SCRATCH}/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -n 5 "${SCRATCH}/install.log")"
launcher=${root}/usr/games/zumbra
program=${root}/usr/libexec/zumbra/zumbra
installed_data=$(readlink -f "${root}/usr/share/games/zumbra/data")
[ -x "${launcher}" ] || fail "no launcher at ${launcher}"
[ -x "${program}" ] || fail "no game program at ${program}"
cat >"${program}" <<EOF
#!/bin/sh
: >"${SCRATCH}/started"
echo "to stderr" >&2
printf 'cwd %s\\n' "\$(pwd -P)"
for a in "\$@"; do printf 'arg [%s]\\n' "\$a"; done
EOF

elsewhere=${SCRATCH}/elsewhere
mkdir -p "${elsewhere}" "${SCRATCH}/home"
direct=${SCRATCH}/out.txt
err=${SCRATCH}/err.txt

# Runs the launcher (or $LAUNCHER) from an unrelated directory with the given
# XDG_DATA_HOME and XDG_STATE_HOME ("unset" leaves them out); sets STATUS and
# out, where the log should be.
run() {
    local xdg_env=(XDG_DATA_HOME="$1" XDG_STATE_HOME="$1")
    [ "$1" != unset ] || xdg_env=(-u XDG_DATA_HOME -u XDG_STATE_HOME)
    out=${SCRATCH}/home/.local/state/zumbra/zumbra.log
    [[ "$1" != /* ]] || out=$1/zumbra/zumbra.log
    shift
    STATUS=0
    rm -f "${SCRATCH}/started"
    (cd "${elsewhere}" && env "${xdg_env[@]}" HOME="${SCRATCH}/home" "${LAUNCHER:-${launcher}}" "$@") \
        >"${direct}" 2>"${err}" || STATUS=$?
}

# The log holds the latest start only; standard error is left alone.
expect_ran_in() {
    [ "${STATUS}" -eq 0 ] || fail "launcher failed (${STATUS}): $(cat "${err}")"
    [ "$(grep '^cwd ' "${out}")" = "cwd $(readlink -f "$1")" ] ||
        fail "game not started in $1, or the log holds more: $(cat "${out}")"
    [ ! -s "${direct}" ] && grep -qx 'to stderr' "${err}" || fail "the wrong output went to the log"
    [ "$(readlink "$1/data")" = "${installed_data}" ] ||
        fail "$1/data does not link to ${installed_data}"
    [ -f "$1/Highscores.txt" ] || fail "no Highscores.txt in $1"
}

expect_refused() {
    [ "${STATUS}" -eq 1 ] || fail "expected status 1, got ${STATUS}"
    grep -q "$1" "${err}" || fail "stderr lacks '$1': $(cat "${err}")"
    [ ! -e "${SCRATCH}/started" ] || fail "the game started anyway"
}

echo "== first start: folder, link, empty table, arguments passed through"
xdg=${SCRATCH}/xdg
run "${xdg}" -geometry 640x480+10+20 "two words" ""
expect_ran_in "${xdg}/zumbra"
[ ! -s "${xdg}/zumbra/Highscores.txt" ] || fail "a new table should be empty"
[ "$(grep '^arg ' "${out}")" = "$(printf 'arg [-geometry]\narg [640x480+10+20]\narg [two words]\narg []')" ] ||
    fail "arguments changed on the way: $(cat "${out}")"
[ -z "$(ls -A "${elsewhere}")" ] || fail "the launcher wrote into the directory it was started from"

echo "== a table with scores is kept; a stale link is renewed"
printf 'Ann 300\nBob 200\n' >"${xdg}/zumbra/Highscores.txt"
ln -sfn "${SCRATCH}/old-install/data" "${xdg}/zumbra/data"
run "${xdg}"
expect_ran_in "${xdg}/zumbra"
[ "$(cat "${xdg}/zumbra/Highscores.txt")" = "$(printf 'Ann 300\nBob 200')" ] ||
    fail "the highscore table changed"
[ -z "$(find "${xdg}/zumbra" -name '.data.*')" ] || fail "a temporary link was left behind"

echo "== a data folder of the player's own is never replaced"
rm "${xdg}/zumbra/data"
mkdir "${xdg}/zumbra/data"
: >"${xdg}/zumbra/data/mine.txt"
run "${xdg}"
expect_refused "is not a link"
[ -f "${xdg}/zumbra/data/mine.txt" ] || fail "the player's data folder was touched"

echo "== XDG_DATA_HOME and XDG_STATE_HOME unset, empty or relative: ~/.local/share, ~/.local/state"
for value in unset "" "relative/dir"; do
    rm -rf "${SCRATCH}/home/.local"
    run "${value}"
    expect_ran_in "${SCRATCH}/home/.local/share/zumbra"
done
[ ! -e "${elsewhere}/relative" ] || fail "a relative XDG_DATA_HOME was used"

echo "== from a terminal the output stays there"
rm "${out}"
(cd "${elsewhere}" && env -u XDG_DATA_HOME -u XDG_STATE_HOME HOME="${SCRATCH}/home" \
    script -qec "${launcher} -iconic" /dev/null) >"${direct}"
grep -q 'arg \[-iconic\]' "${direct}" || fail "nothing reached the terminal: $(cat "${direct}")"
[ ! -e "${out}" ] || fail "a log was written from a terminal"

echo "== a folder that cannot be made"
: >"${SCRATCH}/a-file"
run "${SCRATCH}/a-file/xdg"
expect_refused "cannot create"

echo "== a moved tree and a launcher reached through a link"
mv "${root}" "${SCRATCH}/moved"
installed_data=$(readlink -f "${SCRATCH}/moved/usr/share/games/zumbra/data")
mkdir -p "${SCRATCH}/links"
ln -s "${SCRATCH}/moved/usr/games/zumbra" "${SCRATCH}/links/zb"
LAUNCHER=${SCRATCH}/links/zb run "${xdg}.2"
expect_ran_in "${xdg}.2/zumbra"

echo "== missing data, missing program"
launcher=${SCRATCH}/moved/usr/games/zumbra
mv "${SCRATCH}/moved/usr/share/games/zumbra/data" "${SCRATCH}/data-aside"
run "${xdg}.4"
expect_refused "the game's data is missing"
mv "${SCRATCH}/data-aside" "${SCRATCH}/moved/usr/share/games/zumbra/data"
rm "${SCRATCH}/moved/usr/libexec/zumbra/zumbra"
run "${xdg}.4"
expect_refused "the game program is missing"

echo "launcher: ok"
