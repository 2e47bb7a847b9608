#!/usr/bin/env bash
# The game opens one 1024x768 window titled "Zumbra", of class "zumbra", over
# the orange-yellow background and quits with status 0 on Escape. It runs without data/, so
# nothing covers the background, and says on stderr where it looked. Ctrl-C
# and kill end it at once, sound running or not, with SDL's game controllers
# (started before the sound) running.
source "$(dirname "$0")/lib/common.sh"
e2e_init "$@"
e2e_start_x
e2e_start_game
e2e_open_window

count=$(xdotool search --name '^Zumbra$' | wc -l)
[ "${count}" -eq 1 ] || fail "expected one Zumbra window, found ${count}"
# Without data/ the window has its class but no icon, each picture named on stderr.
[ "$(xprop -id "${WID}" WM_CLASS _NET_WM_ICON | tee /dev/stderr | grep -c '"zumbra", "zumbra"\|Icon (')" -eq 1 ] &&
    [ "$(grep -c "^data/icon.*: left out of the window's icon" "${SCRATCH}/stderr.txt")" -eq 5 ] ||
    fail "expected WM_CLASS zumbra, no icon and five lines on stderr about the missing pictures"

geometry=$(xdotool getwindowgeometry "${WID}")
echo "${geometry}"
echo "${geometry}" | grep -q 'Geometry: 1024x768' || fail "window is not 1024x768"

# Let a few frames reach the screen, then look at a corner the scene leaves alone.
sleep 3
import -window root "${SCRATCH}/shot.png"
pixel=$(e2e_region_pixels "${SCRATCH}/shot.png" "${WID}" 1000 740 1 1)
echo "pixel near the bottom right corner: ${pixel}"
[ "${pixel}" = "#FFB200" ] || fail "background is ${pixel}, expected #FFB200 (1.0, 0.7, 0.0)"

e2e_quit
grep -q "no data directory in ${SCRATCH}" "${SCRATCH}/stderr.txt" ||
    fail "no stderr line about the missing data directory"

# A shell starts its background jobs with SIGINT ignored; a terminal does not.
for signal in INT TERM; do
    e2e_start_in "${SCRATCH}" env --default-signal=INT,TERM "${GAME}"
    e2e_open_window
    sleep 1
    kill -s "${signal}" "${GAME_PID}"
    e2e_wait_exit 3
    echo "SIG${signal}: exit status ${GAME_STATUS}"
    [ "${GAME_STATUS}" -eq $((128 + $(kill -l "${signal}"))) ] ||
        fail "SIG${signal} gave exit status ${GAME_STATUS}, expected death by the signal"
    ! grep -q '^gamepad: cannot start' "${SCRATCH}/stderr.txt" || fail "the game controllers did not start"
done
echo "window_and_escape: ok"
