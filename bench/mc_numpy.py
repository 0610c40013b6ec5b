#!/usr/bin/python3
# The yardstick of the Monte Carlo speed benchmark: the same model and the
# same figures as "vormid-cli mc --fixed N" on bench_cli's model
#   Y = A*B/C + LN(D)*E
# (A, C, E normal; B, D rectangular), drawn and evaluated with numpy arrays,
# the way a script would do it. Not run by the tests: numpy is not a
# dependency of the project, only of this comparison.
import sys

import numpy as np

n = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
p = 0.95
rng = np.random.default_rng(1)
a = rng.normal(2.0, 0.1, n)
b = rng.uniform(3.0 - 0.3, 3.0 + 0.3, n)
c = rng.normal(5.0, 0.5, n)
d = rng.uniform(1.5 - 0.2, 1.5 + 0.2, n)
e = rng.normal(0.5, 0.05, n)
y = a * b / c + np.log(d) * e
mean, u = y.mean(), y.std(ddof=1)
y.sort()
q = int(round(p * n))
r = (n - q + 1) // 2
widths = y[q:] - y[: n - q]
s = int(np.argmin(widths))
print(f"mean {mean:.6g} u {u:.6g} symmetric [{y[r - 1]:.6g}; {y[r - 1 + q]:.6g}]"
      f" shortest [{y[s]:.6g}; {y[s + q]:.6g}]")
