# Shared by the end-to-end scenarios. Each scenario runs the real game binary
# under its own Xvfb in a scratch working directory.
#   source "$(dirname "$0")/lib/common.sh"; e2e_init "$@"
set -euo pipefail

e2e_init() {
    GAME=$(readlink -f "$1")
    BUILD_DIR=$(readlink -f "$2")
    SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/zumbra-e2e.XXXXXX")
    GAME_PID=
    XVFB_PID=
    trap e2e_cleanup EXIT
    export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
    export LIBGL_ALWAYS_SOFTWARE=1
}

e2e_cleanup() {
    local status=$?
    [ -z "${GAME_PID}" ] || kill -9 "${GAME_PID}" 2>/dev/null || true
    e2e_stop_x
    if [ $status -ne 0 ]; then
        echo "e2e: failed; scratch directory kept at ${SCRATCH}" >&2
    else
        rm -rf "${SCRATCH}"
    fi
}

fail() {
    echo "e2e FAIL: $*" >&2
    exit 1
}

# Copies the generated data/ into the scratch directory (if the build made one).
e2e_copy_data() {
    if [ -d "${BUILD_DIR}/data" ]; then
        cp -r "${BUILD_DIR}/data" "${SCRATCH}/data"
    fi
}

e2e_stop_x() {
    [ -z "${XVFB_PID}" ] || { kill "${XVFB_PID}" && wait "${XVFB_PID}"; } 2>/dev/null || true
}

# Starts an Xvfb and exports DISPLAY. The server picks a free display number
# itself and reports it (-displayfd), so scenarios running at the same time
# never race for one.
e2e_start_x() {
    local number_file="${SCRATCH}/.display" i
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"${number_file}" >/dev/null 2>&1 &
    XVFB_PID=$!
    for i in $(seq 1 100); do
        if [ -s "${number_file}" ]; then
            export DISPLAY=":$(tr -d '[:space:]' <"${number_file}")"
            rm -f "${number_file}"
            xdpyinfo >/dev/null 2>&1 && return 0
        fi
        kill -0 "${XVFB_PID}" 2>/dev/null || break
        sleep 0.1
    done
    fail "could not start Xvfb"
}

# Starts the game in the scratch directory; stdout and stderr go to files.
e2e_start_game() {
    e2e_start_in "${SCRATCH}" "${GAME}"
}

# Starts a command (such as an installed launcher) in directory $1 as the
# game. On a shared machine another run's X server can come and go on the
# same display number in the moment between our check and the game's
# connect; a game that could not open the display gets a fresh X server and
# one retry.
e2e_start_in() {
    local dir=$1 attempt
    shift
    for attempt in 1 2; do
        (cd "${dir}" && exec "$@" >"${SCRATCH}/stdout.txt" 2>"${SCRATCH}/stderr.txt") &
        GAME_PID=$!
        sleep 1
        if kill -0 "${GAME_PID}" 2>/dev/null ||
            ! grep -q 'failed to open display' "${SCRATCH}/stderr.txt"; then
            return 0
        fi
        wait "${GAME_PID}" 2>/dev/null || true
        echo "e2e: the game could not open ${DISPLAY}; starting a new X server" >&2
        e2e_stop_x
        e2e_start_x
    done
}

# Waits up to $1 seconds (60 if not given) for the game's window, or the
# window whose title matches $2, and prints its id.
e2e_wait_window() {
    local limit=${1:-60} title=${2:-^Zumbra$} wid= i
    for i in $(seq 1 $((limit * 5))); do
        wid=$(xdotool search --name "${title}" 2>/dev/null | head -n 1 || true)
        if [ -n "${wid}" ]; then
            echo "${wid}"
            return 0
        fi
        kill -0 "${GAME_PID}" 2>/dev/null || fail "game exited before its window showed"
        sleep 0.2
    done
    fail "no window titled ${title} after ${limit} s"
}

# Waits as e2e_wait_window does, leaves the game's window id in WID and gives
# it the focus.
e2e_open_window() {
    WID=$(e2e_wait_window "$@")
    xdotool windowfocus --sync "${WID}" 2>/dev/null || true
}

# Escape must quit the game with status 0.
e2e_quit() {
    xdotool windowfocus --sync "${WID}" 2>/dev/null || true
    xdotool key Escape
    e2e_wait_exit 20
    [ "${GAME_STATUS}" -eq 0 ] ||
        fail "exit status ${GAME_STATUS}: $(tail -n 5 "${SCRATCH}/stderr.txt")"
}

# Waits up to $1 seconds for the game to exit and sets GAME_STATUS to its exit
# status. Call it directly, not in $(...): only this shell can wait for the game.
e2e_wait_exit() {
    local limit=$1 i
    for i in $(seq 1 $((limit * 10))); do
        if ! kill -0 "${GAME_PID}" 2>/dev/null; then
            GAME_STATUS=0
            wait "${GAME_PID}" || GAME_STATUS=$?
            GAME_PID=
            return 0
        fi
        sleep 0.1
    done
    fail "game still running after ${limit} s"
}

# Every line the game prints on standard output (or in file $1) is one of its
# known console lines; anything else (debug output, a stray printf) fails the scenario.
e2e_check_console() {
    local file=${1:-${SCRATCH}/stdout.txt} bad
    bad=$(sed -e 's/Culled object!!!//g' "${file}" | grep -v -E \
        '^(modelFactory Created!!!|TEXTURE CREATED|Object culled!|)$|^(First|New) (Model|Texture) created: .+$|^Pointer to existing (Model|Texture) returned: .+$' || true)
    [ -z "${bad}" ] || fail "unexpected console lines: $(echo "${bad}" | head -n 5)"
    grep -q '^modelFactory Created!!!$' "${file}" || fail "no 'modelFactory Created!!!' line"
    grep -q '^First Model created: data/bee.ms3d$' "${file}" || fail "the bee is not the first model"
}

# Prints the pixels of a window region (x, y, width, height in window
# coordinates) of a screenshot, one "#RRGGBB" a line.
e2e_region_pixels() {
    local shot=$1 wid=$2 rx=$3 ry=$4 rw=$5 rh=$6 x y
    read -r x y < <(xdotool getwindowgeometry --shell "${wid}" |
        awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}')
    convert "${shot}" -crop "${rw}x${rh}+$((x + rx))+$((y + ry))" -depth 8 txt:- |
        awk 'NR > 1 {print $3}'
}

# HUD text is bitmap text in the overlay's colour, which clamps to pure
# yellow whatever the light, the fog, the transparency switch or the last
# texture: prints how many pixels of exactly that colour a region holds.
e2e_text_pixels() {
    e2e_region_pixels "$@" | grep -c '^#FFFF00$' || true
}

# Waits up to $7 seconds for text to appear in a region; takes screenshots
# into $1 until it does.
e2e_wait_text() {
    local shot=$1 wid=$2 i count
    for i in $(seq 1 $(($7 * 2))); do
        import -window root "${shot}"
        count=$(e2e_text_pixels "${shot}" "${wid}" "$3" "$4" "$5" "$6")
        if [ "${count}" -ge 300 ]; then
            echo "text at ($3, $4): ${count} pixels"
            return 0
        fi
        sleep 0.5
    done
    fail "no text appeared at ($3, $4) within $7 s"
}
