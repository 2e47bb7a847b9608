#!/usr/bin/env bash
# Held keys let go however they are released: W and L released while Ctrl
# is held (they reach the game as control codes), and released while
# another window has the focus (they never reach the game). W flies the bee
# forward, L orbits the camera around it; L never meets an obstacle, so a
# key left held shows even where the bee is stopped by a flower or a wall.
# The scene is compared over one second: while the keys are held it changes
# (which shows the comparison sees motion at all); after the release it must
# slow down to rest.
source "$(dirname "$0")/lib/common.sh"
e2e_init "$@"
e2e_copy_data
e2e_start_x
e2e_start_game
e2e_open_window
sleep 3

# Pixels of the scene (below the HUD's top line, whose clock ticks) that
# change within one second.
scene_change() {
    import -window "${WID}" "${SCRATCH}/a.png"
    sleep 1
    import -window "${WID}" "${SCRATCH}/b.png"
    compare -metric AE -fuzz 3% -crop 1024x700+0+60 "${SCRATCH}/a.png" "${SCRATCH}/b.png" \
        null: 2>&1 | sed -E 's/^([0-9]+).*/\1/' || true
}

hold_keys() {
    xdotool keydown w l
    moving=$(scene_change)
    echo "$1: ${moving} pixels changed while W and L are held"
    [ "${moving}" -gt 20000 ] || fail "$1: the scene hardly changes while W and L are held"
}

# Keys still held keep the camera turning at full speed. Let go, the rates
# die away within a second or two of game time, which on a slow software
# renderer can be several seconds, so a fall to a quarter of the change
# seen while held counts as well as rest.
expect_slowing() {
    local changed i
    for i in $(seq 1 10); do
        changed=$(scene_change)
        echo "$1: ${changed} pixels changed"
        if [ "${changed}" -lt 2000 ] || [ "${changed}" -lt $((moving / 4)) ]; then
            return 0
        fi
    done
    fail "$1: the scene moves on as fast after W and L were let go"
}

hold_keys "Ctrl"
xdotool keydown ctrl
xdotool keyup w l
xdotool keyup ctrl
expect_slowing "Ctrl"

hold_keys "focus"
xmessage -geometry +1100+900 "other window" &
other=$!
mid=$(e2e_wait_window 10 '^xmessage$')
xdotool windowfocus --sync "${mid}"
xdotool keyup w l
expect_slowing "focus"
kill "${other}" 2>/dev/null || true
e2e_quit
echo "held_keys: ok"
