"""The Python module's speed, in CPU time (the machine is shared):

  * Erlang B channels-for-GOS over a 1,000,000-element array, as a share of
    the C++ core loop's rate (cli_bench's BM_CoreChannelsForGos gives that
    rate: pass its items_per_second as the first argument, or it is left out);
  * a scalar call (VSWR from two powers, whose arithmetic is negligible);
  * a 200 x 7 Erlang B table.

    PYTHONPATH=build/python /usr/bin/python3 bench/python_bench.py [CORE_RATE]
"""

import sys
import time

import numpy

import zandrevio


def cpu(run, repeat):
    best = float("inf")
    for _ in range(repeat):
        start = time.process_time()
        run()
        best = min(best, time.process_time() - start)
    return best


rows = 1_000_000
traffic = 1 + 99 * numpy.arange(rows, dtype=numpy.longdouble) / rows
array_seconds = cpu(lambda: zandrevio.traffic(model="erlang-b", traffic=traffic, gos=0.02), 3)
rate = rows / array_seconds
line = "channels for GOS, 1,000,000 elements: %.0f ms, %.0f k/s" % (array_seconds * 1e3, rate / 1e3)
if len(sys.argv) > 1:
    line += ", %.2f of the core loop's rate" % (rate / float(sys.argv[1]))
print(line)

calls = 200_000
vswr = zandrevio.vswr


def scalar_calls():
    for _ in range(calls):
        vswr(forward=10.5, reflected=1)


scalar_seconds = cpu(scalar_calls, 3)
print("scalar call (vswr): %.2f us" % (scalar_seconds / calls * 1e6))

table_seconds = cpu(lambda: zandrevio.table("erlang-b", channels=range(1, 201)), 3)
print("table erlang-b 200 x 7: %.0f ms" % (table_seconds * 1e3))
