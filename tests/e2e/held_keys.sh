#!/usr/bin/env bash
# A held key lets go however it is released. Ctrl+Tab reaches the game as
# Tab's control code, which is Ctrl+I's too: it holds I and pitches the
# camera. Let go of Ctrl first, Tab's release comes as a plain Tab, and the
# camera must still stop. (Releases while the focus is away are the key
# poll's test.) The scene is compared over one second: while the key is held
# it changes, which shows the comparison sees motion at all; after the
# release it must come to rest.
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

xdotool keydown ctrl keydown Tab
moving=$(scene_change)
echo "${moving} pixels changed while Ctrl+Tab is held"
[ "${moving}" -gt 20000 ] || fail "the scene hardly changes while Ctrl+Tab is held"
xdotool keyup ctrl
xdotool keyup Tab
# The rates die away within a second or two of game time.
for _ in $(seq 1 10); do
    changed=$(scene_change)
    echo "after the release: ${changed} pixels changed"
    [ "${changed}" -lt 2000 ] && break
done
[ "${changed}" -lt 2000 ] || fail "the camera goes on moving after Ctrl and Tab were let go"
e2e_quit
echo "held_keys: ok"
