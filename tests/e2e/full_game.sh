#!/usr/bin/env bash
# A whole game as a player plays it: hold E until all 100 bombs are gone, see
# the game end, wait for the last bomb to land, type a name and Enter, and
# find the name with the score in Highscores.txt. Then Escape quits with 0.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/level.sh"
e2e_init "$@"
e2e_start_one_flower_game
e2e_screenshot "${SCRATCH}/start.png"
e2e_check_hud "${SCRATCH}/start.png"
e2e_drop_every_bomb
# The last bombs need about two seconds to land; then the name entry opens.
e2e_enter_name Tester
e2e_screenshot "${SCRATCH}/table.png"
e2e_expect_score Tester
e2e_quit
e2e_check_console
echo "full_game: ok"
