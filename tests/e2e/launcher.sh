#!/usr/bin/env bash
# The installed launcher, run by dash as /bin/sh is on Debian, prepares the
# player's folder and starts the game in it, its standard output in a
# bounded log unless that is a terminal; every refusal is one line and
# status 1, and a log it cannot write costs the log only. The game program
# is swapped for a stand-in that reports where it runs and what it was given
# (and prints STANDIN_LINES lines), so every case runs in under a second and
# without a display.
source "$(dirname "$0")/lib/common.sh"
e2e_init "$@"

root=${SCRATCH}/root
DESTDIR="${root}" cmake --install "${BUILD_DIR}" --prefix /usr >"${SCRATCH}/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -n 5 "${SCRATCH}/install.log")"
program=${root}/usr/libexec/zumbra/zumbra
installed_data=$(readlink -f "${root}/usr/share/games/zumbra/data")
# Every case reaches the launcher through a link. The stand-in names its
# parent: what started the launcher, if the launcher exec'd the game.
launcher=${SCRATCH}/zb
ln -s "${root}/usr/games/zumbra" "${launcher}"
cat >"${program}" <<'STANDIN'
#!/bin/sh
echo "to stderr $(cat /proc/$PPID/comm)" >&2
printf 'cwd %s\n' "$(pwd -P)"
for a in "$@"; do printf 'arg [%s]\n' "$a"; done
awk -v n="${STANDIN_LINES:-0}" 'BEGIN { for (i = 1; i <= n; i++) print "line " i }'
[ -z "${STANDIN_KILL:-}" ] || kill -TERM 0
STANDIN

# Read-only files stop no root: those cases run as nobody, who needs to reach
# the installed tree; the launcher's FIFOs go to a folder of the test's.
tmp=${SCRATCH}/tmp elsewhere=${SCRATCH}/elsewhere direct=${SCRATCH}/out.txt err=${SCRATCH}/err.txt
chmod 755 "${SCRATCH}" && mkdir -m 1777 "${tmp}" && mkdir "${elsewhere}"
export HOME=${SCRATCH}/home
unset XDG_DATA_HOME XDG_STATE_HOME

# Runs the launcher under dash from an unrelated directory, as ${AS[@]} if
# set, with the environment changes before "--" (env's syntax) and the
# arguments after it. Sets STATUS; returns once the log's filter has ended
# too, as it holds the launcher's standard error.
run() {
    local changes=()
    while [ "$1" != -- ]; do changes+=("$1") && shift; done
    (cd "${elsewhere}" && exec "${AS[@]}" env "${changes[@]}" TMPDIR="${tmp}" \
        timeout 20 dash "${launcher}" "${@:2}") 2>&1 >"${direct}" | cat >"${err}" &&
        STATUS=0 || STATUS=${PIPESTATUS[0]}
}
# Both XDG folders in $1; out is where the log should be.
start() {
    out=$1/zumbra/zumbra.log
    run XDG_DATA_HOME="$1" XDG_STATE_HOME="$1" -- "${@:2}"
}

expect_ran_in() {
    [ "${STATUS}" -eq 0 ] && [ ! -s "${direct}" ] && [ "$(cat "${err}")" = "to stderr timeout" ] ||
        fail "launcher failed (${STATUS}), or the wrong output went to the log: $(cat "${err}")"
    [ "$(grep '^cwd ' "${out}")" = "cwd $(readlink -f "$1")" ] ||
        fail "game not started in $1, or the log holds more: $(head -n 3 "${out}")"
    [ "$(readlink "$1/data")" = "${installed_data}" ] && [ -f "$1/Highscores.txt" ] ||
        fail "$1/data does not link to ${installed_data}, or no Highscores.txt"
}
# Status $1, and the launcher's one line on standard error starts with
# "zumbra: $2"; a game that started adds its own line, and its output is gone.
expect_said() {
    [ "${STATUS}" -eq "$1" ] && [ ! -s "${direct}" ] && [[ "$(head -n 1 "${err}")" == "zumbra: $2"* ]] &&
        [ "$(tail -n +2 "${err}")" = "$([ "$1" -ne 0 ] || echo 'to stderr timeout')" ] ||
        fail "expected status $1 and 'zumbra: $2...', got ${STATUS}: $(cat "${err}")"
}

echo "== first start in a folder with a backslash: folder, link, empty table, arguments"
xdg=${SCRATCH}/'xdg\tb'
start "${xdg}" -geometry 640x480+10+20 "two words" ""
expect_ran_in "${xdg}/zumbra"
[ "$(grep '^arg ' "${out}")" = "$(printf 'arg [-geometry]\narg [640x480+10+20]\narg [two words]\narg []')" ] &&
    [ ! -s "${xdg}/zumbra/Highscores.txt" ] || fail "arguments changed on the way, or the new table is not empty"

