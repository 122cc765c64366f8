"""Blocking against offered traffic for several channel counts (Erlang B),
one vectorised call, plotted with matplotlib.

    python3 docs/examples/erlang_sweep.py [erlang_sweep.png]
"""

import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy  # noqa: E402

import zandrevio  # noqa: E402

channels = numpy.array([5, 10, 15, 20, 30])
traffic = numpy.linspace(0.5, 30, 240)
# Rows: channel counts; columns: traffic. One call, 1,200 blocking figures.
blocking = zandrevio.traffic(model="erlang-b", channels=channels[:, None], traffic=traffic[None, :]).gos

figure, axes = plt.subplots(figsize=(7, 4.5))
for row, n in enumerate(channels):
    axes.semilogy(traffic, blocking[row].astype(float), label="%d channels" % n)
axes.axhline(0.02, color="grey", linestyle=":", label="GOS 2 %")
axes.set_xlabel("Offered traffic (Erl)")
axes.set_ylabel("Blocking (GOS)")
axes.set_ylim(1e-4, 1)
axes.set_title("Erlang B: blocking against offered traffic")
axes.grid(True, which="both", alpha=0.3)
axes.legend()
figure.tight_layout()
figure.savefig(sys.argv[1] if len(sys.argv) > 1 else "erlang_sweep.png", dpi=120)
