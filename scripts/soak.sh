#!/usr/bin/env bash
# Soak test: plays the sanitizer build of the game (ASan + UBSan + GL checks)
# under Xvfb with xdotool for a long run, then enters a highscore and quits.
#
# Usage: scripts/soak.sh [frames [game build-dir]]
#   frames     frames to play before the highscore entry (default 20000)
#   game       the game binary, built with ZUMBRA_SANITIZE and ZUMBRA_GL_CHECKS;
#   build-dir  the build directory holding its data/. Without these two the
#              script configures and builds build-asan/ the way scripts/test.sh does.
# Environment:
#   ZUMBRA_SOAK_LEVEL=small   only the first flower of each kind (default: the
#                             whole generated level). Same code paths, far
#                             fewer pixels for the software renderer.
#   ZUMBRA_SOAK_SHOTS=dir     a screenshot into dir after every action
#   ZUMBRA_SOAK_RSS_GROWTH_KB the resident memory the game may gain between
#                             the end of the warm-up and the end (16384).
#
# Frames are counted, not estimated: the GL-check build writes
# "zumbra: frame N" to stderr every 100 frames (standard output keeps only
# the game's console lines). After a short warm-up that runs every action
# once, the script plays rounds: each flies forward, back, sideways, up into
# the roof and down onto the floor, turns with the mouse, orbits and zooms
# the camera, drops bombs by click and by E, presses F2, F3, F7, F8 and F9
# four times each and goes full screen and back. All 100 bombs are gone by
# the end of the first round. After at least one round and the asked-for
# frames, it clears the name the held letters have typed, enters "Soak",
# checks Highscores.txt and quits with Escape.
#
# Fails on any sanitizer report, any GL error, an exit status other than 0, a
# console line the game does not print, or resident memory (VmRSS) growing by
# more than the bound between the end of the warm-up and the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
target=${1:-20000}
game=${2:-}
build=${3:-}
level=${ZUMBRA_SOAK_LEVEL:-full}
rss_bound=${ZUMBRA_SOAK_RSS_GROWTH_KB:-16384}

if [ -z "${game}" ]; then
    build=$root/build-asan
    bash "$root/scripts/install-deps.sh"
    cmake -S "$root" -B "$build" -DZUMBRA_WERROR=ON -DCMAKE_BUILD_TYPE=Debug \
        -DZUMBRA_SANITIZE=ON -DZUMBRA_GL_CHECKS=ON -DZUMBRA_BUILD_BENCH=OFF
    cmake --build "$build" -j"$(nproc)" --target zumbra content
    game=$build/src/zumbra
fi

source "$root/tests/e2e/lib/common.sh"
e2e_init "${game}" "${build}"
# The game frees nothing by design, so leak reports would only list what it
# keeps; a small quarantine keeps freed memory from looking like growth.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:quarantine_size_mb=4
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

e2e_copy_data
[ -d "${SCRATCH}/data" ] || fail "no generated data in ${BUILD_DIR}/data"
if [ "${level}" = small ]; then
    { head -n 8 "${BUILD_DIR}/data/flowerA.txt"; printf '$$$\n\n'; } >"${SCRATCH}/data/flowerA.txt"
    for kind in B C D; do
        { head -n 7 "${BUILD_DIR}/data/flower${kind}.txt"; printf '$$$\n'; } \
            >"${SCRATCH}/data/flower${kind}.txt"
    done
fi
: >"${SCRATCH}/Highscores.txt"
ERR=${SCRATCH}/stderr.txt

frames_done() {
    local n
    n=$(sed -n 's/^zumbra: frame \([0-9][0-9]*\)$/\1/p' "${ERR}" | tail -n 1)
    echo "${n:-0}"
}

rss_kb() {
    awk '/^VmRSS:/ {print $2}' "/proc/${GAME_PID}/status"
}

findings() {
    grep -E 'ERROR: (Address|Leak)Sanitizer|runtime error:|zumbra: GL error' "${ERR}" || true
}

# Stops at the first sanitizer report or GL error, or when the game died.
check_game() {
    local found
    found=$(findings)
    [ -z "${found}" ] || fail "after $(frames_done) frames: $(echo "${found}" | head -n 5)"
    kill -0 "${GAME_PID}" 2>/dev/null ||
        fail "the game died after $(frames_done) frames: $(tail -n 20 "${ERR}")"
}

hold() {
    local seconds=$1
    shift
    xdotool keydown "$@"
    sleep "${seconds}"
    xdotool keyup "$@"
}

# The bee warps the pointer back to the window centre after each motion, so
# relative moves keep turning (x) or lifting (y) the same way.
mouse_steps() {
    local dx=$1 dy=$2 count=$3 i
    for i in $(seq 1 "${count}"); do
        xdotool mousemove_relative -- "${dx}" "${dy}"
        sleep 0.1
    done
}

# Each click drops a bomb at once, whatever the frame rate: the warm-up
# burst and three in the first round spend all 100. Later bursts are refused.
bomb_burst() {
    xdotool click --repeat 25 --delay 40 1
}

