#!/usr/bin/python3
"""Start-up, each as a whole process, paired run by run against its yardstick.

CPU time (user + system, the kernel's account of each finished run, which
bench/measure prints) and peak memory, the median of the pairs:
  zandrevio-calc vswr             against a C++ "hello"       goal: at most 1.5 times, 8 MB
  the window to its first paint   against a bare Qt window    goal: at most 1.3 times
                                  with the same eight tabs
and zandrevio-calc under ulimit -v 150000 (150 MB of address space).

  bench/startup.py [BUILD_DIR] [RUNS]
"""

import os
import resource
import statistics
import subprocess
import sys

build = sys.argv[1] if len(sys.argv) > 1 else "build"
runs = int(sys.argv[2]) if len(sys.argv) > 2 else 31
subprocess.run(["cmake", "--build", build, "--target", "zandrevio-calc", "startup_hello", "window_start", "measure"],
               check=True, stdout=subprocess.DEVNULL)
env = dict(os.environ, QT_QPA_PLATFORM=os.environ.get("QT_QPA_PLATFORM", "offscreen"))


def run(command, limit=None):
    """One run's CPU seconds, peak kilobytes and exit status, as measure counts them."""
    def limited():
        if limit:
            resource.setrlimit(resource.RLIMIT_AS, (limit, limit))
    out = subprocess.run([f"{build}/bench/measure", *command], capture_output=True, text=True, env=env,
                         preexec_fn=limited, check=True).stdout.split()
    return float(out[0]), int(out[1]), int(out[2])


def pair(name, a, b):
    run(a), run(b)  # warm the page cache
    times_a, times_b, ratios, peak = [], [], [], 0
    for _ in range(runs):
        ta, kb, _ = run(a)
        tb, _, _ = run(b)
        times_a.append(ta)
        times_b.append(tb)
        ratios.append(ta / tb)
        peak = max(peak, kb)
    print(f"{name:36} {statistics.median(times_a) * 1000:8.2f} ms against {statistics.median(times_b) * 1000:8.2f} ms"
          f"  ratio {statistics.median(ratios):5.2f} (median of {runs} pairs)  peak {peak / 1024:.1f} MiB")


calc = [f"{build}/src/zandrevio-calc", "vswr"]
pair("zandrevio-calc vswr / C++ hello", calc, [f"{build}/bench/startup_hello"])
pair("window to first paint / bare Qt", [f"{build}/bench/window_start", "zandrevio"],
     [f"{build}/bench/window_start", "bare"])
_, _, status = run(calc, limit=150000 * 1024)
print("zandrevio-calc vswr under ulimit -v 150000:", "runs" if status == 0 else f"fails (exit {status})")
