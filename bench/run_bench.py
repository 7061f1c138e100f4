#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints the program's benchmark figures as a table.

Start-up (process start to the first painted frame), the processor time used
by then and peak resident memory of the program against two baselines of the same size, run in rotation: an
empty Qt window, and the text floor, a window showing the same texts in the
same fonts with stock widgets;
the cost of each handler on the real widgets (Google Benchmark); a long monkey
test; given the web page, its size and the time from navigation to its first
dealt row painted in headless chromium and firefox, against the page's own
floor (the page without its program, the dealt row in its markup) and an empty
page; and, given the Windows tree, the .exe's size and its start-up under Wine
against the Windows text floor's. Run it on a display: ./run.sh bench does,
under Xvfb.

    bench/run_bench.py BUILD_DIR [--rounds N] [--monkey-actions N] [--page HTML]
                       [--windows WINDOWS_BUILD_DIR]
"""

import argparse
import json
import os
import statistics
import subprocess
import sys
import threading
import time


def start_once(program):
    """Milliseconds from starting `program` to its first frame, the processor time it
    had used by then, which the machine's load sways less, and its peak RSS in MiB."""
    started = time.monotonic_ns()
    child = subprocess.Popen([program], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    output = child.stdout.read().decode()
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        sys.exit(f"{program} exited with {child.returncode}")
    for line in output.splitlines():
        if line.startswith("first-frame-ns "):
            words = line.split()
            frame, used = int(words[1]), int(words[3])
            return (frame - started) / 1e6, used / 1e6, usage.ru_maxrss / 1024
    sys.exit(f"{program} printed no first frame")


BASELINES = (("empty", "empty_window_startup"), ("text floor", "text_floor_startup"))
TARGET = 1.05  # against the text floor: what a window showing these texts must pay


def median_ratio(mine, base):
    """The median of the ratios within a round: runs of one round are neighbours in
    time, so their ratio shares the machine's load."""
    return statistics.median(m / b for m, b in zip(mine, base))


def in_rotation(programs, rounds, start):
    """Each of `programs` (name to path) started `rounds` times by `start`, once first
    to warm the file cache, in rotating order so that none always follows another."""
    for path in programs.values():
        start(path)
    names = list(programs)
    runs = {name: [] for name in names}
    for i in range(rounds):
        for name in names[i % len(names):] + names[:i % len(names)]:
            runs[name].append(start(programs[name]))
    return runs


def startup_rows(build, rounds):
    programs = {"program": os.path.join(build, "bench", "program_startup")}
    for name, binary in BASELINES:
        programs[name] = os.path.join(build, "bench", binary)
    runs = in_rotation(programs, rounds, start_once)
    rows = []
    for index, label, unit in ((0, "start-up to first frame", "ms"),
                               (1, "processor time to first frame", "ms"),
                               (2, "peak resident memory", "MiB")):
        mine = [r[index] for r in runs["program"]]
        cells = [f"{statistics.median(mine):.1f}"]
        ratios = []
        for name, _ in BASELINES:
            base = [r[index] for r in runs[name]]
            ratios.append(median_ratio(mine, base))
            cells.append(f"{statistics.median(base):.1f}")
        floor_ratio = ratios[-1]
        rows.append((f"{label} ({unit})", *cells, *(f"{r:.3f}" for r in ratios),
                     f"<= {TARGET:.2f} x floor", "met" if floor_ratio <= TARGET else "missed"))
    return rows


PAGE_TARGET = 1.10  # against the page's own floor
PAGE_KIB = 120


def page_rows(page, rounds):
    """The page's size, and its time to the first dealt row against its own floor
    (the built page without its program, the dealt row in its markup) and an empty
    page, in each engine that can watch a page from its start."""
    script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "web", "tests",
                          "first_row_time.mjs")
    env = dict(os.environ, PAGE_BUILD_DIR=os.path.dirname(os.path.abspath(page)))
    rows = []
    for engine in ("chromium", "firefox"):
        out = subprocess.run(["node", script, str(rounds), engine], check=True, capture_output=True,
                             text=True, env=env).stdout
        result = json.loads(out.splitlines()[-1])
        times = result["firstRowMs"]
        mine = times["page"]
        to_empty, to_floor = (median_ratio(mine, times[base]) for base in ("empty", "floor"))
        rows.append((f"web page in {engine}: navigation to first dealt row (ms)",
                     f"{statistics.median(mine):.1f}", f"{statistics.median(times['empty']):.1f}",
                     f"{statistics.median(times['floor']):.1f}", f"{to_empty:.3f}", f"{to_floor:.3f}",
                     f"<= {PAGE_TARGET:.2f} x floor", "met" if to_floor <= PAGE_TARGET else "missed"))
    kib = result["bytes"] / 1024
    rows.append(("web page: file size (KiB)", f"{kib:.1f}", "", f"{result['floorBytes'] / 1024:.1f}",
                 "", "", f"<= {PAGE_KIB}", "met" if kib <= PAGE_KIB else "missed"))
    return rows


