#!/usr/bin/env bash
# The README's first command, exactly as written, on a fresh clone: it must
# build what playing needs and start the game, which quits with status 0 on
# Escape. The clone is of the committed HEAD of the checkout these tests run
# from, so uncommitted changes are not part of it. It builds the game and
# its content once more from scratch: about half a minute on two cores.
source "$(dirname "$0")/lib/common.sh"
e2e_init "$@"
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
clone="${SCRATCH}/clone"
git clone --quiet "${source_dir}" "${clone}" || fail "cannot clone ${source_dir}"
# The first line of the README's first shell block, comment and all.
command=$(sed -n '/^```sh$/{n;p;q}' "${clone}/README.md")
echo "README's first command: ${command}"
[[ "${command}" == scripts/run.sh* ]] || fail "the README's first command is not scripts/run.sh"

# The build runs in its own session, so a failure stops all of it.
stop_run() {
    local status=$?
    [ -n "${GAME_PID}" ] && kill -9 -- "-${GAME_PID}" 2>/dev/null
    (exit "${status}")
    e2e_cleanup
}
trap stop_run EXIT

unset ZUMBRA_BUILD_DIR
e2e_start_x
e2e_start_in "${clone}" setsid bash -c "${command}"
e2e_open_window 840
e2e_quit
[ -d "${clone}/build/data" ] || fail "no build/data in the clone"
for unwanted in zumbra_tests zumbra_gl_tests; do
    [ ! -e "${clone}/build/tests/${unwanted}" ] || fail "run.sh built ${unwanted}"
done
echo "fresh_clone: ok"
