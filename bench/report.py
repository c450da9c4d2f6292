#!/usr/bin/env python3
# report.py -- turns the raw outputs of scripts/bench into results.md (each figure beside its baseline and target)
# and intervals.dat (the frame-interval histogram gnuplot draws). Usage: report.py RESULTS_DIR
import glob
import json
import os
import statistics
import sys

out = sys.argv[1]


def pairs(path):
    """The "name value" lines a benchmark program prints."""
    values = {}
    with open(path) as f:
        for line in f:
            parts = line.split()
            if len(parts) == 2:
                try:
                    values[parts[0]] = float(parts[1])
                except ValueError:
                    values[parts[0]] = parts[1]
    return values


def runs(pattern):
    return [pairs(p) for p in sorted(glob.glob(os.path.join(out, pattern)))]


def median(rows, key):
    return statistics.median(row[key] for row in rows)


machine = {}
with open(os.path.join(out, "machine.txt")) as f:
    for line in f:
        key, _, value = line.partition(" ")
        machine[key] = value.strip()

# Google Benchmark: the median of the repetitions (or the single run), in nanoseconds.
with open(os.path.join(out, "sim.json")) as f:
    sim = json.load(f)
scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
bench = {}
for b in sim["benchmarks"]:
    name = b.get("run_name", b["name"])
    if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
        continue
    if b.get("run_type") == "aggregate" or name not in bench:
        bench[name] = dict(b, ns=b["real_time"] * scale[b["time_unit"]])


def sim_ns(name):
    for key, b in bench.items():
        if key.startswith(name):
            return b
    raise KeyError(name)


rows = []


def row(figure, game, baseline, relation, target, met):
    rows.append((figure, game, baseline, relation, target, "yes" if met else "**no**" if met is False else "—"))


# Simulation at peak load.
frame = sim_ns("BM_SimulationFrame")
row("Simulation per frame at peak load (6-7 enemies alive, releases and removals included)",
    f"{frame['ns'] / 1000:.2f} µs", "—", "—", "≤ 2 µs", frame["ns"] <= 2000)
for label, name in [("  player step", "BM_Step/PlayerStep"), ("  spawning step, frame that releases an enemy",
                     "BM_Step/SpawningStep_release"), ("  enemy pass, 7 enemies alive", "BM_Step/EnemyPass_7_alive"),
                    ("  removal, frame that destroys one", "BM_Step/RemoveFinishedEnemies_one")]:
    row(label, f"{sim_ns(name)['ns'] / 1000:.3f} µs", "—", "—", "(part of the above)", None)
clock = sim_ns("BM_ClockPair")["ns"]

alloc = sim_ns("BM_GameAllocations")
row("Heap allocations, frames that neither release nor score (max over a whole game)",
    f"{alloc['plain_frame_max']:.0f}", "—", "—", "0", alloc["plain_frame_max"] == 0)
row("Heap allocations, frames after the game is over (banner; max)", f"{alloc['over_frame_max']:.0f}", "—", "—", "0",
    alloc["over_frame_max"] == 0)
row("Heap allocations, frame that releases an enemy (max)", f"{alloc['release_frame_max']:.0f}", "—", "—",
    "allowed: the enemy", None)
row("Heap allocations, frame that scores (mean / max)",
    f"{alloc['score_frame_mean']:.1f} / {alloc['score_frame_max']:.0f}", "—", "—", "allowed: the score line", None)

# Whole frame on the real window.
cpu_game, cpu_bare = runs("cpu-game-*.txt"), runs("cpu-bare-*.txt")
game_cpu, bare_cpu = median(cpu_game, "cpu_ms_per_frame"), median(cpu_bare, "cpu_ms_per_frame")
row("Frame CPU time, whole process, no frame limit", f"{game_cpu:.3f} ms", f"{bare_cpu:.3f} ms",
    f"{game_cpu / bare_cpu:.3f} ×", "≤ 1.05 ×", game_cpu / bare_cpu <= 1.05)
ratios = [g["cpu_ms_per_frame"] / b["cpu_ms_per_frame"] for g, b in zip(cpu_game, cpu_bare)]
row("  same, median of the per-run ratios (each game run against the bare run after it)", f"{statistics.median(ratios):.3f} ×", "—",
    f"range {min(ratios):.3f}–{max(ratios):.3f}", "≤ 1.05 ×", statistics.median(ratios) <= 1.05)