def wine_start_once(exe, env):
    """Milliseconds from starting `wine exe` to the line its first-frame probe prints,
    and the processor time the process used, which the machine's load sways less."""
    started = time.monotonic_ns()
    child = subprocess.Popen(["wine", exe], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                             env=env)
    watchdog = threading.Timer(60, child.kill)
    watchdog.start()
    line = child.stdout.readline()
    arrived = time.monotonic_ns()
    watchdog.cancel()
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = os.waitstatus_to_exitcode(status)
    if not line.startswith(b"first-frame") or child.returncode != 0:
        sys.exit(f"{exe} under Wine showed no first frame within 60 s "
                 f"(printed {line!r}, exit status {child.returncode})")
    return (arrived - started) / 1e6, (usage.ru_utime + usage.ru_stime) * 1000


def windows_rows(build, rounds):
    """The .exe's size, and its start-up under Wine against the Windows text floor's,
    in alternating order. Under Wine the process starts with the wine command; one
    Wine server, started first, serves every run, as a Windows session is always up."""
    here = os.path.dirname(os.path.abspath(__file__))
    prefix = os.path.join(os.path.abspath(build), "wine-prefix")
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    # Makes the tests' prefix if it is not there yet.
    subprocess.run([os.path.join(here, "..", "tests", "windows", "wine_run.sh"), prefix,
                    "cmd", "/c", "exit", "0"], check=True, stdout=subprocess.DEVNULL)
    programs = {"program": os.path.join(build, "bench", "windows", "program_startup_win32.exe"),
                "text floor": os.path.join(build, "bench", "windows", "text_floor_startup_win32.exe")}
    server = subprocess.Popen(["wineserver", "--foreground", "--persistent"], env=env)
    try:
        runs = in_rotation(programs, rounds, lambda exe: wine_start_once(exe, env))
    finally:
        subprocess.run(["wineserver", "--kill"], env=env, check=False)
        server.wait(timeout=60)
    rows = []
    for index, label in ((0, "start-up to first frame"), (1, "processor time to first frame")):
        mine = [r[index] for r in runs["program"]]
        floor = [r[index] for r in runs["text floor"]]
        ratio = median_ratio(mine, floor)
        rows.append((f"Windows program under Wine (vs Windows text floor): {label} (ms)",
                     f"{statistics.median(mine):.1f}", "", f"{statistics.median(floor):.1f}", "",
                     f"{ratio:.3f}", f"<= {TARGET:.2f} x floor",
                     "met" if ratio <= TARGET else "missed"))
    kib = os.path.getsize(os.path.join(build, "chislova-redica.exe")) / 1024
    rows.append(("Windows program: .exe size (KiB)", f"{kib:.1f}", "", "", "", "", "", ""))
    return rows


def handler_rows(build):
    bench = os.path.join(build, "bench", "handlers_bench")
    env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))
    out = subprocess.run([bench, "--benchmark_format=json", "--benchmark_repetitions=5",
                          "--benchmark_report_aggregates_only=true"],
                         check=True, capture_output=True, text=True, env=env).stdout
    rows = []
    for result in json.loads(out)["benchmarks"]:
        if result.get("aggregate_name") != "median":
            continue
        micros = result["real_time"] / 1000 if result["time_unit"] == "ns" else result["real_time"]
        name = result["run_name"].removeprefix("BM_")
        rows.append((f"{name} (µs)", f"{micros:.2f}", "", "", "", "", "< 20",
                     "met" if micros < 20 else "missed"))
    return rows


def monkey_row(build, actions):
    test = os.path.join(build, "tests", "window_monkey_test")
    seed = str(int.from_bytes(os.urandom(4), "little"))
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", MONKEY_ACTIONS=str(actions),
               MONKEY_SEED=seed)
    started = time.monotonic()
    done = subprocess.run([test], capture_output=True, text=True, env=env)
    seconds = time.monotonic() - started
    verdict = "passed" if done.returncode == 0 else "FAILED"
    if done.returncode != 0:
        sys.stdout.write(done.stdout[-3000:])
    return (f"monkey test, {actions:,} actions (seed {seed})", f"{seconds:.1f} s", "", "", "", "",
            "", verdict), done.returncode


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("--rounds", type=int, default=31)
    parser.add_argument("--monkey-actions", type=int, default=100000)
    parser.add_argument("--page", help="the built web page, to measure beside the window")
    parser.add_argument("--windows", help="the windows-test build folder, to measure under Wine")
    args = parser.parse_args()

    rows = startup_rows(args.build, args.rounds)
    if args.page:
        rows += page_rows(args.page, args.rounds)
    if args.windows:
        rows += windows_rows(args.windows, args.rounds)
    rows += handler_rows(args.build)
    monkey, status = monkey_row(args.build, args.monkey_actions)
    rows.append(monkey)

    header = ("measure", "program or page", "empty window or page", "text floor or page floor",
              "ratio to empty", "ratio to floor", "target", "")
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(len(header))]
    for row in [header] + rows:
        print("  ".join(cell.ljust(width) for cell, width in zip(row, widths)).rstrip())
    load = ", ".join(f"{x:.2f}" for x in os.getloadavg())
    print(f"\n{args.rounds} rounds of the three (window or page) in rotating order, medians and "
          "median ratios; "
          f"{os.cpu_count()} cores, load average {load}; {os.uname().sysname} {os.uname().release}")
    return status


if __name__ == "__main__":
    sys.exit(main())
