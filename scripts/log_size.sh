#!/usr/bin/env bash
# Plays the installed game as a desktop menu starts it, its standard output
# no terminal, flying forward and turning the whole time, and prints how the
# launcher's log grows: its size and lines every 10 seconds, then its last
# line once the game has quit. A round lasts 120 seconds; after it the game
# shows its table and prints less.
# Usage: scripts/log_size.sh [SECONDS] [build dir]   (default: 60, build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=$(readlink -f "${2:-$root/build}")
source "$root/tests/e2e/lib/common.sh"
e2e_init "$build/src/zumbra" "$build"
DESTDIR="${SCRATCH}/root" cmake --install "$build" --prefix /usr >"${SCRATCH}/install.log" ||
    fail "cmake --install failed"
export XDG_DATA_HOME=${SCRATCH}/share XDG_STATE_HOME=${SCRATCH}/state
log=${XDG_STATE_HOME}/zumbra/zumbra.log
e2e_start_x
e2e_start_in "${SCRATCH}" "${SCRATCH}/root/usr/games/zumbra"
e2e_open_window
sleep 2

# Forward with the camera orbiting, so the view keeps sweeping the level.
xdotool keydown w keydown j
for ((t = 10; t <= seconds; t += 10)); do
    sleep 10
    echo "${t} s: $(stat -c %s "${log}") bytes, $(wc -l <"${log}") lines"
done
xdotool keyup j keyup w
e2e_quit
# The log's filter writes its count once the game's output has closed.
sleep 1
echo "after quitting: $(stat -c %s "${log}") bytes, $(wc -l <"${log}") lines; the last line:"
tail -n 1 "${log}"
