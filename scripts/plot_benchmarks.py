#!/usr/bin/python3
"""Turns the raw results of scripts/benchmarks.sh into tables and plots.

Usage: plot_benchmarks.py DIR

Reads DIR/{shadow,model_load,hud,gamepad}.json (Google Benchmark, every repetition),
DIR/frame_*.txt and DIR/stream_*.txt (bench_frame's output and its first stream,
one file per run), DIR/first_frame.txt and DIR/content.txt; writes DIR/tables.md,
DIR/frame_vs_flowers.png, DIR/stream.png and DIR/load_vs_triangles.png.
Every figure is a median over the runs, with the smallest and largest run
beside it, so one noisy run cannot hide.
"""
import json
import re
import statistics
import sys
from pathlib import Path

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

UNIT_TO_MS = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}


def repetitions(path):
    """Run name -> list of times in ms, and run name -> its counters."""
    times, counters = {}, {}
    for b in json.loads(path.read_text())["benchmarks"]:
        if b.get("run_type") != "iteration" or b.get("error_occurred"):
            continue
        name = b["run_name"]
        times.setdefault(name, []).append(b["real_time"] * UNIT_TO_MS[b["time_unit"]])
        counters[name] = b
    return times, counters


def num(value):
    """Three significant digits, whole numbers with separators from 1,000 up."""
    return f"{value:,.0f}" if value >= 1000 else f"{value:.3g}"


def spread(values, unit="ms"):
    """'median (min to max)' in the given unit."""
    scale = {"ms": 1.0, "us": 1e3}[unit]
    med, lo, hi = (scale * v for v in (statistics.median(values), min(values), max(values)))
    return f"{num(med)} {unit} ({num(lo)} to {num(hi)})"


FRAME_ROW = re.compile(
    r"^(?P<what>.+?)\s+frames\s+(?P<frames>\d+)\s+p10\s+(?P<p10>[\d.]+)"
    r"\s+median\s+(?P<median>[\d.]+)\s+p90\s+(?P<p90>[\d.]+)\s+p95\s+(?P<p95>[\d.]+)"
    r"\s+p99\s+(?P<p99>[\d.]+)\s+worst\s+(?P<worst>[\d.]+) ms$"
)
NO_SHADOW = ", no shadow pass"
SCENARIOS = ["start view", "flight", "over the flowers", "bombs one at a time", "stream (E held)"]


def frame_runs(out):
    """One dict per run: row label -> quantiles, and the countdown's drift."""
    runs = []
    for path in sorted(out.glob("frame_*.txt")):
        run = {"rows": {}}
        for line in path.read_text().splitlines():
            if m := FRAME_ROW.match(line):
                run["rows"][m["what"]] = {k: float(v) for k, v in m.groupdict().items() if k != "what"}
            elif m := re.match(r"shadow quads: (\d+) from (\d+) flowers, (\d+) from", line):
                run["flower_quads"], run["level_flowers"], run["other_quads"] = map(int, m.groups())
            elif m := re.match(r"countdown: ([\d.]+) game seconds in ([\d.]+) real seconds", line):
                run["countdown_drift"] = 100.0 * (float(m[1]) / float(m[2]) - 1.0)
            elif line.startswith("renderer: "):
                run["renderer"] = line[len("renderer: "):]
        runs.append(run)
    return runs


def median_of(runs, label, key):
    return statistics.median(r["rows"][label][key] for r in runs if label in r["rows"])


