#!/usr/bin/env python3
"""Peak memory of whole fractrace runs on the simulated board (no trace).

Usage: peak_memory.py PATH/TO/fractrace [ORDER ...]   (default orders 5 and 16)

Every run uses 2 steps per mm and c = 0.25 mm, so each move is one step and emits
no pulse: the run is the path and the stepper alone and stays short even at order
16 (2^21 iterations). Prints the maximum resident set of each run and exits 1 when
it grows with the order by more than 1 MiB: the path is never stored.

The run is started by /usr/bin/time (Debian package time): a child forked from this
Python process would count Python's own pages in its peak.
"""
import os
import subprocess
import sys
import tempfile
import time

GROWTH_LIMIT_KIB = 1024


def peak_rss_kib(program, order):
    with tempfile.TemporaryDirectory() as work:
        with open(os.path.join(work, "stepcfg2.txt"), "w") as f:
            f.write("2 1.0 1\n2 1.0 1\n")
        env = {k: v for k, v in os.environ.items() if k != "BOARD_TRACE"}
        report = os.path.join(work, "peak.txt")
        start = time.monotonic()
        done = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", report, program], cwd=work,
                              env=env, input=f"{order} 0.25 0 Y\n".encode(),
                              stdout=subprocess.DEVNULL)
        seconds = time.monotonic() - start
        if done.returncode != 0:
            sys.exit(f"fractrace order {order} ended with status {done.returncode}")
        with open(report) as f:
            return int(f.read().split()[-1]), seconds  # KiB


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    program = os.path.abspath(sys.argv[1])
    orders = [int(a) for a in sys.argv[2:]] or [5, 16]
    results = []
    for order in orders:
        rss, seconds = peak_rss_kib(program, order)
        iterations = 2 ** (order + 5) - 1
        print(f"order {order:3d}: {iterations:9d} iterations, peak RSS {rss:6d} KiB, "
              f"{seconds:6.2f} s")
        results.append(rss)
    growth = max(results) - min(results)
    print(f"growth across orders: {growth} KiB")
    if growth > GROWTH_LIMIT_KIB:
        sys.exit(f"peak memory grows with the order by {growth} KiB")


if __name__ == "__main__":
    main()
