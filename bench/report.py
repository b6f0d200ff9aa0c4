#!/usr/bin/env python3
"""Turns the benchmark's JSON output into the table of cases and ratios.

Benchmarks are named "<case>/<variant>"; "lib" is the library call, the
other variants are its baselines. Of the repetitions of each benchmark the
fastest counts (on a shared machine the slower ones measure the neighbours).
A ratio is the library's throughput over the baseline's: 1.0 means as fast.
"""
import json
import sys

BASELINES = ["floor", "plain", "memcpy"]

# The goal of each case: (baseline, least ratio), or ("absolute", bytes/s).
GOALS = {
    "model": ("floor", 0.7),
    "sprite": ("floor", 0.7),
    "picture": ("floor", 0.7),
    "palette_colormap": ("floor", 0.7),
    "wad_directory_4096": ("floor", 0.7),
    "picture_to_rgb_direct": ("plain", 0.9),
    "picture_to_rgb_colormap": ("plain", 0.9),
    "map_check_20MB": ("absolute", 1e9),
    "pak_file_disk_16MiB": ("plain", 0.95),
    "pak_file_archive_16MiB": ("plain", 0.95),
    "pak_directory_2048": ("plain", 0.1),
}


def rate(value, unit="B/s"):
    for scale, prefix in ((1e9, "G"), (1e6, "M"), (1e3, "k")):
        if value >= scale:
            return f"{value / scale:.2f} {prefix}{unit}"
    return f"{value:.0f} {unit}"


def size(value):
    for scale, prefix in ((1 << 20, "MiB"), (1 << 10, "KiB")):
        if value >= scale:
            return f"{value / scale:.1f} {prefix}"
    return f"{value:.0f} B"


def best_runs(benchmarks):
    """Per benchmark name, the repetition with the highest throughput."""
    best = {}
    for run in benchmarks:
        if run.get("run_type", "iteration") != "iteration" or "bytes_per_second" not in run:
            continue
        name = run["run_name"] if "run_name" in run else run["name"]
        if name not in best or run["bytes_per_second"] > best[name]["bytes_per_second"]:
            best[name] = run
    return best


def input_bytes(run):
    return run["bytes_per_second"] * run["cpu_time"] / {"ns": 1e9, "us": 1e6, "ms": 1e3, "s": 1}[run["time_unit"]]


def goal_text(case, lib, baselines):
    if case not in GOALS:
        return ""
    kind, target = GOALS[case]
    if kind == "absolute":
        met = lib["bytes_per_second"] >= target
        return f"{rate(target)} {'met' if met else 'MISSED'}"
    if kind not in baselines:
        return f"{kind} >= {target}: no baseline"
    ratio = lib["bytes_per_second"] / baselines[kind]["bytes_per_second"]
    return f"{kind} >= {target} {'met' if ratio >= target else f'MISSED ({ratio:.3f})'}"


def main(path):
    with open(path) as source:
        data = json.load(source)
    runs = best_runs(data["benchmarks"])
    cases = {}
    for name, run in runs.items():
        case, _, variant = name.partition("/")
        cases.setdefault(case, {})[variant] = run

    header = ["case", "input", "lib", "per call"]
    for baseline in BASELINES:
        header += [baseline, "ratio"]
    header.append("goal")
    rows = [header]
    order = sorted(cases, key=lambda case: min(v.get("family_index", 0)
                                               for v in cases[case].values()))
    for case in order:
        variants = cases[case]
        lib = variants.get("lib")
        if lib is None:
            continue
        calls = lib.get("items_per_second")
        row = [case, size(input_bytes(lib)), rate(lib["bytes_per_second"]),
               f"{1e9 / calls:.0f} ns" if calls else ""]
        for baseline in BASELINES:
            if baseline in variants:
                other = variants[baseline]["bytes_per_second"]
                row += [rate(other), f"{lib['bytes_per_second'] / other:.2f}"]
            else:
                row += ["", ""]
        row.append(goal_text(case, lib, variants))
        rows.append(row)

    widths = [max(len(row[i]) for row in rows) for i in range(len(header))]
    lines = ["| " + " | ".join(cell.ljust(width) for cell, width in zip(row, widths)) + " |"
             for row in rows]
    lines.insert(1, "|" + "|".join("-" * (width + 2) for width in widths) + "|")
    print("\n".join(lines))
    records = [f"{case} {size(cases[case]['floor']['record_bytes'])}" for case in order
               if "record_bytes" in cases[case].get("floor", {})]
    if records:
        print("\nRecord sizes (what the floor allocates and writes): " + "; ".join(records))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: report.py BENCHMARK_JSON")
    main(sys.argv[1])
