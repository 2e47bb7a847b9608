#!/usr/bin/env bash
# Runs every benchmark and writes the raw results, the tables and the plots
# for docs/BENCHMARKS.md. Takes about 25 minutes on two cores; run it with
# nothing else busy on the machine, or the figures measure the neighbours.
#
# Usage: scripts/benchmarks.sh [output dir]      (default: docs/benchmarks)
# ZUMBRA_BENCH_REPETITIONS (5) and ZUMBRA_FRAME_RUNS (3) set how many times
# each benchmark runs, ZUMBRA_FRAME_SECONDS (20) how long each scenario of a
# frame run plays, ZUMBRA_FIRST_FRAMES (15) how many starts the first-frame
# benchmark times of the game and of an empty window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${ZUMBRA_BUILD_DIR:-$root/build}
out=$(mkdir -p "${1:-$root/docs/benchmarks}" && cd "${1:-$root/docs/benchmarks}" && pwd)
repetitions=${ZUMBRA_BENCH_REPETITIONS:-5}
frame_runs=${ZUMBRA_FRAME_RUNS:-3}
frame_seconds=${ZUMBRA_FRAME_SECONDS:-20}
first_frames=${ZUMBRA_FIRST_FRAMES:-15}

bash "$root/scripts/install-deps.sh" python3-matplotlib
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZUMBRA_BUILD_BENCH=ON
cmake --build "$build" -j"$(nproc)" --target content bench_shadow bench_model_load bench_hud bench_gamepad bench_frame \
  bench_shadow_fill bench_first_frame

{
  echo "commit: $(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo unknown)"
  echo "date: $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "cpu: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores"
  echo "memory: $(awk '/MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)"
  echo "system: $(. /etc/os-release && echo "$PRETTY_NAME"), Linux $(uname -r)"
  echo "compiler: $(c++ --version | head -n 1), RelWithDebInfo (-O2 -g)"
  echo "load before: $(cut -d ' ' -f 1-3 /proc/loadavg)"
} > "$out/machine.txt"

# The benchmarks that read the game's files find them in the build tree.
cd "$build"
for name in shadow model_load hud gamepad; do
  echo "== bench_$name"
  "./bench/bench_$name" --benchmark_repetitions="$repetitions" \
    --benchmark_display_aggregates_only=true \
    --benchmark_out="$out/$name.json" --benchmark_out_format=json
done

echo "== content tool"
: > "$out/content.txt"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for _ in $(seq "$repetitions"); do
  rm -rf "$scratch/data"
  start=$(date +%s.%N)
  ./tools/zumbra_content "$scratch/data" > /dev/null
  end=$(date +%s.%N)
  files=$(find "$scratch/data" -type f | wc -l)
  bytes=$(du -sb "$scratch/data" | cut -f 1)
  echo "seconds $(awk "BEGIN { print $end - $start }") files $files bytes $bytes" | tee -a "$out/content.txt"
done

echo "== bench_shadow_fill (fragments are counted, not timed: one run)"
SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24" ./bench/bench_shadow_fill |
  grep -vE '^(ALSA|sound:)' | tee "$out/shadow_fill.txt"

echo "== bench_first_frame: the game's first frame against an empty window's"
SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24" ./bench/bench_first_frame "$first_frames" |
  tee "$out/first_frame.txt"

for run in $(seq "$frame_runs"); do
  echo "== bench_frame, run $run of $frame_runs"
  SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1280x1024x24" \
    ./bench/bench_frame "$frame_seconds" "$out/stream_$run.txt" |
    grep -E '^(renderer|shadow quads|empty frame|start view|flight|over the flowers|bombs one|stream|ratio|countdown|with [0-9]+ flowers)' |
    tee "$out/frame_$run.txt"
done

echo "load after: $(cut -d ' ' -f 1-3 /proc/loadavg)" >> "$out/machine.txt"
# Debian's matplotlib belongs to the system Python, whatever else is on PATH.
/usr/bin/python3 "$root/scripts/plot_benchmarks.py" "$out"
