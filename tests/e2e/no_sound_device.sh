#!/usr/bin/env bash
# No sound device: with an audio driver that does not exist the game says so
# in one line on stderr and plays on silently. The first bomb still hits the
# flower and scores, the name entry saves it, and Escape quits with 0.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/level.sh"
e2e_init "$@"
export SDL_AUDIODRIVER=no-such-driver
: >"${SCRATCH}/Highscores.txt"
e2e_start_one_flower_game
e2e_drop_every_bomb
e2e_wait_text "${SCRATCH}/name_entry.png" "${WID}" 400 232 240 24 20
xdotool type --delay 150 "Mute"
xdotool key Return
sleep 2
[ "$(cat "${SCRATCH}/Highscores.txt")" = "Mute ${E2E_KNOWN_SCORE}" ] ||
    fail "expected 'Mute ${E2E_KNOWN_SCORE}' in Highscores.txt, found '$(cat "${SCRATCH}/Highscores.txt")'"

xdotool key Escape
e2e_wait_exit 20
[ "${GAME_STATUS}" -eq 0 ] || fail "exit status ${GAME_STATUS}"
e2e_check_console "${SCRATCH}/stdout.txt"
# The GL-check build counts frames on stderr too; those lines aside, one.
grep -v '^zumbra: frame ' "${SCRATCH}/stderr.txt" >"${SCRATCH}/messages.txt" || true
echo "stderr: $(cat "${SCRATCH}/messages.txt")"
[ "$(grep -c . "${SCRATCH}/messages.txt")" -eq 1 ] &&
    grep -q '^sound: .*the game runs silently$' "${SCRATCH}/messages.txt" ||
    fail "expected one line on stderr saying the game runs silently"
echo "no_sound_device: ok"