counts = {}
with open(os.path.join(out, "instructions.txt")) as f:
    for line in f:
        who, frames, collected = line.split()
        counts.setdefault(who, {})[int(frames)] = int(collected)


def per_frame(who):
    (short, a), (long, b) = sorted(counts[who].items())
    return (b - a) / (long - short)


ig, ib = per_frame("game"), per_frame("bare")
row("Frame instructions (callgrind, renderer single-threaded)", f"{ig / 1e6:.3f} M", f"{ib / 1e6:.3f} M",
    f"{ig / ib:.3f} ×", "≤ 1.05 ×", ig / ib <= 1.05)
ga, ba = median(cpu_game, "allocs_per_frame_mean"), median(cpu_bare, "allocs_per_frame_mean")
row("Heap allocations per frame, whole process (mean; the driver's and X's included)", f"{ga:.2f}", f"{ba:.2f}",
    f"+{ga - ba:.2f}", "releases and scores only", None)

pace_game, pace_bare = runs("pace-game-*.txt"), runs("pace-bare-*.txt")
fps_g, fps_b = median(pace_game, "fps"), median(pace_bare, "fps")
n = int(pace_game[0]["frames_measured"])
row(f"Achieved frame rate at the limit of 60 ({n} frames a run)", f"{fps_g:.2f} fps", f"{fps_b:.2f} fps",
    f"{fps_g / fps_b:.4f} ×", "≥ 0.995 ×", fps_g / fps_b >= 0.995)
fps_ratios = [g["fps"] / b["fps"] for g, b in zip(pace_game, pace_bare)]
row("  same, median of the per-run ratios", f"{statistics.median(fps_ratios):.4f} ×", "—",
    f"range {min(fps_ratios):.4f}–{max(fps_ratios):.4f}", "≥ 0.995 ×", statistics.median(fps_ratios) >= 0.995)
p50g, p50b = median(pace_game, "interval_p50_ms"), median(pace_bare, "interval_p50_ms")
row("Frame interval p50", f"{p50g:.2f} ms", f"{p50b:.2f} ms", f"{p50g - p50b:+.2f} ms", "—", None)
p99g, p99b = median(pace_game, "interval_p99_ms"), median(pace_bare, "interval_p99_ms")
row("Frame interval p99", f"{p99g:.2f} ms", f"{p99b:.2f} ms", f"{p99g - p99b:+.2f} ms", "≤ baseline + 0.5 ms",
    p99g <= p99b + 0.5)
p99_gaps = [g["interval_p99_ms"] - b["interval_p99_ms"] for g, b in zip(pace_game, pace_bare)]
row("  same, median of the per-run differences", f"{statistics.median(p99_gaps):+.2f} ms", "—",
    f"range {min(p99_gaps):+.2f}–{max(p99_gaps):+.2f} ms", "≤ + 0.5 ms", statistics.median(p99_gaps) <= 0.5)
maxg, maxb = median(pace_game, "interval_max_ms"), median(pace_bare, "interval_max_ms")
row("Frame interval max", f"{maxg:.2f} ms", f"{maxb:.2f} ms", f"{maxg - maxb:+.2f} ms", "—", None)

start = {who: runs(f"startup-{who}-*.txt") for who in ["game", "bare800", "bare800draw", "demo", "bare200"]}
ms = {who: median(r, "first_frame_ms") for who, r in start.items()}
rss = {who: median(r, "peak_rss_kb") / 1024 for who, r in start.items()}
def startup_ratio(a, b):
    """Median over runs of a's start-up over b's in the same round: rounds run back to back, so they share load."""
    r = [x["first_frame_ms"] / y["first_frame_ms"] for x, y in zip(start[a], start[b])]
    return f"{statistics.median(r):.2f} × per run (range {min(r):.2f}–{max(r):.2f})"


row("Start-up to first frame: game / bare 800×800 window", f"{ms['game']:.0f} ms", f"{ms['bare800']:.0f} ms",
    f"{ms['game'] / ms['bare800']:.2f} ×; {startup_ratio('game', 'bare800')}", "≤ 1.1 ×", ms["game"] / ms["bare800"] <= 1.1)
row("  library alone drawing a circle and the text / bare window", f"{ms['bare800draw']:.0f} ms",
    f"{ms['bare800']:.0f} ms", f"{ms['bare800draw'] / ms['bare800']:.2f} ×; {startup_ratio('bare800draw', 'bare800')}", "(not ours)", None)