def frame_table(runs):
    lines = [
        "| What | Frames per run | Median (runs' range) | p90 | p95 | p99 | Worst "
        "| Median without the shadow pass |",
        "|---|---|---|---|---|---|---|---|",
    ]
    for label in [k for k in runs[0]["rows"] if not k.endswith(NO_SHADOW)]:
        rows = [r["rows"][label] for r in runs if label in r["rows"]]
        bare = label + NO_SHADOW
        frames = "/".join(str(int(row["frames"])) for row in rows)
        lines.append(
            f"| {label} | {frames} | {spread([row['median'] for row in rows])} "
            + "".join(f"| {num(median_of(runs, label, q))} ms " for q in ("p90", "p95", "p99", "worst"))
            + (f"| {num(median_of(runs, bare, 'median'))} ms |" if bare in runs[0]["rows"] else "| |")
        )
    start = [r["rows"]["start view"]["median"] for r in runs]
    ratios = {
        "stream median / start view median": [
            r["rows"]["stream (E held)"]["median"] / s for r, s in zip(runs, start)],
        "stream p95 / start view median": [
            r["rows"]["stream (E held)"]["p95"] / s for r, s in zip(runs, start)],
    }
    for label in SCENARIOS:
        ratios[f"{label}: median / its median without the shadow pass"] = [
            r["rows"][label]["median"] / r["rows"][label + NO_SHADOW]["median"] for r in runs]
    drift = [r["countdown_drift"] for r in runs]
    lines += ["", "| Ratio, each run's own | Median (runs' range) |", "|---|---|"]
    lines += [f"| {k} | {statistics.median(v):.2f} ({min(v):.2f} to {max(v):.2f}) |"
              for k, v in ratios.items()]
    lines += [
        "",
        f"Countdown against the wall clock: {statistics.median(drift):+.2f} % "
        f"(runs {min(drift):+.2f} to {max(drift):+.2f} %).",
        f"Shadow quads: {runs[0]['flower_quads']:,} from the level's {runs[0]['level_flowers']} "
        f"flowers, {runs[0]['other_quads']:,} from the other objects.",
        f"Renderer: {runs[0]['renderer']}.",
    ]
    return lines


def first_frame_lines(out):
    path = out / "first_frame.txt"
    return [f"    {line}" for line in path.read_text().splitlines()] if path.exists() else []


def flower_series(runs):
    """Flower count -> (median, p10, p90) over runs."""
    points = {}
    for run in runs:
        for label, row in run["rows"].items():
            if m := re.match(r"with (\d+) flowers", label):
                points.setdefault(int(m[1]), []).append(row)
    return [
        (flowers, statistics.median(r["median"] for r in rows),
         statistics.median(r["p10"] for r in rows), statistics.median(r["p90"] for r in rows))
        for flowers, rows in sorted(points.items())
    ]


def plot_frames(runs, path):
    series = flower_series(runs)
    empty = median_of(runs, "empty frame (clear + swap)", "median")
    x = [s[0] for s in series]
    fig, ax = plt.subplots(figsize=(7, 4.5), dpi=100)
    ax.fill_between(x, [s[2] for s in series], [s[3] for s in series], alpha=0.25,
                    label="10th to 90th percentile")
    ax.plot(x, [s[1] for s in series], "o-", label="median frame (display + idle)")
    ax.axhline(empty, color="grey", linestyle="--", label=f"empty frame, {empty:.2f} ms")
    ax.set_xscale("log")
    ax.set_yscale("log")
    ax.set_xlabel("flowers in the level")
    ax.set_ylabel("frame time (ms)")
    ax.set_title("Frame time against flower count (Mesa llvmpipe, 1024x768)")
    ax.grid(True, which="both", alpha=0.3)
    ax.legend()
    fig.tight_layout()
    fig.savefig(path)


def plot_stream(out, runs, path):
    """Frame time over the first stream of each run, bombs in the air beside it."""
    fig, ax = plt.subplots(figsize=(7, 4.5), dpi=100)
    bombs_axis = ax.twinx()
    for i, series in enumerate(sorted(out.glob("stream_*.txt"))):
        rows = [tuple(map(float, line.split())) for line in series.read_text().splitlines() if line]
        t = [r[0] for r in rows]
        ax.plot(t, [r[1] for r in rows], "-", lw=1, label=f"frame time, run {i + 1}")
        bombs_axis.plot(t, [r[2] for r in rows], ":", color="grey", lw=1,
                        label="bombs in the air" if i == 0 else None)
    start = median_of(runs, "start view", "median")
    ax.axhline(start, color="black", linestyle="--", lw=1, label=f"start view median, {start:.1f} ms")
    ax.set_xlabel("seconds since E went down")
    ax.set_ylabel("frame time (ms)")
    bombs_axis.set_ylabel("bombs in the air")
    ax.set_title("A hundred bombs, one a frame (Mesa llvmpipe, 1024x768)")
    ax.grid(True, alpha=0.3)
    handles = ax.get_legend_handles_labels()
    extra = bombs_axis.get_legend_handles_labels()
    ax.legend(handles[0] + extra[0], handles[1] + extra[1], loc="upper right")
    fig.tight_layout()
    fig.savefig(path)


