#!/usr/bin/env bash
# Plays one round without touching the controls and times it on the wall
# clock: the 120 seconds of the countdown must take 120 real seconds at
# whatever frame rate the machine gives. Prints the frame rate Mesa itself
# measured over the round (GALLIUM_HUD; software rendering only).
# Usage: scripts/round_clock.sh [build dir]   (default: build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(readlink -f "${1:-$root/build}")
source "$root/tests/e2e/lib/common.sh"
e2e_init "$build/src/zumbra" "$build"
e2e_copy_data
[ -d "${SCRATCH}/data" ] || fail "no generated data in $build/data"
: >"${SCRATCH}/Highscores.txt"
mkdir "${SCRATCH}/hud"
export GALLIUM_HUD=fps GALLIUM_HUD_DUMP_DIR="${SCRATCH}/hud"
e2e_start_x
e2e_start_game
wid=$(e2e_wait_window)
start=$(date +%s.%N)
# "Game Over! Press ESC to quit!" at (350, 100) ends the round.
for _ in $(seq 1 600); do
    import -window root "${SCRATCH}/shot.png"
    if e2e_region_has_text "${SCRATCH}/shot.png" "${wid}" 350 80 300 26 600; then
        break
    fi
    sleep 0.2
done
end=$(date +%s.%N)
xdotool key Escape
e2e_wait_exit 20
awk -v s="$start" -v e="$end" 'BEGIN {
    printf "round: %.1f real seconds for 120 game seconds (%+.1f %%)\n", e - s, 100 * ((e - s) / 120 - 1) }'
sort -n "${SCRATCH}/hud/fps" | awk '{ v[NR] = $1; sum += $1 } END {
    if (NR == 0) { print "no frame-rate samples (not Mesa software rendering?)"; exit }
    printf "frame rate (Mesa, %d samples): median %.1f, mean %.1f, lowest %.1f, highest %.1f fps\n",
        NR, v[int((NR + 1) / 2)], sum / NR, v[1], v[NR] }'
