#!/usr/bin/env python3
"""Times tombreli-compare on two folders beside what a user would use instead,
in one run: each command several times, the median wall time, its ratio to
tombreli-compare, and the peak memory.

    compare_tools.py TOMBRELI_COMPARE FOLDER1 FOLDER2 [RUNS]
"""

import os
import statistics
import subprocess
import sys
import time

PYTHON_SPLIT = r"""
import os, sys, time
a = {e.name for e in os.scandir(sys.argv[1]) if e.is_file() and not e.name.startswith('.')}
b = {e.name for e in os.scandir(sys.argv[2]) if e.is_file() and not e.name.startswith('.')}
start = time.perf_counter()
only1, both, only2 = sorted(a - b), sorted(a & b), sorted(b - a)
print(f"{time.perf_counter() - start:.3f}", file=sys.stderr)
"""

PYTHON_SETS_ONLY = r"""
import os, sys, time
a = [e.name for e in os.scandir(sys.argv[1])]
b = [e.name for e in os.scandir(sys.argv[2])]
start = time.perf_counter()
sa, sb = set(a), set(b)
only1 = [n for n in a if n not in sb]; both = [n for n in a if n in sb]; only2 = [n for n in b if n not in sa]
print(f"{time.perf_counter() - start:.3f}", file=sys.stderr)
"""


def run(command, env=None):
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env)
    _, status, usage = os.wait4(process.pid, 0)
    elapsed = time.perf_counter() - start
    process.returncode = os.waitstatus_to_exitcode(status)
    stderr = process.stderr.read().decode(errors="replace")
    if process.returncode not in (0, 1):
        raise SystemExit(f"{command[0]} failed ({process.returncode}): {stderr}")
    return elapsed, usage.ru_maxrss / 1024, stderr.strip()


def utf8_locale():
    wanted = "en_US.UTF-8"
    listed = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.split()
    if "en_US.utf8" not in listed:
        subprocess.run(["localedef", "-i", "en_US", "-f", "UTF-8", wanted], capture_output=True)
    return wanted


def main():
    tool, a, b = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 5
    plain = dict(os.environ, LC_ALL="C")
    utf8 = dict(os.environ, LC_ALL=utf8_locale())
    commands = [
        ("tombreli-compare A B", [tool, a, b], None),
        ("ls -f A", ["ls", "-f", a], plain),
        ("comm -3 of byte-sorted ls -f", ["bash", "-c",
         'LC_ALL=C comm -3 <(ls -f "$1" | LC_ALL=C sort) <(ls -f "$2" | LC_ALL=C sort)', "-", a, b], plain),
        ("python scandir, sets, sorted", [sys.executable, "-c", PYTHON_SPLIT, a, b], None),
        ("ls -1 A in " + utf8["LC_ALL"], ["ls", "-1", a], utf8),
    ]
    results = []
    python_split = []
    python_sets = []
    for title, command, env in commands:
        times, peaks = [], []
        for _ in range(runs):
            elapsed, peak, stderr = run(command, env)
            times.append(elapsed)
            peaks.append(peak)
            if title.startswith("python"):
                python_split.append(float(stderr))
        results.append((title, statistics.median(times), max(peaks)))
    for _ in range(runs):
        python_sets.append(float(run([sys.executable, "-c", PYTHON_SETS_ONLY, a, b])[2]))

    ours = results[0][1]
    print(f"{'command':40} {'median s':>9} {'÷ tombreli':>11} {'peak MiB':>9}")
    for title, median, peak in results:
        print(f"{title:40} {median:9.3f} {median / ours:11.2f} {peak:9.0f}")
    print(f"{'python set split, in-process':40} {statistics.median(python_sets):9.3f}")
    print(f"{'python set split + sort, in-process':40} {statistics.median(python_split):9.3f}")
    print(f"({runs} runs each, {os.cpu_count()} cores)")


if __name__ == "__main__":
    main()
