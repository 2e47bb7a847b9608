#!/usr/bin/env bash
# Plays one round without touching the controls and times it on the wall
# clock, from the first frame to "Game Over": the 120 seconds of the
# countdown must take 120 real seconds at whatever frame rate the machine
# gives. Prints the frame rate Mesa itself measured over the round
# (GALLIUM_HUD; software rendering only). With --hide S the window is
# unmapped, as a minimised one is, for S seconds after the first 30, and the
# CPU time the game used meanwhile is printed too.
# Usage: scripts/round_clock.sh [--hide SECONDS] [build dir]   (default: build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
hide=0
if [ "${1:-}" = "--hide" ]; then
    hide=$2
    shift 2
fi
build=$(readlink -f "${1:-$root/build}")
source "$root/tests/e2e/lib/common.sh"
e2e_init "$build/src/zumbra" "$build"
e2e_copy_data
[ -d "${SCRATCH}/data" ] || fail "no generated data in $build/data"
: >"${SCRATCH}/Highscores.txt"
mkdir "${SCRATCH}/hud"
export GALLIUM_HUD=fps GALLIUM_HUD_DUMP_DIR="${SCRATCH}/hud"
e2e_start_x
e2e_start_game
e2e_open_window

# Grabs window region x y w h ten times a second until it holds text, and
# prints when the grab that showed it began. A grab of a small region stays
# quick on a busy machine, where whole screenshots would lag the game.
text_time() {
    local i t count
    for i in $(seq 1 $(($5 * 10))); do
        t=$(date +%s.%N)
        count=$(import -window "${WID}" -crop "$3x$4+$1+$2" -depth 8 txt:- 2>/dev/null | grep -c '#FFFF00' || true)
        if [ "${count}" -ge 300 ]; then
            echo "${t}"
            return 0
        fi
        sleep 0.1
    done
    fail "no text appeared at ($1, $2) within $5 s"
}

# The round's first step comes with the first frame, after the level loaded.
start=$(text_time 5 10 440 26 60) || exit 1

if [ "${hide}" -gt 0 ]; then
    cpu_ticks() { awk '{ print $14 + $15 }' "/proc/${GAME_PID}/stat"; }
    sleep 30
    xdotool windowunmap --sync "${WID}"
    before=$(cpu_ticks)
    sleep "${hide}"
    echo "hidden for ${hide} s: $(($(cpu_ticks) - before)) of $(getconf CLK_TCK) CPU ticks a second"
    xdotool windowmap --sync "${WID}"
fi

# "Game Over! Press ESC to quit!" at (350, 100) ends the round.
end=$(text_time 350 80 300 26 150) || exit 1
e2e_quit
awk -v s="$start" -v e="$end" 'BEGIN {
    printf "round: %.1f real seconds for 120 game seconds (%+.1f %%)\n", e - s, 100 * ((e - s) / 120 - 1) }'
sort -n "${SCRATCH}/hud/fps" | awk '{ v[NR] = $1; sum += $1 } END {
    if (NR == 0) { print "no frame-rate samples (not Mesa software rendering?)"; exit }
    printf "frame rate (Mesa, %d samples): median %.1f, mean %.1f, lowest %.1f, highest %.1f fps\n",
        NR, v[int((NR + 1) / 2)], sum / NR, v[1], v[NR] }'
