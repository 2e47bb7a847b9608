# A one-flower level for scenarios that need a known score: a kind-A flower
# of scale 1 right under the path of a bomb dropped from the start position
# (-20, 20, 0) while the bee hovers facing +z. The bomb falls 11.76 units to
# the blossom at y = 8.237 in about 1.55 s, moving 1.55 units forward, so the
# first bomb collects the flower: 100 points x 20 height x 1 x 0.05 = 100.
# Every later bomb passes the collected flower and lands without score.
E2E_KNOWN_SCORE=100

e2e_write_one_flower_level() {
    local data=$1
    printf '%s\n' -20 0 1.55 0 0 0 1 '' '$$$' '' >"${data}/flowerA.txt"
    local kind
    for kind in B C D; do
        # No records: a kind B-D file whose first record would start at
        # end of file yields nothing.
        : >"${data}/flower${kind}.txt"
    done
}

# Starts the game on the one-flower level, with an empty highscore table
# unless the scenario wrote one, in a fresh X server and waits for its
# window; leaves the window id in WID.
e2e_start_one_flower_game() {
    e2e_copy_data
    [ -d "${SCRATCH}/data" ] || fail "no generated data in ${BUILD_DIR}/data"
    e2e_write_one_flower_level "${SCRATCH}/data"
    [ -e "${SCRATCH}/Highscores.txt" ] || : >"${SCRATCH}/Highscores.txt"
    e2e_start_x
    e2e_start_game
    e2e_open_window
    sleep 2
}

# One bomb per displayed frame while E is held, until the hundredth ends the
# game and "Game Over! Press ESC to quit!" shows at (350, 100). E goes down
# in short bursts and is up whenever the screen is checked: held into the
# name entry, an auto-repeat could type an "e" into the name.
e2e_drop_every_bomb() {
    local i
    for i in $(seq 1 40); do
        xdotool keydown e
        sleep 0.5
        xdotool keyup e
        import -window root "${SCRATCH}/game_over.png"
        [ "$(e2e_text_pixels "${SCRATCH}/game_over.png" "${WID}" 350 80 300 26)" -lt 600 ] || return 0
    done
    fail "the game did not end after 40 bursts of E"
}
