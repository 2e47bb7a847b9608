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
launcher=${root}/usr/games/zumbra
program=${root}/usr/libexec/zumbra/zumbra
installed_data=$(readlink -f "${root}/usr/share/games/zumbra/data")
[ -x "${launcher}" ] || fail "no launcher at ${launcher}"
[ -x "${program}" ] || fail "no game program at ${program}"
cat >"${program}" <<'EOF'
#!/bin/sh
echo "to stderr $$" >&2
printf 'cwd %s\n' "$(pwd -P)"
for a in "$@"; do printf 'arg [%s]\n' "$a"; done
awk -v n="${STANDIN_LINES:-0}" 'BEGIN { for (i = 1; i <= n; i++) print "line " i }'
[ -z "${STANDIN_HOLD:-}" ] || { echo held >&2 && exec sleep 60; }
EOF

# Read-only files stop no root: those cases run as nobody, who needs to reach
# the installed tree; the launcher's FIFOs go to a folder of the test's.
chmod 755 "${SCRATCH}"
tmp=${SCRATCH}/tmp elsewhere=${SCRATCH}/elsewhere direct=${SCRATCH}/out.txt err=${SCRATCH}/err.txt
mkdir -m 1777 "${tmp}" && mkdir "${elsewhere}"
export HOME=${SCRATCH}/home
unset XDG_DATA_HOME XDG_STATE_HOME
AS=()

# Runs the launcher under dash from an unrelated directory, as ${AS[@]}, with
# the environment changes before "--" (env's syntax) and the arguments after
# it. Sets STATUS; returns once the log's filter has ended too, as it holds
# the launcher's standard error.
run() {
    local changes=()
    while [ "$1" != -- ]; do changes+=("$1") && shift; done
    (cd "${elsewhere}" && exec "${AS[@]}" env "${changes[@]}" TMPDIR="${tmp}" \
        timeout 20 dash "${LAUNCHER:-${launcher}}" "${@:2}") 2>&1 >"${direct}" | cat >"${err}" &&
        STATUS=0 || STATUS=${PIPESTATUS[0]}
}
# Both XDG folders in $1; out is where the log should be.
start() {
    out=$1/zumbra/zumbra.log
    run XDG_DATA_HOME="$1" XDG_STATE_HOME="$1" -- "${@:2}"
}