row("  game / library alone drawing a circle and the text", f"{ms['game']:.0f} ms", f"{ms['bare800draw']:.0f} ms",
    f"{ms['game'] / ms['bare800draw']:.2f} ×; {startup_ratio('game', 'bare800draw')}", "(ours)", None)
row("Start-up to first frame: demo / bare 200×200 window", f"{ms['demo']:.0f} ms", f"{ms['bare200']:.0f} ms",
    f"{ms['demo'] / ms['bare200']:.2f} ×; {startup_ratio('demo', 'bare200')}", "≤ 1.1 ×", ms["demo"] / ms["bare200"] <= 1.1)
row("Peak RSS: game (first frame + 1 s) / bare 800×800 window", f"{rss['game']:.1f} MB", f"{rss['bare800']:.1f} MB",
    f"{rss['game'] - rss['bare800']:+.1f} MB", "≤ +5 MB", rss["game"] - rss["bare800"] <= 5)
row("  library alone drawing a circle and the text / bare window", f"{rss['bare800draw']:.1f} MB",
    f"{rss['bare800']:.1f} MB", f"{rss['bare800draw'] - rss['bare800']:+.1f} MB", "(not ours)", None)
row("  game / library alone drawing a circle and the text", f"{rss['game']:.1f} MB", f"{rss['bare800draw']:.1f} MB",
    f"{rss['game'] - rss['bare800draw']:+.1f} MB", "(ours)", None)
whole = pairs(os.path.join(out, "rss-game-whole.txt"))["peak_rss_kb"] / 1024
row("  game over a whole game (to the banner) / bare 800×800 window", f"{whole:.1f} MB", f"{rss['bare800']:.1f} MB",
    f"{whole - rss['bare800']:+.1f} MB", "≤ +5 MB", whole - rss["bare800"] <= 5)
row("Peak RSS: demo / bare 200×200 window", f"{rss['demo']:.1f} MB", f"{rss['bare200']:.1f} MB",
    f"{rss['demo'] - rss['bare200']:+.1f} MB", "≤ +5 MB", rss["demo"] - rss["bare200"] <= 5)

arith = []
for b in bench.values():
    name = b.get("run_name", b["name"])
    if name.startswith(("BM_CalcDistance", "BM_GetSquareRoot", "BM_Pow")):
        arith.append((name.replace("BM_", ""), f"{b['ns']:.1f} ns"))

lines = [
    "# Pelmora benchmark results",
    "",
    f"{machine.get('date', '')}, commit {machine.get('commit', '')}; {machine.get('cpu', '')} cores; "
    f"Mesa {machine.get('mesa', '')} (llvmpipe under Xvfb), SFML {machine.get('sfml', '')}, "
    f"kernel {machine.get('kernel', '')}; load average before {machine.get('load_before', '')}, "
    f"after {machine.get('load_after', '')}.",
    f"Medians of {len(cpu_game)} runs (whole frame), {len(start['game'])} runs (start-up); "
    f"Google Benchmark medians of its repetitions.",
    "",
    "| Figure | Pelmora | Baseline | Ratio / difference | Target | Met |",
    "| --- | --- | --- | --- | --- | --- |",
]
lines += [f"| {' | '.join(r)} |" for r in rows]
lines += ["", f"Manually timed steps include one pair of clock reads, {clock:.0f} ns.", "",
          "| Arithmetic | Time per call |", "| --- | --- |"]
lines += [f"| {name} | {t} |" for name, t in arith]
lines += ["", "![Frame intervals at the limit of 60](frame-intervals.png)", ""]
with open(os.path.join(out, "results.md"), "w") as f:
    f.write("\n".join(lines))

# Histogram of every interval from every pacing run, 0.1 ms bins, as a share of each program's intervals.
def histogram(pattern):
    values = []
    for path in glob.glob(os.path.join(out, pattern)):
        with open(path) as f:
            values += [float(v) for v in f]
    bins = {}
    for v in values:
        bins[round(v, 1)] = bins.get(round(v, 1), 0) + 1
    return bins, len(values)


game_bins, game_n = histogram("intervals-game-*.txt")
bare_bins, bare_n = histogram("intervals-bare-*.txt")
with open(os.path.join(out, "intervals.dat"), "w") as f:
    f.write("# interval_ms game_share bare_share\n")
    for k in sorted(set(game_bins) | set(bare_bins)):
        f.write(f"{k:.1f} {game_bins.get(k, 0) / game_n:.6f} {bare_bins.get(k, 0) / bare_n:.6f}\n")
print("\n".join(lines))
