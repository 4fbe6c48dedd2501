#!/usr/bin/python3
"""The same full-scale click with Python's fastest plotting stack for big data.

Debian's pyqtgraph (on Debian's PyQt 6 and NumPy), set up as its documentation
advises for large data: no antialiasing, peak downsampling chosen
automatically, clipping to the view, no finite check. The work is that of one
OK click at Span1 = 16777215: both curves sampled at 16,777,216 x values (by
NumPy, whole arrays at once, in double, stored as float32), handed to two
curves plotted against the point index, and the window drawn offscreen.
Prints the best of 3, each in a fresh window:
    pyqtgraph_click_to_drawn_ms span=16777215 <ms>
and, given our own figure (click_bench's click_to_drawn_ms at full scale),
    speedup_vs_pyqtgraph <how many times faster ours is>

Usage: pyqtgraph_bench.py [--ours MS]   (make bench-pyqtgraph runs both)
"""

import os
import sys
import time

os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")

import numpy as np  # noqa: E402
import pyqtgraph as pg  # noqa: E402

PASSES = 16_777_216
# The coefficients the tool derives from Vramp 10, Span1 16777215, Omaga 10, Span2 10.
A3, A4 = np.float32(16777215.0), np.float32(-8388607.5)
B0, B1 = np.float32(8388607.5), np.float32(10.0)


def click(app):
    """One click: sample, plot, draw. Returns the milliseconds it took."""
    window = pg.PlotWidget()
    window.resize(1000, 700)
    window.show()
    app.processEvents()
    start = time.perf_counter()
    x = (np.arange(PASSES, dtype=np.float64) * 0.1).astype(np.float32).astype(np.float64)
    x3 = x * x * x
    y1 = (A3 * x3 + A4 * (x3 * x)).astype(np.float32)
    y2 = (B0 + B1 * x).astype(np.float32)
    window.setDownsampling(auto=True, mode="peak")
    window.setClipToView(True)
    for y, colour in ((y1, "b"), (y2, "y")):
        window.plot(y, pen=pg.mkPen(colour), skipFiniteCheck=True)
    app.processEvents()
    window.grab()  # renders the widget, as the tool's benchmark renders its window
    elapsed = (time.perf_counter() - start) * 1000
    window.close()
    return elapsed


def main():
    pg.setConfigOptions(antialias=False, useOpenGL=False)
    app = pg.mkQApp()
    best = min(click(app) for _ in range(3))
    print(f"pyqtgraph_click_to_drawn_ms span=16777215 {best:.0f}", flush=True)
    if len(sys.argv) == 3 and sys.argv[1] == "--ours":
        print(f"speedup_vs_pyqtgraph {best / float(sys.argv[2]):.1f}")


if __name__ == "__main__":
    main()
