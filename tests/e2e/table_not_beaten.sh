#!/usr/bin/env bash
# A full table that the score does not beat: no name entry, the table shows,
# and the file is left exactly as it was.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/level.sh"
e2e_init "$@"
for i in $(seq 1 10); do
    echo "Champion${i} $((2000 - i * 100))"
done >"${SCRATCH}/Highscores.txt"
cp "${SCRATCH}/Highscores.txt" "${SCRATCH}/before.txt"
e2e_start_one_flower_game
e2e_drop_every_bomb
# The table's "HIGHSCORES" heading at (450, 200).
e2e_wait_text "${SCRATCH}/table.png" "${WID}" 450 180 160 24 20
# Typing goes nowhere when the score does not qualify.
xdotool type --delay 100 "Nobody"
xdotool key Return
sleep 1
import -window root "${SCRATCH}/table.png"
cmp -s "${SCRATCH}/before.txt" "${SCRATCH}/Highscores.txt" || fail "Highscores.txt changed"
ls "${SCRATCH}" | grep -v -E '^(data|Highscores.txt|before.txt|stdout.txt|stderr.txt|game_over.png|table.png)$' &&
    fail "the game left other files behind" || true
e2e_quit
e2e_check_console
echo "table_not_beaten: ok"
