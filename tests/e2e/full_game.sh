#!/usr/bin/env bash
# A whole game as a player plays it: hold E until all 100 bombs are gone, see
# the game end, wait for the last bomb to land, type a name and Enter, and
# find the name with the score in Highscores.txt. Then Escape quits with 0.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/level.sh"
e2e_init "$@"
: >"${SCRATCH}/Highscores.txt"
e2e_start_one_flower_game
wid=${WID}

e2e_screenshot "${SCRATCH}/start.png"
e2e_check_hud "${SCRATCH}/start.png" "${wid}"

e2e_drop_every_bomb

# The last bombs need about two seconds to land; then the name entry opens
# and asks "Please Enter your name:" at (400, 250).
e2e_wait_text "${SCRATCH}/name_entry.png" "${wid}" 400 232 240 24 20
xdotool type --delay 150 "Tester"
xdotool key Return
sleep 2
e2e_screenshot "${SCRATCH}/table.png"

[ -s "${SCRATCH}/Highscores.txt" ] || fail "Highscores.txt is still empty"
echo "Highscores.txt: $(cat "${SCRATCH}/Highscores.txt")"
[ "$(cat "${SCRATCH}/Highscores.txt")" = "Tester ${E2E_KNOWN_SCORE}" ] ||
    fail "expected 'Tester ${E2E_KNOWN_SCORE}' in Highscores.txt"

xdotool key Escape
e2e_wait_exit 20
[ "${GAME_STATUS}" -eq 0 ] || fail "exit status ${GAME_STATUS}"
e2e_check_console "${SCRATCH}/stdout.txt"
echo "full_game: ok"
