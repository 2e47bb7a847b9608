#!/usr/bin/env bash
# Takes the README's screenshots from the real game under Xvfb:
#   docs/screenshots/start.png        the view the game starts with
#   docs/screenshots/in_progress.png  flying forward, dropping bombs
#   docs/screenshots/above.png        the camera pulled up and back over the flowers
# Usage: scripts/screenshots.sh [build dir]   (the build must have made data/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(readlink -f "${1:-$root/build}")
out="$root/docs/screenshots"
mkdir -p "$out"
scratch=$(mktemp -d)
trap 'kill "${game:-0}" "${xvfb:-0}" 2>/dev/null || true; rm -rf "$scratch"' EXIT

cp -r "$build/data" "$scratch/data"
: >"$scratch/Highscores.txt"
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$scratch/.display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 1 100); do [ -s "$scratch/.display" ] && break; sleep 0.1; done
export DISPLAY=":$(tr -d '[:space:]' <"$scratch/.display")"
export SDL_AUDIODRIVER=dummy

(cd "$scratch" && exec "$build/src/zumbra" >/dev/null 2>&1) &
game=$!
wid=
for _ in $(seq 1 300); do
    wid=$(xdotool search --name '^Zumbra$' 2>/dev/null | head -n 1 || true)
    [ -n "$wid" ] && break
    sleep 0.2
done
[ -n "$wid" ] || { echo "no game window" >&2; exit 1; }
xdotool windowfocus --sync "$wid" 2>/dev/null || true
shot() { sleep 0.5; import -window root -crop 1024x768+0+0 "$out/$1"; echo "wrote $out/$1"; }

sleep 3
shot start.png

xdotool keydown w
for _ in 1 2 3 4; do
    xdotool key e
    sleep 0.7
done
xdotool keyup w
sleep 0.8
shot in_progress.png

xdotool keydown u keydown i
sleep 0.15
xdotool keyup i
sleep 0.1
xdotool keyup u
sleep 1.5
shot above.png

xdotool key Escape
wait "$game" || true
