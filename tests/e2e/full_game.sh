#!/usr/bin/env bash
# A whole game as a player plays it, on a machine without a sound device:
# hold E until all 100 bombs are gone, see the game end, wait for the last
# bomb to land with E held on, type a name and Enter, and find the name with the score in
# Highscores.txt. Then Escape quits with 0. With an audio driver that does
# not exist the game says so in one line on stderr and plays on silently.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/level.sh"
e2e_init "$@"
export SDL_AUDIODRIVER=no-such-driver
e2e_start_one_flower_game
import -window root "${SCRATCH}/start.png"
# The HUD's top line (points, bombs, time) in the strip at y 10..35.
hud=$(e2e_text_pixels "${SCRATCH}/start.png" "${WID}" 5 10 440 26)
echo "HUD strip: ${hud} pixels of the text colour"
[ "${hud}" -ge 300 ] || fail "no HUD text in the top strip"
# The window's class and its icon at every size, which a dock shows.
xprop -id "${WID}" WM_CLASS _NET_WM_ICON | grep -E '^WM_CLASS|Icon \(' | tee "${SCRATCH}/xprop.txt"
[ "$(grep -cE '"zumbra", "zumbra"|Icon \((16|32|48|64|128) x \1\)' "${SCRATCH}/xprop.txt")" -eq 6 ] ||
    fail "expected WM_CLASS zumbra and icons of 16 to 128 pixels"
e2e_drop_every_bomb
# The last bombs need about two seconds to land; then the name entry's
# "Please Enter your name:" shows at (400, 250). E held across its opening,
# repeating, types nothing.
xdotool keydown e
e2e_wait_text "${SCRATCH}/name_entry.png" "${WID}" 400 232 240 24 20
sleep 1
xdotool keyup e
xdotool type --delay 150 Tester
xdotool key Return
sleep 2
import -window root "${SCRATCH}/table.png"
table=$(cat "${SCRATCH}/Highscores.txt")
echo "Highscores.txt: ${table}"
[ "${table}" = "Tester ${E2E_KNOWN_SCORE}" ] ||
    fail "expected 'Tester ${E2E_KNOWN_SCORE}' in Highscores.txt, found '${table}'"
e2e_quit
e2e_check_console
# The GL-check build counts frames on stderr too; those lines aside, one.
grep -v '^zumbra: frame ' "${SCRATCH}/stderr.txt" >"${SCRATCH}/messages.txt" || true
echo "stderr: $(cat "${SCRATCH}/messages.txt")"
[ "$(grep -c . "${SCRATCH}/messages.txt")" -eq 1 ] &&
    grep -q '^sound: .*the game runs silently$' "${SCRATCH}/messages.txt" ||
    fail "expected one line on stderr saying the game runs silently"
echo "full_game: ok"
