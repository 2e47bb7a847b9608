#!/usr/bin/env bash
# A round lasts its 120 seconds on the wall clock even when the window is
# hidden (unmapped, as a minimised window is) for 20 of them in the middle,
# and while hidden the game waits between steps instead of spinning: at most
# a fifth of a core. It plays a whole round, so it runs in the normal build only.
source "$(dirname "$0")/lib/common.sh"
e2e_init "$@"
e2e_copy_data
[ -d "${SCRATCH}/data" ] || fail "no generated data in ${BUILD_DIR}/data"
: >"${SCRATCH}/Highscores.txt"
e2e_start_x
e2e_start_game
e2e_open_window
# The round's first step comes with the first frame, after the level loaded.
e2e_wait_text "${SCRATCH}/start.png" "${WID}" 5 10 440 26 60
start=$(date +%s.%N)

cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/${GAME_PID}/stat"
}
sleep 30
xdotool windowunmap --sync "${WID}"
before=$(cpu_ticks)
sleep 20
used=$(($(cpu_ticks) - before))
xdotool windowmap --sync "${WID}"
limit=$((20 * $(getconf CLK_TCK) / 5))
echo "hidden for 20 s: ${used} clock ticks of CPU (at most ${limit})"
[ "${used}" -le "${limit}" ] || fail "the hidden game used ${used} ticks in 20 s"

# "Game Over! Press ESC to quit!" at (350, 100) ends the round.
e2e_screenshot "${SCRATCH}/shown.png"
! e2e_region_has_text "${SCRATCH}/shown.png" "${WID}" 350 80 300 26 300 ||
    fail "the round ended while the window was hidden"
e2e_wait_text "${SCRATCH}/game_over.png" "${WID}" 350 80 300 26 100
seconds=$(awk -v s="${start}" -v e="$(date +%s.%N)" 'BEGIN { printf "%.1f", e - s }')
echo "the round ended ${seconds} s after its first frame"
awk -v t="${seconds}" 'BEGIN { exit !(t >= 117 && t <= 123) }' ||
    fail "the round took ${seconds} s, expected 120 +- 3"
e2e_quit
echo "hidden_round: ok"