def model_tables(times):
    def by_size(prefix):
        return {int(name.split("/")[1]): v for name, v in times.items() if name.startswith(prefix + "/")}

    game, assimp = by_size("gameLoad"), by_size("assimpImport")
    linear, quadratic = by_size("neighboursLinear"), by_size("neighboursQuadratic")
    lines = [
        "| Triangles | Game: load + normals + neighbours | assimp import | Game / assimp "
        "| Neighbours, linear | Neighbours, quadratic |",
        "|---|---|---|---|---|---|",
    ]
    for size in sorted(game):
        ratio = (
            f"{statistics.median(game[size]) / statistics.median(assimp[size]):.2f}"
            if size in assimp
            else "-"
        )
        lines.append(
            f"| {size:,} | {spread(game[size])} | {spread(assimp[size]) if size in assimp else 'refused'} "
            f"| {ratio} | {spread(linear[size]) if size in linear else '-'} "
            f"| {spread(quadratic[size]) if size in quadratic else '-'} |"
        )
    return lines, game, assimp, linear


def plot_loads(game, assimp, linear, path):
    fig, ax = plt.subplots(figsize=(7, 4.5), dpi=100)
    for data, style, label in (
        (game, "o-", "the game: load, normals, neighbours"),
        (assimp, "s--", "assimp import (refuses 32,768 and up)"),
        (linear, "^:", "the game's neighbour search alone"),
    ):
        sizes = sorted(data)
        med = [statistics.median(data[s]) for s in sizes]
        err = [
            [m - min(data[s]) for s, m in zip(sizes, med)],
            [max(data[s]) - m for s, m in zip(sizes, med)],
        ]
        ax.errorbar(sizes, med, yerr=err, fmt=style, capsize=3, label=label)
    ax.set_xscale("log")
    ax.set_yscale("log")
    ax.set_xlabel("triangles in the model")
    ax.set_ylabel("time (ms), median and range of runs")
    ax.set_title("MS3D load time against triangle count")
    ax.grid(True, which="both", alpha=0.3)
    ax.legend()
    fig.tight_layout()
    fig.savefig(path)


def plain_table(times, unit):
    lines = ["| Benchmark | Median (range of runs) |", "|---|---|"]
    for name, values in times.items():
        lines.append(f"| `{name}` | {spread(values, unit)} |")
    return lines


def content_line(out):
    rows = [line.split() for line in (out / "content.txt").read_text().splitlines() if line]
    seconds = [float(r[1]) for r in rows]
    return (
        f"Content tool: {rows[0][3]} files, {int(rows[0][5]) / 1e6:.1f} MB in "
        f"{statistics.median(seconds):.2f} s (runs {min(seconds):.2f} to {max(seconds):.2f} s)."
    )


def main():
    out = Path(sys.argv[1])
    shadow, _ = repetitions(out / "shadow.json")
    hud, _ = repetitions(out / "hud.json")
    pads, _ = repetitions(out / "gamepad.json")
    loads, _ = repetitions(out / "model_load.json")
    runs = frame_runs(out)
    model_lines, game, assimp, linear = model_tables(loads)
    tables = (
        ["## Machine", "", "```", (out / "machine.txt").read_text().rstrip(), "```", ""]
        + ["## Shadow volumes", ""] + plain_table(shadow, "us") + [""]
        + ["## Model loading", ""] + model_lines + [""]
        + ["## HUD and highscores", ""] + plain_table(hud, "us") + [""]
        + ["## Gamepad poll", ""] + plain_table(pads, "us") + [""]
        + ["## Frames", ""] + frame_table(runs) + [""]
        + ["## First frame", ""] + first_frame_lines(out) + [""]
        + ["## Content", "", content_line(out), ""]
    )
    (out / "tables.md").write_text("\n".join(tables))
    plot_frames(runs, out / "frame_vs_flowers.png")
    plot_stream(out, runs, out / "stream.png")
    plot_loads(game, assimp, linear, out / "load_vs_triangles.png")
    print(f"wrote {out / 'tables.md'} and the plots beside it")


if __name__ == "__main__":
    main()
