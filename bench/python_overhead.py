"""What the Python module adds to the runs it makes: 10,000 runs through
runs() and model_function() against corvellan-run making the same runs, and
one run() call against the run itself. Prints medians of repeated timings.

    PYTHONPATH=build/python /usr/bin/python3 bench/python_overhead.py build/bin/corvellan-run
"""

import statistics
import subprocess
import sys
import time

import numpy as np

import corvellan

RUNS = 10_000
REPEATS = 5
JOBS = 2


def median_seconds(call, repeats=REPEATS):
    times = []
    for _ in range(repeats):
        start = time.perf_counter()
        call()
        times.append(time.perf_counter() - start)
    return statistics.median(times)


def main(runner):
    # The same 10,000 runs three ways: a sweep of paramJ over 10,000 values.
    sweep = f"paramJ=0.0001:1:0.0001"
    values = np.round(np.arange(1, RUNS + 1) * 0.0001, 4)
    cli = median_seconds(lambda: subprocess.run(
        [runner, "--seed", "1", "--jobs", str(JOBS), "--sweep", sweep],
        stdout=subprocess.DEVNULL, check=True))
    through_runs = median_seconds(lambda: corvellan.runs({"paramJ": values}, seed=1, jobs=JOBS))
    f = corvellan.model_function(["paramJ"], seed=1, jobs=JOBS)
    x = values.reshape(-1, 1)
    through_function = median_seconds(lambda: f(x))
    print(f"10,000 runs, {JOBS} jobs, medians of {REPEATS}:")
    print(f"  corvellan-run --sweep (CSV to /dev/null): {cli:.3f} s")
    print(f"  corvellan.runs() (DataFrame):            {through_runs:.3f} s ({through_runs / cli - 1:+.1%})")
    print(f"  model_function()(X):                     {through_function:.3f} s ({through_function / cli - 1:+.1%})")

    # One run() call against the run alone: model_function over one row with
    # one job measures the engine's call; the bare run is timed by a batch of
    # many runs divided by their number.
    calls = 2000
    per_call = median_seconds(lambda: [corvellan.run(seed=i) for i in range(calls)]) / calls
    one_job = corvellan.model_function(["paramJ"], seed=1, jobs=1)
    rows = np.full((calls, 1), 0.5)
    per_run = median_seconds(lambda: one_job(rows)) / calls
    print(f"one run() call: {per_call * 1e6:.1f} us; the run itself (one job, in a batch): "
          f"{per_run * 1e6:.1f} us; difference {1e6 * (per_call - per_run):+.1f} us")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "build/bin/corvellan-run")