echo "== a table with scores is kept; a stale link is renewed"
printf 'Ann 300\nBob 200\n' >"${xdg}/zumbra/Highscores.txt"
ln -sfn "${SCRATCH}/old-install/data" "${xdg}/zumbra/data"
start "${xdg}"
expect_ran_in "${xdg}/zumbra"
[ "$(cat "${xdg}/zumbra/Highscores.txt")" = "$(printf 'Ann 300\nBob 200')" ] || fail "the highscore table changed"

echo "== a long session ended by SIGTERM to its group: its first lines, under 1 MiB, and a count"
STANDIN_LINES=100000 STANDIN_KILL=1 start "${xdg}"
kept=$(grep -c '^line ' "${out}")
[ "${STATUS}" -eq 143 ] && [ "$(stat -c %s "${out}")" -lt 1048576 ] && [ "$(stat -c %s "${out}")" -gt 990000 ] &&
    [ "$(grep '^line ' "${out}" | awk '$2 != NR')" = "" ] &&
    [ "$(tail -n 1 "${out}")" = "zumbra: $((100000 - kept)) more lines were left out of this log" ] ||
    fail "status ${STATUS}, log of $(stat -c %s "${out}") bytes, ${kept} lines kept, ending: $(tail -n 2 "${out}")"

echo "== from a terminal the output stays there, all of it"
rm -f "${HOME}/.local/state/zumbra/zumbra.log"
(cd "${elsewhere}" && STANDIN_LINES=100000 script -qec "dash ${launcher} -iconic" /dev/null) >"${direct}"
grep -q 'arg \[-iconic\]' "${direct}" && [ "$(grep -c '^line ' "${direct}")" -eq 100000 ] &&
    [ ! -e "${HOME}/.local/state/zumbra/zumbra.log" ] || fail "the output did not all reach the terminal, or a log was made"

echo "== XDG_DATA_HOME and XDG_STATE_HOME unset, empty or relative: ~/.local/share, ~/.local/state"
for value in unset "" relative/dir; do
    rm -rf "${HOME}/.local"
    [ "${value}" = unset ] && run -- || start "${value}"
    out=${HOME}/.local/state/zumbra/zumbra.log
    expect_ran_in "${HOME}/.local/share/zumbra"
done

echo "== a log that cannot be written: the game starts, its output discarded"
ro=${SCRATCH}/ro
mkdir -p "${ro}/log/zumbra" "${ro}/folder/zumbra" && : >"${ro}/log/zumbra/zumbra.log"
[ "$(id -u)" -ne 0 ] || { chown -R nobody "${ro}" && AS=(setpriv --reuid=nobody --regid=nogroup --clear-groups); }
chmod a-w "${ro}/log/zumbra/zumbra.log" "${ro}/folder/zumbra"
for case in log folder; do
    run XDG_DATA_HOME="${ro}" XDG_STATE_HOME="${ro}/${case}" --
    expect_said 0 "cannot write ${ro}/${case}/zumbra/zumbra.log; the game's output is discarded"
done
AS=()
run -u HOME XDG_DATA_HOME="${xdg}" --
expect_said 0 "neither XDG_STATE_HOME nor HOME is set; the game's output is discarded"

echo "== refused: a data folder of the player's own, a folder that cannot be made, no HOME"
rm "${xdg}/zumbra/data" && mkdir "${xdg}/zumbra/data" && : >"${xdg}/zumbra/data/mine.txt"
start "${xdg}"
expect_said 1 "${xdg}/zumbra/data is not a link"
[ -f "${xdg}/zumbra/data/mine.txt" ] || fail "the player's data folder was touched"
: >"${SCRATCH}/a-file"
start "${SCRATCH}/a-file/x\ty"
expect_said 1 "cannot create ${SCRATCH}/a-file/x\ty/zumbra"
run -u HOME --
expect_said 1 "neither XDG_DATA_HOME nor HOME is set"

echo "== another start makes the link just before this one: it is taken as it is"
mkdir "${SCRATCH}/bin" && ln=$(command -v ln)
printf '#!/bin/sh\nfor last; do :; done\n%s -sT "%s" "$last"\nexec %s "$@"\n' "${ln}" "${installed_data}" "${ln}" >"${SCRATCH}/bin/ln"
chmod +x "${SCRATCH}/bin/ln" && PATH=${SCRATCH}/bin:${PATH} start "${xdg}.race"
expect_ran_in "${xdg}.race/zumbra"
[ ! -L "${installed_data}/data" ] || fail "a link was made inside the installed data"

echo "== no data, no program"
mv "${installed_data}" "${SCRATCH}/data-aside"
start "${xdg}.2"
expect_said 1 "the game's data is missing"
mv "${SCRATCH}/data-aside" "${installed_data}" && rm "${program}"
start "${xdg}.2"
expect_said 1 "the game program is missing"
[ -z "$(find "${tmp}" "${elsewhere}" -mindepth 1)" ] || fail "the launcher left a FIFO behind, or wrote where it was started"
echo "launcher: ok"