function_keys() {
    local key n
    for key in F2 F3 F7 F8 F9; do
        for n in 1 2 3 4; do
            xdotool key "${key}"
            sleep 0.3
        done
    done
}

# Right click to full screen, look around there, right click back.
full_screen() {
    xdotool click 3
    sleep 2
    mouse_steps -50 20 10
    hold 2 w
    xdotool click 3
    sleep 2
}

# Orbit left, right, up and down, then zoom in and out again: zooming in is
# the faster of the two, so the camera ends up behind the bee as it started.
camera_keys() {
    local key
    for key in j l i k; do
        hold 1 "${key}"
    done
    hold 0.3 o
    hold 1 u
}

# Every code path once, so that what memory the run then gains is growth,
# not first use.
warm_up=(
    "function_keys"
    "full_screen"
    "camera_keys"
    "bomb_burst"
    "hold 1 w; hold 1 s; hold 1 a; hold 1 d; hold 1 Up Left; hold 1 Down Right"
)

# The bee flies about 4 units a second at most and the hall is 150 across,
# so flights into walls take a while; turns between them aim each round at
# other walls. One action per line; the game is checked after each.
round=(
    "hold 12 w"                                                          # ahead into a wall
    "xdotool keydown w; mouse_steps 80 0 18; sleep 8; xdotool keyup w"  # turn, and on into another
    "bomb_burst"
    "xdotool keydown Up; mouse_steps 0 -60 80; xdotool keyup Up"        # up into the roof
    "xdotool keydown w; mouse_steps 0 60 60; xdotool keyup w"            # down onto the floor
    "bomb_burst"
    "hold 6 s Down"                                                      # back into the wall behind
    "hold 4 a Left"                                                      # and the walls beside
    "hold 4 d Right"
    "camera_keys"
    "function_keys"
    "full_screen"
    "bomb_burst; hold 1 e"
)

shot=0
run_actions() {
    local action
    for action in "$@"; do
        eval "${action}"
        check_game
        if [ -n "${ZUMBRA_SOAK_SHOTS:-}" ]; then
            shot=$((shot + 1))
            import -window root "${ZUMBRA_SOAK_SHOTS}/$(printf '%03d' "${shot}").png"
        fi
    done
}

e2e_start_x
e2e_start_game
wid=$(e2e_wait_window)
xdotool windowfocus --sync "${wid}" 2>/dev/null || true
started=$(date +%s)
echo "soak: ${target} frames, ${level} level, game ${GAME}"

run_actions "${warm_up[@]}"
rss_warm=$(rss_kb)
warm_frames=$(frames_done)
[ "${warm_frames}" -gt 0 ] || fail "no 'zumbra: frame' lines: is ${GAME} built with ZUMBRA_GL_CHECKS?"
echo "soak: warmed up after ${warm_frames} frames: VmRSS ${rss_warm} kB"
rounds=0
while :; do
    run_actions "${round[@]}"
    rounds=$((rounds + 1))
    done_frames=$(frames_done)
    echo "soak: round ${rounds} done, ${done_frames} frames, $(($(date +%s) - started)) s, VmRSS $(rss_kb) kB"
    [ "${done_frames}" -lt "${target}" ] || break
done
rss_end=$(rss_kb)
end_frames=$(frames_done)
elapsed=$(($(date +%s) - started))

# The game is over (all bombs went by the end of round 1): wait for the last one to
# land and the name entry to open, then clear what the held letters typed.
e2e_wait_text "${SCRATCH}/name_entry.png" "${wid}" 400 232 240 24 30
for i in $(seq 1 25); do
    xdotool key BackSpace
    sleep 0.05
done
xdotool type --delay 150 Soak
xdotool key Return
sleep 3
check_game
grep -q -E '^Soak -?[0-9]+$' "${SCRATCH}/Highscores.txt" ||
    fail "Highscores.txt holds '$(head -c 200 "${SCRATCH}/Highscores.txt")', expected a Soak line"

xdotool key Escape
e2e_wait_exit 120
found=$(findings)
[ -z "${found}" ] || fail "$(echo "${found}" | head -n 5)"
[ "${GAME_STATUS}" -eq 0 ] || fail "exit status ${GAME_STATUS}: $(tail -n 20 "${ERR}")"
e2e_check_console "${SCRATCH}/stdout.txt"

growth=$((rss_end - rss_warm))
echo "soak: ${end_frames} frames in ${elapsed} s ($((end_frames / (elapsed > 0 ? elapsed : 1))) fps), ${rounds} rounds"
echo "soak: VmRSS ${rss_warm} kB after the warm-up (${warm_frames} frames), ${rss_end} kB at the end: growth ${growth} kB (bound ${rss_bound} kB)"
echo "soak: highscore $(cat "${SCRATCH}/Highscores.txt"); no sanitizer report, no GL error"
[ "${growth}" -le "${rss_bound}" ] || fail "resident memory grew by ${growth} kB"
echo "soak: ok"