expect_ran_in() {
    [ "${STATUS}" -eq 0 ] || fail "launcher failed (${STATUS}): $(cat "${err}")"
    [ "$(grep '^cwd ' "${out}")" = "cwd $(readlink -f "$1")" ] ||
        fail "game not started in $1, or the log holds more: $(head -n 3 "${out}")"
    [ ! -s "${direct}" ] && grep -qx 'to stderr [0-9]*' "${err}" || fail "the wrong output went to the log"
    [ "$(readlink "$1/data")" = "${installed_data}" ] || fail "$1/data does not link to ${installed_data}"
    [ -f "$1/Highscores.txt" ] || fail "no Highscores.txt in $1"
}
expect_refused() {
    [ "${STATUS}" -eq 1 ] && [ "$(wc -l <"${err}")" -eq 1 ] && [[ "$(cat "${err}")" == "zumbra: "*"$1"* ]] ||
        fail "expected status 1 and one line 'zumbra: ...$1...', got ${STATUS}: $(cat "${err}")"
}
expect_discarded() {
    [ "${STATUS}" -eq 0 ] && [ ! -s "${direct}" ] &&
        [ "$(sed 's/ [0-9]*$//' "${err}")" = "$(printf "zumbra: %s; the game's output is discarded\nto stderr" "$1")" ] ||
        fail "expected '$1', the output discarded and the game started, got ${STATUS}: $(cat "${err}")"
}

echo "== first start in a folder with a backslash: folder, link, empty table, arguments"
xdg=${SCRATCH}/'xdg\tb'
start "${xdg}" -geometry 640x480+10+20 "two words" ""
expect_ran_in "${xdg}/zumbra"
[ ! -s "${xdg}/zumbra/Highscores.txt" ] || fail "a new table should be empty"
[ "$(grep '^arg ' "${out}")" = "$(printf 'arg [-geometry]\narg [640x480+10+20]\narg [two words]\narg []')" ] ||
    fail "arguments changed on the way: $(cat "${out}")"
[ -z "$(ls -A "${elsewhere}")" ] || fail "the launcher wrote into the directory it was started from"

echo "== a table with scores is kept; a stale link is renewed"
printf 'Ann 300\nBob 200\n' >"${xdg}/zumbra/Highscores.txt"
ln -sfn "${SCRATCH}/old-install/data" "${xdg}/zumbra/data"
start "${xdg}"
expect_ran_in "${xdg}/zumbra"
[ "$(cat "${xdg}/zumbra/Highscores.txt")" = "$(printf 'Ann 300\nBob 200')" ] || fail "the highscore table changed"

echo "== a long session: the log keeps its first lines, under 1 MiB, and counts the rest"
STANDIN_LINES=100000 start "${xdg}"
expect_ran_in "${xdg}/zumbra"
kept=$(grep -c '^line ' "${out}")
[ "$(stat -c %s "${out}")" -lt 1048576 ] && [ "$(stat -c %s "${out}")" -gt 990000 ] &&
    [ "$(grep '^line ' "${out}" | awk '$2 != NR')" = "" ] &&
    [ "$(tail -n 1 "${out}")" = "zumbra: $((100000 - kept)) more lines were left out of this log" ] ||
    fail "log of $(stat -c %s "${out}") bytes, ${kept} lines kept, ending: $(tail -n 2 "${out}")"

echo "== the game, the launcher's process, killed with its group: the log still counts"
rm "${out}"
(cd "${elsewhere}" && exec env TMPDIR="${tmp}" XDG_DATA_HOME="${xdg}" XDG_STATE_HOME="${xdg}" STANDIN_LINES=100000 \
    STANDIN_HOLD=1 setsid dash "${launcher}") >/dev/null 2>"${err}" &
pid=$!
for _ in $(seq 50); do grep -qx held "${err}" && break || sleep 0.1; done
kill -TERM -- "-${pid}"
wait "${pid}" || true
for _ in $(seq 50); do tail -n 1 "${out}" | grep -q ' more lines were left out' && break || sleep 0.1; done
[ "$(tail -n 1 "${out}")" = "zumbra: $((100000 - kept)) more lines were left out of this log" ] ||
    fail "no count after the group's SIGTERM: $(tail -n 2 "${out}")"
grep -qx "to stderr ${pid}" "${err}" || fail "the game is not the launcher's process ${pid}: $(cat "${err}")"

echo "== from a terminal the output stays there, all of it"
rm -f "${HOME}/.local/state/zumbra/zumbra.log"
(cd "${elsewhere}" && STANDIN_LINES=100000 script -qec "dash ${launcher} -iconic" /dev/null) >"${direct}"
grep -q 'arg \[-iconic\]' "${direct}" && [ "$(grep -c '^line ' "${direct}")" -eq 100000 ] ||
    fail "not all the output reached the terminal: $(tail -n 2 "${direct}")"
[ ! -e "${HOME}/.local/state/zumbra/zumbra.log" ] || fail "a log was written from a terminal"

echo "== XDG_DATA_HOME and XDG_STATE_HOME unset, empty or relative: ~/.local/share, ~/.local/state"
for value in unset "" relative/dir; do
    rm -rf "${HOME}/.local"
    [ "${value}" = unset ] && run -- || start "${value}"
    out=${HOME}/.local/state/zumbra/zumbra.log
    expect_ran_in "${HOME}/.local/share/zumbra"
done
[ ! -e "${elsewhere}/relative" ] || fail "a relative XDG_DATA_HOME was used"

echo "== a log that cannot be written: the game starts, its output discarded"
ro=${SCRATCH}/ro
mkdir -p "${ro}/log/zumbra" "${ro}/folder/zumbra" && : >"${ro}/log/zumbra/zumbra.log"
[ "$(id -u)" -ne 0 ] || { chown -R nobody "${ro}" && AS=(setpriv --reuid=nobody --regid=nogroup --clear-groups); }
chmod a-w "${ro}/log/zumbra/zumbra.log" "${ro}/folder/zumbra"
for case in log folder; do
    run XDG_DATA_HOME="${ro}" XDG_STATE_HOME="${ro}/${case}" --
    expect_discarded "cannot write ${ro}/${case}/zumbra/zumbra.log"
done
AS=()
run -u HOME XDG_DATA_HOME="${xdg}" --
expect_discarded "neither XDG_STATE_HOME nor HOME is set"

echo "== refused: a data folder of the player's own, a folder that cannot be made, no HOME"
rm "${xdg}/zumbra/data" && mkdir "${xdg}/zumbra/data" && : >"${xdg}/zumbra/data/mine.txt"
start "${xdg}"
expect_refused "${xdg}/zumbra/data is not a link"
[ -f "${xdg}/zumbra/data/mine.txt" ] || fail "the player's data folder was touched"
: >"${SCRATCH}/a-file"
start "${SCRATCH}/a-file/x\ty"
expect_refused "cannot create ${SCRATCH}/a-file/x\ty/zumbra"
run -u HOME --
expect_refused "neither XDG_DATA_HOME nor HOME is set"

echo "== another start makes the link just before this one: it is taken as it is"
mkdir "${SCRATCH}/bin"
printf '#!/bin/sh\nfor last; do :; done\n%s -sT "%s" "$last"\nexec %s "$@"\n' "$(command -v ln)" \
    "${installed_data}" "$(command -v ln)" >"${SCRATCH}/bin/ln" && chmod +x "${SCRATCH}/bin/ln"
PATH=${SCRATCH}/bin:${PATH} start "${xdg}.race"
expect_ran_in "${xdg}.race/zumbra"
[ ! -L "${installed_data}/data" ] || fail "a link was made inside the installed data"

echo "== a moved tree and a launcher reached through a link; then no data, no program"
mv "${root}" "${SCRATCH}/moved"
installed_data=$(readlink -f "${SCRATCH}/moved/usr/share/games/zumbra/data")
ln -s "${SCRATCH}/moved/usr/games/zumbra" "${SCRATCH}/zb"
LAUNCHER=${SCRATCH}/zb start "${xdg}.2"
expect_ran_in "${xdg}.2/zumbra"
mv "${installed_data}" "${SCRATCH}/data-aside"
LAUNCHER=${SCRATCH}/zb start "${xdg}.3"
expect_refused "the game's data is missing"
mv "${SCRATCH}/data-aside" "${installed_data}" && rm "${SCRATCH}/moved/usr/libexec/zumbra/zumbra"
LAUNCHER=${SCRATCH}/zb start "${xdg}.3"
expect_refused "the game program is missing"

[ -z "$(ls -A "${tmp}")" ] || fail "the launcher left $(ls -A "${tmp}") behind"
echo "launcher: ok"
