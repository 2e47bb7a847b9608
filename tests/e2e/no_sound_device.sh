#!/usr/bin/env bash
# No sound device: with an audio driver that does not exist the game says so
# in one line on stderr and plays on silently. The first bomb still hits the
# flower and scores, the name entry saves it, and Escape quits with 0.
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/level.sh"
e2e_init "$@"
export SDL_AUDIODRIVER=no-such-driver
e2e_start_one_flower_game
e2e_drop_every_bomb
e2e_enter_name Mute
e2e_expect_score Mute
e2e_quit
e2e_check_console
# The GL-check build counts frames on stderr too; those lines aside, one.
grep -v '^zumbra: frame ' "${SCRATCH}/stderr.txt" >"${SCRATCH}/messages.txt" || true
echo "stderr: $(cat "${SCRATCH}/messages.txt")"
[ "$(grep -c . "${SCRATCH}/messages.txt")" -eq 1 ] &&
    grep -q '^sound: .*the game runs silently$' "${SCRATCH}/messages.txt" ||
    fail "expected one line on stderr saying the game runs silently"
echo "no_sound_device: ok"
