#!/usr/bin/env python3
"""Writes data/sample.asc: a synthetic RINT ASCII profile (Lorentzian peaks on a
sloping background with Poisson counting noise), laid out as the instrument writes it:
tab-padded header keys, CR LF line ends, four counts per line."""
import math
import random

random.seed(20261207)
start, stop, step = 20.0, 60.0, 0.02
count = int(round((stop - start) / step)) + 1
peaks = [(1800.0, 28.44, 0.12), (950.0, 33.00, 0.14), (2600.0, 47.30, 0.16),
         (700.0, 56.12, 0.18)]


def poisson(lam):
    # Normal approximation is good enough for these rates.
    return max(0, int(round(random.gauss(lam, math.sqrt(lam)))))


values = []
for i in range(count):
    x = start + i * step
    y = 180.0 - 1.6 * (x - start)
    for h, p, w in peaks:
        u = (x - p) / w
        y += h / (1.0 + u * u)
    values.append(poisson(y))

header = [("*TYPE", "Raw"), ("*CLASS", "ASCII CLASS"), ("*SAMPLE", "Synthetic quartz-like"),
          ("*GONIO", "Synthetic"), ("*XUNIT", "deg."), ("*YUNIT", "counts"), ("*BEGIN", None),
          ("*START", "20"), ("*STOP", "60"), ("*STEP", "0.02"), ("*OFFSET", "0.000000"),
          ("*COUNT", str(count))]
lines = []
for key, value in header:
    if value is None:
        lines.append(key)
    else:
        tabs = "\t" * (2 if len(key) < 8 else 1)
        lines.append(f"{key}{tabs}=  {value}")
for i in range(0, count, 4):
    lines.append(", ".join(str(v) for v in values[i:i + 4]))
lines += ["*END", "", "*EOF"]
with open("data/sample.asc", "w", newline="") as f:
    f.write("\r\n".join(lines) + "\r\n")
